// The angle box's texts for an angle the dialog holds exactly.
#pragma once

#include <string>

#include "dbx/units.h"
#include "dialog/number_text.h"

namespace dialog {

// Degrees as signed number text: 455 tenths -> " 45.5", -900 -> "-90".
inline std::string signedAngleText(units::TenthsOfDegree angle) {
    return numtext::signedNumberText(static_cast<double>(angle.value) / 10.0);
}

// Degrees as decimal text with "." and no leading blank: 455 -> "45.5".
// The angle box reads the "." form first in every locale.
inline std::string plainAngleText(units::TenthsOfDegree angle) {
    return numtext::plainNumberText(static_cast<double>(angle.value) / 10.0,
                                    numtext::Locale{".", ""});
}

}  // namespace dialog
