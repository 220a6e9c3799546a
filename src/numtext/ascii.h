// The character classes every reader of the host's single-byte text shares,
// numbers and placement files alike: ASCII only, whatever the C locale says.
#pragma once

namespace numtext {

inline bool isAsciiDigit(char c) {
    return c >= '0' && c <= '9';
}

inline bool isAsciiLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

// A space or a tab.
inline bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

// An ASCII letter in lower case; any other byte as it is.
inline char toLowerAscii(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

}  // namespace numtext
