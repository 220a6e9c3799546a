#include "placement/placement_file.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace placement {
namespace {

using units::UnitFactor;

// The bytes of UTF-16LE text with its byte order mark.
std::string utf16le(std::u16string_view text) {
    std::string bytes = "\xFF\xFE";
    for (const char16_t unit : text) {
        bytes.push_back(static_cast<char>(unit & 0xFF));
        bytes.push_back(static_cast<char>(unit >> 8));
    }
    return bytes;
}

// A placement file of the corpus in tests/placement/files, one a trait.
std::string corpus(const std::string& name) {
    std::ifstream file(std::string(COMPPLACE_PLACEMENT_FILES) + "/" + name, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

// A text position file: the columns padded by bytes, so the UTF-8 "µ" (two
// bytes) shifts the rest of its line, and a value with blanks and a comma.
const std::string kPosText =
    "### Footprint positions, written for a test\n"
    "## Unit = mm, Angle = deg.\n"
    "## Side : All\n"
    "# Ref     Val              Package     PosX       PosY       Rot       Side\n"
    "C1        100n             C_0603      95.2500    -62.2300   90.0000   top\n"
    "R7        4k7 1%, 0.1W     R_0805      100.0000   -50.0000   180.0000  bottom\n"
    "L2        10\xC2\xB5H            L_1210      12.7000    -3.1750    270.0000  bottom\n"
    "## End\n";

// A report: a preamble, every field quoted, a description holding a line
// break, the unit in the preamble.
const std::string kReport =
    "Pick and place locations, written for a test\n"
    "\n"
    "Units used: mil\n"
    "\n"
    "\"Designator\",\"Comment\",\"Layer\",\"Footprint\",\"Center-X\",\"Center-Y\",\"Rotation\","
    "\"Description\"\n"
    "\"C1\",\"100nF\",\"TopLayer\",\"0603\",\"1000\",\"2000\",\"0\",\"Capacitor,\n"
    "ceramic, \"\"X7R\"\"\"\n"
    "\"U12\",\"MCU\",\"BottomLayer\",\"QFP32\",\"2910\",\"-1250.5\",\"90\",\"Controller\"\n";

struct FileRow {
    const char* name;
    std::string bytes;
    std::string fileName;
    std::string refDes;
    std::size_t line;
    std::string x;
    std::string y;
    UnitFactor boxUnit;
    std::string fileUnit;
    bool unitAssumed;
    std::optional<double> rotation;
    Side side;
};

void PrintTo(const FileRow& row, std::ostream* out) {
    *out << row.name;
}

class FindRow : public testing::TestWithParam<FileRow> {};

TEST_P(FindRow, GivesTheRowAsTheFileWritesIt) {
    const FileRow& expected = GetParam();
    const Lookup lookup = findRow(expected.bytes, expected.fileName, expected.refDes);
    ASSERT_TRUE(lookup.row) << lookup.refusal;
    EXPECT_EQ(lookup.refusal, "");
    const PlacementRow& row = *lookup.row;
    EXPECT_EQ(row.line, expected.line);
    EXPECT_EQ(row.x, expected.x);
    EXPECT_EQ(row.y, expected.y);
    EXPECT_EQ(row.boxUnit, expected.boxUnit);
    EXPECT_EQ(row.fileUnit, expected.fileUnit);
    EXPECT_EQ(row.unitAssumed, expected.unitAssumed);
    EXPECT_EQ(row.rotationDegrees, expected.rotation);
    EXPECT_EQ(row.side, expected.side);
}

constexpr UnitFactor kMm = UnitFactor::PerMm;
constexpr UnitFactor kMil = UnitFactor::PerMil;

INSTANTIATE_TEST_SUITE_P(
    PlacementFile, FindRow,
    testing::ValuesIn(std::vector<FileRow>{
        {"PosTextUnitLine", kPosText, "top.pos", "C1", 5, "95.25", "-62.23", kMm, "mm", false, 90.0,
         Side::Top},
        {"PosTextValueWithBlanksAndComma", kPosText, "top.pos", "R7", 6, "100", "-50", kMm, "mm",
         false, 180.0, Side::Bottom},
        {"PosTextNonAsciiValueShiftsColumns", kPosText, "top.pos", "L2", 7, "12.7", "-3.175", kMm,
         "mm", false, 270.0, Side::Bottom},
        {"PosTextFrontAndBack",
         "## Unit = mm\n# Ref Val Package PosX PosY Rot Side\nC1 1u C_0402 1 2 0 Front\n"
         "U12 MCU QFN 3.5 -4 45 Back\n",
         "board.pos", "U12", 4, "3.5", "-4", kMm, "mm", false, 45.0, Side::Bottom},
        {"PosCsvWithoutUnitLine",
         "Ref,Val,Package,PosX,PosY,Rot,Side\n\"C1\",\"100n\",\"C_0603\",95.25,-62.23,90,top\n"
         "\"U12\",\"MCU\",\"QFP\",-12.7,25.4,180.0,bottom\n",
         "board-all-pos.csv", "U12", 3, "-12.7", "25.4", kMm, "mm", true, 180.0, Side::Bottom},
        {"ReportPreambleStatesUnit", kReport, "Pick Place.csv", "U12", 8, "2910", "-1250.5", kMil,
         "mil", false, 90.0, Side::Bottom},
        {"ReportQuotedLineBreakCountsLines", kReport, "Pick Place.csv", "C1", 6, "1000", "2000",
         kMil, "mil", false, 0.0, Side::Top},
        {"ColumnNameCarriesUnit",
         "\"Designator\",\"Layer\",\"Center-X(mil)\",\"Center-Y(mil)\",\"Rotation\"\n"
         "\"U12\",\"TopLayer\",\"150.5\",\"-75\",\"270\"\n",
         "report.csv", "U12", 2, "150.5", "-75", kMil, "mil", false, 270.0, Side::Top},
        {"CplUtf8BomMmSuffixCrLf",
         "\xEF\xBB\xBF"
         "Designator,Mid X,Mid Y,Layer,Rotation\r\nC1,10.5mm,20.3mm,T,0\r\n"
         "U12,95.25mm,-62.23mm,B,90\r\n",
         "cpl.csv", "U12", 3, "95.25", "-62.23", kMm, "mm", false, 90.0, Side::Bottom},
        {"CplMilSuffix", "Designator,Mid X,Mid Y,Layer,Rotation\nU12,2910mil,1250 mil,T,45\n",
         "cpl.csv", "U12", 2, "2910", "1250", kMil, "mil", false, 45.0, Side::Top},
        {"CplUtf16LeBomTabs",
         utf16le(u"Designator\tFootprint\tMid X\tMid Y\tLayer\tRotation\tComment\r\n"
                 u"C1\t0603\t1.27mm\t2.54mm\tT\t0\t100n\u03A9\r\n"
                 u"U12\tQFN\t-3.5mm\t7.25mm\tB\t180\t\u00B5C\r\n"),
         "cpl.txt", "U12", 3, "-3.5", "7.25", kMm, "mm", false, 180.0, Side::Bottom},
        {"CplTabThenCommaTrailingSeparatorPadded",
         "Designator\t,Mid X\t,Mid Y\t,Layer\t,Rotation\t,\nC1\t,  10.5\t,  20.3\t,T\t,  0\t,\n"
         "U12\t, -95.25\t,   62.23\t,B\t, 180\t,\n",
         "cpl.csv", "U12", 3, "-95.25", "62.23", kMm, "mm", true, 180.0, Side::Bottom},
        {"ReferencePointBeforeCentre",
         "Designator,Mid X,Mid Y,Ref X,Ref Y,Layer\nU12,1.5,2.5,3.25,4.75,Bot\n", "cpl.csv", "U12",
         2, "3.25", "4.75", kMm, "mm", true, std::nullopt, Side::Bottom},
        {"InchColumnsToMils",
         "RefDes,Type,Value,X (in),Y (in),Side,Rotate\nC1,CAP,100n,1,2,Top,0\n"
         "U12,IC,MCU,2.875,-0.0005,Bottom,-90\n",
         "xy.csv", "U12", 3, "2875", "-0.5", kMil, "in", false, -90.0, Side::Bottom},
        {"EagleMntNoHeader", "C1 10.16 20.32 90 100n C0603\nU12 25.40 -3.81 270 ATMEGA TQFP32\n",
         "board.mnt", "U12", 2, "25.4", "-3.81", kMm, "mm", false, 270.0, Side::Top},
        {"EagleMnbIsBottom", "R1   1.00   2.50   0 10k R0603\n", "board.mnb", "R1", 1, "1", "2.5",
         kMm, "mm", false, 0.0, Side::Bottom},
        {"PcbXyCommentsAndUnitLine",
         "# PcbXY Version 1.0\n# Date: today\n# Title: sample - PCB X-Y\n"
         "# RefDes, Description, Value, X, Y, rotation, top/bottom\n"
         "# X,Y in mm.  rotation in degrees.\n# --------------------------------------------\n"
         "C1,\"0603\",\"100n\",10.16,20.32,90,top\nU12,\"QFP 32\",\"ATMEGA, 5V\",25.4,-3.81,180,"
         "bottom\n",
         "board.xy", "U12", 8, "25.4", "-3.81", kMm, "mm", false, 180.0, Side::Bottom},
        {"WholeRecordQuotedOnce",
         "\"Designator,\"\"Mid X\"\",\"\"Mid "
         "Y\"\",Layer,Rotation\"\n\"C1,\"\"1.5\"\",\"\"2.5\"\",T,0\"\n"
         "\"U12,\"\"10.5\"\",\"\"-20.25\"\",B,45\"\n",
         "cpl.csv", "U12", 3, "10.5", "-20.25", kMm, "mm", true, 45.0, Side::Bottom},
        {"SemicolonsWithDecimalComma",
         "Designator;Mid X;Mid Y;Layer;Rotation\nU12;12,5;-3,25;T;90,5\n", "cpl.csv", "U12", 2,
         "12.5", "-3.25", kMm, "mm", true, 90.5, Side::Top},
        {"CrLineEnds", "Designator,X,Y\rC1,1,2\rU12,3,4\r", "xy.csv", "U12", 3, "3", "4", kMm, "mm",
         true, std::nullopt, Side::NotGiven},
        {"Windows1252InOtherFields",
         "Designator,Comment,X,Y\nC1,\xB5"
         "F cap,1,2\nU12,\xE9t\xE9,3,4\n",
         "xy.csv", "U12", 3, "3", "4", kMm, "mm", true, std::nullopt, Side::NotGiven},
        {"Utf8DesignatorAsSingleByteText",
         "Designator,X,Y\nR\xC3\x9C"
         "1,5,6\n",
         "xy.csv",
         "R\xDC"
         "1",
         2, "5", "6", kMm, "mm", true, std::nullopt, Side::NotGiven},
        {"MatchIgnoringCase", "Designator,X,Y\nc1,1,2\nu12,3,4\n", "xy.csv", "U12", 3, "3", "4",
         kMm, "mm", true, std::nullopt, Side::NotGiven},
        {"ExactMatchBeforeIgnoringCase", "Designator,X,Y\nu12,1,2\nU12,3,4\n", "xy.csv", "U12", 3,
         "3", "4", kMm, "mm", true, std::nullopt, Side::NotGiven},
        {"UnitLineCentimetres", corpus("unit-line-centimetres.csv"), "a.csv", "U12", 5, "-6.35",
         "101.6", kMm, "cm", false, 90.0, Side::Bottom},
        {"UnitLineTenthsOfAMil", corpus("unit-line-tenth-mil.txt"), "a.txt", "U12", 6, "2910.5",
         "1250.5", kMil, "0.1 mil", false, 180.0, Side::NotGiven},
        {"ReportQuotesFieldsWithBlanks", corpus("report-quoted-blanks.txt"), "a.txt",
         "Analog Joystick", 7, "35.56", "-12.7", kMm, "mm", false, 270.0, Side::Top},
        {"NameOfDesignatorsBesideComponentOfPartNames", corpus("name-and-component.csv"), "a.csv",
         "U12", 5, "12.7", "6.35", kMm, "mm", true, 270.0, Side::Bottom},
        {"QualifiedNamesUnitInBrackets", corpus("qualified-names.csv"), "a.csv", "U12", 2, "500.5",
         "750", kMil, "mil", false, 45.0, Side::NotGiven},
        {"CentreNamesBesidePadColumns", corpus("centre-named.txt"), "a.txt", "U12", 2, "12.7",
         "-6.35", kMm, "mm", false, 90.0, Side::NotGiven},
        {"BangBetweenColumns", corpus("bang-separated.rpt"), "a.rpt", "U12", 6, "2910", "-1250.5",
         kMil, "mil", false, 90.0, Side::Bottom},
        {"PipeBetweenColumns", corpus("pipe-separated.txt"), "a.txt", "U12", 4, "95.25", "-62.23",
         kMm, "mm", false, 180.0, Side::Bottom},
        {"UnitStatementBeforeHeaderlessLines", corpus("unit-statement-headerless.txt"), "a.txt",
         "U12", 3, "25.4", "-3.81", kMm, "mm", false, 270.0, Side::NotGiven},
        {"ExponentsAndRotationWithDeg", corpus("exponents-and-rotations.csv"), "a.csv", "U12", 3,
         "25.4", "5.08", kMm, "mm", true, 90.0, Side::NotGiven},
        {"RotationWithRPrefix", corpus("exponents-and-rotations.csv"), "a.csv", "C1", 2, "12.7",
         "-0.635", kMm, "mm", true, 90.0, Side::NotGiven},
        {"RotationWithDegreeSign", corpus("exponents-and-rotations.csv"), "a.csv", "R1", 4, "1",
         "2", kMm, "mm", true, -45.0, Side::NotGiven},
        {"Utf16BigEndianWithItsMark", corpus("utf16be-bom.txt"), "a.txt", "U12", 3, "-3.5", "7.25",
         kMm, "mm", false, 180.0, Side::Bottom},
        {"HeaderAfterALongPreamble", corpus("header-after-long-preamble.csv"), "a.csv", "U12", 244,
         "3.5", "-4.25", kMm, "mm", true, 90.0, Side::NotGiven},
        {"HeaderlessRowsWithSideBeforeRotation", "U12,12.70mm,6.35mm,B,-90\n", "clip", "U12", 1,
         "12.7", "6.35", kMm, "mm", false, -90.0, Side::Bottom},
    }),
    [](const testing::TestParamInfo<FileRow>& row) { return std::string(row.param.name); });

struct RefusalRow {
    const char* name;
    std::string bytes;
    std::string refDes;
    std::string refusal;
};

void PrintTo(const RefusalRow& row, std::ostream* out) {
    *out << row.name;
}

class RefuseRow : public testing::TestWithParam<RefusalRow> {};

TEST_P(RefuseRow, SaysWhyInOneSentence) {
    const RefusalRow& expected = GetParam();
    const Lookup lookup = findRow(expected.bytes, "top.pos", expected.refDes);
    EXPECT_FALSE(lookup.row) << "line " << lookup.row.value_or(PlacementRow{}).line;
    EXPECT_EQ(lookup.refusal, expected.refusal);
}

INSTANTIATE_TEST_SUITE_P(
    PlacementFile, RefuseRow,
    testing::ValuesIn(std::vector<RefusalRow>{
        {"NotInTheFile", "Ref,X,Y\nC1,1,2\nC2,1,2\n# C3,1,2\n,4,5\n", "U12",
         "U12 is not in top.pos: 2 parts read"},
        {"NotInTheFileOfOnePart", "Ref,X,Y\nC1,1,2\n", "U12", "U12 is not in top.pos: 1 part read"},
        {"TwiceExactly", "Ref,X,Y\nU12,1,2\nC1,1,2\nU12,3,4\nu12,5,6\n", "U12",
         "U12 is in top.pos more than once: lines 2 and 4"},
        {"ThriceIgnoringCase", "Ref,X,Y\nu12,1,2\nu12,3,4\nC1,1,2\nu12,5,6\n", "U12",
         "U12 is in top.pos more than once: lines 2, 3 and 5"},
        {"ManyTimesNamesTenLines",
         "Ref,X,Y\n" +
             [] {
                 std::string rows;
                 for (int i = 0; i < 12; ++i) {
                     rows += "U1,1,2\n";
                 }
                 return rows;
             }(),
         "U1", "U1 is in top.pos more than once: lines 2, 3, 4, 5, 6, 7, 8, 9, 10, 11 and 2 more"},
        {"NoHeader", "just some text\nand more\n", "U12",
         "top.pos is not a placement file: it has no column for the designator, X and Y"},
        {"NoYColumn", "Designator,X,Rotation\nU12,1,2\n", "U12",
         "top.pos is not a placement file: it has no column for the designator, X and Y"},
        {"Empty", " \r\n\t\n", "U12", "top.pos is empty"},
        {"XNotANumber", "Ref;X;Y\nU12;1,2,3;4\n", "U12",
         "top.pos, line 2: the X value \"1,2,3\" is not a number"},
        {"YNotANumber", "Ref,X,Y\nU12,1,4 ft\n", "U12",
         "top.pos, line 2: the Y value \"4 ft\" is not a number"},
        {"XMissingAtTheEnd", "# Ref Val PosX PosY Rot\nU12 1.5\n", "U12",
         "top.pos, line 2: the X value \"\" is not a number"},
        {"XTooLarge", "Ref,X,Y\nU12,12345678901234567,4\n", "U12",
         "top.pos, line 2: the X value \"12345678901234567\" is too large"},
        {"RotationNotANumber", "Ref,X,Y,Rot\nU12,1,2,up\n", "U12",
         "top.pos, line 2: the rotation \"up\" is not a number"},
        {"StatedUnitCannotBeReadExactly", corpus("unit-line-unusable.txt"), "U12",
         "top.pos, line 1: the file's unit \"DBU\" is not one that can be read exactly (mm, cm, "
         "um, "
         "in, mil or 0.1 mil)"},
        {"TwoUnitsStated", "Units: mm\nUnits: mil\nRef,X,Y\nU12,1,2\n", "U12",
         "top.pos, line 1: the file states its unit as mm here and as mil on line 2"},
        {"TwoReadingsAsGoodDisagree", "Ref;X;Y\nRef,X,Y\nU12;1,5;2,5\nU12,3,4\n", "U12",
         "top.pos can be read two ways that disagree on U12: split at \",\" with the header on "
         "line 2, U12 is at X 3, Y 4 mm (line 4); split at \";\" with the header on line 1, U12 is "
         "at X 1.5, Y 2.5 mm (line 3)"},
        {"XAndYInDifferentUnits", "Ref,X,Y\nU12,1mm,2mil\n", "U12",
         "top.pos, line 2: the X value \"1mm\" and the Y value \"2mil\" name different units"},
        {"LongValueQuotedShort", "Ref,X,Y\nU12,1,22222222222222222222222222222222222222222x\n",
         "U12",
         "top.pos, line 2: the Y value \"2222222222222222222222222222222222222222...\" is not a "
         "number"},
    }),
    [](const testing::TestParamInfo<RefusalRow>& row) { return std::string(row.param.name); });

TEST(PlacementFile, RefusesAFileLargerThanTheLimitBeforeReadingIt) {
    const std::string bytes(kMaxFileBytes + 1, '\n');
    const Lookup lookup = findRow(bytes, "top.pos", "U12");
    EXPECT_FALSE(lookup.row);
    EXPECT_EQ(lookup.refusal, "top.pos is larger than 64 MB");
}

}  // namespace
}  // namespace placement
