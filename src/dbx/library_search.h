// Where the host library may be loaded from. It is only ever loaded by full
// path from folders the user cannot be tricked into: never by bare name, so
// that a dbx32.dll left in whatever folder the program was started from (or
// reached through a relative entry of PATH) is never run.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace dbx {

inline constexpr std::wstring_view kHostLibraryName = L"dbx32.dll";

struct SearchFolders {
    std::wstring executable;    // the folder of the running program
    std::wstring system;        // the system folder
    std::wstring windows;       // the Windows folder
    std::wstring pathVariable;  // PATH as it stands, ";"-separated
};

// A folder named from the root of a drive ("C:\...") or a share ("\\host\...").
// Relative names, ".", drive-relative ("C:x") and root-relative ("\x") ones
// all depend on the current directory.
bool isAbsoluteFolder(std::wstring_view folder);

// The full paths to try, in order: the program's own folder, the system
// folder, the Windows folder, then each absolute folder of PATH. Empty and
// non-absolute folders are left out.
std::vector<std::wstring> hostLibraryCandidates(const SearchFolders& folders);

}  // namespace dbx
