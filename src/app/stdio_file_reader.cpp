// The portable file reader, in a source of its own: the Windows program reads
// wide paths instead and so does not link it.
#include <cerrno>
#include <memory>

#include "app/file_bytes.h"

namespace app {
namespace {

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

}  // namespace

FileBytes StdioFileReader::read(const std::string& path, std::uint64_t limit) {
    errno = 0;
    const std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "rb"));
    return readAll(file.get(), errno, limit);
}

}  // namespace app
