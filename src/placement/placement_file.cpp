#include "placement/placement_file.h"

#include <algorithm>
#include <charconv>
#include <cstddef>
#include <string>
#include <system_error>
#include <vector>

#include "numtext/length_text.h"
#include "placement/decode.h"
#include "placement/exact_number.h"
#include "placement/layout.h"
#include "placement/records.h"
#include "placement/words.h"

namespace placement {
namespace {

using units::UnitFactor;

// Lines named in a refusal; more are counted.
constexpr std::size_t kLinesNamed = 10;
// Bytes of a value quoted in a refusal.
constexpr std::size_t kValueQuoted = 40;

// The field of `column` in a row, if the row has one.
std::optional<std::string_view> fieldOf(const Layout& layout, const Record& row,
                                        std::size_t column) {
    const std::size_t count = row.fields.size();
    std::size_t at = column;
    if (layout.fromEnd && column > layout.columns.designator) {
        const std::size_t fromEnd = layout.columns.count - column;
        if (fromEnd > count || count - fromEnd <= layout.columns.designator) {
            return std::nullopt;
        }
        at = count - fromEnd;
    }
    if (at >= count) {
        return std::nullopt;
    }
    return row.fields[at];
}

// The rows found for one designator: how many, the first lines, and the
// first row itself.
struct Matches {
    std::size_t count = 0;
    std::vector<std::size_t> lines;
    Record first;

    void add(const Record& row) {
        if (count++ == 0) {
            first = row;
        }
        if (lines.size() <= kLinesNamed) {
            lines.push_back(row.line);
        }
    }
};

std::string quoted(std::string_view value) {
    std::string text = "\"";
    text += value.substr(0, kValueQuoted);
    text += value.size() > kValueQuoted ? "...\"" : "\"";
    return text;
}

std::string lineList(const Matches& matches) {
    std::string text = "lines ";
    const std::size_t named = std::min(matches.count, kLinesNamed);
    for (std::size_t i = 0; i < named; ++i) {
        if (i > 0) {
            text += i + 1 == named && named == matches.count ? " and " : ", ";
        }
        text += std::to_string(matches.lines[i]);
    }
    if (matches.count > named) {
        text += " and " + std::to_string(matches.count - named) + " more";
    }
    return text;
}

// The unit stated by a line before line `end`.
std::optional<UnitFactor> statedUnit(std::string_view text, std::size_t end) {
    std::size_t line = 1;
    for (std::size_t at = 0; at < text.size() && line < end;) {
        const std::size_t stop = text.find_first_of("\r\n", at);
        const std::size_t lineEnd = stop == std::string_view::npos ? text.size() : stop;
        if (const auto unit = unitStatedIn(text.substr(at, lineEnd - at))) {
            return unit;
        }
        at = lineEnd + (text.substr(lineEnd).starts_with("\r\n") ? 2 : 1);
        ++line;
    }
    return std::nullopt;
}

std::string_view unitName(UnitFactor unit) {
    switch (unit) {
        case UnitFactor::PerMil:
            return "mil";
        case UnitFactor::PerInch:
            return "in";
        case UnitFactor::PerMm:
            break;
    }
    return "mm";
}

// Reads the matching row into a PlacementRow, or says why it cannot.
class RowReader {
  public:
    RowReader(std::string_view text, std::string_view fileName, const Layout& layout,
              const Record& row, std::size_t firstRowLine)
        : text_(text),
          fileName_(fileName),
          layout_(layout),
          row_(row),
          firstRowLine_(firstRowLine),
          decimalComma_(layout.separator.character != ',') {}

    Lookup read() {
        PlacementRow result;
        result.line = row_.line;
        const Coordinate x = coordinate("X", layout_.columns.x, layout_.columns.xUnit);
        const Coordinate y = coordinate("Y", layout_.columns.y, layout_.columns.yUnit);
        if (!refusal_.empty()) {
            return {std::nullopt, refusal_};
        }
        if (x.unit != y.unit) {
            return refuse("the X value " + quoted(x.written) + " and the Y value " +
                          quoted(y.written) + " name different units");
        }
        result.x = x.text;
        result.y = y.text;
        result.fileUnit = unitName(*x.unit);
        result.boxUnit = *x.unit == UnitFactor::PerMm ? UnitFactor::PerMm : UnitFactor::PerMil;
        result.unitAssumed = x.assumed;
        if (layout_.columns.rotation) {
            const std::optional<std::string_view> field =
                fieldOf(layout_, row_, *layout_.columns.rotation);
            if (field && !trimBlanks(*field).empty()) {
                result.rotationDegrees = degrees(*field);
            }
        }
        if (!refusal_.empty()) {
            return {std::nullopt, refusal_};
        }
        if (layout_.columns.side) {
            if (const auto field = fieldOf(layout_, row_, *layout_.columns.side)) {
                result.side = sideOf(*field);
            }
        } else {
            result.side = sideOfFileName(fileName_);
        }
        return {result, {}};
    }

  private:
    struct Coordinate {
        std::string written;
        std::string text;
        std::optional<UnitFactor> unit;
        bool assumed = false;
    };

    Lookup refuse(const std::string& why) {
        refusal_ = std::string(fileName_) + ", line " + std::to_string(row_.line) + ": " + why;
        return {std::nullopt, refusal_};
    }

    // A unit on the value, else in the column name, else stated before the
    // rows, else millimetres, which only Eagle's files say by their name.
    Coordinate coordinate(std::string_view name, std::size_t column,
                          std::optional<UnitFactor> columnUnit) {
        Coordinate c;
        c.written = fieldOf(layout_, row_, column).value_or("");
        const numtext::LengthText split = numtext::splitLengthUnit(c.written);
        c.unit = split.unit ? split.unit : columnUnit ? columnUnit : fileUnit();
        if (!c.unit) {
            c.unit = UnitFactor::PerMm;
            c.assumed = !(layout_.headerless && sideOfFileName(fileName_) != Side::NotGiven);
        }
        const ExactNumber number =
            readExactNumber(split.number, decimalComma_, *c.unit == UnitFactor::PerInch ? 3 : 0);
        c.text = number.text;
        if (number.status != ExactNumber::Status::Read && refusal_.empty()) {
            refuse("the " + std::string(name) + " value " + quoted(c.written) +
                   (number.status == ExactNumber::Status::TooLarge ? " is too large"
                                                                   : " is not a number"));
        }
        return c;
    }

    std::optional<UnitFactor> fileUnit() {
        if (!stated_) {
            stated_ = statedUnit(text_, firstRowLine_);
        }
        return *stated_;
    }

    std::optional<double> degrees(std::string_view written) {
        const ExactNumber number = readExactNumber(written, decimalComma_);
        double value = 0;
        if (number.status == ExactNumber::Status::Read) {
            const char* end = number.text.data() + number.text.size();
            const auto [stop, error] = std::from_chars(number.text.data(), end, value);
            if (error == std::errc{} && stop == end) {
                return value;
            }
        }
        refuse("the rotation " + quoted(written) + " is not a number");
        return std::nullopt;
    }

    std::string_view text_;
    std::string_view fileName_;
    const Layout& layout_;
    const Record& row_;
    std::size_t firstRowLine_;
    bool decimalComma_;
    std::optional<std::optional<UnitFactor>> stated_;
    std::string refusal_;
};

}  // namespace

Lookup findRow(std::string_view bytes, std::string_view fileName, std::string_view refDes) {
    const std::string file(fileName);
    if (bytes.size() > kMaxFileBytes) {
        return {std::nullopt,
                file + " is larger than " + std::to_string(kMaxFileBytes / (1024 * 1024)) + " MB"};
    }
    const std::string text = singleByteText(bytes);
    const std::optional<Layout> layout =
        findLayout(text, sideOfFileName(fileName) != Side::NotGiven);
    if (!layout) {
        return {std::nullopt,
                file + " is not a placement file: it has no column for the designator, X and Y"};
    }

    RecordReader reader(std::string_view(text).substr(layout->rowsOffset), layout->separator,
                        layout->rowsLine);
    Record row;
    Matches exact;
    Matches ignoringCase;
    std::size_t parts = 0;
    std::size_t firstRowLine = 0;
    while (reader.next(row)) {
        if (layout->wrapped) {
            splitAgain(layout->separator, row.fields);
        }
        if (isComment(row)) {
            continue;
        }
        const std::string_view designator =
            trimBlanks(fieldOf(*layout, row, layout->columns.designator).value_or(""));
        if (designator.empty()) {
            continue;
        }
        if (parts++ == 0) {
            firstRowLine = row.line;
        }
        if (designator == refDes) {
            exact.add(row);
        } else if (exact.count == 0 && equalsIgnoringCase(designator, refDes)) {
            ignoringCase.add(row);
        }
    }

    const std::string name(refDes);
    const Matches& matches = exact.count > 0 ? exact : ignoringCase;
    if (matches.count == 0) {
        return {std::nullopt, name + " is not in " + file + ": " + std::to_string(parts) +
                                  (parts == 1 ? " part read" : " parts read")};
    }
    if (matches.count > 1) {
        return {std::nullopt, name + " is in " + file + " more than once: " + lineList(matches)};
    }
    return RowReader(text, fileName, *layout, matches.first, firstRowLine).read();
}

}  // namespace placement
