// The program's command line: split by Windows' quoting rules, then read as
// the ways the program starts (the dialog, the dialog filled from a file,
// the unattended move from a file, the usage).
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace app {

// The arguments of a command line without the program's name (what
// wWinMain is given), by the rules of the C runtime on Windows: blanks
// (space, tab) separate arguments outside double quotes; a quote starts or
// ends quoting, and "" inside quotes is a literal quote; 2n backslashes
// before a quote are n backslashes and the quote counts, 2n + 1 are n and a
// literal quote; other backslashes are themselves. "" alone is an empty
// argument. UTF-8 in, UTF-8 out.
std::vector<std::string> splitCommandLine(std::string_view line);

struct StartRequest {
    enum class Kind {
        Dialog,  // the dialog, filled from `file` when there is one
        Move,    // the move from `file`, without the dialog
        Usage,   // the usage is shown, and nothing else done
    };
    Kind kind = Kind::Dialog;
    std::string file;  // UTF-8; empty: none
    // Usage: what was wrong with the arguments; empty when it was asked for.
    std::string problem;
};

// "/move FILE" and "--move FILE" (in any case, the file before or after)
// move; "/?", "-?", "/help", "-h" and "--help" ask for the usage; any other
// argument starting with "/" or "-" is unknown, and so shows the usage too,
// as do a second file and a move without one.
StartRequest startRequestFrom(const std::vector<std::string>& arguments);

// How to start the program, for the usage message box.
std::string usageText();

}  // namespace app
