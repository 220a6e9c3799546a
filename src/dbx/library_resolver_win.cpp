// The host library dbx32.dll on Windows.
#include <windows.h>

#include <string>

#include "dbx/connection.h"

namespace dbx {
namespace {

// The folder of the running executable, without a trailing separator; empty
// when it cannot be had.
std::wstring executableFolder() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length =
            GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0) {
            return {};
        }
        if (length < path.size()) {
            path.resize(length);
            break;
        }
        // Cut to fit: try again with more room, up to the longest path Windows has.
        if (path.size() >= 32768) {
            return {};
        }
        path.resize(path.size() * 2);
    }
    const std::size_t separator = path.find_last_of(L"\\/");
    return separator == std::wstring::npos ? std::wstring{} : path.substr(0, separator);
}

HMODULE loadHostLibrary() {
    // By default the current directory is part of the DLL search order, so a
    // dbx32.dll (or a DLL the real one depends on) left in whatever folder the
    // program was started from would be loaded in place of the host's. An
    // empty string takes the current directory out of the search order for
    // this process, for both loads below and for their dependencies.
    SetDllDirectoryW(L"");

    // The copy beside the executable, by full path, with its dependencies
    // looked for in its own folder first.
    const std::wstring folder = executableFolder();
    if (!folder.empty()) {
        const std::wstring fullPath = folder + L"\\dbx32.dll";
        if (HMODULE module =
                LoadLibraryExW(fullPath.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH)) {
            return module;
        }
    }
    // Else the host's own copy, found through the system folders and PATH.
    return LoadLibraryW(L"dbx32.dll");
}

class WindowsLibraryResolver final : public SymbolResolver {
  public:
    WindowsLibraryResolver() = default;
    ~WindowsLibraryResolver() override {
        if (module_ != nullptr) {
            FreeLibrary(module_);
        }
    }
    WindowsLibraryResolver(const WindowsLibraryResolver&) = delete;
    WindowsLibraryResolver& operator=(const WindowsLibraryResolver&) = delete;

    void* resolve(const char* name) override {
        // One attempt only: a library that failed to load stays failed rather
        // than being searched for again on every call.
        if (!attempted_) {
            attempted_ = true;
            module_ = loadHostLibrary();
        }
        if (module_ == nullptr) {
            return nullptr;
        }
        // The library exports its __stdcall functions under undecorated names.
        return reinterpret_cast<void*>(GetProcAddress(module_, name));
    }

  private:
    bool attempted_ = false;
    HMODULE module_ = nullptr;
};

}  // namespace

// The path is for the shared-object build; on Windows the library is always
// dbx32.dll, found as described above.
std::unique_ptr<SymbolResolver> makeLibraryResolver(std::string /*libraryPath*/) {
    return std::make_unique<WindowsLibraryResolver>();
}

}  // namespace dbx
