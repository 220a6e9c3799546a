#include "win32/file_reader_win.h"

#include <cerrno>
#include <cstdio>

#include "app/file_bytes.h"
#include "win32/ansi_text_win.h"

namespace win32 {

dialog::FileBytes WideFileReader::read(const std::string& path, std::uint64_t limit) {
    errno = 0;
    std::FILE* file = _wfopen(wideFromUtf8(path).c_str(), L"rb");
    const int openError = errno;
    dialog::FileBytes bytes = app::readAll(file, openError, limit);
    if (file != nullptr) {
        std::fclose(file);
    }
    return bytes;
}

form::GivenFile givenFileOf(const std::wstring& path) {
    return form::GivenFile{utf8FromWide(path), ansiFromWide(path)};
}

}  // namespace win32
