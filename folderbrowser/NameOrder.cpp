#include "folderbrowser/NameOrder.h"

bool NameOrderKey(IShellFolder* folder, LPCITEMIDLIST item, std::string& key) {
    WIN32_FIND_DATAA data{};
    if (FAILED(::SHGetDataFromIDListA(folder, item, SHGDFIL_FINDDATA, &data, sizeof data))) return false;
    char bytes[2048];
    const int size =
        ::LCMapStringA(LOCALE_USER_DEFAULT, LCMAP_SORTKEY | NORM_IGNORECASE, data.cFileName, -1, bytes, sizeof bytes);
    if (size <= 0) return false;
    key.assign(1, (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) ? '0' : '1');
    key.append(bytes, static_cast<std::size_t>(size));
    return true;
}

bool ShellPrecedes(IShellFolder* folder, int column, int direction, LPCITEMIDLIST a, LPCITEMIDLIST b) {
    const HRESULT hr = folder->CompareIDs(static_cast<LPARAM>(column), a, b);
    if (FAILED(hr)) return false;
    return static_cast<short>(HRESULT_CODE(hr)) * direction < 0;
}
