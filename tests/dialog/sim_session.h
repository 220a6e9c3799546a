// A user's session with the dialog against the host simulator, loaded
// through the program's own lazy binding.
#pragma once

#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "app/file_bytes.h"
#include "dbx/connection.h"
#include "dialog/dialog.h"
#include "form/form_model.h"
#include "form/manual_clock.h"
#include "numtext/number_text.h"

namespace testing_support {

// The simulator's design file, key by key.
struct Design {
    int units = 0;
    int originMode = 1;
    long long originX = 0;
    long long originY = 0;
    int itemType = 9;
    int compId = 17;
    std::string refDes = "U12";
    long long x = 0;
    long long y = 0;
    long long angle = 0;
    long long flipped = 0;
    long long fixed = 0;

    std::string text() const;
};

// The design the undo, exit and host-fault sessions start from: mils,
// absolute, the component at (1000, 2000) turned 90 degrees.
Design designAt1000And2000At90Degrees();

class CountingBeeper : public dialog::Beeper {
  public:
    void beep() override { ++count; }
    int count = 0;
};

// What the user copied, handed over as the system hands it.
struct HeldClipboard : dialog::Clipboard {
    dialog::ClipboardText text(std::size_t limit) override {
        return {held.problem, held.text.substr(0, limit + 1)};
    }
    dialog::ClipboardText held{dialog::ClipboardProblem::NoText, {}};
};

inline const numtext::Locale kDotLocale{".", ","};
inline const numtext::Locale kCommaLocale{",", "."};

class SimSession {
  public:
    // Writes the design, resets the simulator, and builds the dialog.
    // `failures` is a fault plan such as "TModifyComponent@1=7".
    explicit SimSession(const Design& design, const std::string& failures = "",
                        const numtext::Locale& locale = kDotLocale);
    // The same with the host's functions found by `resolver` instead of the
    // simulator library's own loader (say, one that hides some of them).
    SimSession(const Design& design, std::unique_ptr<dbx::SymbolResolver> resolver,
               const std::string& failures = "", const numtext::Locale& locale = kDotLocale);
    ~SimSession();

    ManualClock clock;
    form::FormModel form{clock};
    CountingBeeper beeper;
    HeldClipboard clipboard;

    // A file written into the session's folder, as the user gives it.
    form::GivenFile file(const std::string& name, const std::string& bytes) const;

    dialog::Dialog& dialog() { return *dialog_; }
    const dialog::DialogState& state() const { return dialog_->state(); }
    const std::string& text(form::ControlId id) const { return form.text(id); }

    // The user's actions. A click comes a moment after the one before, as
    // a person's do: longer than a double click.
    void type(form::ControlId box, const std::string& text) { form.userEditsText(box, text); }
    void click(form::ControlId id) {
        clock.now += kPauseBetweenClicksMs;
        form.userClicks(id);
    }
    static constexpr std::uint32_t kPauseBetweenClicksMs = 1000;

    // The simulator's call log, one entry per call.
    std::vector<std::string> log() const;
    // The log lines of one function's calls, in order.
    std::vector<std::string> callsTo(const std::string& function) const;
    // The calls of the log, by function name only.
    std::vector<std::string> calls() const;
    // The design file as the simulator last wrote it: key -> value text.
    std::map<std::string, std::string> designFile() const;

  private:
    std::filesystem::path dir_;
    std::unique_ptr<dbx::Connection> connection_;
    app::StdioFileReader files_;
    std::unique_ptr<dialog::Dialog> dialog_;
};

// Types the move to (5000, 2000) at 180 degrees into a session on that
// design, after start-up, and presses "&Move".
void moveTo5000And2000At180(SimSession& session);

}  // namespace testing_support
