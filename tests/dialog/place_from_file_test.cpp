// A placement file's row fills the dialog as a user would type it; nothing
// is written before "&Move", and a refusal changes nothing.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "dialog/sim_session.h"
#include "placement/placement_file.h"

namespace {

using form::CheckValue;
using form::ControlId;
using testing_support::Design;
using testing_support::SimSession;

// U12 at 2.54 mm, 1.27 mm turned 90 degrees, in a millimetre design shown
// relative to its origin at (1000, 2000); or in mils, absolute, at 0.
Design mmRelative() {
    Design d;
    d.units = 2;
    d.originMode = 0;
    d.originX = 1000;
    d.originY = 2000;
    d.x = 254000;
    d.y = 127000;
    d.angle = 900;
    return d;
}
Design milsAbsolute(long long flipped, long long fixed) {
    Design d;
    d.flipped = flipped;
    d.fixed = fixed;
    return d;
}

constexpr const char* kMmCpl = "Designator,Mid X,Mid Y,Layer,Rotation\nU12,12.7mm,-3.81mm,T,90\n";
constexpr const char* kInches = "RefDes,X (in),Y (in),Side,Rotate\nU12,1.25,-0.0005,Bottom,450\n";

struct FillRow {
    const char* name;
    Design design;
    numtext::Locale locale;
    const char* bytes;
    bool mm;  // the unit option the fill selects
    const char* x;
    const char* y;
    const char* angle;
    CheckValue flipped;
    const char* unit;  // as the caption ends: "(mm)"
};

class FillShows : public ::testing::TestWithParam<FillRow> {};

TEST_P(FillShows, TheRowInTheFilesUnitAndTheUsersFormatAndWritesNothing) {
    const FillRow& row = GetParam();
    SimSession session(row.design, "", row.locale);
    session.dialog().Form_Load();
    session.form.userGivesFiles({session.file("top.csv", row.bytes)});

    EXPECT_EQ(session.form.messagesToUser(), std::vector<std::string>{});
    EXPECT_EQ(session.form.isSelected(ControlId::Option4), row.mm);
    EXPECT_EQ(session.form.isSelected(ControlId::Option3), !row.mm);
    EXPECT_EQ(session.text(ControlId::Text1), row.x);
    EXPECT_EQ(session.text(ControlId::Text2), row.y);
    EXPECT_EQ(session.text(ControlId::Text3), row.angle);
    EXPECT_EQ(session.form.checkValue(ControlId::Check1), row.flipped);
    EXPECT_EQ(session.form.checkValue(ControlId::Check2),
              row.design.fixed != 0 ? CheckValue::Checked : CheckValue::Unchecked);
    EXPECT_EQ(session.form.caption(),
              std::string("CompPlace - U12 from top.csv, line 2 ") + row.unit);
    EXPECT_EQ(session.form.captionParts().name, "top.csv") << "the part a narrow window cuts";
    EXPECT_EQ(session.calls().size(), 3u) << "nothing reaches the host before Move";
}

constexpr auto kDot = testing_support::kDotLocale;
constexpr auto kUnchecked = CheckValue::Unchecked;
constexpr auto kChecked = CheckValue::Checked;

INSTANTIATE_TEST_SUITE_P(
    Files, FillShows,
    ::testing::Values(
        FillRow{"MmInAMilsDialog", milsAbsolute(1, 1), kDot, kMmCpl, true, "12.7", "-3.81", " 90",
                kUnchecked, "(mm)"},
        FillRow{"MilColumnsInAMmDialog", mmRelative(), kDot,
                "Designator,Mid X(mil),Mid Y(mil),Layer,Rotation\nU12,500,-250,B,-90\n", false,
                "500", "-250", " 270", kChecked, "(mil)"},
        FillRow{"InchesIntoMilsAndTheAngleIntoOneTurn", mmRelative(), kDot, kInches, false, "1250",
                "-0.5", " 90", kChecked, "(in)"},
        FillRow{"NoUnitIsMmAssumed", milsAbsolute(1, 0), kDot,
                "Ref,Val,Package,PosX,PosY,Rot,Side\nU12,10k,R0603,1.5,2.5,0,top\n", true, "1.5",
                "2.5", " 0", kUnchecked, "(mm, assumed)"},
        FillRow{"TheUsersDecimalComma", milsAbsolute(0, 0), testing_support::kCommaLocale, kMmCpl,
                true, "12,7", "-3,81", " 90", kUnchecked, "(mm)"},
        FillRow{"NoSideNorRotationLeavesFlippedAndTheAngle", mmRelative(), kDot,
                "Ref,PosX,PosY\nU12,1,2\n", true, "1", "2", " 90", kUnchecked, "(mm, assumed)"}),
    [](const auto& row) { return std::string(row.param.name); });

struct MoveRow {
    const char* name;
    Design design;
    const char* bytes;
    const char* modify;  // the modify's location and flags, as the host receives them
    const char* angle;   // the design's, after the move
};

class MoveAfterAFill : public ::testing::TestWithParam<MoveRow> {};

TEST_P(MoveAfterAFill, WritesExactlyTheFilesValue) {
    const MoveRow& row = GetParam();
    SimSession session(row.design);
    session.dialog().Form_Load();
    session.form.userGivesFiles({session.file("top.csv", row.bytes)});
    session.click(ControlId::Command1);

    const auto modifies = session.callsTo("TModifyComponent");
    ASSERT_EQ(modifies.size(), 1u);
    EXPECT_NE(modifies[0].find(row.modify), std::string::npos) << modifies[0];
    EXPECT_EQ(session.designFile()["angle"], row.angle);
    EXPECT_FALSE(session.form.offersPlaceFromFile()) << "only Undo and Exit after a move";
}

Design mmAbsoluteAt254003() {
    Design d = mmRelative();
    d.originMode = 1;
    d.x = 254003;
    d.y = 0;
    return d;
}

INSTANTIATE_TEST_SUITE_P(
    Files, MoveAfterAFill,
    ::testing::Values(
        // 12.7 mm and -3.81 mm from the origin at (1000, 2000); -90 is 270.
        MoveRow{"RelativeToTheOrigin", mmRelative(), "Ref,PosX,PosY,Rot\nU12,12.7,-3.81,-90\n",
                "location=1271000,-379000 flipped=0", "2700"},
        // 254003 shows as 2.540: the file's 2.540 is 254000, not the shown value.
        MoveRow{"AFileTextThatLooksLikeTheShownOne", mmAbsoluteAt254003(),
                "Ref,PosX,PosY\nU12,2.540,0.000\n", "location=254000,0 flipped=0", "900"},
        MoveRow{"InchesExactly", milsAbsolute(0, 0), kInches, "location=3175000,-1270 flipped=1",
                "900"}),
    [](const auto& row) { return std::string(row.param.name); });

// After a fill from a bottom-side row at -90.04 degrees: it stays whole, or all of it ends.
struct WholeRow {
    const char* name;
    const char* failures;
    std::vector<std::pair<ControlId, const char*>> steps;  // text typed, or a click (nullptr)
    const char* refill;  // b.csv given after the steps; nullptr: none
    const char* shown;   // "X, Y, angle[, flipped]; caption"
    const char* design;  // the design file's location, angle and flipped: exactly the file's
};

class AFill : public ::testing::TestWithParam<WholeRow> {};

TEST_P(AFill, StaysOneWholeUntilAMoveIsRefusedOrAnotherReplacesIt) {
    const WholeRow& row = GetParam();
    SimSession session(mmRelative(), row.failures);
    session.dialog().Form_Load();
    session.form.userGivesFiles(
        {session.file("top.csv", "Ref,X,Y,Side,Rot\nU12,12.345,6.35,B,-90.04")});
    for (const auto& [id, typed] : row.steps) {
        typed != nullptr ? session.type(id, typed) : session.click(id);
    }
    if (row.refill != nullptr) {
        session.form.userGivesFiles({session.file("b.csv", row.refill)});
    }
    const bool flipped = session.form.checkValue(ControlId::Check1) == CheckValue::Checked;
    EXPECT_EQ(session.text(ControlId::Text1) + ", " + session.text(ControlId::Text2) + "," +
                  session.text(ControlId::Text3) + (flipped ? ", flipped; " : "; ") +
                  session.form.caption(),
              row.shown);
    auto design = session.designFile();
    EXPECT_EQ(design["location"] + " " + design["angle"] + " " + design["flipped"], row.design);
}

constexpr auto kUnwritten = "254000 127000 900 0";

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Sessions, AFill,
    ::testing::Values(
        WholeRow{"MilsAndBackMoveTheFilesNumbers", "", {{ControlId::Option3, nullptr}, {ControlId::Option4, nullptr}, {ControlId::Command1, nullptr}}, nullptr, "12.345, 6.35, 270, flipped; CompPlace - U12 from top.csv, line 2 (mm, assumed)", "1235500 637000 2700 1"},
        WholeRow{"MovedInMilsAndAbsolute", "", {{ControlId::Option3, nullptr}, {ControlId::Option1, nullptr}, {ControlId::Command1, nullptr}}, nullptr, "486.0, 250.0, 270, flipped; CompPlace - U12 from top.csv, line 2 (mm, assumed)", "1234500 635000 2700 1"},
        WholeRow{"NotANumberEndsAllOfIt", "", {{ControlId::Text1, "abc"}, {ControlId::Command1, nullptr}}, nullptr, "2.530, 1.250, 90; CompPlace", kUnwritten},
        WholeRow{"BeyondTheRangeEndsAllOfItUnwritten", "", {{ControlId::Text1, "2000"}, {ControlId::Command1, nullptr}}, nullptr, "2.530, 1.250, 90; CompPlace", kUnwritten},
        WholeRow{"ARefusedModifyEndsAllOfIt", "TModifyComponent@1=7", {{ControlId::Command1, nullptr}}, nullptr, "2.530, 1.250, 90; CompPlace", kUnwritten},
        WholeRow{"AnotherFillReplacesAllOfIt", "", {{ControlId::Option3, nullptr}}, "Ref,PosX,PosY\nU12,1,2\n", "1, 2, 90; CompPlace - U12 from b.csv, line 2 (mm, assumed)", kUnwritten}),
    [](const auto& row) { return std::string(row.param.name); });
// clang-format on

TEST(PlaceFromFile, SeveralFilesAtOnceAreOneRefusal) {
    SimSession session(mmRelative());
    session.dialog().Form_Load();
    session.form.userGivesFiles({session.file("a.csv", kMmCpl), session.file("b.csv", kMmCpl)});
    EXPECT_EQ(session.form.messagesToUser(),
              std::vector<std::string>{"One placement file at a time, please: 2 were given"});
    EXPECT_EQ(session.text(ControlId::Text1), "2.530");
}

// What the user gives: a file holding the row's bytes, or one of these.
constexpr const char* kMissing = "<missing>";
constexpr const char* kFolder = "<folder>";
constexpr const char* kTooLarge = "<too large>";

form::GivenFile give(SimSession& session, const char* bytes) {
    const bool made = bytes == kMissing || bytes == kFolder || bytes == kTooLarge;
    form::GivenFile file = session.file("top.csv", made ? "" : bytes);
    if (bytes == kMissing || bytes == kFolder) {
        unlink(file.path.c_str());
    }
    if (bytes == kFolder) {
        mkdir(file.path.c_str(), 0700);
    }
    if (bytes == kTooLarge) {  // sparse: no disk space taken
        EXPECT_EQ(truncate(file.path.c_str(), placement::kMaxFileBytes + 1), 0);
    }
    return file;
}

struct RefusalRow {
    const char* name;
    const char* bytes;
    const char* says;  // the message holds this, naming the file
};

class FileRefused : public ::testing::TestWithParam<RefusalRow> {};

TEST_P(FileRefused, InOneMessageAndTheDialogKeepsWhatItShowed) {
    SimSession session(mmRelative());
    session.dialog().Form_Load();
    session.form.userGivesFiles({give(session, GetParam().bytes)});

    ASSERT_EQ(session.form.messagesToUser().size(), 1u);
    EXPECT_NE(session.form.messagesToUser()[0].find(GetParam().says), std::string::npos)
        << session.form.messagesToUser()[0];
    EXPECT_TRUE(session.form.isSelected(ControlId::Option4));
    EXPECT_EQ(session.text(ControlId::Text1), "2.530");
    EXPECT_EQ(session.text(ControlId::Text2), "1.250");
    EXPECT_EQ(session.text(ControlId::Text3), " 90");
    EXPECT_EQ(session.form.caption(), "CompPlace");
    EXPECT_EQ(session.calls().size(), 3u);
}

INSTANTIATE_TEST_SUITE_P(
    Files, FileRefused,
    ::testing::Values(
        RefusalRow{"Missing", kMissing, "top.csv is not there"},
        RefusalRow{"AFolder", kFolder, "top.csv cannot be read"},
        RefusalRow{"TooLarge", kTooLarge, "top.csv is larger than 64 MB"},
        RefusalRow{"NotInTheFile", "Ref,PosX,PosY\nU1,1,2\n", "U12 is not in top.csv"},
        RefusalRow{"TwiceInTheFile", "Ref,PosX,PosY\nU12,1,2\nU12,3,4\n", "lines 2 and 3"},
        RefusalRow{"NotAPlacementFile", "Name,Value\nU12,10k\n", "top.csv is not a placement"},
        RefusalRow{"ANumberThatIsNone", "Ref,PosX,PosY\nU12,abc,3\n", "top.csv, line 2"},
        RefusalRow{"OutsideTheRange", "Ref,PosX,PosY\nU12,2000,0\n",
                   "top.csv, line 2: X 2000, Y 0 mm from the relative origin is outside the "
                   "design's range"}),
    [](const auto& row) { return std::string(row.param.name); });

// The unattended move: all of it, or a message and nothing written.
struct UnattendedRow {
    const char* name;
    Design design;
    const char* failures;
    const char* bytes;
    bool moved;
    const char* location;  // in the design file afterwards
    const char* says;      // the one message; empty: none
};

class MoveFromFile : public ::testing::TestWithParam<UnattendedRow> {};

TEST_P(MoveFromFile, EndsWithTheConnectionClosedAndSaysWhyWhenItDidNotMove) {
    const UnattendedRow& row = GetParam();
    SimSession session(row.design, row.failures);
    session.dialog().Form_Load();
    EXPECT_EQ(session.dialog().moveFromFile(session.file("top.csv", row.bytes)), row.moved);

    EXPECT_TRUE(session.form.hasEnded());
    EXPECT_EQ(session.calls().back(), "TCloseDesign");
    EXPECT_EQ(session.designFile()["location"], row.location);
    const std::vector<std::string>& messages = session.form.messagesToUser();
    ASSERT_EQ(messages.size(), std::string(row.says).empty() ? 0u : 1u);
    if (!messages.empty()) {
        EXPECT_NE(messages[0].find(row.says), std::string::npos) << messages[0];
    }
}

Design nothingSelected() {
    Design d = mmRelative();
    d.itemType = 0;
    return d;
}

constexpr const char* kAt = "254000 127000";
constexpr const char* kMoved = "1271000 -379000";

INSTANTIATE_TEST_SUITE_P(
    Sessions, MoveFromFile,
    ::testing::Values(UnattendedRow{"Moves", mmRelative(), "", kMmCpl, true, kMoved, ""},
                      UnattendedRow{"NotInTheFile", mmRelative(), "", "Ref,X,Y\nC1,1,2\n", false,
                                    kAt, "U12 is not in top.csv"},
                      UnattendedRow{"HostRefusesTheModify", mmRelative(), "TModifyComponent@1=7",
                                    kMmCpl, false, kAt, "nothing was written"},
                      UnattendedRow{"HostRefusesTheTurn", mmRelative(), "TRotateComponent@1=7",
                                    kMmCpl, false, kMoved, "did not turn it"},
                      UnattendedRow{"NoComponentSelected", nothingSelected(), "", kMmCpl, false,
                                    kAt, "the host gave no selected component"},
                      UnattendedRow{"TheDesignDoesNotOpen", mmRelative(), "TOpenDesign@1=7", kMmCpl,
                                    false, kAt, "the host could not open the design (status 7)"}),
    [](const auto& row) { return std::string(row.param.name); });

}  // namespace
