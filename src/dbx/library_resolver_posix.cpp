// The host library as a shared object, for the Linux build and its stand-in
// library.
#include <dlfcn.h>

#include <filesystem>
#include <system_error>
#include <utility>

#include "dbx/connection.h"

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

class PosixLibraryResolver final : public SymbolResolver {
  public:
    explicit PosixLibraryResolver(std::string path) : path_(std::move(path)) {}
    ~PosixLibraryResolver() override {
        if (handle_ != nullptr) {
            dlclose(handle_);
        }
    }
    PosixLibraryResolver(const PosixLibraryResolver&) = delete;
    PosixLibraryResolver& operator=(const PosixLibraryResolver&) = delete;

    void* resolve(const char* name) override {
        // One attempt only: a library that failed to load stays failed rather
        // than being searched for again on every call.
        if (!attempted_) {
            attempted_ = true;
            load();
        }
        return handle_ == nullptr ? nullptr : dlsym(handle_, name);
    }
    bool libraryMissing() const override { return attempted_ && handle_ == nullptr; }

  private:
    void load() {
        const std::string path = path_.empty() ? besideExecutable() : path_;
        if (path.empty()) {
            return;
        }
        handle_ = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    }

    std::string path_;
    bool attempted_ = false;
    void* handle_ = nullptr;
};

}  // namespace

std::unique_ptr<SymbolResolver> makeLibraryResolver(std::string libraryPath) {
    return std::make_unique<PosixLibraryResolver>(std::move(libraryPath));
}

}  // namespace dbx
