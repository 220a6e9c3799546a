// The angle box's rules and its texts for an angle the dialog holds exactly.
#pragma once

#include <string>

#include "numtext/number_text.h"
#include "units/units.h"

namespace dialog {

// The angle box refuses this and more, and shows the start-up angle again.
inline constexpr units::TenthsOfDegree kAngleBoxRefusesFrom{3610};

// An angle the host holds as the box can show it: from where the box
// refuses, the same orientation within one turn, so that the box keeps it
// and an untouched move leaves the component as it is. Negative angles and
// those below the refusal are shown as they are.
inline units::TenthsOfDegree shownInAngleBox(units::TenthsOfDegree angle) {
    return angle >= kAngleBoxRefusesFrom
               ? units::TenthsOfDegree{angle.value % units::kFullTurn.value}
               : angle;
}

// Degrees as signed number text: 455 tenths -> " 45.5", -900 -> "-90".
inline std::string signedAngleText(units::TenthsOfDegree angle) {
    return numtext::signedNumberText(units::degreesOf(angle));
}

// Degrees as decimal text with "." and no leading blank: 455 -> "45.5".
// The angle box reads the "." form first in every locale.
inline std::string plainAngleText(units::TenthsOfDegree angle) {
    return numtext::plainNumberText(units::degreesOf(angle), numtext::Locale{".", ""});
}

}  // namespace dialog
