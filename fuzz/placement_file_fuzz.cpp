// Placement files from arbitrary bytes: findRow never crashes or reads past
// its input, and what it gives is sound: a row or a reason naming the file,
// the row's line within the file, X and Y as decimal texts that read back as
// numbers and read the same from a file of the box's unit, a box unit that
// fits the file's unit, a finite rotation.
#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>

#include "numtext/length_text.h"
#include "numtext/number_text.h"
#include "placement/placement_file.h"

namespace {

void check(bool holds, const char* property) {
    if (!holds) {
        std::fprintf(stderr, "property broken: %s\n", property);
        std::abort();
    }
}

// "-"? digits, then "." and digits not ending in 0; no leading zero but the
// one before the point.
bool isDecimalText(std::string_view text) {
    if (text.starts_with('-')) {
        text.remove_prefix(1);
    }
    const std::size_t point = text.find('.');
    const std::string_view whole = text.substr(0, point);
    const std::string_view fraction =
        point == std::string_view::npos ? std::string_view() : text.substr(point + 1);
    auto digits = [](std::string_view part) {
        return !part.empty() &&
               std::all_of(part.begin(), part.end(), [](char c) { return c >= '0' && c <= '9'; });
    };
    return digits(whole) && (whole.size() == 1 || whole[0] != '0') &&
           (point == std::string_view::npos || (digits(fraction) && !fraction.ends_with('0')));
}

void checkLookup(std::string_view bytes, std::string_view fileName, std::string_view refDes) {
    const placement::Lookup lookup = placement::findRow(bytes, fileName, refDes);
    check(lookup.row.has_value() == lookup.refusal.empty(), "a row or a reason, not both");
    if (!lookup.row) {
        check(lookup.refusal.find(fileName) != std::string::npos, "a reason names the file");
        return;
    }
    const placement::PlacementRow& row = *lookup.row;
    // UTF-16 text has at least as many such bytes as its decoded text has
    // line breaks.
    const auto breaks = static_cast<std::size_t>(
        std::count_if(bytes.begin(), bytes.end(), [](char c) { return c == '\n' || c == '\r'; }));
    check(row.line >= 1 && row.line <= breaks + 1, "the row's line is within the file");
    const numtext::Locale plain{".", ""};
    for (const std::string* text : {&row.x, &row.y}) {
        check(isDecimalText(*text), "X and Y are plain decimal texts");
        const auto value = numtext::parseStrict(*text, plain);
        check(value && std::isfinite(*value), "X and Y read back as numbers");
    }
    const std::optional<numtext::LengthUnit> fileUnit = numtext::lengthUnitNamed(row.fileUnit);
    check(fileUnit && fileUnit->name == row.fileUnit, "the file's unit is a unit's own name");
    check(fileUnit->boxUnit == row.boxUnit && row.boxUnit != units::UnitFactor::PerInch,
          "metric units go into a mm box, mil and inches into a mils box");
    check(!row.unitAssumed || row.fileUnit == "mm", "an assumed unit is millimetres");
    check(!row.rotationDegrees || std::isfinite(*row.rotationDegrees), "a rotation is finite");

    // The texts written into a file of the box's unit read back as they are.
    const std::string unit = row.boxUnit == units::UnitFactor::PerMm ? "mm" : "mil";
    const std::string again =
        "Designator,X (" + unit + "),Y (" + unit + ")\nU1," + row.x + "," + row.y + "\n";
    const placement::Lookup reread = placement::findRow(again, "again.csv", "U1");
    check(reread.row && reread.row->x == row.x && reread.row->y == row.y &&
              reread.row->boxUnit == row.boxUnit && reread.row->line == 2,
          "X and Y written in the box's unit read back the same");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    // The first word of the file is a designator the fuzzer can make match.
    std::size_t start = bytes.find_first_not_of(" \t\r\n\"\xEF\xBB\xBF");
    start = start == std::string_view::npos ? bytes.size() : start;
    const std::size_t end = std::min(bytes.find_first_of(",;\t \r\n\"", start), start + 16);
    const std::string_view firstWord = bytes.substr(start, end - start);
    for (const std::string_view fileName : {"board.csv", "board.mnb"}) {
        checkLookup(bytes, fileName, "U12");
        checkLookup(bytes, fileName, firstWord);
    }
    return 0;
}
