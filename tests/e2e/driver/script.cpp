#include "script.h"

#include "form/window_description.h"

#include <algorithm>
#include <charconv>
#include <cstddef>
#include <utility>

namespace e2e {

const std::vector<ControlName>& controlNames() {
    // The view numbers its controls 1000 + their index in the window's
    // description.
    static const std::vector<ControlName> names = [] {
        std::vector<ControlName> all{{"Form1", 0}};
        for (const form::ControlDescription& control : form::controlDescriptions()) {
            all.push_back({control.name, form::kFirstControlId + static_cast<int>(control.id)});
        }
        return all;
    }();
    return names;
}

int controlId(std::string_view name) {
    const auto& names = controlNames();
    auto it = std::find_if(names.begin(), names.end(),
                           [name](const ControlName& entry) { return entry.name == name; });
    return it == names.end() ? -1 : it->id;
}

std::string_view controlName(int id) {
    const auto& names = controlNames();
    auto it = std::find_if(names.begin(), names.end(),
                           [id](const ControlName& entry) { return entry.id == id; });
    return it == names.end() ? std::string_view{} : it->name;
}

std::vector<std::string> splitWords(std::string_view line) {
    std::vector<std::string> words;
    std::size_t i = 0;
    while (i < line.size()) {
        char c = line[i];
        if (c == ' ' || c == '\t' || c == '\r' || c == '\n') {
            ++i;
            continue;
        }
        if (c == '#') {
            break;
        }
        std::string word;
        if (c == '"') {
            ++i;
            bool closed = false;
            while (i < line.size()) {
                char q = line[i++];
                if (q == '"') {
                    closed = true;
                    break;
                }
                if (q == '\\') {
                    if (i == line.size() || (line[i] != '"' && line[i] != '\\')) {
                        throw ScriptError("only \\\" and \\\\ may follow a backslash");
                    }
                    q = line[i++];
                }
                word += q;
            }
            if (!closed) {
                throw ScriptError("unterminated quoted text");
            }
        } else {
            while (i < line.size() && line[i] != ' ' && line[i] != '\t' && line[i] != '\r' &&
                   line[i] != '\n') {
                word += line[i++];
            }
        }
        words.push_back(std::move(word));
    }
    return words;
}

namespace {

struct Syntax {
    std::string_view word;
    Op op;
    std::string_view
        args;      // one letter per argument: c control, t text, m ms, s state, k key, d DPI
    int maxState;  // largest state an 's' argument may take
};

constexpr Syntax kSyntax[] = {
    {"wait-window", Op::WaitWindow, "m", 0},
    {"set-text", Op::SetText, "ct", 0},
    {"click", Op::Click, "c", 0},
    {"double-click", Op::DoubleClick, "c", 0},
    {"post-click", Op::PostClick, "c", 0},
    {"key", Op::Key, "ck", 0},
    {"type-key", Op::TypeKey, "k", 0},
    {"close", Op::Close, "", 0},
    {"end-session", Op::EndSession, "", 0},
    {"expect-text", Op::ExpectText, "ct", 0},
    {"expect-visible", Op::ExpectVisible, "cs", 1},
    {"expect-enabled", Op::ExpectEnabled, "cs", 1},
    {"wait-visible", Op::WaitVisible, "cm", 0},
    {"wait-enabled", Op::WaitEnabled, "cm", 0},
    {"expect-check", Op::ExpectCheck, "cs", 2},
    {"expect-selected", Op::ExpectSelected, "cs", 1},
    {"expect-focus", Op::ExpectFocus, "c", 0},
    {"answer-message", Op::AnswerMessage, "tm", 0},
    {"wait-exit", Op::WaitExit, "m", 0},
    {"expect-no-window", Op::ExpectNoWindow, "m", 0},
    {"sleep", Op::Sleep, "m", 0},
    {"dump", Op::Dump, "", 0},
    {"window-rect", Op::WindowRect, "", 0},
    {"park-mouse", Op::ParkMouse, "", 0},
    {"expect-layout", Op::ExpectLayout, "d", 0},
    {"change-dpi", Op::ChangeDpi, "d", 0},
    {"expect-caption-fits", Op::CaptionFits, "dt", 0},
    {"refuse-form", Op::RefuseForm, "", 0},
    {"hardware-key", Op::HardwareKey, "k", 0},
    {"drop-file", Op::DropFile, "t", 0},
    {"expect-menu-item", Op::ExpectMenuItem, "ts", 1},
    {"pick-menu-item", Op::PickMenuItem, "t", 0},
    {"expect-message", Op::ExpectMessage, "ttm", 0},
    {"answer-open-dialog", Op::AnswerOpenDialog, "ttm", 0},
    {"set-clipboard-from", Op::SetClipboardFrom, "t", 0},
};

int wholeNumber(const std::string& word, int low, int high, const char* what) {
    int value = 0;
    auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), value);
    if (error != std::errc{} || end != word.data() + word.size() || value < low || value > high) {
        throw ScriptError(std::string(what) + " must be a whole number from " +
                          std::to_string(low) + " to " + std::to_string(high) + ", not \"" + word +
                          "\"");
    }
    return value;
}

// RETURN, ESCAPE, TAB, or a letter key A to Z, alone or as ALT+A to ALT+Z,
// and for the keyboard's own keys (hardware-key) CTRL+A to CTRL+Z.
void parseKey(const std::string& word, Command& command) {
    constexpr std::string_view kAlt = "ALT+";
    constexpr std::string_view kCtrl = "CTRL+";
    const bool alt = word.rfind(kAlt, 0) == 0;
    const bool ctrl = word.rfind(kCtrl, 0) == 0;
    std::string_view name = word;
    if (alt) {
        name.remove_prefix(kAlt.size());
    } else if (ctrl) {
        name.remove_prefix(kCtrl.size());
    }
    if (ctrl && command.op != Op::HardwareKey) {
        throw ScriptError("CTRL+ only in hardware-key: a posted key carries no Ctrl");
    }
    if (name.size() == 1 && name[0] >= 'A' && name[0] <= 'Z') {
        command.key = Key::Letter;
        command.letter = name[0];
        command.alt = alt;
        command.ctrl = ctrl;
    } else if (word == "RETURN") {
        command.key = Key::Return;
    } else if (word == "ESCAPE") {
        command.key = Key::Escape;
    } else if (word == "TAB") {
        command.key = Key::Tab;
    } else {
        throw ScriptError("unknown key \"" + word +
                          "\" (RETURN, ESCAPE, TAB, A to Z, ALT+A to ALT+Z)");
    }
}

}  // namespace

std::optional<Command> parseLine(std::string_view line, int lineNumber) {
    const std::string where = "line " + std::to_string(lineNumber) + ": ";
    try {
        std::vector<std::string> words = splitWords(line);
        if (words.empty()) {
            return std::nullopt;
        }
        const auto* syntax = std::find_if(std::begin(kSyntax), std::end(kSyntax),
                                          [&](const Syntax& s) { return s.word == words[0]; });
        if (syntax == std::end(kSyntax)) {
            throw ScriptError("unknown command \"" + words[0] + "\"");
        }
        if (words.size() != syntax->args.size() + 1) {
            throw ScriptError(words[0] + " takes " + std::to_string(syntax->args.size()) +
                              " argument(s), not " + std::to_string(words.size() - 1));
        }
        Command command;
        command.op = syntax->op;
        command.line = lineNumber;
        command.source = std::string(line);
        while (!command.source.empty() &&
               (command.source.back() == '\r' || command.source.back() == '\n')) {
            command.source.pop_back();
        }
        for (std::size_t i = 0; i < syntax->args.size(); ++i) {
            const std::string& word = words[i + 1];
            switch (syntax->args[i]) {
                case 'c':
                    command.control = controlId(word);
                    if (command.control < 0) {
                        throw ScriptError("unknown control \"" + word + "\"");
                    }
                    break;
                case 't':
                    (i > 0 && syntax->args[i - 1] == 't' ? command.text2 : command.text) = word;
                    break;
                case 'd':
                    command.number = wholeNumber(word, 48, 480, "a resolution in DPI");
                    break;
                case 'm':
                    command.number = wholeNumber(word, 0, 600000, "a time in milliseconds");
                    break;
                case 's':
                    command.number = wholeNumber(word, 0, syntax->maxState, "a state");
                    break;
                case 'k':
                    parseKey(word, command);
                    break;
                default:
                    break;
            }
        }
        return command;
    } catch (const ScriptError& error) {
        throw ScriptError(where + error.what());
    }
}

std::vector<Command> parseScript(std::string_view text) {
    std::vector<Command> commands;
    int lineNumber = 0;
    while (!text.empty()) {
        ++lineNumber;
        std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text = end == std::string_view::npos ? std::string_view{} : text.substr(end + 1);
        if (auto command = parseLine(line, lineNumber)) {
            commands.push_back(std::move(*command));
        }
    }
    return commands;
}

}  // namespace e2e
