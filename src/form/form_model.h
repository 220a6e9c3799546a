// A headless Form1: the state of every control and the window-system rules
// the handlers rely on. A text set by the program runs that box's change
// handler at once, nested; selecting an option button clears its partner
// and runs its click handler at once. User actions take the same path, so
// the handlers cannot tell a click from the program's selection.
//
// Two rules keep a person's habits and the host's timing from running a
// handler nobody meant:
// - One handler at a time: while a handler runs (the host's library may run
//   the window's messages while a call waits), no user action is taken.
// - A command button the program shows, where the pointer or the focus may
//   still be, takes no activation until the double-click time has passed
//   after the handler that showed it: the second click of a double click,
//   or a key pressed twice, does not press it.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "form/form_caption.h"
#include "form/input_clock.h"
#include "form/window_description.h"

namespace form {

// Told about every change, so a real window can mirror it.
class FormObserver {
  public:
    virtual ~FormObserver() = default;
    virtual void controlChanged(ControlId id) = 0;
    // Form1's own state changed: its caption, or whether files and the
    // clipboard are taken.
    virtual void formChanged() = 0;
    // A message the user reads and answers before the handler goes on.
    virtual void toldUser(const std::string& message) = 0;
    // A handler started or ended (isBusy()).
    virtual void busyChanged() = 0;
    virtual void programEnded() = 0;
};

// A file the user gave the program: dropped on the window, picked with
// "Place from file...", or named on the command line.
struct GivenFile {
    // As the system names it, in UTF-8: what the file reader opens.
    std::string path;
    // The same in the model's single-byte text, for what the program shows.
    std::string shownPath;
};

enum class CheckValue : std::int16_t { Unchecked = 0, Checked = 1 };

class FormModel {
  public:
    using Handler = std::function<void()>;
    using FilesHandler = std::function<void(const std::vector<GivenFile>&)>;
    // True when it took the pasted text.
    using PasteHandler = std::function<bool(const std::string&)>;

    // `clock` must outlive the model.
    explicit FormModel(const InputClock& clock);

    void setObserver(FormObserver* observer) { observer_ = observer; }

    // Handlers: clicks for buttons and option buttons, change for text boxes,
    // and the request to close the window (close box, Alt+F4).
    void onClick(ControlId id, Handler handler);
    void onChange(ControlId id, Handler handler);
    void onCloseRequest(Handler handler) { closeHandler_ = std::move(handler); }
    // Files the user gives the program.
    void onFilesGiven(FilesHandler handler) { filesHandler_ = std::move(handler); }
    // The clipboard given as a placement file.
    void onPlaceFromClipboard(Handler handler) { clipboardHandler_ = std::move(handler); }
    // A text pasted into a text box.
    void onPaste(ControlId box, PasteHandler handler);

    // Text of a text box, caption of anything else.
    const std::string& text(ControlId id) const;
    bool isSelected(ControlId option) const;
    CheckValue checkValue(ControlId box) const;
    bool isVisible(ControlId id) const;
    // Form1's caption, whole and in its parts.
    std::string caption() const { return captionParts_.text(); }
    const FormCaption& captionParts() const { return captionParts_; }
    // Files and the clipboard are taken ("Place from file..." and "Place
    // from clipboard" are offered, drops are read).
    bool offersPlaceFromFile() const { return placeFromFileOffered_; }
    // Every message told the user, in order.
    const std::vector<std::string>& messagesToUser() const { return messages_; }
    bool hasEnded() const { return ended_; }
    // A handler runs: user actions are not taken.
    bool isBusy() const { return busy_; }
    // A command button that was just shown takes no activation yet.
    bool isEnabled(ControlId id) const { return msUntilEnabled(id) == 0; }
    // How long it stays so; 0 for every other control.
    std::uint32_t msUntilEnabled(ControlId id) const;
    // Time has passed: buttons whose wait is over are reported changed.
    void timePassed();

    // Program changes. setText runs the change handler when the text changes.
    void setText(ControlId box, std::string text);
    void setCaption(ControlId id, std::string caption);
    void select(ControlId option);
    void setCheckValue(ControlId box, CheckValue value);
    void setVisible(ControlId id, bool visible);
    // A caption that names no file, or one in parts that give way where the
    // window is too narrow for the whole.
    void setFormCaption(std::string caption);
    void setFormCaption(FormCaption caption);
    void setPlaceFromFileOffered(bool offered);
    // A message the user must read: the window shows it and waits for OK.
    void tellUser(std::string message);
    // Ends the program: no handler runs after this.
    void endProgram();

    // User actions, as the window delivers them; none is taken while a
    // handler runs or after the end.
    void userEditsText(ControlId box, std::string text);
    // A command button runs its handler (if shown and enabled), an option
    // button is selected, a check box toggles.
    void userClicks(ControlId id);
    void userRequestsClose();
    // Taken only while files are.
    void userGivesFiles(const std::vector<GivenFile>& files);
    // "Place from clipboard", or Ctrl+V outside the boxes; taken only while
    // files are.
    void userPlacesFromClipboard();
    // A text pasted into a box: true when the box's paste handler took it;
    // otherwise the box pastes it itself, as typing.
    bool userPastes(ControlId box, const std::string& text);

  private:
    struct ControlState {
        std::string text;
        bool visible = true;
        bool on = false;  // selected or checked
        // A command button shown by the program: waiting until the
        // double-click time after `shownAt`, which is taken when the
        // handler that showed it ends.
        bool waiting = false;
        std::optional<std::uint32_t> shownAt;
        Handler click;
        Handler change;
        PasteHandler paste;
    };

    ControlState& state(ControlId id) { return controls_[static_cast<std::size_t>(id)]; }
    const ControlState& state(ControlId id) const {
        return controls_[static_cast<std::size_t>(id)];
    }
    void notify(ControlId id);
    void notifyForm();
    // Runs a handler; a user action's runs alone, a program change's nested.
    void run(const Handler& handler);
    bool takesUserAction();
    void startWaits();

    const InputClock& clock_;
    std::array<ControlState, kControlCount> controls_;
    Handler closeHandler_;
    FilesHandler filesHandler_;
    Handler clipboardHandler_;
    FormCaption captionParts_;
    bool placeFromFileOffered_ = true;
    std::vector<std::string> messages_;
    FormObserver* observer_ = nullptr;
    bool ended_ = false;
    bool busy_ = false;
};

}  // namespace form
