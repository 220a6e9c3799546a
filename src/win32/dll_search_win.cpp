#include "win32/dll_search_win.h"

#include <windows.h>

#include "win32/system_function_win.h"

namespace win32 {

void keepCurrentDirectoryOutOfDllSearch() {
    // Where the system has it (Windows 7 with KB2533623, and later), searches
    // by name look only in the program's folder and the system's; XP and
    // Vista do not have it.
    using SetDefaultDllDirectoriesFn = BOOL(WINAPI*)(DWORD);
    if (const auto setDefault = systemFunction<SetDefaultDllDirectoriesFn>(
            L"kernel32.dll", "SetDefaultDllDirectories")) {
        setDefault(LOAD_LIBRARY_SEARCH_DEFAULT_DIRS);
    }
    // Everywhere from XP SP1 on, an empty string takes the current directory
    // out of the search order.
    SetDllDirectoryW(L"");
}

}  // namespace win32
