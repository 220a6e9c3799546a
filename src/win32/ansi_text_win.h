// The model keeps single-byte texts in the system's ANSI code page, as the
// host does; the window speaks UTF-16. These convert at the boundary.
#pragma once

#include <string>
#include <string_view>

namespace win32 {

std::wstring wideFromAnsi(std::string_view ansi);
// Characters the code page lacks come out as its default character.
std::string ansiFromWide(std::wstring_view wide);

// Paths and command-line arguments cross into the portable code in UTF-8,
// which holds every character a path may have.
std::wstring wideFromUtf8(std::string_view utf8);
std::string utf8FromWide(std::wstring_view wide);

}  // namespace win32
