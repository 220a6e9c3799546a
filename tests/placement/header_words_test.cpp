// The words of a header and of the lines before it: which column names are
// X and Y, and which lines state the file's unit.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "placement/columns.h"
#include "placement/words.h"

namespace placement {
namespace {

struct NameRow {
    const char* xName;
    const char* yName;
    bool coordinates;  // the pair is taken as X and Y
    std::optional<std::string> unit;
};

class CoordinateNames : public testing::TestWithParam<NameRow> {};

TEST_P(CoordinateNames, HoldXOrYAsAWordWithQualifiersAndUnits) {
    const NameRow& row = GetParam();
    const std::optional<Columns> columns =
        headerColumns({"Designator", "Footprint", row.xName, row.yName}, false);
    ASSERT_EQ(columns.has_value(), row.coordinates) << row.xName;
    if (columns) {
        EXPECT_EQ(columns->x, 2u) << row.xName;
        EXPECT_EQ(columns->y, 3u) << row.xName;
        EXPECT_EQ(columns->xUnit ? std::optional<std::string>(columns->xUnit->name) : std::nullopt,
                  row.unit)
            << row.xName;
    }
}

INSTANTIATE_TEST_SUITE_P(Placement, CoordinateNames,
                         testing::Values(NameRow{"X", "Y", true, std::nullopt},
                                         NameRow{"PosX", "PosY", true, std::nullopt},
                                         NameRow{"Xpos", "Ypos", true, std::nullopt},
                                         NameRow{"Position X", "Position Y", true, std::nullopt},
                                         NameRow{"X-Location", "Y-Location", true, std::nullopt},
                                         NameRow{"symbol_x", "symbol_y", true, std::nullopt},
                                         NameRow{"Centre X (mm)", "Centre Y (mm)", true, "mm"},
                                         NameRow{"X [mil]", "Y [mil]", true, "mil"},
                                         NameRow{"Center-X(in)", "Center-Y(in)", true, "in"},
                                         NameRow{"Pad X", "Pad Y", false, std::nullopt},
                                         NameRow{"X Size", "Y Size", false, std::nullopt},
                                         NameRow{"Mid X", "Ref Y", false, std::nullopt}));

TEST(CoordinateNames, TheReferencePointBeforeThePlainAndTheCentre) {
    const std::optional<Columns> columns =
        headerColumns({"Ref", "Mid X", "Mid Y", "Pos X", "Pos Y", "Ref X", "Ref Y"}, false);
    ASSERT_TRUE(columns);
    EXPECT_EQ(columns->x, 5u);
    EXPECT_EQ(columns->y, 6u);
}

struct StatementRow {
    const char* line;
    bool states;
    std::optional<std::string> unit;  // nothing: a unit that cannot be read
    const char* word;
};

class UnitStatements : public testing::TestWithParam<StatementRow> {};

TEST_P(UnitStatements, SayTheFilesUnitInTheirManyForms) {
    const StatementRow& row = GetParam();
    const std::optional<UnitStatement> statement = unitStatedIn(row.line);
    ASSERT_EQ(statement.has_value(), row.states) << row.line;
    if (statement) {
        EXPECT_EQ(
            statement->unit ? std::optional<std::string>(statement->unit->name) : std::nullopt,
            row.unit)
            << row.line;
        EXPECT_EQ(statement->word, row.word) << row.line;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Placement, UnitStatements,
    testing::Values(StatementRow{"UUNITS = MILLIMETERS", true, "mm", "MILLIMETERS"},
                    StatementRow{"Units used: mil", true, "mil", "mil"},
                    StatementRow{"Unit = inch", true, "in", "inch"},
                    StatementRow{"# Unit: cm", true, "cm", "cm"},
                    StatementRow{"# X,Y in mil.", true, "mil", "mil"},
                    StatementRow{"## Unit = mm, Angle = deg.", true, "mm", "mm"},
                    StatementRow{"UNITS = 0.1 MIL", true, "0.1 mil", "0.1 MIL"},
                    StatementRow{"Units: DBU", true, std::nullopt, "DBU"},
                    StatementRow{"Units placed: 43", false, std::nullopt, ""},
                    StatementRow{"Angle unit: degrees", false, std::nullopt, ""},
                    StatementRow{"Unit count = 12", false, std::nullopt, ""}));

}  // namespace
}  // namespace placement
