#include "sim/call_log.h"

#include <cstdio>

namespace sim {
namespace {

bool isBareChar(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_' ||
           c == '.' || c == '-';
}

bool isBare(std::string_view value) {
    if (value.empty()) {
        return false;
    }
    for (char c : value) {
        if (!isBareChar(c)) {
            return false;
        }
    }
    return true;
}

std::string quoted(std::string_view value) {
    static constexpr char kHex[] = "0123456789abcdef";
    std::string out = "\"";
    for (char c : value) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (byte < 0x20 || byte >= 0x7f) {
            out += "\\x";
            out += kHex[byte >> 4];
            out += kHex[byte & 0x0f];
        } else {
            out += c;
        }
    }
    out += '"';
    return out;
}

}  // namespace

LogLine& LogLine::add(std::string_view key, std::int64_t value) {
    text_ += ' ';
    text_ += key;
    text_ += '=';
    text_ += std::to_string(value);
    return *this;
}

LogLine& LogLine::add(std::string_view key, units::DbPoint point) {
    add(key, point.x.value);
    text_ += ',';
    text_ += std::to_string(point.y.value);
    return *this;
}

LogLine& LogLine::addText(std::string_view key, std::string_view value) {
    text_ += ' ';
    text_ += key;
    text_ += '=';
    text_ += isBare(value) ? std::string(value) : quoted(value);
    return *this;
}

void appendLogLine(const std::string& path, std::string_view line) {
    if (path.empty()) {
        return;
    }
    std::FILE* file = std::fopen(path.c_str(), "ab");
    if (file == nullptr) {
        return;
    }
    std::fwrite(line.data(), 1, line.size(), file);
    std::fputc('\n', file);
    std::fclose(file);
}

}  // namespace sim
