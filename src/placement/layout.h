// How a placement file's text is laid out: the separator, whether each
// record is quoted as one field, and where the header puts each column, or,
// for an Eagle file with no header, the fixed places.
#pragma once

#include <cstddef>
#include <optional>
#include <string_view>

#include "placement/columns.h"
#include "placement/records.h"

namespace placement {

struct Layout {
    Separator separator;
    // Each record is one quoted field holding the record, inner quotes
    // doubled.
    bool wrapped = false;
    Columns columns;
    // Blank-separated with a header: a value with blanks in it shifts the
    // fields after it, so the columns after the designator's are counted
    // from the end of the line.
    bool fromEnd = false;
    // No header: name x y rotation, in millimetres.
    bool headerless = false;
    // Where the rows start in the text, and on which line.
    std::size_t rowsOffset = 0;
    std::size_t rowsLine = 1;
};

// Records a header is looked for among, from the start of the file.
inline constexpr std::size_t kHeaderSearchRecords = 200;

// The layout whose header is found first, trying comma (blanks around
// fields, so a tab before or after each comma is padding), semicolon, tab
// and blanks, each also with whole records quoted; failing that, lines of
// a name and three numbers; nothing when neither fits. `eagleName` makes
// the text Eagle's whatever its first line holds.
std::optional<Layout> findLayout(std::string_view text, bool eagleName);

// A record of the file is a comment when its first field starts with '#'.
bool isComment(const Record& record);

}  // namespace placement
