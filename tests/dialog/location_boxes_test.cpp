// The X and Y boxes and the location behind them, without the host.
#include "dialog/location_boxes.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace dialog {
namespace {

using units::UnitFactor;

const numtext::Locale kPoint{".", ","};
const numtext::Locale kComma{",", "."};

struct Frame {
    UnitFactor unit;
    CoordinateMode mode;
    units::DbPoint origin;
    numtext::Locale locale = kPoint;
};

LocationBoxes boxesIn(const Frame& frame) {
    LocationBoxes boxes(frame.locale);
    boxes.setUnitFactor(frame.unit);
    boxes.setMode(frame.mode);
    boxes.setRelativeOrigin(frame.origin);
    return boxes;
}

constexpr Frame kMilsAbsolute{UnitFactor::PerMil, CoordinateMode::Absolute, {{2540}, {2540}}};
constexpr Frame kMmAbsolute{UnitFactor::PerMm, CoordinateMode::Absolute, {{1000}, {2000}}};
constexpr Frame kMilsRelative{UnitFactor::PerMil, CoordinateMode::Relative, {{2540}, {2540}}};
constexpr Frame kMmRelative{UnitFactor::PerMm, CoordinateMode::Relative, {{1000}, {2000}}};
const Frame kMilsComma{UnitFactor::PerMil, CoordinateMode::Absolute, {}, kComma};

struct ShowRow {
    const char* name;
    Frame frame;
    units::DbPoint location;
    const char* pattern;
    const char* x;
    const char* y;
};

class LocationBoxesShow : public ::testing::TestWithParam<ShowRow> {};

TEST_P(LocationBoxesShow, TheLocationInTheUnitModeAndFormat) {
    const ShowRow& row = GetParam();
    LocationBoxes boxes = boxesIn(row.frame);
    const BoxTexts texts = boxes.show(row.location, row.pattern);
    EXPECT_EQ(texts.x, row.x);
    EXPECT_EQ(texts.y, row.y);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, LocationBoxesShow,
    ::testing::Values(
        ShowRow{"MilsOneDecimal", kMilsAbsolute, {{2540}, {0}}, "###0.0", "1.0", "0.0"},
        ShowRow{
            "MmRoundsToThreeDecimals", kMmAbsolute, {{2540}, {0}}, "###0.000", "0.025", "0.000"},
        ShowRow{
            "RelativeCountsFromTheOrigin", kMilsRelative, {{5080}, {7620}}, "###0.0", "1.0", "2.0"},
        ShowRow{"RelativeBelowTheOriginIsNegative",
                kMilsRelative,
                {{0}, {2540}},
                "###0.0",
                "-1.0",
                "0.0"},
        ShowRow{"TheUsersDecimalSeparator",
                {UnitFactor::PerMm, CoordinateMode::Absolute, {}, kComma},
                {{123400}, {-100}},
                "###0.000",
                "1,234",
                "-0,001"},
        ShowRow{"TheDifferenceBeyondThe32BitEnds",
                {UnitFactor::PerMm, CoordinateMode::Relative, {{1000}, {-1000}}},
                {{INT32_MIN}, {INT32_MAX}},
                "###0.000",
                "-21474.846",
                "21474.846"}),
    [](const auto& row) { return std::string(row.param.name); });

struct ReadRow {
    const char* name;
    Frame frame;
    units::DbPoint shown;  // what the boxes showed, with "###0.000"
    const char* typedX;    // null: the box is left as shown
    const char* typedY;
    std::optional<units::DbPoint> location;
    BoxesRefusal refusal;  // when there is no location
};

class LocationBoxesRead : public ::testing::TestWithParam<ReadRow> {};

TEST_P(LocationBoxesRead, TheBoxesBackInDatabaseUnits) {
    const ReadRow& row = GetParam();
    LocationBoxes boxes = boxesIn(row.frame);
    BoxTexts texts = boxes.show(row.shown, "###0.000");
    if (row.typedX != nullptr) {
        texts.x = row.typedX;
    }
    if (row.typedY != nullptr) {
        texts.y = row.typedY;
    }
    const BoxesReading reading = boxes.read(texts);
    EXPECT_EQ(reading.location, row.location);
    if (!row.location) {
        EXPECT_EQ(reading.refusal, row.refusal);
    }
}

constexpr auto kNone = BoxesRefusal::NotANumber;  // unused where a location is expected

INSTANTIATE_TEST_SUITE_P(
    Rows, LocationBoxesRead,
    ::testing::Values(
        // 1.23457 mm shows as 1.235: left alone, it is written back exactly.
        ReadRow{"UntouchedIsExact",
                kMmAbsolute,
                {{123457}, {-1}},
                nullptr,
                nullptr,
                units::DbPoint{{123457}, {-1}},
                kNone},
        ReadRow{"UntouchedRelativeIsExact",
                kMmRelative,
                {{123457}, {INT32_MIN}},
                nullptr,
                nullptr,
                units::DbPoint{{123457}, {INT32_MIN}},
                kNone},
        ReadRow{"TypedWithoutFloatingNoise",
                kMmAbsolute,
                {},
                "1.234",
                "0.001",
                units::DbPoint{{123400}, {100}},
                kNone},
        ReadRow{"TypedRelativeAddsTheOrigin",
                kMmRelative,
                {},
                "0.05",
                "0.06",
                units::DbPoint{{6000}, {8000}},
                kNone},
        ReadRow{"HalvesToEven",
                kMmAbsolute,
                {},
                "0.000025",
                "0.000035",
                units::DbPoint{{2}, {4}},
                kNone},
        ReadRow{"InMils",
                kMilsAbsolute,
                {},
                "100.0",
                "-50",
                units::DbPoint{{254000}, {-127000}},
                kNone},
        ReadRow{"JustBelowTheRangeLimit",
                kMmAbsolute,
                {},
                "1999.99999",
                "0",
                units::DbPoint{{199999999}, {0}},
                kNone},
        ReadRow{"NotANumber", kMmAbsolute, {}, "12a", "0", std::nullopt, BoxesRefusal::NotANumber},
        ReadRow{
            "EmptyIsNotANumber", kMmAbsolute, {}, "0", "", std::nullopt, BoxesRefusal::NotANumber},
        ReadRow{"AtTheRangeLimit",
                kMmAbsolute,
                {},
                "0",
                "2000",
                std::nullopt,
                BoxesRefusal::BeyondRangeLimit},
        // The limit counts what the box shows, before the origin is added.
        ReadRow{"RelativeLimitBeforeTheOrigin",
                kMmRelative,
                {},
                "1999.99",
                "0",
                units::DbPoint{{200000000}, {2000}},
                kNone},
        ReadRow{"UntouchedBeyondTheLimit",
                kMmAbsolute,
                {{200000000}, {0}},
                nullptr,
                nullptr,
                std::nullopt,
                BoxesRefusal::BeyondRangeLimit},
        ReadRow{"BelowThe32BitRange",
                kMilsAbsolute,
                {},
                "-845500",
                "0",
                std::nullopt,
                BoxesRefusal::OutsideDbRange},
        // A unit typed after the number is the number's own: 2540 database
        // units a mil, 100000 a millimetre, 2540000 an inch, 1000000 a
        // centimetre, 100 a micrometre.
        // clang-format off
        ReadRow{"MmInAMilsBox", kMilsAbsolute, {}, "25.4mm", "-0.001 mm", units::DbPoint{{2540000}, {-100}}, kNone},
        ReadRow{"MilAndMilsInAMmBox", kMmAbsolute, {}, "100mil", "-50 mils", units::DbPoint{{254000}, {-127000}}, kNone},
        ReadRow{"ThAndThou", kMmAbsolute, {}, "1th", "2.5 thou", units::DbPoint{{2540}, {6350}}, kNone},
        ReadRow{"InchAndItsSign", kMmAbsolute, {}, "1.5in", "0.1\"", units::DbPoint{{3810000}, {254000}}, kNone},
        ReadRow{"UnitAfterTheUsersFormat", kMilsComma, {}, "25,4mm", "1.000,5 mil", units::DbPoint{{2540000}, {2541270}}, kNone},
        ReadRow{"UnitInRelativeModeAddsTheOrigin", kMmRelative, {}, "1in", "0mm", units::DbPoint{{2541000}, {2000}}, kNone},
        ReadRow{"UnitWithoutANumber", kMmAbsolute, {}, "mm", "0", std::nullopt, BoxesRefusal::NotANumber},
        ReadRow{"UnitWordsAsFilesWriteThem", kMilsAbsolute, {}, "25.4 millimetres", "1 inch", units::DbPoint{{2540000}, {2540000}}, kNone},
        ReadRow{"CentimetresAndMicrometres", kMilsAbsolute, {}, "2.54 cm", "-12.7um", units::DbPoint{{2540000}, {-1270}}, kNone},
        ReadRow{"UnitNotOfTheList", kMmAbsolute, {}, "5ft", "0", std::nullopt, BoxesRefusal::NotANumber},
        ReadRow{"NumberNotInTheUsersFormat", kMilsComma, {}, "25.4mm", "0", std::nullopt, BoxesRefusal::NotANumber},
        ReadRow{"UnitBeyondTheRangeLimit", kMilsAbsolute, {}, "2000mm", "0", std::nullopt, BoxesRefusal::BeyondRangeLimit}),
    // clang-format on
    [](const auto& row) { return std::string(row.param.name); });

TEST(LocationBoxes, ATextThatOnlyLooksLikeTheShownOneIsReadAsTyped) {
    LocationBoxes boxes = boxesIn(kMmAbsolute);
    const BoxTexts shown = boxes.show({{123457}, {0}}, "###0.000");
    const BoxesReading reading = boxes.read({shown.x + " ", shown.y});
    EXPECT_EQ(reading.location, (units::DbPoint{{123500}, {0}}));
}

}  // namespace
}  // namespace dialog
