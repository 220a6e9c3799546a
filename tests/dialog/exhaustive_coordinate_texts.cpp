// Every coordinate text the dialog shows for a location in the 32-bit range,
// in mils with one decimal and in millimetres with three, in a "." and a ","
// locale: typed back it gives exactly the database units it denotes, and it
// is the correct rounding of the locations it is shown for. Run by
// scripts/exhaustive; too slow for the test suite.
//
// A shown text is checked at the lowest and the highest location that
// rounds to it (half away from zero). Showing is monotonic in the location,
// so the two ends being right means every location between them is.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "dialog/location_boxes.h"
#include "numtext/number_text.h"

namespace {

struct Unit {
    const char* name;
    units::UnitFactor factor;
    int decimals;  // shown
    const char* pattern;
    std::int64_t dbPerStep;  // database units per last shown digit
};

// The text of step k (k / 10^decimals display units), written digit by digit.
std::string textOf(std::int64_t k, const Unit& unit, const numtext::Locale& locale) {
    std::int64_t scale = 1;
    for (int i = 0; i < unit.decimals; ++i) {
        scale *= 10;
    }
    const std::int64_t magnitude = k < 0 ? -k : k;
    const std::string fraction = std::to_string(magnitude % scale);
    std::string text = k < 0 ? "-" : "";
    text += std::to_string(magnitude / scale);
    text += locale.decimalSeparator;
    text.append(static_cast<std::size_t>(unit.decimals) - fraction.size(), '0');
    text += fraction;
    return text;
}

// The step a location rounds to: half away from zero, in integers.
std::int64_t stepOf(std::int64_t db, const Unit& unit) {
    const std::int64_t twice = 2 * (db < 0 ? -db : db) + unit.dbPerStep;
    const std::int64_t step = twice / (2 * unit.dbPerStep);
    return db < 0 ? -step : step;
}

long long failures = 0;

void report(const std::string& what) {
    if (++failures <= 20) {
        std::printf("  counterexample: %s\n", what.c_str());
    }
}

void checkUnit(const Unit& unit, const numtext::Locale& locale) {
    const std::int64_t first = stepOf(INT32_MIN, unit);
    const std::int64_t last = stepOf(INT32_MAX, unit);
    long long texts = 0;
    long long locations = 0;
    for (std::int64_t k = first; k <= last; ++k) {
        const std::string text = textOf(k, unit, locale);
        ++texts;

        // Typed back: k steps of dbPerStep, exactly.
        const std::int64_t denoted = k * unit.dbPerStep;
        const std::optional<double> read = dialog::typedCoordinate(text, unit.factor, locale);
        const std::optional<std::int32_t> db =
            read ? numtext::roundToInt32(*read) : std::optional<std::int32_t>{};
        if (denoted >= INT32_MIN && denoted <= INT32_MAX && db != denoted) {
            report('"' + text + "\" typed back gives " + (db ? std::to_string(*db) : "nothing") +
                   ", not " + std::to_string(denoted));
        }

        // Shown for both ends of the locations that round to it.
        const std::int64_t half = unit.dbPerStep / 2;  // dbPerStep is even
        const std::int64_t low = k > 0 ? denoted - half : denoted - half + 1;
        const std::int64_t high = k < 0 ? denoted + half : denoted + half - 1;
        for (std::int64_t location : {low, high}) {
            if (location < INT32_MIN || location > INT32_MAX) {
                continue;
            }
            ++locations;
            if (stepOf(location, unit) != k) {
                report("the check's own bounds are wrong at " + std::to_string(location));
            }
            const std::string shown =
                dialog::coordinateText(location, unit.factor, unit.pattern, locale);
            if (shown != text) {
                report("location " + std::to_string(location) + " shows \"" + shown + "\", not \"" +
                       text + '"');
            }
        }
    }
    std::printf("%-11s \"%s\" locale: %lld texts typed back, %lld locations shown\n", unit.name,
                locale.decimalSeparator.c_str(), texts, locations);
    std::fflush(stdout);
}

}  // namespace

int main() {
    const Unit mils{"mils", units::UnitFactor::PerMil, 1, "###0.0", 254};
    const Unit mm{"millimetres", units::UnitFactor::PerMm, 3, "###0.000", 100};
    for (const numtext::Locale& locale : {numtext::Locale{".", ","}, numtext::Locale{",", "."}}) {
        checkUnit(mils, locale);
        checkUnit(mm, locale);
    }
    std::printf("%lld counterexamples\n", failures);
    return failures == 0 ? EXIT_SUCCESS : EXIT_FAILURE;
}
