// The end-to-end driver's command language: one command per line, words
// separated by blanks, "..." for a word with blanks in it (\" and \\ inside),
// and # starting a comment. Parsing is portable; running is Windows-only.
#pragma once

#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace e2e {

// Control names as the dialog's code uses them; "Form1" is the window itself.
struct ControlName {
    std::string_view name;
    int id;  // 0 for Form1
};
const std::vector<ControlName>& controlNames();
// Known name -> its id; unknown -> -1.
int controlId(std::string_view name);
// Known id -> its name; unknown -> "".
std::string_view controlName(int id);

enum class Op {
    WaitWindow,        // wait-window MS
    SetText,           // set-text CONTROL TEXT
    Click,             // click CONTROL
    DoubleClick,       // double-click CONTROL: two mouse clicks as hardware input
    PostClick,         // post-click CONTROL: a click queued, not waited for
    Key,               // key CONTROL KEY (RETURN, ESCAPE, TAB, A to Z, ALT+A to ALT+Z)
    TypeKey,           // type-key KEY: the key on the control that has the focus
    Close,             // close
    EndSession,        // end-session: Windows logging off or shutting down
    ExpectText,        // expect-text CONTROL TEXT
    ExpectVisible,     // expect-visible CONTROL 0|1
    ExpectEnabled,     // expect-enabled CONTROL 0|1
    WaitVisible,       // wait-visible CONTROL MS
    WaitEnabled,       // wait-enabled CONTROL MS: visible and enabled
    ExpectCheck,       // expect-check CONTROL 0|1|2
    ExpectSelected,    // expect-selected CONTROL 0|1
    ExpectFocus,       // expect-focus CONTROL
    WaitExit,          // wait-exit MS
    ExpectNoWindow,    // expect-no-window MS
    Sleep,             // sleep MS
    Dump,              // dump
    WindowRect,        // window-rect
    ParkMouse,         // park-mouse
    AnswerMessage,     // answer-message CAPTION MS
    ExpectLayout,      // expect-layout DPI
    ChangeDpi,         // change-dpi DPI
    CaptionFits,       // expect-caption-fits DPI ENDING: a cut caption that fits its title bar
    HardwareKey,       // hardware-key KEY: the key as the keyboard sends it (SendInput), CTRL+ too
    DropFile,          // drop-file PATH: the file dropped on the window (WM_DROPFILES)
    ExpectMenuItem,    // expect-menu-item TEXT 0|1: the system menu's item, enabled or greyed
    PickMenuItem,      // pick-menu-item TEXT: the system menu's item chosen, as a click on it
    ExpectMessage,     // expect-message CAPTION TEXT MS: a message box holding TEXT, answered OK
    AnswerOpenDialog,  // answer-open-dialog CAPTION PATH MS: the Open dialog given PATH
    RefuseForm,        // refuse-form: no window of the dialog's class can be made from now on
    SetClipboardFrom,  // set-clipboard-from PATH: the file's text (UTF-8) copied to the clipboard
};

enum class Key { Return, Escape, Tab, Letter };

struct Command {
    Op op = Op::Dump;
    int line = 0;
    std::string source;  // the line as written, for messages
    int control = -1;    // control id where the command names one
    std::string text;    // set-text, expect-text, answer-message, the menu item, the caption
    std::string text2;   // a command's second text: the message's, the path to open
    int number = 0;      // milliseconds or expected state
    Key key = Key::Return;
    char letter = 0;    // Key::Letter: 'A' to 'Z', the key's virtual-key code
    bool alt = false;   // Key::Letter held with Alt
    bool ctrl = false;  // Key::Letter held with Ctrl (hardware-key only)
};

// A script error: the message says which line and why.
class ScriptError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// Splits one line into words; throws ScriptError on an unterminated quote
// or an unknown escape.
std::vector<std::string> splitWords(std::string_view line);

// One line -> its command, or nothing for a blank or comment line.
// Throws ScriptError for an unknown command, control or key, a wrong number
// of words, or a number out of range.
std::optional<Command> parseLine(std::string_view line, int lineNumber);

// A whole script: every line parsed before anything runs.
std::vector<Command> parseScript(std::string_view text);

}  // namespace e2e
