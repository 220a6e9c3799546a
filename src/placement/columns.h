// A placement file's header: which fields may hold the designator, X, Y, the
// rotation and the side, found by what their names say.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "numtext/length_text.h"

namespace placement {

struct Columns {
    // The header's number of fields.
    std::size_t count = 0;
    // The fields whose names may mean the designator, the likelier first
    // ("RefDes" before "Name"); the values decide between them.
    std::vector<std::size_t> designators;
    // The one taken.
    std::size_t designator = 0;
    // The reference point where the file has one, else the centre.
    std::size_t x = 0;
    std::size_t y = 0;
    std::optional<std::size_t> rotation;
    std::optional<std::size_t> side;
    // The unit a column name carries: "X (in)", "Center-X(mil)", "X [mm]".
    std::optional<numtext::LengthUnit> xUnit;
    std::optional<numtext::LengthUnit> yUnit;
};

// The columns of a header record, or nothing when it has no column for the
// designator, X and Y. A header may be a comment: "#" before the first name
// is left out, and so is a first field that is only "#" when `hashField`.
//
// X and Y are found by one rule: the name holds X (or Y) as a word, alone or
// joined to a qualifier ("X", "PosX", "Xpos", "Position X", "X-Location",
// "symbol_x", "Centre X (mm)"), and every other word of it is a qualifier or
// a unit. Reference qualifiers (Ref, Origin) rank before plain ones (Pos,
// Location, Symbol), and those before the centre's (Mid, Centre, Center).
std::optional<Columns> headerColumns(const std::vector<std::string>& fields, bool hashField);

}  // namespace placement
