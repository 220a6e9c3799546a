// The state all handlers of the dialog share. Created zero-filled with the
// window and kept until the program ends.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "dbx/records.h"
#include "dbx/status.h"
#include "dialog/location_boxes.h"
#include "units/units.h"

namespace dialog {

inline constexpr const char* kMmFormat = "###0.000";
inline constexpr const char* kMilsFormat = "###0.0";

// A placement file's row while the boxes hold it: its X and Y as the file
// writes them ("-12.7", "." and no grouping) in the unit the file counts in.
struct FilledRow {
    std::string x;
    std::string y;
    units::UnitFactor unit = units::UnitFactor::PerMm;
};

struct DialogState {
    dbx::ItemRecord selectedItem;
    dbx::ComponentRecord workComponent;
    dbx::DesignRecord designInfo;
    units::DbPoint targetLocation;
    // Where the component is in the design, as far as the dialog knows: the
    // location read at start-up, then the one a move or an undo wrote. The
    // unit and mode options show it.
    units::DbPoint locationInDesign;
    units::DbPoint rotationCenter;
    // The X and Y boxes: the unit factor, the mode, the user's format and the
    // exact value behind each text.
    LocationBoxes locationBoxes;
    std::string mmFormat;
    std::string milsFormat;
    std::string displayFormat;
    // Where the last move found the component, for Undo: its location and
    // flags as read, and the angle start-up showed, exactly.
    units::DbCoord undoX;
    units::DbCoord undoY;
    std::int32_t undoFlipped = 0;
    std::int32_t undoFixed = 0;
    units::TenthsOfDegree undoAngle;
    // What the host answered when start-up opened the design.
    dbx::Status openStatus = dbx::kSuccess;
    // The row a placement file filled in, until a move writes it, a refused
    // move ends it or another fill replaces it. A unit or mode switch shows
    // it again instead of the location in the design.
    std::optional<FilledRow> filledRow;
};

}  // namespace dialog
