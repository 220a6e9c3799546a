#include "numtext/length_text.h"

#include <array>
#include <cstddef>

namespace numtext {
namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

char lower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool endsWithIgnoringCase(std::string_view text, std::string_view suffix) {
    if (text.size() < suffix.size()) {
        return false;
    }
    const std::string_view end = text.substr(text.size() - suffix.size());
    for (std::size_t i = 0; i < suffix.size(); ++i) {
        if (lower(end[i]) != suffix[i]) {
            return false;
        }
    }
    return true;
}

struct UnitName {
    std::string_view name;
    units::UnitFactor unit;
};

// No name here ends with another one, so the order does not matter.
constexpr std::array<UnitName, 7> kUnitNames{{
    {"mm", units::UnitFactor::PerMm},
    {"mil", units::UnitFactor::PerMil},
    {"mils", units::UnitFactor::PerMil},
    {"th", units::UnitFactor::PerMil},
    {"thou", units::UnitFactor::PerMil},
    {"in", units::UnitFactor::PerInch},
    {"\"", units::UnitFactor::PerInch},
}};

}  // namespace

LengthText splitLengthUnit(std::string_view text) {
    std::string_view rest = text;
    while (!rest.empty() && isBlank(rest.back())) {
        rest.remove_suffix(1);
    }
    for (const UnitName& name : kUnitNames) {
        if (endsWithIgnoringCase(rest, name.name)) {
            rest.remove_suffix(name.name.size());
            while (!rest.empty() && isBlank(rest.back())) {
                rest.remove_suffix(1);
            }
            return {rest, name.unit};
        }
    }
    return {text, std::nullopt};
}

}  // namespace numtext
