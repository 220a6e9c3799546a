#include "numtext/length_text.h"

#include <array>
#include <cstddef>
#include <string>

#include "numtext/ascii.h"
#include "numtext/number_scan.h"

namespace numtext {
namespace {

using units::UnitFactor;

constexpr char kMicro = '\xB5';   // the micro sign in the host's code page
constexpr char kDegree = '\xB0';  // the degree sign

// A letter of a unit's name: the micro sign too.
bool isLetter(char c) {
    return isAsciiLetter(c) || c == kMicro;
}

struct UnitName {
    std::string_view name;  // lower case, no blanks
    LengthUnit unit;
};

constexpr LengthUnit kMm{UnitFactor::PerMm, 0, "mm"};
constexpr LengthUnit kCm{UnitFactor::PerMm, 1, "cm"};
constexpr LengthUnit kUm{UnitFactor::PerMm, -3, "um"};
constexpr LengthUnit kInch{UnitFactor::PerMil, 3, "in"};
constexpr LengthUnit kMil{UnitFactor::PerMil, 0, "mil"};
constexpr LengthUnit kTenthMil{UnitFactor::PerMil, -1, "0.1 mil"};

constexpr std::array<UnitName, 31> kUnitNames{{
    {"mm", kMm},
    {"millimetre", kMm},
    {"millimetres", kMm},
    {"millimeter", kMm},
    {"millimeters", kMm},
    {"cm", kCm},
    {"centimetre", kCm},
    {"centimetres", kCm},
    {"centimeter", kCm},
    {"centimeters", kCm},
    {"um", kUm},
    {"\xB5m", kUm},
    {"micron", kUm},
    {"microns", kUm},
    {"micrometre", kUm},
    {"micrometres", kUm},
    {"micrometer", kUm},
    {"micrometers", kUm},
    {"in", kInch},
    {"inch", kInch},
    {"inches", kInch},
    {"\"", kInch},
    {"mil", kMil},
    {"mils", kMil},
    {"th", kMil},
    {"thou", kMil},
    {"0.1mil", kTenthMil},
    {"1/10mil", kTenthMil},
    {"tenthsofamil", kTenthMil},
    {"tenthmil", kTenthMil},
    {"dmil", kTenthMil},
}};

}  // namespace

std::optional<LengthUnit> lengthUnitNamed(std::string_view word) {
    std::string key;
    for (const char c : word) {
        if (!isBlank(c)) {
            key.push_back(toLowerAscii(c));
        }
    }
    for (const UnitName& name : kUnitNames) {
        if (name.name == key) {
            return name.unit;
        }
    }
    return std::nullopt;
}

LengthText splitLengthUnit(std::string_view text) {
    std::string_view rest = text;
    while (!rest.empty() && isBlank(rest.back())) {
        rest.remove_suffix(1);
    }
    std::size_t start = rest.size();
    if (rest.ends_with('"')) {
        --start;
    } else {
        while (start > 0 && isLetter(rest[start - 1])) {
            --start;
        }
    }
    if (start == rest.size()) {
        return {text, std::nullopt};
    }
    const std::optional<LengthUnit> unit = lengthUnitNamed(rest.substr(start));
    if (!unit) {
        return {text, std::nullopt};
    }
    rest = rest.substr(0, start);
    while (!rest.empty() && isBlank(rest.back())) {
        rest.remove_suffix(1);
    }
    return {rest, unit};
}

std::string_view withoutDegrees(std::string_view text) {
    static constexpr std::array<std::string_view, 4> kWords{"deg", "degs", "degree", "degrees"};
    std::string_view rest = trimBlanks(text);
    if (rest.ends_with(kDegree)) {
        return trimBlanks(rest.substr(0, rest.size() - 1));
    }
    std::size_t start = rest.size();
    while (start > 0 && isLetter(rest[start - 1])) {
        --start;
    }
    std::string word;
    for (const char c : rest.substr(start)) {
        word.push_back(toLowerAscii(c));
    }
    for (const std::string_view name : kWords) {
        if (word == name) {
            return trimBlanks(rest.substr(0, start));
        }
    }
    return text;
}

}  // namespace numtext
