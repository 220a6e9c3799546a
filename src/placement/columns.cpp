#include "placement/columns.h"

#include <array>
#include <string_view>

#include "placement/words.h"

namespace placement {
namespace {

// The names of each column, lower case, without blanks, '-', '_' and '.',
// the likelier meaning first: a header with both "Name" and "RefDes" has its
// designators under "RefDes".
constexpr std::array<std::string_view, 10> kDesignator{
    "designator",  "refdes",    "ref",  "reference", "refdesignator",
    "designation", "component", "part", "partname",  "name"};
constexpr std::array<std::string_view, 5> kReferenceX{"refx", "posx", "x", "xpos", "locationx"};
constexpr std::array<std::string_view, 5> kReferenceY{"refy", "posy", "y", "ypos", "locationy"};
constexpr std::array<std::string_view, 4> kCentreX{"midx", "centerx", "centrex", "middlex"};
constexpr std::array<std::string_view, 4> kCentreY{"midy", "centery", "centrey", "middley"};
constexpr std::array<std::string_view, 5> kRotation{"rotation", "rot", "rotate", "angle",
                                                    "orientation"};
constexpr std::array<std::string_view, 4> kSide{"side", "layer", "tb", "topbottom"};

// A column name without the unit it carries in parentheses or brackets at
// its end, and that unit.
struct ColumnName {
    std::string name;
    std::optional<units::UnitFactor> unit;
};

ColumnName columnName(std::string_view field) {
    ColumnName column;
    field = trimBlanks(field);
    if (!field.empty() && (field.back() == ')' || field.back() == ']')) {
        const char open = field.back() == ')' ? '(' : '[';
        const std::size_t start = field.rfind(open);
        if (start != std::string_view::npos) {
            column.unit = unitOfWord(field.substr(start + 1, field.size() - start - 2));
            field = field.substr(0, start);
        }
    }
    for (const char c : lowerAscii(field)) {
        if (c != ' ' && c != '\t' && c != '-' && c != '_' && c != '.' && c != '/') {
            column.name.push_back(c);
        }
    }
    return column;
}

// The field whose name comes first among `names`.
template <std::size_t N>
std::optional<std::size_t> find(const std::vector<ColumnName>& columns,
                                const std::array<std::string_view, N>& names) {
    for (const std::string_view name : names) {
        for (std::size_t i = 0; i < columns.size(); ++i) {
            if (columns[i].name == name) {
                return i;
            }
        }
    }
    return std::nullopt;
}

}  // namespace

std::optional<Columns> headerColumns(const std::vector<std::string>& fields, bool hashField) {
    std::vector<ColumnName> names;
    names.reserve(fields.size());
    for (const std::string& field : fields) {
        names.push_back(columnName(field));
    }
    if (!names.empty() && names.front().name.starts_with('#')) {
        names.front().name.erase(0, names.front().name.find_first_not_of('#'));
        if (names.front().name.empty() && hashField) {
            names.erase(names.begin());
        }
    }
    const std::optional<std::size_t> designator = find(names, kDesignator);
    std::optional<std::size_t> x = find(names, kReferenceX);
    std::optional<std::size_t> y = find(names, kReferenceY);
    if (!x || !y) {
        x = find(names, kCentreX);
        y = find(names, kCentreY);
    }
    if (!designator || !x || !y) {
        return std::nullopt;
    }
    Columns columns;
    columns.count = names.size();
    columns.designator = *designator;
    columns.x = *x;
    columns.y = *y;
    columns.rotation = find(names, kRotation);
    columns.side = find(names, kSide);
    columns.xUnit = names[*x].unit;
    columns.yUnit = names[*y].unit;
    return columns;
}

}  // namespace placement
