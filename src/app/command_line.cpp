#include "app/command_line.h"

#include <initializer_list>
#include <utility>

namespace app {
namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

// One of the names, ignoring the case of ASCII letters.
bool isOneOf(std::string_view word, std::initializer_list<std::string_view> names) {
    for (const std::string_view name : names) {
        bool same = word.size() == name.size();
        for (std::size_t i = 0; same && i < word.size(); ++i) {
            const char c = word[i];
            same = (c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c) == name[i];
        }
        if (same) {
            return true;
        }
    }
    return false;
}

StartRequest usage(std::string problem) {
    return StartRequest{StartRequest::Kind::Usage, {}, std::move(problem)};
}

}  // namespace

std::vector<std::string> splitCommandLine(std::string_view line) {
    std::vector<std::string> arguments;
    std::size_t i = 0;
    for (;;) {
        while (i < line.size() && isBlank(line[i])) {
            ++i;
        }
        if (i == line.size()) {
            return arguments;
        }
        std::string argument;
        bool quoted = false;
        while (i < line.size() && (quoted || !isBlank(line[i]))) {
            if (line[i] == '\\') {
                const std::size_t start = i;
                while (i < line.size() && line[i] == '\\') {
                    ++i;
                }
                const std::size_t count = i - start;
                const bool beforeQuote = i < line.size() && line[i] == '"';
                argument.append(beforeQuote ? count / 2 : count, '\\');
                if (beforeQuote && count % 2 == 1) {
                    argument += '"';
                    ++i;
                }
            } else if (line[i] == '"') {
                if (quoted && i + 1 < line.size() && line[i + 1] == '"') {
                    argument += '"';
                    i += 2;
                } else {
                    quoted = !quoted;
                    ++i;
                }
            } else {
                argument += line[i++];
            }
        }
        arguments.push_back(std::move(argument));
    }
}

StartRequest startRequestFrom(const std::vector<std::string>& arguments) {
    StartRequest request;
    bool move = false;
    for (const std::string& argument : arguments) {
        if (isOneOf(argument, {"/?", "-?", "/help", "-h", "--help"})) {
            return usage({});
        }
        if (isOneOf(argument, {"/move", "--move"})) {
            move = true;
        } else if (argument.starts_with('/') || argument.starts_with('-')) {
            return usage("Unknown option: " + argument);
        } else if (!request.file.empty()) {
            return usage("One placement file at a time: " + request.file + " and " + argument +
                         " were given");
        } else if (argument.empty()) {
            return usage("An empty file name was given");
        } else {
            request.file = argument;
        }
    }
    if (move && request.file.empty()) {
        return usage("/move needs a placement file");
    }
    request.kind = move ? StartRequest::Kind::Move : StartRequest::Kind::Dialog;
    return request;
}

std::string usageText() {
    // One paragraph per way to start, a blank line between them: the message
    // box wraps a long line at its own width, and a wrapped line loses any
    // indent, so the layout rests on the blank lines alone.
    return "compplace.exe\n"
           "The dialog for the component selected in the PCB editor.\n\n"
           "compplace.exe FILE\n"
           "The dialog filled from FILE's row for it (as when FILE is dropped on the program).\n\n"
           "compplace.exe /move FILE   (or --move)\n"
           "Moves it as FILE's row says, without the dialog; a refusal says why.\n\n"
           "compplace.exe /?\n"
           "This text.\n\n"
           "FILE is a placement file: pick-and-place, centroid, CPL, .mnt/.mnb or PcbXY. "
           "A path with spaces goes in double quotes.";
}

}  // namespace app
