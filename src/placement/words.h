// The words of placement files that are not numbers: sides, and units in
// unit lines and column names; and the text helpers they share.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "placement/placement_file.h"
#include "units/units.h"

namespace placement {

// ASCII letters in lower case, other bytes as they are.
std::string lowerAscii(std::string_view text);

// Equal ignoring the case of ASCII letters.
bool equalsIgnoringCase(std::string_view a, std::string_view b);

// Without the spaces and tabs at either end.
std::string_view trimBlanks(std::string_view text);

// Top, TopLayer, T, Front; Bottom, BottomLayer, B, Bot, Back; any case,
// blanks around. Any other word says nothing.
Side sideOf(std::string_view word);

// An Eagle file names its side: ".mnt" the top, ".mnb" the bottom.
Side sideOfFileName(std::string_view fileName);

// A length unit written as a word: a unit name numtext::splitLengthUnit
// knows, or inch, inches, millimetre(s), millimeter(s); any case.
std::optional<units::UnitFactor> unitOfWord(std::string_view word);

// The unit a line before the rows states: "## Unit = mm, Angle = deg.",
// "Units used: mil", "# X,Y in mm."
std::optional<units::UnitFactor> unitStatedIn(std::string_view line);

}  // namespace placement
