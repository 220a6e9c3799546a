#include "sim/design_file.h"

#include <array>
#include <cstdio>
#include <vector>

#include "sim/whole_number.h"

namespace sim {
namespace {

// One key of the file: either up to two numbers or a text taking the rest of
// the line. The table order is the order formatDesign writes.
struct Key {
    std::string_view name;
    std::size_t numbers;    // 0 for a text key
    std::size_t textLimit;  // the record field's length, for a text key
    std::array<std::int32_t*, 2> (*numberFields)(Design&);
    std::string* (*textField)(Design&);
};

std::array<std::int32_t*, 2> one(std::int32_t& value) {
    return {&value, nullptr};
}
std::array<std::int32_t*, 2> two(units::DbPoint& point) {
    return {&point.x.value, &point.y.value};
}

Key numberKey(std::string_view name, std::size_t count,
              std::array<std::int32_t*, 2> (*fields)(Design&)) {
    return {name, count, 0, fields, nullptr};
}

Key textKey(std::string_view name, std::size_t limit, std::string* (*field)(Design&)) {
    return {name, 0, limit, nullptr, field};
}

const std::vector<Key>& keys() {
    static const std::vector<Key> table = {
        numberKey("units", 1, [](Design& d) { return one(d.unitCode); }),
        numberKey("origin_mode", 1, [](Design& d) { return one(d.originMode); }),
        numberKey("relative_origin", 2, [](Design& d) { return two(d.relativeOrigin); }),
        numberKey("item_type", 1, [](Design& d) { return one(d.itemType); }),
        numberKey("comp_id", 1, [](Design& d) { return one(d.compId); }),
        textKey("refdes", 100, [](Design& d) { return &d.refDes; }),
        numberKey("location", 2, [](Design& d) { return two(d.location); }),
        numberKey("angle", 1, [](Design& d) { return one(d.angle.value); }),
        numberKey("flipped", 1, [](Design& d) { return one(d.flipped); }),
        numberKey("fixed", 1, [](Design& d) { return one(d.fixed); }),
        textKey("text1", 100, [](Design& d) { return &d.text1; }),
        textKey("text2", 100, [](Design& d) { return &d.text2; }),
        textKey("long_text", 256, [](Design& d) { return &d.longText; }),
        textKey("text3", 100, [](Design& d) { return &d.text3; }),
        numberKey("trailer", 1, [](Design& d) { return one(d.trailer); }),
    };
    return table;
}

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

bool isControl(char c) {
    const auto byte = static_cast<unsigned char>(c);
    return byte < 0x20 || byte == 0x7F;
}

std::string_view skipBlanks(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && isBlank(text[i])) {
        ++i;
    }
    return text.substr(i);
}

std::string_view takeWord(std::string_view& text) {
    text = skipBlanks(text);
    std::size_t end = 0;
    while (end < text.size() && !isBlank(text[end])) {
        ++end;
    }
    const std::string_view word = text.substr(0, end);
    text = text.substr(end);
    return word;
}

// Reads the numbers of one line into `design`; an error text when they are
// not exactly `key.numbers` whole 32-bit values (a trailing comment allowed).
std::string readNumbers(const Key& key, std::string_view rest, Design& design) {
    const std::size_t comment = rest.find('#');
    if (comment != std::string_view::npos) {
        rest = rest.substr(0, comment);
    }
    const std::array<std::int32_t*, 2> fields = key.numberFields(design);
    for (std::size_t i = 0; i < key.numbers; ++i) {
        const std::string_view word = takeWord(rest);
        const std::optional<std::int32_t> value = parseWhole<std::int32_t>(word);
        if (!value) {
            return "bad number \"" + std::string(word) + "\" for " + std::string(key.name);
        }
        *fields[i] = *value;
    }
    if (!skipBlanks(rest).empty()) {
        return std::string(key.name) + " takes " + std::to_string(key.numbers) + " number(s)";
    }
    return {};
}

std::string readText(const Key& key, std::string_view rest, Design& design) {
    std::string_view value = skipBlanks(rest);
    while (!value.empty() && isBlank(value.back())) {
        value.remove_suffix(1);
    }
    if (value.size() > key.textLimit) {
        return std::string(key.name) + " is longer than " + std::to_string(key.textLimit) +
               " characters";
    }
    // Texts are printable: a final "\r" would be taken for part of the line
    // end when the file is read back after a close, and a zero byte would end
    // the record's text early.
    for (const char c : value) {
        if (isControl(c)) {
            return std::string(key.name) + " holds a control character";
        }
    }
    *key.textField(design) = std::string(value);
    return {};
}

const Key* findKey(std::string_view name) {
    for (const Key& key : keys()) {
        if (key.name == name) {
            return &key;
        }
    }
    return nullptr;
}

}  // namespace

DesignResult parseDesign(std::string_view text) {
    Design design;
    std::vector<std::string_view> seen;
    std::size_t lineNumber = 0;
    while (!text.empty()) {
        ++lineNumber;
        const std::size_t newline = text.find('\n');
        std::string_view line = text.substr(0, newline);
        text = newline == std::string_view::npos ? std::string_view{} : text.substr(newline + 1);
        if (!line.empty() && line.back() == '\r') {
            line.remove_suffix(1);
        }
        std::string_view rest = skipBlanks(line);
        if (rest.empty() || rest.front() == '#') {
            continue;
        }
        const std::string_view name = takeWord(rest);
        const std::string where = "line " + std::to_string(lineNumber) + ": ";
        const Key* key = findKey(name);
        if (key == nullptr) {
            return {std::nullopt, where + "unknown key \"" + std::string(name) + "\""};
        }
        for (std::string_view earlier : seen) {
            if (earlier == key->name) {
                return {std::nullopt, where + "duplicate key " + std::string(name)};
            }
        }
        seen.push_back(key->name);
        const std::string error =
            key->numbers > 0 ? readNumbers(*key, rest, design) : readText(*key, rest, design);
        if (!error.empty()) {
            return {std::nullopt, where + error};
        }
    }
    return {design, {}};
}

std::string formatDesign(const Design& design) {
    Design copy = design;
    std::string out = "# Design of the host simulator\n";
    for (const Key& key : keys()) {
        out += key.name;
        if (key.numbers > 0) {
            const std::array<std::int32_t*, 2> fields = key.numberFields(copy);
            for (std::size_t i = 0; i < key.numbers; ++i) {
                out += ' ';
                out += std::to_string(*fields[i]);
            }
        } else if (!key.textField(copy)->empty()) {
            out += ' ';
            out += *key.textField(copy);
        }
        out += '\n';
    }
    return out;
}

DesignResult loadDesign(const std::string& path) {
    // A folder opens on some systems but then fails to read: "cannot read".
    // C streams: the library is loaded into every run of the program, and
    // iostreams would add their start-up to it.
    std::FILE* in = std::fopen(path.c_str(), "rb");
    if (in == nullptr) {
        return {std::nullopt, "cannot open " + path};
    }
    std::string content;
    std::array<char, 4096> buffer;
    std::size_t got = 0;
    while ((got = std::fread(buffer.data(), 1, buffer.size(), in)) > 0) {
        content.append(buffer.data(), got);
    }
    const bool failed = std::ferror(in) != 0;
    std::fclose(in);
    if (failed) {
        return {std::nullopt, "cannot read " + path};
    }
    return parseDesign(content);
}

bool saveDesign(const std::string& path, const Design& design) {
    std::FILE* out = std::fopen(path.c_str(), "wb");
    if (out == nullptr) {
        return false;
    }
    const std::string content = formatDesign(design);
    const bool written = std::fwrite(content.data(), 1, content.size(), out) == content.size();
    return std::fclose(out) == 0 && written;
}

}  // namespace sim
