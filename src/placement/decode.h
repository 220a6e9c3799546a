// A placement file's bytes as the host's single-byte text (Windows-1252),
// so that a reference designator compares as the host's own text.
#pragma once

#include <string>
#include <string_view>

namespace placement {

// UTF-16 (little- or big-endian) with its byte order mark, or UTF-8 (with
// its mark, or valid UTF-8 that has characters outside ASCII): each
// character as its Windows-1252 byte, '?' where that code page has none, the
// mark left out. Anything else is taken to be single-byte text already and
// comes back as it is. Windows-1252 text whose bytes happen to form valid
// UTF-8 is read as UTF-8: that takes two or three accented letters in a row
// of just the right kinds ("\xC3\xA9"), which real text of the code page
// almost never has, while every non-ASCII character of real UTF-8 text does.
std::string singleByteText(std::string_view bytes);

}  // namespace placement
