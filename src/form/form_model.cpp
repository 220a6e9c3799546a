#include "form/form_model.h"

#include <utility>

namespace form {

FormModel::FormModel(const InputClock& clock)
    : clock_(clock), captionParts_{std::string(formDescription().caption), {}, {}, {}} {
    for (const ControlDescription& control : controlDescriptions()) {
        ControlState& s = state(control.id);
        s.text = std::string(control.caption);
        s.visible = control.initiallyVisible;
        s.on = control.initiallyOn;
    }
}

void FormModel::onClick(ControlId id, Handler handler) {
    state(id).click = std::move(handler);
}

void FormModel::onChange(ControlId id, Handler handler) {
    state(id).change = std::move(handler);
}

void FormModel::onPaste(ControlId box, PasteHandler handler) {
    state(box).paste = std::move(handler);
}

const std::string& FormModel::text(ControlId id) const {
    return state(id).text;
}

bool FormModel::isSelected(ControlId option) const {
    return state(option).on;
}

CheckValue FormModel::checkValue(ControlId box) const {
    return state(box).on ? CheckValue::Checked : CheckValue::Unchecked;
}

bool FormModel::isVisible(ControlId id) const {
    return state(id).visible;
}

std::uint32_t FormModel::msUntilEnabled(ControlId id) const {
    const ControlState& s = state(id);
    if (!s.waiting) {
        return 0;
    }
    const std::uint32_t wait = clock_.doubleClickMs();
    if (!s.shownAt) {
        return wait;  // its handler still runs
    }
    // Unsigned: right across the clock's wrap-around too.
    const std::uint32_t passed = clock_.nowMs() - *s.shownAt;
    return passed >= wait ? 0 : wait - passed;
}

void FormModel::timePassed() {
    for (const ControlDescription& control : controlDescriptions()) {
        ControlState& s = state(control.id);
        if (s.waiting && msUntilEnabled(control.id) == 0) {
            s.waiting = false;
            notify(control.id);
        }
    }
}

void FormModel::setText(ControlId box, std::string text) {
    ControlState& s = state(box);
    if (s.text == text) {
        return;  // an unchanged text raises no change event
    }
    s.text = std::move(text);
    notify(box);
    run(s.change);
}

void FormModel::setCaption(ControlId id, std::string caption) {
    state(id).text = std::move(caption);
    notify(id);
}

void FormModel::select(ControlId option) {
    ControlId partner = partnerOf(option);
    if (partner != option && state(partner).on) {
        state(partner).on = false;
        notify(partner);
    }
    if (!state(option).on) {
        state(option).on = true;
        notify(option);
    }
    run(state(option).click);
}

void FormModel::setCheckValue(ControlId box, CheckValue value) {
    bool on = value == CheckValue::Checked;
    if (state(box).on != on) {
        state(box).on = on;
        notify(box);
    }
}

void FormModel::setVisible(ControlId id, bool visible) {
    ControlState& s = state(id);
    if (s.visible == visible) {
        return;
    }
    s.visible = visible;
    s.waiting = visible && describe(id).kind == ControlKind::CommandButton;
    s.shownAt.reset();
    if (s.waiting && !busy_) {
        s.shownAt = clock_.nowMs();
    }
    notify(id);
}

void FormModel::setFormCaption(std::string caption) {
    setFormCaption(FormCaption{std::move(caption), {}, {}, {}});
}

void FormModel::setFormCaption(FormCaption caption) {
    if (captionParts_ == caption) {
        return;
    }
    captionParts_ = std::move(caption);
    notifyForm();
}

void FormModel::setPlaceFromFileOffered(bool offered) {
    if (placeFromFileOffered_ == offered) {
        return;
    }
    placeFromFileOffered_ = offered;
    notifyForm();
}

void FormModel::tellUser(std::string message) {
    messages_.push_back(std::move(message));
    if (observer_ != nullptr) {
        observer_->toldUser(messages_.back());
    }
}

void FormModel::endProgram() {
    if (ended_) {
        return;
    }
    ended_ = true;
    if (observer_ != nullptr) {
        observer_->programEnded();
    }
}

void FormModel::userEditsText(ControlId box, std::string text) {
    if (takesUserAction()) {
        setText(box, std::move(text));
    }
}

void FormModel::userClicks(ControlId id) {
    if (!takesUserAction()) {
        return;
    }
    switch (describe(id).kind) {
        case ControlKind::CommandButton:
            if (state(id).visible && isEnabled(id)) {
                run(state(id).click);
            }
            break;
        case ControlKind::OptionButton:
            select(id);
            break;
        case ControlKind::CheckBox:
            setCheckValue(id, state(id).on ? CheckValue::Unchecked : CheckValue::Checked);
            break;
        default:
            break;
    }
}

void FormModel::userRequestsClose() {
    if (takesUserAction()) {
        run(closeHandler_);
    }
}

void FormModel::userGivesFiles(const std::vector<GivenFile>& files) {
    if (filesHandler_ && placeFromFileOffered_ && takesUserAction()) {
        run([this, &files] { filesHandler_(files); });
    }
}

void FormModel::userPlacesFromClipboard() {
    if (placeFromFileOffered_ && takesUserAction()) {
        run(clipboardHandler_);
    }
}

bool FormModel::userPastes(ControlId box, const std::string& text) {
    const PasteHandler& paste = state(box).paste;
    bool taken = false;
    if (paste && takesUserAction()) {
        run([&] { taken = paste(text); });
    }
    return taken;
}

bool FormModel::takesUserAction() {
    if (ended_) {
        return false;
    }
    timePassed();
    return !busy_;
}

void FormModel::notify(ControlId id) {
    if (observer_ != nullptr) {
        observer_->controlChanged(id);
    }
}

void FormModel::notifyForm() {
    if (observer_ != nullptr) {
        observer_->formChanged();
    }
}

void FormModel::run(const Handler& handler) {
    if (!handler || ended_) {
        return;
    }
    if (busy_) {
        handler();  // a program change inside the running handler
        return;
    }
    busy_ = true;
    if (observer_ != nullptr) {
        observer_->busyChanged();
    }
    handler();
    busy_ = false;
    if (ended_) {
        return;
    }
    startWaits();
    if (observer_ != nullptr) {
        observer_->busyChanged();
    }
}

void FormModel::startWaits() {
    // The double-click time counts from when the person can see the button
    // and the handler takes input again: the second click of a double click
    // queued behind a slow handler still falls within it.
    for (const ControlDescription& control : controlDescriptions()) {
        ControlState& s = state(control.id);
        if (s.waiting && !s.shownAt) {
            s.shownAt = clock_.nowMs();
            notify(control.id);
        }
    }
}

}  // namespace form
