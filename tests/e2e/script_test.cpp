#include "e2e/driver/script.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

namespace e2e {
namespace {

template <typename Row>
std::string rowName(const testing::TestParamInfo<Row>& info) {
    return info.param.name;
}

// Words

struct WordsRow {
    const char* name;
    std::string line;
    std::vector<std::string> words;  // empty with throws set: an error
    bool throws = false;
};

class SplitWords : public testing::TestWithParam<WordsRow> {};

TEST_P(SplitWords, SplitsAtBlanksOutsideQuotes) {
    const WordsRow& row = GetParam();
    if (row.throws) {
        EXPECT_THROW(splitWords(row.line), ScriptError);
    } else {
        EXPECT_EQ(splitWords(row.line), row.words);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Lines, SplitWords,
    testing::Values(WordsRow{"PlainWords", "click   Command1", {"click", "Command1"}},
                    WordsRow{"TabsAndCarriageReturn", "\tclose\r", {"close"}},
                    WordsRow{"QuotedLeadingBlankKept",
                             "expect-text Text3 \" 0\"",
                             {"expect-text", "Text3", " 0"}},
                    WordsRow{"EmptyQuotedWord", "set-text Text1 \"\"", {"set-text", "Text1", ""}},
                    WordsRow{"EscapedQuoteAndBackslash", R"(x "a\"b\\c")", {"x", "a\"b\\c"}},
                    WordsRow{"CommentEndsTheLine", "close # and more", {"close"}},
                    WordsRow{"HashInsideQuotesIsText", "x \"#1\"", {"x", "#1"}},
                    WordsRow{"OnlyAComment", "   # nothing", {}},
                    WordsRow{"UnterminatedQuote", "set-text Text1 \"abc", {}, true},
                    WordsRow{"UnknownEscape", R"(set-text Text1 "a\n")", {}, true},
                    WordsRow{"BackslashAtEnd", "set-text Text1 \"a\\", {}, true}),
    rowName<WordsRow>);

// Commands

struct CommandRow {
    const char* name;
    std::string line;
    Op op;
    int control;
    std::string text;
    int number;
    Key key;
};

class ParseValidLine : public testing::TestWithParam<CommandRow> {};

TEST_P(ParseValidLine, GivesTheCommandWithItsArguments) {
    const CommandRow& row = GetParam();
    auto command = parseLine(row.line, 7);
    ASSERT_TRUE(command.has_value());
    EXPECT_EQ(command->op, row.op);
    EXPECT_EQ(command->control, row.control);
    EXPECT_EQ(command->text, row.text);
    EXPECT_EQ(command->number, row.number);
    EXPECT_EQ(command->key, row.key);
    EXPECT_EQ(command->line, 7);
    EXPECT_EQ(command->source, row.line);
}

INSTANTIATE_TEST_SUITE_P(
    Lines, ParseValidLine,
    testing::Values(
        CommandRow{"WaitWindow", "wait-window 20000", Op::WaitWindow, -1, "", 20000, Key::Return},
        CommandRow{"SetText", "set-text Text1 100.0", Op::SetText, 1001, "100.0", 0, Key::Return},
        CommandRow{"SetEmptyText", "set-text Text2 \"\"", Op::SetText, 1002, "", 0, Key::Return},
        CommandRow{"Click", "click Command1", Op::Click, 1007, "", 0, Key::Return},
        CommandRow{"KeyReturn", "key Text1 RETURN", Op::Key, 1001, "", 0, Key::Return},
        CommandRow{"KeyEscapeOnWindow", "key Form1 ESCAPE", Op::Key, 0, "", 0, Key::Escape},
        CommandRow{"KeyTab", "key Check2 TAB", Op::Key, 1006, "", 0, Key::Tab},
        CommandRow{"TypeKeyOnTheFocus", "type-key TAB", Op::TypeKey, -1, "", 0, Key::Tab},
        CommandRow{"Close", "close", Op::Close, -1, "", 0, Key::Return},
        CommandRow{"ExpectText", "expect-text Text3 \" 0\"", Op::ExpectText, 1009, " 0", 0,
                   Key::Return},
        CommandRow{"ExpectVisible", "expect-visible Command4 1", Op::ExpectVisible, 1019, "", 1,
                   Key::Return},
        CommandRow{"DoubleClick", "double-click Command1", Op::DoubleClick, 1007, "", 0,
                   Key::Return},
        CommandRow{"PostClick", "post-click Command2", Op::PostClick, 1008, "", 0, Key::Return},
        CommandRow{"ExpectEnabled", "expect-enabled Command4 0", Op::ExpectEnabled, 1019, "", 0,
                   Key::Return},
        CommandRow{"WaitEnabled", "wait-enabled Command4 3000", Op::WaitEnabled, 1019, "", 3000,
                   Key::Return},
        CommandRow{"WaitVisible", "wait-visible Command4 3000", Op::WaitVisible, 1019, "", 3000,
                   Key::Return},
        CommandRow{"EndSession", "end-session", Op::EndSession, -1, "", 0, Key::Return},
        CommandRow{"ExpectGreyCheck", "expect-check Check2 2", Op::ExpectCheck, 1006, "", 2,
                   Key::Return},
        CommandRow{"ExpectSelected", "expect-selected Option4 1", Op::ExpectSelected, 1015, "", 1,
                   Key::Return},
        CommandRow{"ExpectFocus", "expect-focus Text1", Op::ExpectFocus, 1001, "", 0, Key::Return},
        CommandRow{"WaitExit", "wait-exit 10000", Op::WaitExit, -1, "", 10000, Key::Return},
        CommandRow{"ExpectNoWindow", "expect-no-window 3000", Op::ExpectNoWindow, -1, "", 3000,
                   Key::Return},
        CommandRow{"SleepZero", "sleep 0", Op::Sleep, -1, "", 0, Key::Return},
        CommandRow{"Dump", "dump", Op::Dump, -1, "", 0, Key::Return},
        CommandRow{"WindowRect", "window-rect", Op::WindowRect, -1, "", 0, Key::Return},
        CommandRow{"ParkMouse", "park-mouse", Op::ParkMouse, -1, "", 0, Key::Return},
        CommandRow{"ExpectLayout", "expect-layout 144", Op::ExpectLayout, -1, "", 144, Key::Return},
        CommandRow{"ChangeDpi", "change-dpi 120", Op::ChangeDpi, -1, "", 120, Key::Return},
        CommandRow{"RefuseForm", "refuse-form", Op::RefuseForm, -1, "", 0, Key::Return},
        CommandRow{"DropFile", R"(drop-file "Z:\\a b\\top.pos")", Op::DropFile, -1,
                   R"(Z:\a b\top.pos)", 0, Key::Return},
        CommandRow{"ExpectMenuItem", "expect-menu-item \"Place from file\" 0", Op::ExpectMenuItem,
                   -1, "Place from file", 0, Key::Return},
        CommandRow{"PickMenuItem", "pick-menu-item Restore", Op::PickMenuItem, -1, "Restore", 0,
                   Key::Return}),
    rowName<CommandRow>);

struct BadLineRow {
    const char* name;
    std::string line;
    std::string messagePart;
};

class ParseBadLine : public testing::TestWithParam<BadLineRow> {};

TEST_P(ParseBadLine, IsRefusedWithItsLineAndReason) {
    const BadLineRow& row = GetParam();
    try {
        parseLine(row.line, 12);
        FAIL() << "accepted: " << row.line;
    } catch (const ScriptError& error) {
        std::string message = error.what();
        EXPECT_EQ(message.rfind("line 12: ", 0), 0u) << message;
        EXPECT_NE(message.find(row.messagePart), std::string::npos) << message;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Lines, ParseBadLine,
    testing::Values(BadLineRow{"UnknownCommand", "press Command1", "unknown command \"press\""},
                    BadLineRow{"UnknownControl", "click Command9", "unknown control \"Command9\""},
                    BadLineRow{"ControlNameIsCaseSensitive", "click command1", "unknown control"},
                    BadLineRow{"MissingArgument", "set-text Text1", "takes 2 argument(s), not 1"},
                    BadLineRow{"ExtraArgument", "close now", "takes 0 argument(s), not 1"},
                    BadLineRow{"TrailingLetters", "wait-window 20s", "whole number"},
                    BadLineRow{"NegativeTime", "sleep -1", "whole number"},
                    BadLineRow{"TimeTooLong", "wait-exit 600001", "whole number"},
                    BadLineRow{"VisibleIsZeroOrOne", "expect-visible Command4 2", "from 0 to 1"},
                    BadLineRow{"CheckStopsAtGrey", "expect-check Check1 3", "from 0 to 2"},
                    BadLineRow{"UnknownKey", "key Text1 ENTER", "unknown key \"ENTER\""},
                    BadLineRow{"LowerCaseLetter", "key Command1 m", "unknown key \"m\""},
                    BadLineRow{"TwoLetters", "key Command1 MM", "unknown key"},
                    BadLineRow{"AltAlone", "key Text1 ALT+", "unknown key"},
                    BadLineRow{"AltWithANamedKey", "key Text1 ALT+TAB", "unknown key"},
                    BadLineRow{"TypeKeyNamesNoControl", "type-key Text1 M",
                               "takes 1 argument(s), not 2"},
                    BadLineRow{"BadQuote", "expect-text Text1 \"x", "unterminated"},
                    BadLineRow{"CtrlOnAPostedKey", "type-key CTRL+O", "only in hardware-key"},
                    BadLineRow{"MessageWithoutItsText", "expect-message CompPlace 100",
                               "takes 3 argument(s), not 2"}),
    rowName<BadLineRow>);

struct LetterKeyRow {
    const char* name;
    std::string line;
    char letter;
    bool alt;
    bool ctrl = false;
};

class ParseLetterKey : public testing::TestWithParam<LetterKeyRow> {};

TEST_P(ParseLetterKey, GivesTheLetterAndWhetherAltOrCtrlIsHeld) {
    const LetterKeyRow& row = GetParam();
    auto command = parseLine(row.line, 1);
    ASSERT_TRUE(command.has_value());
    EXPECT_EQ(command->key, Key::Letter);
    EXPECT_EQ(command->letter, row.letter);
    EXPECT_EQ(command->alt, row.alt);
    EXPECT_EQ(command->ctrl, row.ctrl);
}

INSTANTIATE_TEST_SUITE_P(
    Lines, ParseLetterKey,
    testing::Values(LetterKeyRow{"PlainLetter", "key Command1 M", 'M', false},
                    LetterKeyRow{"AltFirstLetter", "key Text1 ALT+A", 'A', true},
                    LetterKeyRow{"AltLastLetter", "key Form1 ALT+Z", 'Z', true},
                    LetterKeyRow{"TypedLetter", "type-key ALT+E", 'E', true},
                    LetterKeyRow{"HardwareCtrlLetter", "hardware-key CTRL+O", 'O', false, true}),
    rowName<LetterKeyRow>);

// Two texts: the first is `text`, the second `text2`.
TEST(ParseLine, ACommandOfTwoTextsKeepsBoth) {
    auto command = parseLine(R"(answer-open-dialog "Place from file" "Z:\\b\\top.pos" 9000)", 1);
    ASSERT_TRUE(command.has_value());
    EXPECT_EQ(command->op, Op::AnswerOpenDialog);
    EXPECT_EQ(command->text, "Place from file");
    EXPECT_EQ(command->text2, R"(Z:\b\top.pos)");
    EXPECT_EQ(command->number, 9000);
}

TEST(ParseLine, SkipsBlankAndCommentLines) {
    EXPECT_FALSE(parseLine("", 1).has_value());
    EXPECT_FALSE(parseLine("  \t", 1).has_value());
    EXPECT_FALSE(parseLine("# a comment", 1).has_value());
}

TEST(ParseScript, NumbersCommandsByTheirLineInTheFile) {
    auto commands = parseScript("wait-window 100\n\n# comment\r\nclick Command2\r\nwait-exit 5");
    ASSERT_EQ(commands.size(), 3u);
    EXPECT_EQ(commands[0].line, 1);
    EXPECT_EQ(commands[1].line, 4);
    EXPECT_EQ(commands[1].source, "click Command2");
    EXPECT_EQ(commands[2].line, 5);
    EXPECT_EQ(commands[2].number, 5);
}

TEST(ParseScript, RefusesTheWholeScriptForOneBadLine) {
    try {
        parseScript("wait-window 100\nclick Command1\nclik Command2\n");
        FAIL() << "accepted";
    } catch (const ScriptError& error) {
        EXPECT_EQ(std::string(error.what()).rfind("line 3: ", 0), 0u) << error.what();
    }
}

// Control table

struct ControlRow {
    const char* name;
    int id;
};

class ControlIds : public testing::TestWithParam<ControlRow> {};

TEST_P(ControlIds, FollowTheViewsOrder) {
    const ControlRow& row = GetParam();
    EXPECT_EQ(controlId(row.name), row.id);
    EXPECT_EQ(controlName(row.id), row.name);
}

// The two unit options are numbered in the view's order, mm before mils.
INSTANTIATE_TEST_SUITE_P(Table, ControlIds,
                         testing::Values(ControlRow{"Form1", 0}, ControlRow{"Frame1", 1000},
                                         ControlRow{"Check1", 1005}, ControlRow{"Command2", 1008},
                                         ControlRow{"Text3", 1009}, ControlRow{"Option4", 1015},
                                         ControlRow{"Option3", 1016}, ControlRow{"Command4", 1019},
                                         ControlRow{"Label6", 1021}),
                         rowName<ControlRow>);

TEST(ControlIds, AreUniqueAndUnknownNamesHaveNone) {
    std::set<int> ids;
    for (const ControlName& entry : controlNames()) {
        EXPECT_TRUE(ids.insert(entry.id).second) << entry.name;
    }
    EXPECT_EQ(ids.size(), 23u);
    EXPECT_EQ(controlId("Text4"), -1);
    EXPECT_EQ(controlName(999), "");
}

}  // namespace
}  // namespace e2e
