#include "dialog/form_model.h"

#include <utility>

namespace dialog {

FormModel::FormModel() {
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
    if (state(id).visible != visible) {
        state(id).visible = visible;
        notify(id);
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

void FormModel::userClicks(ControlId id) {
    if (ended_) {
        return;
    }
    switch (describe(id).kind) {
        case ControlKind::CommandButton:
            if (state(id).visible) {
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
    run(closeHandler_);
}

void FormModel::notify(ControlId id) {
    if (observer_ != nullptr) {
        observer_->controlChanged(id);
    }
}

void FormModel::run(const Handler& handler) const {
    if (handler && !ended_) {
        handler();
    }
}

}  // namespace dialog
