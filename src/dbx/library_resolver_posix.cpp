// The host library as a shared object, for the Linux build and its stand-in
// library.
#include <dlfcn.h>

#include <filesystem>
#include <system_error>
#include <utility>

#include "dbx/load_once_resolver.h"

namespace dbx {
namespace {

// "libdbx32.so" in the folder of the running executable, by full path; empty
// when the executable cannot be found.
std::string besideExecutable() {
    std::error_code error;
    const std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error || !exe.has_parent_path()) {
        return {};
    }
    return (exe.parent_path() / "libdbx32.so").string();
}

class PosixLibraryResolver final : public LoadOnceResolver {
  public:
    explicit PosixLibraryResolver(std::string path) : path_(std::move(path)) {}
    ~PosixLibraryResolver() override {
        if (handle_ != nullptr) {
            dlclose(handle_);
        }
    }

  private:
    bool load() override {
        const std::string path = path_.empty() ? besideExecutable() : path_;
        if (path.empty()) {
            return false;
        }
        handle_ = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
        return handle_ != nullptr;
    }
    void* find(const char* name) override { return dlsym(handle_, name); }

    std::string path_;
    void* handle_ = nullptr;
};

}  // namespace

std::unique_ptr<SymbolResolver> makeLibraryResolver(std::string libraryPath) {
    return std::make_unique<PosixLibraryResolver>(std::move(libraryPath));
}

}  // namespace dbx
