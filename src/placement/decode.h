// A placement file's bytes as the host's single-byte text (Windows-1252),
// so that a reference designator compares as the host's own text.
#pragma once

#include <string>
#include <string_view>

namespace placement {

// UTF-16LE with its byte order mark, or UTF-8 (with its mark, or valid UTF-8
// that has characters outside ASCII): each character as its Windows-1252
// byte, '?' where that code page has none, the mark left out. Anything else
// is taken to be single-byte text already and comes back as it is.
std::string singleByteText(std::string_view bytes);

}  // namespace placement
