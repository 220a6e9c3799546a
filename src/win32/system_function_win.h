// A function of a system DLL that older Windows lacks, looked up at run time:
// a static import would keep the program from starting there.
#pragma once

#include <windows.h>

#include <string>

namespace win32 {

// Null when the DLL is not loaded or lacks the function.
template <typename Fn>
Fn systemFunction(const wchar_t* dll, const char* name) {
    HMODULE module = GetModuleHandleW(dll);
    if (module == nullptr) {
        return nullptr;
    }
    // Through the generic function type, which any function pointer may be
    // cast to and back from.
    return reinterpret_cast<Fn>(reinterpret_cast<void (*)()>(GetProcAddress(module, name)));
}

// A function of a system DLL that the program needs only now and then (the
// Open dialog, a drop): the DLL is loaded from the system folder, by its full
// path, on the first use, so that starting the program does not wait for it.
// It stays loaded. Null when it cannot be had.
template <typename Fn>
Fn systemFunctionLoaded(const wchar_t* dll, const char* name) {
    if (GetModuleHandleW(dll) == nullptr) {
        wchar_t folder[MAX_PATH] = L"";
        const UINT length = GetSystemDirectoryW(folder, MAX_PATH);
        if (length == 0 || length >= MAX_PATH) {
            return nullptr;
        }
        if (LoadLibraryW((std::wstring(folder, length) + L"\\" + dll).c_str()) == nullptr) {
            return nullptr;
        }
    }
    return systemFunction<Fn>(dll, name);
}

}  // namespace win32
