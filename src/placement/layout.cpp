#include "placement/layout.h"

#include <algorithm>
#include <array>
#include <set>
#include <tuple>
#include <utility>

#include "numtext/length_text.h"
#include "placement/words.h"

namespace placement {
namespace {

// A field under a column-aligned header may start this many bytes before
// its column's name: a character of two bytes earlier in the line, or a
// value written one place to the left.
constexpr std::size_t kPositionSlack = 2;

// Columns after X and Y looked at for the rotation and the side when there
// is no header.
constexpr std::size_t kLaterColumns = 8;

// How records are split: each separator, the usual first, plain and with
// every record quoted whole. A blank-separated line quoted whole would be
// one word, so blanks come plain only.
struct Dialect {
    Separator separator;
    bool wrapped;
};
constexpr std::array<Dialect, 11> kDialects{{
    {{','}, false},
    {{','}, true},
    {{'\t'}, false},
    {{'\t'}, true},
    {{';'}, false},
    {{';'}, true},
    {{'|'}, false},
    {{'|'}, true},
    {{'!'}, false},
    {{'!'}, true},
    {{'\0'}, false},
}};

// A record of the file is a comment when its first field starts with '#'.
bool isComment(const Record& record) {
    return !record.fields.empty() && record.fields.front().starts_with('#');
}

// "R12", "U3A", "C1_2", "LED4": letters, then a digit, then letters, digits
// and a few marks.
bool looksLikeDesignator(std::string_view text) {
    std::size_t at = 0;
    while (at < text.size() && (isAsciiLetter(text[at]) || text[at] == '_')) {
        ++at;
    }
    if (at == 0 || at == text.size() || !isAsciiDigit(text[at])) {
        return false;
    }
    return std::all_of(text.begin() + static_cast<std::ptrdiff_t>(at), text.end(), [](char c) {
        return isAsciiLetter(c) || isAsciiDigit(c) || c == '_' || c == '-' || c == '.';
    });
}

bool isLength(std::string_view text, bool decimalComma) {
    const numtext::LengthText split = numtext::splitLengthUnit(text);
    return readFileNumber(split.number, decimalComma).status == numtext::ExactDecimal::Status::Read;
}

// A rotation as files write it: "90", "R90", "90\xB0", "-90 deg".
bool isAngle(std::string_view text, bool decimalComma) {
    return readFileNumber(rotationNumber(text), decimalComma).status ==
           numtext::ExactDecimal::Status::Read;
}

std::string joinedFields(const Record& record) {
    std::string text;
    for (const std::string& field : record.fields) {
        text += field;
        text += ' ';
    }
    return text;
}

// The field at `at`, counted from 0; nothing past the record's end.
std::optional<std::string> fieldAt(const Record& record, std::size_t at) {
    if (at >= record.fields.size()) {
        return std::nullopt;
    }
    return record.fields[at];
}

// The fields that start under `column`'s name, joined by a blank.
std::optional<std::string> fieldByPosition(const Layout& layout, const Record& record,
                                           std::size_t column) {
    const std::vector<std::size_t>& starts = layout.columnStarts;
    std::optional<std::string> value;
    for (std::size_t i = 0; i < record.fields.size() && i < record.starts.size(); ++i) {
        const std::size_t start = record.starts[i] + kPositionSlack;
        const auto after = std::upper_bound(starts.begin(), starts.end(), start);
        const std::size_t owner =
            after == starts.begin() ? 0 : static_cast<std::size_t>(after - starts.begin()) - 1;
        if (owner == column) {
            value = value ? *value + " " + record.fields[i] : record.fields[i];
        } else if (owner > column) {
            break;
        }
    }
    return value;
}

std::optional<std::string> fieldOf(const Layout& layout, const Record& record, std::size_t column) {
    const Columns& columns = layout.columns;
    switch (layout.mapping) {
        case Mapping::ByPosition:
            return fieldByPosition(layout, record, column);
        case Mapping::FromEnd:
            if (column > columns.designator) {
                const std::size_t fromEnd = columns.count - column;
                const std::size_t count = record.fields.size();
                if (fromEnd > count || count - fromEnd <= columns.designator) {
                    return std::nullopt;
                }
                return record.fields[count - fromEnd];
            }
            break;
        case Mapping::ByIndex:
            break;
    }
    return fieldAt(record, column);
}

// Names of a blank-separated header: the words, or the words joined where a
// single blank parts them in a header whose columns are set apart by more
// ("Mid X    Mid Y"). Gives the names' starts too.
struct HeaderNames {
    std::vector<std::string> names;
    std::vector<std::size_t> starts;
};

HeaderNames joinedNames(const Record& record) {
    HeaderNames joined;
    bool wideGap = false;
    for (std::size_t i = 1; i < record.fields.size(); ++i) {
        wideGap =
            wideGap || record.starts[i] > record.starts[i - 1] + record.fields[i - 1].size() + 1;
    }
    for (std::size_t i = 0; i < record.fields.size(); ++i) {
        const bool glued =
            wideGap && i > 0 &&
            record.starts[i] == record.starts[i - 1] + record.fields[i - 1].size() + 1;
        if (glued) {
            joined.names.back() += " " + record.fields[i];
        } else {
            joined.names.push_back(record.fields[i]);
            joined.starts.push_back(record.starts[i]);
        }
    }
    return joined;
}

// A "#" field before the names is no column: its start goes with it.
std::vector<std::size_t> namedStarts(const HeaderNames& header, const Columns& columns) {
    std::vector<std::size_t> starts = header.starts;
    if (starts.size() > columns.count) {
        starts.erase(starts.begin());
    }
    return starts;
}

// The readings a header record gives under one dialect.
void addHeaderLayouts(const Record& record, Separator separator, bool wrapped,
                      std::vector<Layout>& layouts) {
    auto add = [&](const Columns& columns, Mapping mapping, std::vector<std::size_t> starts) {
        Layout layout;
        layout.separator = separator;
        layout.wrapped = wrapped;
        layout.columns = columns;
        layout.mapping = mapping;
        layout.columnStarts = std::move(starts);
        layout.headerLine = record.line;
        layouts.push_back(std::move(layout));
    };
    if (!separator.blanks()) {
        if (const auto columns = headerColumns(record.fields, false)) {
            add(*columns, Mapping::ByIndex, {});
        }
        return;
    }
    const HeaderNames words{record.fields, record.starts};
    const HeaderNames joined = joinedNames(record);
    for (const HeaderNames* header : {&words, &joined}) {
        if (header == &joined && joined.names.size() == words.names.size()) {
            break;  // nothing was joined
        }
        if (const auto columns = headerColumns(header->names, true)) {
            add(*columns, Mapping::ByIndex, {});
            add(*columns, Mapping::FromEnd, {});
            add(*columns, Mapping::ByPosition, namedStarts(*header, *columns));
        }
    }
}

// Scores a layout on the records after its header.
Reading scored(std::string_view text, Layout layout) {
    Reading reading;
    RowRecords records(text, layout);
    Record record;
    RowFields row;
    std::set<std::string> designators;
    for (std::size_t n = 0; n < kScoredRecords && records.next(record); ++n) {
        if (!rowFieldsOf(layout, record, row) || !isScoringRow(layout, row)) {
            continue;
        }
        ++reading.rows;
        if (record.fields.size() == layout.columns.count) {
            ++reading.fitting;
        }
        if (looksLikeDesignator(row.designator) && designators.insert(row.designator).second) {
            ++reading.designatorLike;
        }
        reading.evidence.push_back(row);
    }
    reading.layout = std::move(layout);
    return reading;
}

// Of the columns named like a designator, the one whose values look most
// like distinct designators: a "Name" of designators beside a "Component"
// of part names that repeat.
Reading withBestDesignator(std::string_view text, Layout layout) {
    std::optional<Reading> best;
    for (const std::size_t column : std::vector(layout.columns.designators)) {
        layout.columns.designator = column;
        Reading reading = scored(text, layout);
        if (!best || reading.designatorLike > best->designatorLike) {
            best = std::move(reading);
        }
    }
    return std::move(*best);
}

// Where a line starts, and its number.
struct LineStart {
    std::size_t offset;
    std::size_t line;
};

// The lines a header may stand on: within the searched bytes, holding an X
// and a Y (every name of X and Y does). Only these are split, once for each
// separator, so that a long file costs no more than its first lines.
std::vector<LineStart> headerCandidates(std::string_view text) {
    std::vector<LineStart> candidates;
    forEachLine(text, [&](std::string_view content, std::size_t offset, std::size_t line) {
        if (offset >= kHeaderSearchBytes) {
            return false;
        }
        if (content.find_first_of("xX") != std::string_view::npos &&
            content.find_first_of("yY") != std::string_view::npos) {
            candidates.push_back({offset, line});
        }
        return true;
    });
    return candidates;
}

// The header readings of one dialect: its first header record.
void addHeaderReadings(std::string_view text, const std::vector<LineStart>& candidates,
                       Separator separator, bool wrapped, std::vector<Reading>& readings) {
    Record record;
    for (const LineStart& start : candidates) {
        RecordReader reader(text.substr(start.offset), separator, start.line);
        if (!reader.next(record)) {
            continue;
        }
        if (wrapped) {
            splitAgain(separator, record.fields);
        }
        std::vector<Layout> layouts;
        addHeaderLayouts(record, separator, wrapped, layouts);
        if (layouts.empty()) {
            continue;
        }
        for (Layout& layout : layouts) {
            layout.rowsOffset = start.offset + reader.offset();
            layout.rowsLine = reader.line();
            readings.push_back(withBestDesignator(text, std::move(layout)));
        }
        return;
    }
}

// True when the record is a header this reader cannot map ("Designator, X,
// Rotation"): as many fields as the row after it, none of them a number, and
// no unit statement.
bool looksLikeHeader(const Record& record, const Record& firstRow, bool decimalComma) {
    return record.fields.size() == firstRow.fields.size() &&
           std::none_of(record.fields.begin(), record.fields.end(),
                        [&](const std::string& f) { return isLength(f, decimalComma); }) &&
           !unitStatedIn(joinedFields(record));
}

// The reading without a header: designator, X, Y, then the rotation when
// the fourth column holds angles and the side in the first later column of
// side words. Nothing when an unread header stands before the rows.
std::optional<Reading> headerlessReading(std::string_view text, Separator separator, bool wrapped,
                                         bool eagleName) {
    Layout layout;
    layout.separator = separator;
    layout.wrapped = wrapped;
    layout.headerless = true;
    layout.columns.designator = 0;
    layout.columns.designators = {0};
    layout.columns.x = 1;
    layout.columns.y = 2;

    // The rows as far as the scored ones go, to find the other columns.
    RowRecords records(text, layout);
    Record record;
    Record before;
    RowFields row;
    std::vector<Record> rows;
    for (std::size_t n = 0; n < kScoredRecords && records.next(record); ++n) {
        if (rowFieldsOf(layout, record, row) && isScoringRow(layout, row)) {
            if (rows.empty() && looksLikeHeader(before, record, layout.decimalComma())) {
                return std::nullopt;
            }
            rows.push_back(record);
        } else if (rows.empty()) {
            before = record;
        }
    }
    if (rows.empty()) {
        return std::nullopt;
    }
    layout.columns.count = rows.front().fields.size();
    // The later columns: the first whose values mostly are angles is the
    // rotation (Eagle's fourth, whatever it holds), the first all of side
    // words the side; rows without the column say nothing of it.
    auto share = [&](std::size_t column, auto holds) {
        return static_cast<std::size_t>(std::count_if(
            rows.begin(), rows.end(),
            [&](const Record& r) { return r.fields.size() > column && holds(r.fields[column]); }));
    };
    const bool decimalComma = layout.decimalComma();
    if (eagleName) {
        layout.columns.rotation = 3;
    }
    const auto any = [](const std::string&) { return true; };
    const auto isSide = [](const std::string& f) { return sideOf(f) != Side::NotGiven; };
    const auto isTurn = [&](const std::string& f) { return isAngle(f, decimalComma); };
    for (std::size_t column = 3; column < kLaterColumns; ++column) {
        const std::size_t having = share(column, any);
        if (having == 0 || column == layout.columns.rotation) {
            continue;
        }
        if (!layout.columns.side && share(column, isSide) == having) {
            layout.columns.side = column;
        } else if (!layout.columns.rotation && share(column, isTurn) * 2 > having) {
            layout.columns.rotation = column;
        }
    }
    return scored(text, std::move(layout));
}

}  // namespace

RowRecords::RowRecords(std::string_view text, const Layout& layout)
    : reader_(text.substr(layout.rowsOffset), layout.separator, layout.rowsLine),
      separator_(layout.separator),
      wrapped_(layout.wrapped) {}

bool RowRecords::next(Record& record) {
    while (reader_.next(record)) {
        if (wrapped_) {
            splitAgain(separator_, record.fields);
        }
        if (!isComment(record)) {
            return true;
        }
    }
    return false;
}

numtext::ExactDecimal readFileNumber(std::string_view text, bool decimalComma, int shift) {
    numtext::ExactDecimal number = numtext::readExactDecimal(text, ".", shift);
    // A comma is a decimal point only with a digit after it: "12," is a
    // number and a separator.
    if (number.status == numtext::ExactDecimal::Status::NotANumber && decimalComma &&
        !trimBlanks(text).ends_with(',')) {
        number = numtext::readExactDecimal(text, ",", shift);
    }
    return number;
}

std::string_view designatorIn(const Layout& layout, const Record& record, std::string& joined) {
    // Up to the designator's column every mapping but by position counts
    // from the start.
    const std::size_t column = layout.columns.designator;
    if (layout.mapping == Mapping::ByPosition) {
        joined = fieldByPosition(layout, record, column).value_or("");
        return trimBlanks(joined);
    }
    return column < record.fields.size() ? trimBlanks(record.fields[column]) : std::string_view();
}

bool rowFieldsOf(const Layout& layout, const Record& record, RowFields& row) {
    std::string joined;
    const std::string_view designator = designatorIn(layout, record, joined);
    if (designator.empty()) {
        return false;
    }
    const Columns& columns = layout.columns;
    row.line = record.line;
    row.designator = designator;
    row.x = fieldOf(layout, record, columns.x).value_or("");
    row.y = fieldOf(layout, record, columns.y).value_or("");
    row.rotation = columns.rotation ? fieldOf(layout, record, *columns.rotation) : std::nullopt;
    row.side = columns.side ? fieldOf(layout, record, *columns.side) : std::nullopt;
    return true;
}

bool isScoringRow(const Layout& layout, const RowFields& row) {
    return isLength(row.x, layout.decimalComma()) && isLength(row.y, layout.decimalComma());
}

std::string Layout::described() const {
    std::string text = "split at ";
    switch (separator.character) {
        case '\0':
            text += "blanks";
            break;
        case '\t':
            text += "tabs";
            break;
        default:
            text += std::string("\"") + separator.character + "\"";
    }
    if (wrapped) {
        text += ", each line quoted whole";
    }
    if (headerless) {
        return text + " with no header";
    }
    text += " with the header on line " + std::to_string(headerLine);
    if (mapping == Mapping::ByPosition) {
        text += ", the columns by where they start";
    } else if (mapping == Mapping::FromEnd) {
        text += ", the columns after the designator counted from the end";
    }
    return text;
}

std::vector<Reading> rankReadings(std::string_view text, bool eagleName) {
    std::vector<Reading> readings;
    const std::vector<LineStart> candidates = headerCandidates(text);
    for (const Dialect& dialect : kDialects) {
        addHeaderReadings(text, candidates, dialect.separator, dialect.wrapped, readings);
    }
    for (const Dialect& dialect : kDialects) {
        if (auto reading = headerlessReading(text, dialect.separator, dialect.wrapped, eagleName)) {
            readings.push_back(std::move(*reading));
        }
    }
    // The order above is the preference among equals.
    std::stable_sort(readings.begin(), readings.end(), [](const Reading& a, const Reading& b) {
        return std::tie(a.rows, a.fitting, a.designatorLike) >
               std::tie(b.rows, b.fitting, b.designatorLike);
    });
    return readings;
}

}  // namespace placement
