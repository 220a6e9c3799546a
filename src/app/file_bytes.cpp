#include "app/file_bytes.h"

#include <cerrno>

namespace app {
namespace {

constexpr std::size_t kChunk = 64 * 1024;

// What the size the file says it has rules out: a larger file is not read
// further. A stream that says none is read up to the limit.
FileProblem sizeProblem(std::FILE* file, std::uint64_t limit) {
    const long here = std::ftell(file);
    if (here < 0 || std::fseek(file, 0, SEEK_END) != 0) {
        std::clearerr(file);
        return FileProblem::None;
    }
    const long end = std::ftell(file);
    if (std::fseek(file, here, SEEK_SET) != 0) {
        return FileProblem::Unreadable;
    }
    return end > 0 && static_cast<std::uint64_t>(end) > limit ? FileProblem::TooLarge
                                                              : FileProblem::None;
}

}  // namespace

FileBytes readAll(std::FILE* file, int openError, std::uint64_t limit) {
    if (file == nullptr) {
        const bool missing = openError == ENOENT || openError == ENOTDIR;
        return {missing ? FileProblem::Missing : FileProblem::Unreadable, {}};
    }
    FileBytes result;
    std::string chunk(kChunk, '\0');
    for (bool first = true;; first = false) {
        const std::size_t got = std::fread(chunk.data(), 1, chunk.size(), file);
        // A folder opens on some systems, and fails at the first read.
        if (std::ferror(file) != 0) {
            return {FileProblem::Unreadable, {}};
        }
        if (got > limit - result.bytes.size()) {
            return {FileProblem::TooLarge, {}};
        }
        result.bytes.append(chunk.data(), got);
        if (got < chunk.size()) {
            return result;
        }
        if (const FileProblem problem = first ? sizeProblem(file, limit) : FileProblem::None;
            problem != FileProblem::None) {
            return {problem, {}};
        }
    }
}

}  // namespace app
