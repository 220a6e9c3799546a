// The words of placement files that are not numbers: sides and unit
// statements; and the text helpers the reader shares.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "numtext/ascii.h"
#include "numtext/length_text.h"
#include "numtext/number_scan.h"
#include "placement/placement_file.h"

namespace placement {

using numtext::isAsciiDigit;
using numtext::isAsciiLetter;
using numtext::trimBlanks;

// ASCII letters in lower case, other bytes as they are.
std::string lowerAscii(std::string_view text);

// Equal ignoring the case of ASCII letters.
bool equalsIgnoringCase(std::string_view a, std::string_view b);

// Top, TopLayer, T, Front; Bottom, BottomLayer, B, Bot, Back; any case,
// blanks around. Any other word says nothing.
Side sideOf(std::string_view word);

// An Eagle file names its side: ".mnt" the top, ".mnb" the bottom.
Side sideOfFileName(std::string_view fileName);

// The number in a rotation as files write it: "R90", "90\xB0", "-90 deg"
// give "90", "90", "-90"; any other text comes back without blanks around.
std::string_view rotationNumber(std::string_view written);

// What a line before the rows says of the file's unit: "## Unit = mm,
// Angle = deg.", "Units used: mil", "UUNITS = MILLIMETERS", "# X,Y in mil."
// `word` is the unit as the line writes it; `unit` is nothing when that
// word names a length unit that cannot be read exactly ("feet", "DBU").
struct UnitStatement {
    std::optional<numtext::LengthUnit> unit;
    std::string word;
};
std::optional<UnitStatement> unitStatedIn(std::string_view line);

}  // namespace placement
