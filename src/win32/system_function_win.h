// A function of a system DLL that older Windows lacks, looked up at run time:
// a static import would keep the program from starting there.
#pragma once

#include <windows.h>

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

}  // namespace win32
