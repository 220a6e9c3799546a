// How a placement file's text is laid out: the separator, whether each
// record is quoted as one field, the header and where it puts each column,
// or no header and the columns in their usual order. Decided by evidence:
// every reading is tried, and the one that gives the most rows with a
// designator and two numbers wins.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "numtext/exact_decimal.h"
#include "placement/columns.h"
#include "placement/records.h"

namespace placement {

// How a row's fields are matched to the header's columns.
enum class Mapping {
    // The n-th field is the n-th column.
    ByIndex,
    // Blank-separated: a value with blanks in it shifts the fields after
    // it, so the columns after the designator's are counted from the end.
    FromEnd,
    // Blank-separated under a column-aligned header: a field belongs to the
    // column whose name starts where it starts, or just after.
    ByPosition,
};

struct Layout {
    Separator separator;
    // Each record is one quoted field holding the record, inner quotes
    // doubled.
    bool wrapped = false;
    Columns columns;
    Mapping mapping = Mapping::ByIndex;
    // ByPosition: where each column's name starts in the header's line.
    std::vector<std::size_t> columnStarts;
    // No header: designator, X, Y, then perhaps the rotation and the side.
    bool headerless = false;
    // The header's line; 0 without one.
    std::size_t headerLine = 0;
    // Where the rows start in the text, and on which line.
    std::size_t rowsOffset = 0;
    std::size_t rowsLine = 1;

    // A decimal comma is possible wherever the comma does not separate.
    bool decimalComma() const { return separator.character != ','; }
    // In words, for a message: "split at \",\" with the header on line 3".
    std::string described() const;
};

// A header is looked for on the lines that start in the first this many
// bytes of the text.
inline constexpr std::size_t kHeaderSearchBytes = 1024 * 1024;
// Records after the header that are scored.
inline constexpr std::size_t kScoredRecords = 100;

// The records of the rows under a layout, from its first row on: a wrapped
// record's fields split again, comments left out.
class RowRecords {
  public:
    RowRecords(std::string_view text, const Layout& layout);
    bool next(Record& record);

  private:
    RecordReader reader_;
    Separator separator_;
    bool wrapped_;
};

// The fields one record gives for one row under a layout.
struct RowFields {
    std::size_t line = 0;
    std::string designator;
    std::string x;
    std::string y;
    std::optional<std::string> rotation;
    std::optional<std::string> side;
    bool operator==(const RowFields&) const = default;
};

// A row record's designator, blanks around taken off: a view into the
// record, or into `joined` where the layout joins fields; empty when it has
// none.
std::string_view designatorIn(const Layout& layout, const Record& record, std::string& joined);

// The record's fields for the layout's columns; false when the record has
// no designator.
bool rowFieldsOf(const Layout& layout, const Record& record, RowFields& row);

// A row counts when it has a designator and X and Y read as numbers.
bool isScoringRow(const Layout& layout, const RowFields& row);

// A layout with its evidence.
struct Reading {
    Layout layout;
    // Scored records that give a designator and two numbers; those of them
    // with as many fields as the header has columns (without a header, as
    // the first row has); and those whose designator looks like one ("R12",
    // "U3A"), each counted once.
    std::size_t rows = 0;
    std::size_t fitting = 0;
    std::size_t designatorLike = 0;
    // Those rows' fields: two readings that give the same are one.
    std::vector<RowFields> evidence;
};

// Every reading of the text worth having, the best first: the most rows,
// then the most that fit the header, then the most designator-like ones, then a header before none,
// the usual separators first. `eagleName` makes a headerless reading's fourth column the rotation
// whatever it holds.
std::vector<Reading> rankReadings(std::string_view text, bool eagleName);

// Reads a number as a file writes it: "." as the point, or "," too where
// `decimalComma`; an exponent allowed.
numtext::ExactDecimal readFileNumber(std::string_view text, bool decimalComma, int shift = 0);

}  // namespace placement
