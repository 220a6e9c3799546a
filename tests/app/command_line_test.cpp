// The command line: Windows' quoting rules, then the way the program starts.
#include "app/command_line.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace app {
namespace {

struct SplitRow {
    const char* name;
    const char* line;
    std::vector<std::string> arguments;
};

class SplitCommandLine : public ::testing::TestWithParam<SplitRow> {};

TEST_P(SplitCommandLine, ByTheRulesOfTheCRuntime) {
    EXPECT_EQ(splitCommandLine(GetParam().line), GetParam().arguments);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Lines, SplitCommandLine,
    ::testing::Values(
        SplitRow{"Nothing", "  \t ", {}},
        SplitRow{"BlanksAndTabsSeparate", " /move\ttop.pos  ", {"/move", "top.pos"}},
        SplitRow{"QuotedPathWithSpaces", R"("C:\My Boards\top.pos")", {R"(C:\My Boards\top.pos)"}},
        SplitRow{"QuotesInsideAWord", R"(C:/"My Boards"/top.pos)", {"C:/My Boards/top.pos"}},
        SplitRow{"BackslashesNotBeforeAQuote", R"(\\server\share\a.pos)", {R"(\\server\share\a.pos)"}},
        SplitRow{"EvenBackslashesBeforeAQuoteHalve", R"("C:\dir\\" next)", {R"(C:\dir\)", "next"}},
        SplitRow{"OddBackslashesMakeTheQuoteLiteral", R"(a\"b)", {R"(a"b)"}},
        SplitRow{"DoubledQuoteInsideQuotesIsLiteral", R"("a""b" c)", {R"(a"b)", "c"}},
        SplitRow{"EmptyQuotedArgument", R"(/move "")", {"/move", ""}},
        SplitRow{"UnclosedQuoteRunsToTheEnd", R"("a b)", {"a b"}}),
    [](const auto& row) { return std::string(row.param.name); });
// clang-format on

using Kind = StartRequest::Kind;

struct RequestRow {
    const char* name;
    std::vector<std::string> arguments;
    Kind kind;
    const char* file;
    const char* problem;
};

class StartRequestFrom : public ::testing::TestWithParam<RequestRow> {};

TEST_P(StartRequestFrom, TheArguments) {
    const RequestRow& row = GetParam();
    const StartRequest request = startRequestFrom(row.arguments);
    EXPECT_EQ(request.kind, row.kind);
    EXPECT_EQ(request.file, row.file);
    EXPECT_EQ(request.problem, row.problem);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Arguments, StartRequestFrom,
    ::testing::Values(
        RequestRow{"None", {}, Kind::Dialog, "", ""},
        RequestRow{"AFile", {"top.pos"}, Kind::Dialog, "top.pos", ""},
        RequestRow{"SlashMove", {"/move", "top.pos"}, Kind::Move, "top.pos", ""},
        RequestRow{"DashDashMoveInCapitalsAfterTheFile", {"top.pos", "--MOVE"}, Kind::Move, "top.pos", ""},
        RequestRow{"HelpWinsOverTheRest", {"top.pos", "/?"}, Kind::Usage, "", ""},
        RequestRow{"UnknownOption", {"/x", "top.pos"}, Kind::Usage, "", "Unknown option: /x"},
        RequestRow{"MoveWithoutAFile", {"/move"}, Kind::Usage, "", "/move needs a placement file"},
        RequestRow{"TwoFiles", {"a.pos", "b.pos"}, Kind::Usage, "", "One placement file at a time: a.pos and b.pos were given"},
        RequestRow{"AnEmptyName", {"/move", ""}, Kind::Usage, "", "An empty file name was given"}),
    [](const auto& row) { return std::string(row.param.name); });
// clang-format on

TEST(Usage, RestsOnBlankLinesNotOnIndentsThatAWrappedLineLoses) {
    EXPECT_EQ(usageText().find("\n "), std::string::npos) << usageText();
}

}  // namespace
}  // namespace app
