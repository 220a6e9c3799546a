// A placement file's bytes: what the system does behind one seam, the limit and
// the reasons a file gives none decided in one place.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

#include "dialog/file_reader.h"

namespace app {

using dialog::FileBytes;
using dialog::FileProblem;

// Every byte of `file`, opened for binary reading, and at most `limit`: a
// longer file is TooLarge, a read error Unreadable. A null `file` did not
// open, with `openError` (an errno value): Missing when nothing is at the
// path, Unreadable otherwise. Does not close `file`.
FileBytes readAll(std::FILE* file, int openError, std::uint64_t limit);

// Opens the path with std::fopen, which takes UTF-8 paths on Linux; the
// Windows program opens wide paths instead (src/win32).
class StdioFileReader final : public dialog::FileReader {
  public:
    FileBytes read(const std::string& path, std::uint64_t limit) override;
};

}  // namespace app
