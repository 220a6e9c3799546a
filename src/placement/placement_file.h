// Placement files (pick-and-place, centroid, CPL, reports, Eagle .mnt/.mnb,
// PcbXY, rows pasted without a header): bytes in, the row of one reference
// designator out, the file's layout decided by evidence (layout.h).
// Portable: the dialog reads the file and asks this for one row.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "units/units.h"

namespace placement {

// Files larger than this are refused before they are read.
inline constexpr std::uint64_t kMaxFileBytes = 64ull * 1024 * 1024;

enum class Side { NotGiven, Top, Bottom };

// The row of the selected component, as the dialog needs it.
struct PlacementRow {
    // The line the record starts on, counted from 1.
    std::size_t line = 0;
    // X and Y exactly as the file writes them, in the unit the boxes take
    // (millimetres for metric files, mils for mil and inch files: the point
    // only moves), as decimal text with "." and no grouping: "-12.7", "2875".
    std::string x;
    std::string y;
    units::UnitFactor boxUnit = units::UnitFactor::PerMm;
    // The file's own unit, for the caption: "mm", "cm", "um", "in", "mil" or
    // "0.1 mil" (numtext::LengthUnit's names).
    std::string fileUnit = "mm";
    // True when the file names no unit and millimetres were assumed.
    bool unitAssumed = false;
    // The rotation in degrees as the file writes it, not yet brought into
    // 0..360; nothing when the file has none for the row.
    std::optional<double> rotationDegrees;
    Side side = Side::NotGiven;
};

// A row, or one sentence that names the file and, where there is one, the
// line, saying why there is none:
//   "U12 is not in top.pos: 43 parts read"
//   "U12 is in top.pos more than once: lines 17 and 40"
//   "top.pos is not a placement file: it has no column for the designator, X and Y"
//   "top.pos, line 17: the X value \"1,2,3\" is not a number"
//   "top.pos, line 1: the file's unit \"DBU\" is not one that can be read exactly ..."
//   "top.pos can be read two ways that disagree on U12: ..."
struct Lookup {
    std::optional<PlacementRow> row;
    std::string refusal;
};

// Reads `bytes`, a whole placement file, and finds the row of `refDes`:
// the one equal to it, else the one equal ignoring ASCII case (both compared
// as the host's single-byte text); more than one is refused. `fileName` is
// the file's name without its folder, for the messages; a name ending in
// ".mnb" marks an Eagle bottom-side file.
Lookup findRow(std::string_view bytes, std::string_view fileName, std::string_view refDes);

}  // namespace placement
