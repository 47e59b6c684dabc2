/* A library that carries the name of a library of the system, as one lying in a download
 * folder beside the program would: loaded, it leaves "<its file>.loaded" beside itself.
 * Built once per name, each exporting the functions the program calls of that library
 * (PLANTED_COMCTL32, _DWMAPI, _AVIFIL32, _MSVFW32), all of which fail, so that a
 * program that loads it gets as far as it can. */
#include <windows.h>

#define STUB __declspec(dllexport)

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved) {
    if (reason == DLL_PROCESS_ATTACH) {
        char path[MAX_PATH + 8] = {0};
        DWORD length = GetModuleFileNameA(instance, path, MAX_PATH);
        lstrcpyA(path + length, ".loaded");
        HANDLE marker = CreateFileA(path, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL);
        if (marker != INVALID_HANDLE_VALUE) CloseHandle(marker);
    }
    return TRUE;
}

#ifdef PLANTED_COMCTL32
STUB BOOL WINAPI InitCommonControlsEx(const void* a) { return TRUE; }
STUB LRESULT WINAPI DefSubclassProc(HWND a, UINT b, WPARAM c, LPARAM d) { return 0; }
STUB BOOL WINAPI SetWindowSubclass(HWND a, void* b, UINT_PTR c, DWORD_PTR d) { return FALSE; }
STUB BOOL WINAPI RemoveWindowSubclass(HWND a, void* b, UINT_PTR c) { return FALSE; }
STUB void* WINAPI ImageList_Create(int a, int b, UINT c, int d, int e) { return NULL; }
STUB BOOL WINAPI ImageList_Destroy(void* a) { return FALSE; }
STUB int WINAPI ImageList_Add(void* a, HBITMAP b, HBITMAP c) { return -1; }
STUB int WINAPI ImageList_AddMasked(void* a, HBITMAP b, COLORREF c) { return -1; }
STUB BOOL WINAPI ImageList_Draw(void* a, int b, HDC c, int d, int e, UINT f) { return FALSE; }
STUB HICON WINAPI ImageList_GetIcon(void* a, int b, UINT c) { return NULL; }
STUB BOOL WINAPI ImageList_GetIconSize(void* a, int* b, int* c) { return FALSE; }
STUB int WINAPI ImageList_GetImageCount(void* a) { return 0; }
STUB BOOL WINAPI ImageList_Remove(void* a, int b) { return FALSE; }
STUB int WINAPI ImageList_ReplaceIcon(void* a, int b, HICON c) { return -1; }
#endif

#ifdef PLANTED_DWMAPI
STUB HRESULT WINAPI DwmGetWindowAttribute(HWND a, DWORD b, PVOID c, DWORD d) { return E_FAIL; }
#endif

#ifdef PLANTED_AVIFIL32
STUB void WINAPI AVIFileInit(void) {}
STUB void WINAPI AVIFileExit(void) {}
STUB HRESULT WINAPI AVIFileOpenA(void** a, LPCSTR b, UINT c, void* d) {
    *a = NULL;
    return E_FAIL;
}
STUB HRESULT WINAPI AVIFileCreateStreamA(void* a, void** b, void* c) {
    *b = NULL;
    return E_FAIL;
}
STUB HRESULT WINAPI AVIFileGetStream(void* a, void** b, DWORD c, LONG d) {
    *b = NULL;
    return E_FAIL;
}
STUB ULONG WINAPI AVIFileRelease(void* a) { return 0; }
STUB ULONG WINAPI AVIStreamRelease(void* a) { return 0; }
STUB HRESULT WINAPI AVIStreamSetFormat(void* a, LONG b, void* c, LONG d) { return E_FAIL; }
STUB HRESULT WINAPI AVIStreamWrite(void* a, LONG b, LONG c, void* d, LONG e, DWORD f, LONG* g, LONG* h) {
    return E_FAIL;
}
STUB BOOL WINAPI AVISaveOptions(HWND a, UINT b, int c, void** d, void** e) { return FALSE; }
STUB HRESULT WINAPI AVISaveOptionsFree(int a, void** b) { return 0; }
STUB HRESULT WINAPI AVISaveVA(LPCSTR a, CLSID* b, void* c, int d, void** e, void** f) { return E_FAIL; }
#endif

#ifdef PLANTED_MSVFW32
STUB BOOL WINAPI ICCompressorChoose(HWND a, UINT b, LPVOID c, LPVOID d, void* e, LPSTR f) { return FALSE; }
STUB void WINAPI ICCompressorFree(void* a) {}
STUB LPVOID WINAPI ICSeqCompressFrame(void* a, UINT b, LPVOID c, BOOL* d, LONG* e) { return NULL; }
STUB void WINAPI ICSeqCompressFrameEnd(void* a) {}
STUB BOOL WINAPI ICSeqCompressFrameStart(void* a, LPBITMAPINFO b) { return FALSE; }
#endif
