// A headless Form1: the state of every control and the window-system rules
// the handlers rely on. A text set by the program runs that box's change
// handler at once, nested; selecting an option button clears its partner
// and runs its click handler at once. User actions take the same path, so
// the handlers cannot tell a click from the program's selection.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>

#include "dialog/window_description.h"

namespace dialog {

// Told about every change, so a real window can mirror it.
class FormObserver {
  public:
    virtual ~FormObserver() = default;
    virtual void controlChanged(ControlId id) = 0;
    virtual void programEnded() = 0;
};

enum class CheckValue : std::int16_t { Unchecked = 0, Checked = 1 };

class FormModel {
  public:
    using Handler = std::function<void()>;

    FormModel();

    void setObserver(FormObserver* observer) { observer_ = observer; }

    // Handlers: clicks for buttons and option buttons, change for text boxes,
    // and the request to close the window (close box, Alt+F4).
    void onClick(ControlId id, Handler handler);
    void onChange(ControlId id, Handler handler);
    void onCloseRequest(Handler handler) { closeHandler_ = std::move(handler); }

    // Text of a text box, caption of anything else.
    const std::string& text(ControlId id) const;
    bool isSelected(ControlId option) const;
    CheckValue checkValue(ControlId box) const;
    bool isVisible(ControlId id) const;
    bool hasEnded() const { return ended_; }

    // Program changes. setText runs the change handler when the text changes.
    void setText(ControlId box, std::string text);
    void setCaption(ControlId id, std::string caption);
    void select(ControlId option);
    void setCheckValue(ControlId box, CheckValue value);
    void setVisible(ControlId id, bool visible);
    // Ends the program: no handler runs after this.
    void endProgram();

    // User actions, as the window delivers them.
    void userEditsText(ControlId box, std::string text) { setText(box, std::move(text)); }
    // A command button runs its handler (if shown), an option button is
    // selected, a check box toggles.
    void userClicks(ControlId id);
    void userRequestsClose();

  private:
    struct ControlState {
        std::string text;
        bool visible = true;
        bool on = false;  // selected or checked
        Handler click;
        Handler change;
    };

    ControlState& state(ControlId id) { return controls_[static_cast<std::size_t>(id)]; }
    const ControlState& state(ControlId id) const {
        return controls_[static_cast<std::size_t>(id)];
    }
    void notify(ControlId id);
    void run(const Handler& handler) const;

    std::array<ControlState, kControlCount> controls_;
    Handler closeHandler_;
    FormObserver* observer_ = nullptr;
    bool ended_ = false;
};

}  // namespace dialog
