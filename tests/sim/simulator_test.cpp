// The host simulator, loaded with dlopen and driven through its exported
// functions with the record bytes the program would pass.
#include <dlfcn.h>
#include <gtest/gtest.h>
#include <stdlib.h>

#include <array>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <limits>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "dbx/records.h"

namespace {

using Context = std::array<dbx::Byte, 28>;

struct Host {
    std::int32_t (*open)(std::int32_t, std::int32_t, const char*, void*);
    std::int32_t (*close)(void*, const char*);
    std::int32_t (*item)(void*, void*);
    std::int32_t (*info)(void*, void*);
    std::int32_t (*modify)(void*, void*);
    std::int32_t (*rotate)(void*, std::int32_t, void*, void*);
    std::int32_t (*reset)();
};

template <typename F>
void bind(void* library, const char* name, F& function) {
    void* address = dlsym(library, name);
    if (address == nullptr) {
        throw std::runtime_error(std::string("missing export ") + name);
    }
    function = reinterpret_cast<F>(address);
}

const Host& host() {
    static const Host loaded = [] {
        void* library = dlopen(COMPPLACE_SIM_LIBRARY, RTLD_NOW | RTLD_LOCAL);
        if (library == nullptr) {
            throw std::runtime_error(dlerror());
        }
        Host h{};
        bind(library, "TOpenDesign", h.open);
        bind(library, "TCloseDesign", h.close);
        bind(library, "TGetFirstSelectedItem", h.item);
        bind(library, "TGetDesignInfo", h.info);
        bind(library, "TModifyComponent", h.modify);
        bind(library, "TRotateComponent", h.rotate);
        bind(library, "SimReset", h.reset);
        return h;
    }();
    return loaded;
}

constexpr const char* kDesign = R"(# a mil design with U12 selected
units 0
origin_mode 1
relative_origin 1000 2000
item_type 9
comp_id 17
refdes U12
location 254000 127000   # 100, 50 mils
angle 900
flipped 0
fixed 0
text1 first text
long_text a long text
trailer 42
)";

std::string readFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

void writeFile(const std::filesystem::path& path, const std::string& text) {
    std::ofstream(path, std::ios::binary | std::ios::trunc) << text;
}

std::int32_t markOf(const dbx::ComponentRecord& record) {
    const auto& b = record.unnamedBlock668;
    return static_cast<std::int32_t>(
        static_cast<std::uint32_t>(b[0]) | static_cast<std::uint32_t>(b[1]) << 8 |
        static_cast<std::uint32_t>(b[2]) << 16 | static_cast<std::uint32_t>(b[3]) << 24);
}

class SimulatorTest : public ::testing::Test {
  protected:
    void SetUp() override {
        std::string pattern = (std::filesystem::temp_directory_path() / "sim_test_XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        dir_ = pattern;
        designPath_ = dir_ / "design.txt";
        logPath_ = dir_ / "calls.log";
        writeFile(designPath_, kDesign);
        setenv("COMPPLACE_SIM_DESIGN", designPath_.c_str(), 1);
        setenv("COMPPLACE_SIM_LOG", logPath_.c_str(), 1);
        unsetenv("COMPPLACE_SIM_FAIL");
        ASSERT_EQ(host().reset(), 0);
    }
    void TearDown() override { std::filesystem::remove_all(dir_); }

    void useFaults(const char* plan) {
        setenv("COMPPLACE_SIM_FAIL", plan, 1);
        host().reset();
    }

    std::int32_t open(Context& context) { return host().open(0, 16000, "PCB", context.data()); }
    std::int32_t open() { return open(context_); }
    std::int32_t close() { return host().close(context_.data(), ""); }

    std::int32_t readItem(dbx::ItemRecord& item) {
        dbx::ItemBytes bytes{};
        dbx::pack(item, bytes);
        const std::int32_t status = host().item(context_.data(), bytes.data());
        item = dbx::unpackItem(bytes);
        return status;
    }
    dbx::ComponentRecord selected() {
        dbx::ItemRecord item;
        EXPECT_EQ(readItem(item), 0);
        return item.itemComponent;
    }
    std::int32_t modify(dbx::ComponentRecord& record) {
        dbx::ComponentBytes bytes{};
        dbx::pack(record, bytes);
        const std::int32_t status = host().modify(context_.data(), bytes.data());
        record = dbx::unpackComponent(bytes);
        return status;
    }
    std::int32_t rotate(std::int32_t angle, dbx::ComponentRecord& record) {
        dbx::ComponentBytes bytes{};
        dbx::pack(record, bytes);
        std::array<dbx::Byte, 8> center = dbx::packPoint({{-1}, {-1}});
        const std::int32_t status =
            host().rotate(context_.data(), angle, center.data(), bytes.data());
        record = dbx::unpackComponent(bytes);
        return status;
    }

    std::vector<std::string> logLines() const {
        std::istringstream in(readFile(logPath_));
        std::vector<std::string> lines;
        for (std::string line; std::getline(in, line);) {
            lines.push_back(line);
        }
        return lines;
    }
    std::string lastLogLine() const {
        const std::vector<std::string> lines = logLines();
        return lines.empty() ? std::string{} : lines.back();
    }

    std::filesystem::path dir_;
    std::filesystem::path designPath_;
    std::filesystem::path logPath_;
    Context context_{};
};

TEST_F(SimulatorTest, AnOpenDesignServesTheSelectedComponentAndTheSettings) {
    ASSERT_EQ(open(), 0);
    dbx::ItemRecord item;
    ASSERT_EQ(readItem(item), 0);
    dbx::DesignBytes designBytes{};
    ASSERT_EQ(host().info(context_.data(), designBytes.data()), 0);

    EXPECT_EQ(item.itemType, 9);
    const dbx::ComponentRecord& c = item.itemComponent;
    EXPECT_EQ(c.compId, 17);
    EXPECT_EQ(c.refDes.str(), "U12");
    EXPECT_EQ(c.compText1.str(), "first text");
    EXPECT_EQ(c.compLongText.str(), "a long text");
    EXPECT_EQ(c.compText2.str(), "");
    EXPECT_EQ(c.location, (units::DbPoint{{254000}, {127000}}));
    EXPECT_EQ(c.angle.value, 900);
    EXPECT_EQ(c.compTrailer, 42);
    const dbx::DesignRecord design = dbx::unpackDesign(designBytes);
    EXPECT_EQ(design.units, 0);
    EXPECT_EQ(design.originMode, 1);
    EXPECT_EQ(design.relativeOrigin, (units::DbPoint{{1000}, {2000}}));
    EXPECT_EQ(logLines(), (std::vector<std::string>{
                              "TOpenDesign a0=0 version=16000 instance=PCB status=0",
                              "TGetFirstSelectedItem item_type=9 status=0",
                              "TGetDesignInfo units=0 origin_mode=1 relative_origin=1000,2000 "
                              "status=0",
                          }));
}

TEST_F(SimulatorTest, WithNothingSelectedOnlyTheItemTypeIsServed) {
    writeFile(designPath_, "item_type 0\ncomp_id 17\nrefdes U12\n");
    ASSERT_EQ(open(), 0);
    dbx::ItemRecord item;
    item.itemType = 9;
    item.itemComponent.compId = 5;
    ASSERT_EQ(readItem(item), 0);
    EXPECT_EQ(item, dbx::ItemRecord{});
    EXPECT_EQ(lastLogLine(), "TGetFirstSelectedItem item_type=0 status=0");
}

TEST_F(SimulatorTest, ModifyAppliesLocationAndFlagsButNotTheAngleAndReturnsTheComponent) {
    ASSERT_EQ(open(), 0);
    dbx::ComponentRecord record = selected();
    record.location = {{5000}, {-6000}};
    record.isFlipped = 1;
    record.isFixed = 1;
    record.angle = {1234};
    record.refDes = dbx::FixedText<100>::from("XX");
    record.unnamedBlock688[3] = 0x5A;

    ASSERT_EQ(modify(record), 0);
    EXPECT_EQ(lastLogLine(),
              "TModifyComponent id=17 location=5000,-6000 flipped=1 fixed=1 angle=1234 mark=0 "
              "status=0");
    EXPECT_EQ(record.location, (units::DbPoint{{5000}, {-6000}}));
    EXPECT_EQ(record.angle.value, 900);
    EXPECT_EQ(record.refDes.str(), "U12");
    EXPECT_EQ(record.isFlipped, 1);
    EXPECT_EQ(record.isFixed, 1);
    EXPECT_EQ(record.unnamedBlock688[3], 0x5A);
    EXPECT_EQ(selected().location, (units::DbPoint{{5000}, {-6000}}));
}

TEST_F(SimulatorTest, TheMarkCountsAcceptedChangesAndWhatTheProgramKeptArrivesNextTime) {
    ASSERT_EQ(open(), 0);
    dbx::ComponentRecord record = selected();
    ASSERT_EQ(modify(record), 0);
    EXPECT_EQ(markOf(record), 1);
    ASSERT_EQ(rotate(0, record), 0);
    EXPECT_EQ(lastLogLine(),
              "TRotateComponent angle=0 center=-1,-1 id=17 flipped=0 mark=1 "
              "new_angle=900 status=0");
    EXPECT_EQ(markOf(record), 2);

    dbx::ComponentRecord stranger = record;
    stranger.compId = 99;
    EXPECT_NE(modify(stranger), 0);
    ASSERT_EQ(modify(record), 0);
    EXPECT_NE(lastLogLine().find(" mark=2 "), std::string::npos) << lastLogLine();
    EXPECT_EQ(markOf(record), 3);
}

TEST_F(SimulatorTest, AnotherComponentIsRejectedAndNothingChanges) {
    ASSERT_EQ(open(), 0);
    dbx::ComponentRecord record = selected();
    record.compId = 18;
    record.location = {{1}, {2}};
    const dbx::ComponentRecord sent = record;

    EXPECT_NE(modify(record), 0);
    EXPECT_EQ(lastLogLine(),
              "TModifyComponent id=18 location=1,2 flipped=0 fixed=0 angle=900 mark=0 "
              "error=wrong_component status=6");
    EXPECT_NE(rotate(900, record), 0);
    EXPECT_EQ(record, sent);
    const dbx::ComponentRecord now = selected();
    EXPECT_EQ(now.location, (units::DbPoint{{254000}, {127000}}));
    EXPECT_EQ(now.angle.value, 900);
}

struct RotationRow {
    const char* name;
    std::int32_t angle;
    std::int32_t flipped;
    std::int32_t turn;
    std::int32_t expected;
};

class RotationTest : public SimulatorTest, public ::testing::WithParamInterface<RotationRow> {};

TEST_P(RotationTest, TurnsTheDesignAngleAndKeepsItWithinOneTurn) {
    const RotationRow& row = GetParam();
    writeFile(designPath_, "item_type 9\ncomp_id 3\nangle " + std::to_string(row.angle) +
                               "\nflipped " + std::to_string(row.flipped) + "\n");
    ASSERT_EQ(open(), 0);
    dbx::ComponentRecord record = selected();
    ASSERT_EQ(rotate(row.turn, record), 0);
    EXPECT_EQ(record.angle.value, row.expected);
    EXPECT_EQ(selected().angle.value, row.expected);
}

constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();
constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();

INSTANTIATE_TEST_SUITE_P(
    Rows, RotationTest,
    ::testing::Values(RotationRow{"from90To180", 900, 0, 4500, 1800},
                      RotationRow{"flippedFrom90To180", 900, 1, 2700, 1800},
                      RotationRow{"flippedAnyNonZeroFlag", 900, -1, 2700, 1800},
                      RotationRow{"fullTurnIsNoTurn", 1234, 0, 3600, 1234},
                      RotationRow{"wrapsPastOneTurn", 3599, 0, 1, 0},
                      RotationRow{"flippedWrapsBelowZero", 0, 1, 1, 3599},
                      RotationRow{"negativeTurn", 100, 0, -200, 3500},
                      RotationRow{"negativeDesignAngle", -900, 0, 0, 2700},
                      RotationRow{"largestTurn", 0, 0, kMax, 847},
                      RotationRow{"flippedSmallestTurnFromLargestAngle", kMax, 1, kMin, 1695},
                      RotationRow{"smallestTurnFromSmallestAngle", kMin, 0, kMin, 1904}),
    [](const ::testing::TestParamInfo<RotationRow>& row) { return row.param.name; });

TEST_F(SimulatorTest, CloseWritesTheDesignBackAndTheNextOpenReadsIt) {
    ASSERT_EQ(open(), 0);
    dbx::ComponentRecord record = selected();
    record.location = {{5000}, {6000}};
    record.isFixed = 1;
    ASSERT_EQ(modify(record), 0);
    ASSERT_EQ(rotate(4500, record), 0);
    ASSERT_EQ(host().close(context_.data(), "bye now"), 0);
    EXPECT_EQ(lastLogLine(), "TCloseDesign text=\"bye now\" status=0");

    EXPECT_EQ(readFile(designPath_),
              "# Design of the host simulator\n"
              "units 0\n"
              "origin_mode 1\n"
              "relative_origin 1000 2000\n"
              "item_type 9\n"
              "comp_id 17\n"
              "refdes U12\n"
              "location 5000 6000\n"
              "angle 1800\n"
              "flipped 0\n"
              "fixed 1\n"
              "text1 first text\n"
              "text2\n"
              "long_text a long text\n"
              "text3\n"
              "trailer 42\n");
    ASSERT_EQ(open(), 0);
    const dbx::ComponentRecord reopened = selected();
    EXPECT_EQ(reopened.location, (units::DbPoint{{5000}, {6000}}));
    EXPECT_EQ(reopened.angle.value, 1800);
    EXPECT_EQ(reopened.isFixed, 1);
}

TEST_F(SimulatorTest, AContextThatIsNotOpenIsRejectedByEveryCallAndChangesNothing) {
    const auto expectRejected = [this](Context context, const char* when) {
        SCOPED_TRACE(when);
        const Context before = context;
        dbx::ItemBytes item;
        item.fill(0xAB);
        dbx::DesignBytes design;
        design.fill(0xAB);
        dbx::ComponentBytes component{};
        dbx::ComponentRecord record;
        record.compId = 17;
        dbx::pack(record, component);
        const dbx::ComponentBytes sent = component;
        std::array<dbx::Byte, 8> center{};

        EXPECT_EQ(host().item(context.data(), item.data()), 5);
        EXPECT_EQ(lastLogLine(), "TGetFirstSelectedItem error=not_open status=5");
        EXPECT_NE(host().info(context.data(), design.data()), 0);
        EXPECT_NE(host().modify(context.data(), component.data()), 0);
        EXPECT_NE(host().rotate(context.data(), 900, center.data(), component.data()), 0);
        EXPECT_NE(host().close(context.data(), ""), 0);
        EXPECT_EQ(lastLogLine(), "TCloseDesign text=\"\" error=not_open status=5");
        EXPECT_EQ(item, [] {
            dbx::ItemBytes b;
            b.fill(0xAB);
            return b;
        }());
        EXPECT_EQ(design[0], 0xAB);
        EXPECT_EQ(component, sent);
        EXPECT_EQ(context, before);
    };

    expectRejected(context_, "never opened");
    ASSERT_EQ(open(), 0);
    const Context firstSession = context_;
    ASSERT_EQ(close(), 0);
    writeFile(designPath_, "changed 1\n");
    expectRejected(context_, "closed");
    EXPECT_EQ(readFile(designPath_), "changed 1\n");

    writeFile(designPath_, kDesign);
    Context other{};
    ASSERT_EQ(open(other), 0);
    expectRejected(firstSession, "a context from an earlier session");
}

TEST_F(SimulatorTest, WrongVersionOrInstanceOrNullArgumentsAreRefused) {
    EXPECT_EQ(host().open(0, 15999, "PCB", context_.data()), 2);
    EXPECT_EQ(host().open(0, 16000, "SCH", context_.data()), 3);
    EXPECT_EQ(host().open(0, 16000, nullptr, context_.data()), 1);
    EXPECT_EQ(host().open(0, 16000, "PCB", nullptr), 1);
    EXPECT_EQ(context_, Context{});
    EXPECT_EQ(lastLogLine(),
              "TOpenDesign a0=0 version=16000 instance=PCB "
              "error=null_argument status=1");

    ASSERT_EQ(open(), 0);
    dbx::ComponentBytes component{};
    std::array<dbx::Byte, 8> center{};
    EXPECT_EQ(host().close(nullptr, ""), 1);
    EXPECT_EQ(host().close(context_.data(), nullptr), 1);
    EXPECT_EQ(host().item(context_.data(), nullptr), 1);
    EXPECT_EQ(host().info(nullptr, component.data()), 1);
    EXPECT_EQ(host().modify(context_.data(), nullptr), 1);
    EXPECT_EQ(host().rotate(context_.data(), 0, nullptr, component.data()), 1);
    EXPECT_EQ(host().rotate(context_.data(), 0, center.data(), nullptr), 1);
    EXPECT_EQ(close(), 0);
}

TEST_F(SimulatorTest, AFailureInjectedIntoTheNthUseHitsOnlyThatUseAndLeavesTheBufferAlone) {
    useFaults("TGetFirstSelectedItem@2=7");
    ASSERT_EQ(open(), 0);
    dbx::ItemRecord item;
    EXPECT_EQ(readItem(item), 0);
    dbx::ItemRecord untouched;
    untouched.itemType = 123;
    item = untouched;
    EXPECT_EQ(readItem(item), 7);
    EXPECT_EQ(item, untouched);
    EXPECT_EQ(lastLogLine(), "TGetFirstSelectedItem injected=1 status=7");
    EXPECT_EQ(readItem(item), 0);
    EXPECT_EQ(item.itemType, 9);

    // Counters start again after a reset.
    host().reset();
    EXPECT_EQ(open(), 0);
    EXPECT_EQ(readItem(item), 0);
    EXPECT_EQ(readItem(item), 7);
}

TEST_F(SimulatorTest, AFailureInjectedIntoEveryUseChangesNothingAndAnExactUseWins) {
    useFaults("TModifyComponent@*=-3, TModifyComponent@2=5,TCloseDesign@1=4");
    ASSERT_EQ(open(), 0);
    dbx::ComponentRecord record = selected();
    record.location = {{1}, {1}};
    const dbx::ComponentRecord sent = record;
    EXPECT_EQ(modify(record), -3);
    EXPECT_EQ(lastLogLine(),
              "TModifyComponent id=17 location=1,1 flipped=0 fixed=0 angle=900 "
              "mark=0 injected=1 status=-3");
    EXPECT_EQ(modify(record), 5);
    EXPECT_EQ(modify(record), -3);
    EXPECT_EQ(record, sent);

    // The injected close leaves the design open; the next one writes it.
    EXPECT_EQ(close(), 4);
    EXPECT_EQ(selected().location, (units::DbPoint{{254000}, {127000}}));
    EXPECT_EQ(close(), 0);
}

// On Linux a slow call only waits; the window messages it runs on Windows
// are the end-to-end tests' to show.
TEST_F(SimulatorTest, ASlowCallSaysSoAndMayStillFailByItsOwnEntry) {
    useFaults("TModifyComponent@*=pump:1,TModifyComponent@2=6");
    ASSERT_EQ(open(), 0);
    dbx::ComponentRecord record = selected();
    EXPECT_EQ(modify(record), 0);
    EXPECT_EQ(lastLogLine().substr(lastLogLine().find(" mark=")), " mark=0 pumped=1 status=0");
    EXPECT_EQ(modify(record), 6);
    EXPECT_EQ(lastLogLine().substr(lastLogLine().find(" mark=")),
              " mark=1 injected=1 pumped=1 status=6");
}

class MalformedFaultPlanTest : public SimulatorTest,
                               public ::testing::WithParamInterface<const char*> {};

TEST_P(MalformedFaultPlanTest, FailsEveryCallAndSaysWhy) {
    useFaults(GetParam());
    EXPECT_EQ(open(), 8);
    EXPECT_NE(lastLogLine().find("error=bad_fail_plan reason="), std::string::npos)
        << lastLogLine();
    EXPECT_EQ(context_, Context{});
}

INSTANTIATE_TEST_SUITE_P(Plans, MalformedFaultPlanTest,
                         ::testing::Values("TOpenDesign@0=1", "TOpenDesign@1", "TOpenDesign=1@1",
                                           "TFooDesign@1=1", "TOpenDesign@x=1", "TOpenDesign@-1=1",
                                           "TOpenDesign@1=1,", "TOpenDesign@1=99999999999",
                                           "TOpenDesign@1=1,TOpenDesign@1=2", "TOpenDesign@1=pump:",
                                           "TOpenDesign@1=pump:0", "TOpenDesign@1=pump:60001",
                                           "TOpenDesign@*=pump:5,TOpenDesign@*=pump:6"));

struct BadDesignRow {
    const char* name;
    std::string text;
    const char* reason;
};

class BadDesignFileTest : public SimulatorTest,
                          public ::testing::WithParamInterface<BadDesignRow> {};

TEST_P(BadDesignFileTest, OpenFailsSaysWhyAndLeavesTheContextClosed) {
    writeFile(designPath_, GetParam().text);
    EXPECT_EQ(open(), 4);
    const std::string line = lastLogLine();
    EXPECT_EQ(
        line.rfind("TOpenDesign a0=0 version=16000 instance=PCB error=design_file reason=", 0), 0u)
        << line;
    EXPECT_NE(line.find(GetParam().reason), std::string::npos) << line;
    EXPECT_EQ(context_, Context{});
    dbx::ItemRecord item;
    EXPECT_NE(readItem(item), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, BadDesignFileTest,
    ::testing::Values(
        BadDesignRow{"unknownKey", "units 2\ncolour 3\n", "line 2: unknown key \\\"colour\\\""},
        BadDesignRow{"trailingLetters", "angle 90x\n", "bad number \\\"90x\\\" for angle"},
        BadDesignRow{"outOfRange", "angle 2147483648\n", "bad number"},
        BadDesignRow{"missingNumber", "# two\n\nlocation 1\n", "line 3: bad number"},
        BadDesignRow{"extraNumber", "comp_id 1 2\n", "comp_id takes 1 number(s)"},
        BadDesignRow{"duplicateKey", "fixed 0\nfixed 1\n", "duplicate key fixed"},
        BadDesignRow{"textTooLong", "refdes " + std::string(101, 'R') + "\n",
                     "refdes is longer than 100 characters"},
        // Each would be lost or cut when the design is written back.
        BadDesignRow{"textEndingInCarriageReturn", "refdes U12\r\r\n",
                     "line 1: refdes holds a control character"},
        BadDesignRow{"zeroByteInText", std::string("text1 a\0b\n", 10),
                     "text1 holds a control character"},
        BadDesignRow{"escapeInText", "item_type 9\ntext3 a\x1b[0m\n",
                     "line 2: text3 holds a control character"}),
    [](const ::testing::TestParamInfo<BadDesignRow>& row) { return row.param.name; });

TEST_F(SimulatorTest, AMissingOrUnnamedDesignFileFailsTheOpen) {
    std::filesystem::remove(designPath_);
    EXPECT_EQ(open(), 4);
    EXPECT_NE(lastLogLine().find("reason=\"cannot open"), std::string::npos) << lastLogLine();

    unsetenv("COMPPLACE_SIM_DESIGN");
    host().reset();
    EXPECT_EQ(open(), 4);
    EXPECT_NE(lastLogLine().find("COMPPLACE_SIM_DESIGN is not set"), std::string::npos);
}

TEST_F(SimulatorTest, AFolderNamedAsTheDesignFailsTheOpen) {
    std::filesystem::remove(designPath_);
    std::filesystem::create_directory(designPath_);
    host().reset();
    EXPECT_EQ(open(), 4);
    EXPECT_NE(lastLogLine().find("reason=\"cannot read"), std::string::npos) << lastLogLine();
}

TEST_F(SimulatorTest, TextsOfFullFieldLengthAndCommentsInsideTextsAreKept) {
    const std::string longText(256, 'L');
    writeFile(designPath_,
              "item_type 9\n  # indented comment\r\nrefdes  R#1  \r\nlong_text " + longText + "\n");
    ASSERT_EQ(open(), 0);
    const dbx::ComponentRecord record = selected();
    EXPECT_EQ(record.refDes.str(), "R#1");
    EXPECT_EQ(record.compLongText.str(), longText);
}

}  // namespace
