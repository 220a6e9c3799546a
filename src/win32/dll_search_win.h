// Keeps the current directory out of every DLL search of the process.
#pragma once

namespace win32 {

// Call first, before anything can load a library by name: from then on a DLL
// left in whatever folder the program was started from is never loaded.
void keepCurrentDirectoryOutOfDllSearch();

}  // namespace win32
