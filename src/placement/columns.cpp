#include "placement/columns.h"

#include <algorithm>
#include <array>
#include <string_view>

#include "placement/words.h"

namespace placement {
namespace {

// The names of the other columns, their words joined, the likelier meaning
// first.
constexpr std::array<std::string_view, 14> kDesignator{
    "designator",  "refdes",        "ref",       "reference",          "refdesignator",
    "designation", "partreference", "component", "componentname",      "comp",
    "part",        "partname",      "name",      "referencedesignator"};
constexpr std::array<std::string_view, 6> kRotation{"rotation", "rot",         "rotate",
                                                    "angle",    "orientation", "rotationangle"};
constexpr std::array<std::string_view, 7> kSide{"side",      "layer",         "tb",     "topbottom",
                                                "boardside", "placementside", "pcbside"};

// How a qualifier places the point X and Y name; the lower ranks first.
enum class PointKind { Reference = 0, Plain = 1, Centre = 2 };

struct Qualifier {
    std::string_view word;
    PointKind kind;
};

constexpr std::array<Qualifier, 22> kQualifiers{{
    {"ref", PointKind::Reference},    {"reference", PointKind::Reference},
    {"origin", PointKind::Reference}, {"insertion", PointKind::Reference},
    {"pos", PointKind::Plain},        {"position", PointKind::Plain},
    {"loc", PointKind::Plain},        {"location", PointKind::Plain},
    {"symbol", PointKind::Plain},     {"sym", PointKind::Plain},
    {"coord", PointKind::Plain},      {"coordinate", PointKind::Plain},
    {"placement", PointKind::Plain},  {"part", PointKind::Plain},
    {"comp", PointKind::Plain},       {"component", PointKind::Plain},
    {"mid", PointKind::Centre},       {"middle", PointKind::Centre},
    {"centre", PointKind::Centre},    {"center", PointKind::Centre},
    {"centroid", PointKind::Centre},  {"c", PointKind::Centre},
}};

std::optional<PointKind> qualifierKind(std::string_view word) {
    for (const Qualifier& q : kQualifiers) {
        if (q.word == word) {
            return q.kind;
        }
    }
    return std::nullopt;
}

bool isLower(char c) {
    return c >= 'a' && c <= 'z';
}
bool isUpper(char c) {
    return c >= 'A' && c <= 'Z';
}

// A column name's words in lower case: split at anything but letters and
// digits, and where a lower-case letter meets an upper-case one ("PosX").
// A unit in parentheses or brackets ("(mm)", "[mil]") is a word too.
std::vector<std::string> nameWords(std::string_view name) {
    std::vector<std::string> words;
    std::string word;
    auto flush = [&] {
        if (!word.empty()) {
            words.push_back(lowerAscii(word));
            word.clear();
        }
    };
    for (std::size_t i = 0; i < name.size(); ++i) {
        const char c = name[i];
        if (!isLower(c) && !isUpper(c) && !isAsciiDigit(c) && c != '\xB5') {
            flush();
            continue;
        }
        if (isUpper(c) && i > 0 && isLower(name[i - 1])) {
            flush();
        }
        word.push_back(c);
    }
    flush();
    return words;
}

std::string joined(const std::vector<std::string>& words) {
    std::string text;
    for (const std::string& word : words) {
        text += word;
    }
    return text;
}

// What one column name says of X or Y.
struct Coordinate {
    char axis = 0;  // 'x' or 'y'
    PointKind kind = PointKind::Plain;
    std::string qualifiers;  // the qualifier words, joined: "mid", "ref"
    std::optional<numtext::LengthUnit> unit;
};

// The axis a word names, alone or joined to a qualifier: "x", "posx", "xpos".
std::optional<std::pair<char, std::string>> axisOfWord(const std::string& word) {
    for (const char axis : {'x', 'y'}) {
        if (word.size() == 1 && word[0] == axis) {
            return std::pair{axis, std::string()};
        }
        if (word.size() > 1 && word.front() == axis && qualifierKind(word.substr(1))) {
            return std::pair{axis, word.substr(1)};
        }
        if (word.size() > 1 && word.back() == axis &&
            qualifierKind(word.substr(0, word.size() - 1))) {
            return std::pair{axis, word.substr(0, word.size() - 1)};
        }
    }
    return std::nullopt;
}

std::optional<Coordinate> coordinateOf(const std::vector<std::string>& words) {
    std::optional<Coordinate> found;
    std::vector<std::string> qualifiers;
    std::optional<numtext::LengthUnit> unit;
    for (const std::string& word : words) {
        if (const auto axis = axisOfWord(word); axis && !found) {
            found = Coordinate{
                .axis = axis->first, .kind = PointKind::Plain, .qualifiers = {}, .unit = {}};
            if (!axis->second.empty()) {
                qualifiers.push_back(axis->second);
            }
        } else if (qualifierKind(word)) {
            qualifiers.push_back(word);
        } else if (const auto named = numtext::lengthUnitNamed(word); named && !unit) {
            unit = named;
        } else {
            return std::nullopt;  // "Pad X", "X Size": not the part's place
        }
    }
    if (!found) {
        return std::nullopt;
    }
    // The most exact point a qualifier names: "Ref" before "Pos" before "Mid".
    std::sort(qualifiers.begin(), qualifiers.end());
    found->kind = qualifiers.empty() ? PointKind::Plain : PointKind::Centre;
    for (const std::string& q : qualifiers) {
        found->kind = std::min(found->kind, *qualifierKind(q));
        found->qualifiers += q + " ";
    }
    found->unit = unit;
    return found;
}

// A name without the words that only say a unit of angle: "Rotation (deg)".
std::string withoutAngleUnit(std::vector<std::string> words) {
    std::erase_if(
        words, [](const std::string& w) { return w == "deg" || w == "degree" || w == "degrees"; });
    return joined(words);
}

template <std::size_t N>
std::optional<std::size_t> find(const std::vector<std::string>& names,
                                const std::array<std::string_view, N>& wanted) {
    for (const std::string_view name : wanted) {
        for (std::size_t i = 0; i < names.size(); ++i) {
            if (names[i] == name) {
                return i;
            }
        }
    }
    return std::nullopt;
}

}  // namespace

std::optional<Columns> headerColumns(const std::vector<std::string>& fields, bool hashField) {
    std::vector<std::string_view> texts(fields.begin(), fields.end());
    if (!texts.empty()) {
        std::string_view first = trimBlanks(texts.front());
        first.remove_prefix(std::min(first.find_first_not_of('#'), first.size()));
        texts.front() = first;
        if (first.empty() && hashField) {
            texts.erase(texts.begin());
        }
    }
    std::vector<std::string> names;
    std::vector<std::optional<Coordinate>> coordinates;
    for (const std::string_view text : texts) {
        const std::vector<std::string> words = nameWords(text);
        names.push_back(withoutAngleUnit(words));
        coordinates.push_back(coordinateOf(words));
    }

    // X and Y: the pair with the same qualifiers whose kind ranks first.
    std::optional<std::pair<std::size_t, std::size_t>> pair;
    std::optional<PointKind> pairKind;
    for (std::size_t i = 0; i < coordinates.size(); ++i) {
        const std::optional<Coordinate>& x = coordinates[i];
        if (!x || x->axis != 'x') {
            continue;
        }
        for (std::size_t j = 0; j < coordinates.size(); ++j) {
            const std::optional<Coordinate>& y = coordinates[j];
            if (y && y->axis == 'y' && y->qualifiers == x->qualifiers &&
                (!pairKind || x->kind < *pairKind)) {
                pair = std::pair{i, j};
                pairKind = x->kind;
                break;
            }
        }
    }
    if (!pair) {
        return std::nullopt;
    }
    Columns columns;
    for (const std::string_view name : kDesignator) {
        for (std::size_t i = 0; i < names.size(); ++i) {
            if (names[i] == name && i != pair->first && i != pair->second) {
                columns.designators.push_back(i);
            }
        }
    }
    if (columns.designators.empty()) {
        return std::nullopt;
    }
    columns.count = names.size();
    columns.designator = columns.designators.front();
    columns.x = pair->first;
    columns.y = pair->second;
    columns.rotation = find(names, kRotation);
    columns.side = find(names, kSide);
    columns.xUnit = coordinates[pair->first]->unit;
    columns.yUnit = coordinates[pair->second]->unit;
    return columns;
}

}  // namespace placement
