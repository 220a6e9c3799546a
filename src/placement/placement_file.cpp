#include "placement/placement_file.h"

#include <algorithm>
#include <charconv>
#include <cstddef>
#include <string>
#include <system_error>
#include <vector>

#include "numtext/length_text.h"
#include "placement/decode.h"
#include "placement/layout.h"
#include "placement/records.h"
#include "placement/words.h"

namespace placement {
namespace {

using numtext::ExactDecimal;
using numtext::LengthUnit;

// Lines named in a refusal; more are counted.
constexpr std::size_t kLinesNamed = 10;
// Bytes of a value quoted in a refusal.
constexpr std::size_t kValueQuoted = 40;

// The rows found for one designator: how many, the first lines, and the
// first row itself.
struct Matches {
    std::size_t count = 0;
    std::vector<std::size_t> lines;
    RowFields first;

    void add(const RowFields& row) {
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

// What the lines before the rows state of the file's unit, and on which
// line; the first statement, and the first that disagrees with it.
struct StatedUnit {
    std::optional<UnitStatement> statement;
    std::size_t line = 0;
    std::optional<UnitStatement> other;
    std::size_t otherLine = 0;
};

StatedUnit statedUnit(std::string_view text, std::size_t end) {
    StatedUnit stated;
    forEachLine(text, [&](std::string_view content, std::size_t, std::size_t line) {
        if (line >= end) {
            return false;
        }
        if (auto statement = unitStatedIn(content)) {
            if (!stated.statement) {
                stated.statement = std::move(statement);
                stated.line = line;
            } else if (!stated.other && statement->unit != stated.statement->unit) {
                stated.other = std::move(statement);
                stated.otherLine = line;
            }
        }
        return true;
    });
    return stated;
}

// Reads the matching row into a PlacementRow, or says why it cannot.
class RowReader {
  public:
    RowReader(std::string_view text, std::string_view fileName, const Layout& layout,
              const RowFields& row, std::size_t firstRowLine)
        : text_(text),
          fileName_(fileName),
          layout_(layout),
          row_(row),
          firstRowLine_(firstRowLine),
          decimalComma_(layout.decimalComma()) {}

    Lookup read() {
        PlacementRow result;
        result.line = row_.line;
        const Coordinate x = coordinate("X", row_.x, layout_.columns.xUnit);
        const Coordinate y = coordinate("Y", row_.y, layout_.columns.yUnit);
        if (!refusal_.empty()) {
            return {std::nullopt, refusal_};
        }
        if (x.unit != y.unit) {
            return refuse("the X value " + quoted(x.written) + " and the Y value " +
                          quoted(y.written) + " name different units");
        }
        result.x = x.text;
        result.y = y.text;
        result.fileUnit = x.unit.name;
        result.boxUnit = x.unit.boxUnit;
        result.unitAssumed = x.assumed;
        if (row_.rotation && !trimBlanks(*row_.rotation).empty()) {
            result.rotationDegrees = degrees(*row_.rotation);
        }
        if (!refusal_.empty()) {
            return {std::nullopt, refusal_};
        }
        if (layout_.columns.side) {
            result.side = sideOf(row_.side.value_or(""));
        } else {
            result.side = sideOfFileName(fileName_);
        }
        return {result, {}};
    }

  private:
    struct Coordinate {
        std::string written;
        std::string text;
        LengthUnit unit;
        bool assumed = false;
    };

    Lookup refuse(const std::string& why, std::size_t line = 0) {
        refusal_ = std::string(fileName_) + ", line " + std::to_string(line ? line : row_.line) +
                   ": " + why;
        return {std::nullopt, refusal_};
    }

    // A unit on the value, else in the column name, else stated before the
    // rows, else millimetres, which only Eagle's files say by their name.
    Coordinate coordinate(std::string_view name, const std::string& written,
                          std::optional<LengthUnit> columnUnit) {
        Coordinate c;
        c.written = written;
        const numtext::LengthText split = numtext::splitLengthUnit(written);
        if (split.unit) {
            c.unit = *split.unit;
        } else if (columnUnit) {
            c.unit = *columnUnit;
        } else if (const std::optional<LengthUnit> stated = fileUnit()) {
            c.unit = *stated;
        } else if (!refusal_.empty()) {
            return c;
        } else {
            c.assumed = !(layout_.headerless && sideOfFileName(fileName_) != Side::NotGiven);
        }
        const ExactDecimal number = readFileNumber(split.number, decimalComma_, c.unit.shift);
        c.text = number.text;
        if (number.status != ExactDecimal::Status::Read && refusal_.empty()) {
            refuse("the " + std::string(name) + " value " + quoted(c.written) + whyNot(number));
        }
        return c;
    }

    static std::string whyNot(const ExactDecimal& number) {
        switch (number.status) {
            case ExactDecimal::Status::TooLarge:
                return " is too large";
            case ExactDecimal::Status::TooFine:
                return " has more decimals than can be read";
            case ExactDecimal::Status::NotANumber:
            case ExactDecimal::Status::Read:
                break;
        }
        return " is not a number";
    }

    // The unit the file states; a statement that names no unit the reader
    // can use, or two that disagree, refuse the row.
    std::optional<LengthUnit> fileUnit() {
        if (!stated_) {
            stated_ = statedUnit(text_, firstRowLine_);
        }
        if (!stated_->statement) {
            return std::nullopt;
        }
        const UnitStatement& statement = *stated_->statement;
        if (!statement.unit) {
            refuse("the file's unit \"" + statement.word +
                       "\" is not one that can be read exactly (mm, cm, um, in, mil or 0.1 mil)",
                   stated_->line);
            return std::nullopt;
        }
        if (stated_->other) {
            refuse("the file states its unit as " + statement.word + " here and as " +
                       stated_->other->word + " on line " + std::to_string(stated_->otherLine),
                   stated_->line);
            return std::nullopt;
        }
        return statement.unit;
    }

    std::optional<double> degrees(std::string_view written) {
        const ExactDecimal number = readFileNumber(rotationNumber(written), decimalComma_);
        double value = 0;
        if (number.status == ExactDecimal::Status::Read) {
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
    const RowFields& row_;
    std::size_t firstRowLine_;
    bool decimalComma_;
    std::optional<StatedUnit> stated_;
    std::string refusal_;
};

// The row of `refDes` under one reading of the file, or why there is none.
Lookup lookUp(std::string_view text, const Layout& layout, std::string_view fileName,
              std::string_view refDes) {
    RowRecords records(text, layout);
    Record record;
    RowFields row;
    Matches exact;
    Matches ignoringCase;
    std::size_t parts = 0;
    std::size_t firstRowLine = 0;
    std::string joined;
    while (records.next(record)) {
        const std::string_view designator = designatorIn(layout, record, joined);
        if (designator.empty()) {
            continue;
        }
        // The rows start with the first that gives two numbers: what comes
        // before it is a preamble, unless it names the part.
        const bool exactly = designator == refDes;
        const bool inAnyCase =
            !exactly && exact.count == 0 && equalsIgnoringCase(designator, refDes);
        if (firstRowLine == 0) {
            if (rowFieldsOf(layout, record, row) && isScoringRow(layout, row)) {
                firstRowLine = record.line;
            } else if (!exactly && !inAnyCase) {
                continue;
            }
        }
        ++parts;
        if (exactly || inAnyCase) {
            rowFieldsOf(layout, record, row);
            (exactly ? exact : ignoringCase).add(row);
        }
    }

    const std::string name(refDes);
    const std::string file(fileName);
    const Matches& matches = exact.count > 0 ? exact : ignoringCase;
    if (matches.count == 0) {
        return {std::nullopt, name + " is not in " + file + ": " + std::to_string(parts) +
                                  (parts == 1 ? " part read" : " parts read")};
    }
    if (matches.count > 1) {
        return {std::nullopt, name + " is in " + file + " more than once: " + lineList(matches)};
    }
    if (firstRowLine == 0 || firstRowLine > matches.first.line) {
        firstRowLine = matches.first.line;
    }
    return RowReader(text, fileName, layout, matches.first, firstRowLine).read();
}

// A reading's answer in words, for a refusal that names two.
std::string answerOf(const Lookup& lookup, std::string_view refDes) {
    if (!lookup.row) {
        return std::string(refDes) + " is not read";
    }
    const PlacementRow& row = *lookup.row;
    return std::string(refDes) + " is at X " + row.x + ", Y " + row.y + " " + row.fileUnit +
           " (line " + std::to_string(row.line) + ")";
}

bool sameRow(const PlacementRow& a, const PlacementRow& b) {
    return a.line == b.line && a.x == b.x && a.y == b.y && a.boxUnit == b.boxUnit &&
           a.fileUnit == b.fileUnit && a.rotationDegrees == b.rotationDegrees && a.side == b.side;
}

bool sameHeader(const Layout& a, const Layout& b) {
    return !a.headerless && !b.headerless && a.headerLine == b.headerLine &&
           a.separator.character == b.separator.character && a.wrapped == b.wrapped;
}

bool isBlankText(std::string_view text) {
    return text.find_first_not_of(" \t\r\n") == std::string_view::npos;
}
}  // namespace

Lookup findRow(std::string_view bytes, std::string_view fileName, std::string_view refDes) {
    const std::string file(fileName);
    if (bytes.size() > kMaxFileBytes) {
        return {std::nullopt,
                file + " is larger than " + std::to_string(kMaxFileBytes / (1024 * 1024)) + " MB"};
    }
    const std::string text = singleByteText(bytes);
    if (isBlankText(text)) {
        return {std::nullopt, file + " is empty"};
    }
    const bool eagleName = sideOfFileName(fileName) != Side::NotGiven;
    const std::vector<Reading> readings = rankReadings(text, eagleName);
    if (readings.empty()) {
        return {std::nullopt,
                file + " is not a placement file: it has no column for the designator, X and Y"};
    }

    // The best reading, unless another as good reads the row otherwise.
    const Reading& best = readings.front();
    const Lookup lookup = lookUp(text, best.layout, fileName, refDes);
    for (std::size_t i = 1; i < readings.size(); ++i) {
        const Reading& rival = readings[i];
        if (rival.rows != best.rows || rival.fitting != best.fitting ||
            rival.designatorLike != best.designatorLike) {
            break;
        }
        // The same rows read the same way are one reading; a header that
        // names the columns outweighs the usual order of a file without
        // one; and of the ways to match one header's columns to the fields,
        // the best is taken, the usual first.
        if (rival.evidence == best.evidence ||
            (rival.layout.headerless && !best.layout.headerless) ||
            sameHeader(rival.layout, best.layout)) {
            continue;
        }
        const Lookup other = lookUp(text, rival.layout, fileName, refDes);
        const bool agree =
            lookup.row && other.row ? sameRow(*lookup.row, *other.row) : !lookup.row && !other.row;
        if (!agree) {
            return {std::nullopt, file + " can be read two ways that disagree on " +
                                      std::string(refDes) + ": " + best.layout.described() + ", " +
                                      answerOf(lookup, refDes) + "; " + rival.layout.described() +
                                      ", " + answerOf(other, refDes)};
        }
    }
    return lookup;
}

}  // namespace placement
