// How the connection finds the host library's functions: the interface both
// platforms' resolvers implement, and the one the program uses.
#pragma once

#include <memory>
#include <string>

namespace dbx {

// Finds a function of the host library by its undecorated name. Returns null
// when the library or the function cannot be had. Replaceable in tests.
class SymbolResolver {
  public:
    virtual ~SymbolResolver() = default;
    virtual void* resolve(const char* name) = 0;
    // True once the library itself was looked for and found nowhere, as
    // against a library that lacks a function.
    virtual bool libraryMissing() const { return false; }
};

// Loads the host library on the first look-up. On Windows: "dbx32.dll" by
// full path from the executable's own folder, the system folder, the Windows
// folder or an absolute folder of PATH, never by bare name. Elsewhere: the
// shared object at `libraryPath`, or "libdbx32.so" beside the executable when
// it is empty.
std::unique_ptr<SymbolResolver> makeLibraryResolver(std::string libraryPath = {});

}  // namespace dbx
