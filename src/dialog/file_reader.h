// The dialog's seam for a placement file's bytes: the program gives it a
// reader (src/app for a portable one, src/win32 for wide paths), and the tests
// theirs.
#pragma once

#include <cstdint>
#include <string>

namespace dialog {

enum class FileProblem { None, Missing, Unreadable, TooLarge };

struct FileBytes {
    FileProblem problem = FileProblem::None;
    std::string bytes;  // the whole file when there is no problem
};

class FileReader {
  public:
    virtual ~FileReader() = default;
    // The whole file at `path` (UTF-8). One of more than `limit` bytes is
    // TooLarge and is not read further.
    virtual FileBytes read(const std::string& path, std::uint64_t limit) = 0;
};

}  // namespace dialog
