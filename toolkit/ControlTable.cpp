#include "toolkit/ControlTable.h"

ControlTable& ControlTable::Instance() {
    static auto* table = new ControlTable;
    return *table;
}

void ControlTable::Add(HWND window, TWinControl* control) {
    const std::lock_guard<std::mutex> hold(lock_);
    controls_[window] = control;
}

void ControlTable::Remove(HWND window) {
    const std::lock_guard<std::mutex> hold(lock_);
    controls_.erase(window);
}

TWinControl* ControlTable::Find(HWND window) {
    const std::lock_guard<std::mutex> hold(lock_);
    const auto found = controls_.find(window);
    return found == controls_.end() ? nullptr : found->second;
}

UINT_PTR ControlTable::NextId() {
    static UINT_PTR next = 100;
    const UINT_PTR id = next;
    next = next >= 0xFFFF ? 100 : next + 1;
    return id;
}
