#include "win32/dll_search_win.h"

#include <windows.h>

namespace win32 {

void keepCurrentDirectoryOutOfDllSearch() {
    // Where the system has it (Windows 7 with KB2533623, and later), searches
    // by name look only in the program's folder and the system's; the
    // function is looked up because XP and Vista do not have it.
    using SetDefaultDllDirectoriesFn = BOOL(WINAPI*)(DWORD);
    if (const HMODULE kernel = GetModuleHandleW(L"kernel32.dll")) {
        const auto setDefault = reinterpret_cast<SetDefaultDllDirectoriesFn>(
            reinterpret_cast<void*>(GetProcAddress(kernel, "SetDefaultDllDirectories")));
        if (setDefault != nullptr) {
            setDefault(LOAD_LIBRARY_SEARCH_DEFAULT_DIRS);
        }
    }
    // Everywhere from XP SP1 on, an empty string takes the current directory
    // out of the search order.
    SetDllDirectoryW(L"");
}

}  // namespace win32
