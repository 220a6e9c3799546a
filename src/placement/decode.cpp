#include "placement/decode.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>

namespace placement {
namespace {

// Windows-1252's bytes 0x80..0x9F; 0 where the code page leaves one out,
// which Windows maps to the code point of the same value.
constexpr std::array<char32_t, 32> kHighControls{
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

char singleByteOf(char32_t code) {
    if (code < 0x80 || (code >= 0xA0 && code <= 0xFF)) {
        return static_cast<char>(static_cast<unsigned char>(code));
    }
    for (std::size_t i = 0; i < kHighControls.size(); ++i) {
        if (kHighControls[i] == code) {
            return static_cast<char>(static_cast<unsigned char>(0x80 + i));
        }
    }
    return '?';
}

std::uint8_t byteAt(std::string_view bytes, std::size_t at) {
    return static_cast<std::uint8_t>(bytes[at]);
}

enum class ByteOrder { LittleEndian, BigEndian };

std::string fromUtf16(std::string_view bytes, ByteOrder order) {
    const std::size_t high = order == ByteOrder::BigEndian ? 0 : 1;
    auto unitAt = [&](std::size_t at) {
        return static_cast<char32_t>(byteAt(bytes, at + 1 - high)) |
               static_cast<char32_t>(byteAt(bytes, at + high)) << 8;
    };
    std::string text;
    text.reserve(bytes.size() / 2);
    for (std::size_t at = 0; at + 1 < bytes.size(); at += 2) {
        const char32_t unit = unitAt(at);
        if (unit >= 0xD800 && unit <= 0xDBFF && at + 3 < bytes.size()) {
            const char32_t low = unitAt(at + 2);
            if (low >= 0xDC00 && low <= 0xDFFF) {
                at += 2;  // a character beyond the first plane: none of the code page's
            }
        }
        text.push_back(singleByteOf(unit));
    }
    return text;
}

// The character of the UTF-8 sequence at `at` and its length; nothing when
// the bytes there are not one (a stray continuation byte, a sequence cut
// short, an overlong form, a surrogate, beyond U+10FFFF).
struct Utf8Char {
    char32_t code;
    std::size_t length;
};

std::optional<Utf8Char> utf8CharAt(std::string_view bytes, std::size_t at) {
    const std::uint8_t lead = byteAt(bytes, at);
    if (lead < 0x80) {
        return Utf8Char{lead, 1};
    }
    std::size_t length = 0;
    char32_t code = 0;
    char32_t least = 0;
    if ((lead & 0xE0) == 0xC0) {
        length = 2;
        code = lead & 0x1Fu;
        least = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3;
        code = lead & 0x0Fu;
        least = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4;
        code = lead & 0x07u;
        least = 0x10000;
    } else {
        return std::nullopt;
    }
    if (bytes.size() - at < length) {
        return std::nullopt;
    }
    for (std::size_t i = 1; i < length; ++i) {
        const std::uint8_t next = byteAt(bytes, at + i);
        if ((next & 0xC0) != 0x80) {
            return std::nullopt;
        }
        code = code << 6 | (next & 0x3Fu);
    }
    if (code < least || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) {
        return std::nullopt;
    }
    return Utf8Char{code, length};
}

// True when the bytes are valid UTF-8 and hold at least one character
// outside ASCII.
bool isUtf8BeyondAscii(std::string_view bytes) {
    bool beyondAscii = false;
    for (std::size_t at = 0; at < bytes.size();) {
        const std::optional<Utf8Char> c = utf8CharAt(bytes, at);
        if (!c) {
            return false;
        }
        beyondAscii = beyondAscii || c->length > 1;
        at += c->length;
    }
    return beyondAscii;
}

// Invalid sequences, which only a file with a mark can have, become '?'.
std::string fromUtf8(std::string_view bytes) {
    std::string text;
    text.reserve(bytes.size());
    for (std::size_t at = 0; at < bytes.size();) {
        const std::optional<Utf8Char> c = utf8CharAt(bytes, at);
        text.push_back(c ? singleByteOf(c->code) : '?');
        at += c ? c->length : 1;
    }
    return text;
}

}  // namespace

std::string singleByteText(std::string_view bytes) {
    if (bytes.starts_with("\xFF\xFE")) {
        return fromUtf16(bytes.substr(2), ByteOrder::LittleEndian);
    }
    if (bytes.starts_with("\xFE\xFF")) {
        return fromUtf16(bytes.substr(2), ByteOrder::BigEndian);
    }
    if (bytes.starts_with("\xEF\xBB\xBF")) {
        return fromUtf8(bytes.substr(3));
    }
    if (isUtf8BeyondAscii(bytes)) {
        return fromUtf8(bytes);
    }
    return std::string(bytes);
}

}  // namespace placement
