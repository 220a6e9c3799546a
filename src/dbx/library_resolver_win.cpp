// The host library dbx32.dll on Windows, loaded only by full path.
#include <windows.h>

#include <string>

#include "dbx/library_search.h"
#include "dbx/load_once_resolver.h"

namespace dbx {
namespace {

// What a Win32 call that fills a buffer returns as a string; empty when it
// fails. `fill` returns the length written, or the size needed when the
// buffer was too small, like GetSystemDirectoryW and its kind.
template <typename Fill>
std::wstring filledString(Fill fill) {
    std::wstring text(MAX_PATH, L'\0');
    for (int attempt = 0; attempt < 2; ++attempt) {
        const DWORD length = fill(text.data(), static_cast<DWORD>(text.size()));
        if (length == 0) {
            return {};
        }
        if (length < text.size()) {
            text.resize(length);
            return text;
        }
        text.resize(length + 1);
    }
    return {};
}

// The folder of the running executable, without the file name; empty when it
// cannot be had.
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

SearchFolders searchFolders() {
    return {
        .executable = executableFolder(),
        .system = filledString([](wchar_t* b, DWORD n) { return GetSystemDirectoryW(b, n); }),
        .windows = filledString([](wchar_t* b, DWORD n) { return GetWindowsDirectoryW(b, n); }),
        .pathVariable = filledString(
            [](wchar_t* b, DWORD n) { return GetEnvironmentVariableW(L"PATH", b, n); }),
    };
}

// Where the system can, the library's own dependencies are looked for in its
// folder and the system's only; before Windows 7's update KB2533623 (and on
// XP) the older flag at least starts their search in the library's folder.
DWORD loadFlags() {
    const HMODULE kernel = GetModuleHandleW(L"kernel32.dll");
    const bool searchFlagsWork =
        kernel != nullptr && GetProcAddress(kernel, "AddDllDirectory") != nullptr;
    return searchFlagsWork ? LOAD_LIBRARY_SEARCH_DLL_LOAD_DIR | LOAD_LIBRARY_SEARCH_DEFAULT_DIRS
                           : LOAD_WITH_ALTERED_SEARCH_PATH;
}

HMODULE loadHostLibrary() {
    const DWORD flags = loadFlags();
    for (const std::wstring& path : hostLibraryCandidates(searchFolders())) {
        if (HMODULE module = LoadLibraryExW(path.c_str(), nullptr, flags)) {
            return module;
        }
    }
    return nullptr;
}

class WindowsLibraryResolver final : public LoadOnceResolver {
  public:
    ~WindowsLibraryResolver() override {
        if (module_ != nullptr) {
            FreeLibrary(module_);
        }
    }

  private:
    bool load() override {
        module_ = loadHostLibrary();
        return module_ != nullptr;
    }
    void* find(const char* name) override {
        // The library exports its __stdcall functions under undecorated names.
        return reinterpret_cast<void*>(GetProcAddress(module_, name));
    }

    HMODULE module_ = nullptr;
};

}  // namespace

// The path is for the shared-object build; on Windows the library is always
// dbx32.dll, found as described above.
std::unique_ptr<SymbolResolver> makeLibraryResolver(std::string /*libraryPath*/) {
    return std::make_unique<WindowsLibraryResolver>();
}

}  // namespace dbx
