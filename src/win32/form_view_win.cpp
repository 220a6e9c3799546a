#include "win32/form_view_win.h"

#include <commdlg.h>

#include <cstdint>
#include <cwchar>
#include <string>
#include <vector>

#include "win32/ansi_text_win.h"
#include "win32/caption_fit_win.h"
#include "win32/clipboard_win.h"
#include "win32/dpi_win.h"
#include "win32/file_reader_win.h"
#include "win32/form_controls_win.h"
#include "win32/system_function_win.h"

namespace win32 {
namespace {

using form::ControlId;
using form::ControlKind;

// Ends the wait of a button the program has just shown.
constexpr UINT_PTR kWaitTimerId = 1;
// The most an Edit takes by default (EM_LIMITTEXT): a longer text is no
// pair of numbers, and the box would not take it whole either.
constexpr std::size_t kPasteLimit = 32767;

HCURSOR busyCursor() {
    return LoadCursorW(nullptr, MAKEINTRESOURCEW(32514));  // IDC_WAIT
}

std::wstring windowText(HWND window) {
    const int length = GetWindowTextLengthW(window);
    if (length <= 0) {
        return {};
    }
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    const int copied = GetWindowTextW(window, text.data(), length + 1);
    text.resize(static_cast<std::size_t>(copied > 0 ? copied : 0));
    return text;
}

}  // namespace

LRESULT CALLBACK FormWindow::windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        auto* self = static_cast<FormWindow*>(create->lpCreateParams);
        self->window_ = window;
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<FormWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (self == nullptr) {
        return DefWindowProcW(window, message, wParam, lParam);
    }
    return self->handleMessage(message, wParam, lParam);
}

LRESULT CALLBACK FormWindow::boxProc(HWND box, UINT message, WPARAM wParam, LPARAM lParam) {
    // Ctrl+V, Shift+Insert and the box's menu all paste with WM_PASTE.
    auto* self = reinterpret_cast<FormWindow*>(GetWindowLongPtrW(GetParent(box), GWLP_USERDATA));
    if (message == WM_PASTE && self != nullptr && self->pasteTaken(box)) {
        return 0;
    }
    // The box's class keeps the Edit's own procedure.
    const auto edit = reinterpret_cast<WNDPROC>(GetClassLongPtrW(box, GCLP_WNDPROC));
    return CallWindowProcW(edit, box, message, wParam, lParam);
}

LRESULT FormWindow::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_COMMAND:
            // IDOK and IDCANCEL, which the dialog manager sends for Enter and
            // Escape, are no control's id and so do nothing.
            onCommand(LOWORD(wParam), HIWORD(wParam));
            return 0;
        case DM_GETDEFID:
            return 0;  // no default button
        case WM_SYSCOMMAND:
            if ((wParam & 0xFFF0) == kPlaceFromFileCommand) {
                askForPlacementFile();
                return 0;
            }
            if ((wParam & 0xFFF0) == kPlaceFromClipboardCommand) {
                model_.userPlacesFromClipboard();
                return 0;
            }
            return DefWindowProcW(window_, message, wParam, lParam);
        case WM_DROPFILES:
            onDropFiles(reinterpret_cast<HDROP>(wParam));
            return 0;
        case WM_CLOSE:
            // The close box and Alt+F4 go through the program's own exit.
            model_.userRequestsClose();
            return 0;
        case WM_QUERYENDSESSION:
            // Log-off or shut-down may go on, unless a handler is between
            // its host calls.
            return model_.isBusy() ? FALSE : TRUE;
        case WM_ENDSESSION:
            // The session ends: the program's own exit, before Windows ends
            // the process.
            if (wParam != FALSE) {
                model_.userRequestsClose();
            }
            return 0;
        case WM_SETCURSOR:
            if (model_.isBusy()) {
                SetCursor(busyCursor());
                return TRUE;
            }
            return DefWindowProcW(window_, message, wParam, lParam);
        case WM_TIMER:
            if (wParam == kWaitTimerId) {
                KillTimer(window_, kWaitTimerId);
                model_.timePassed();
                armWaitTimer();
            }
            return 0;
        case WM_ACTIVATE:
            onActivate(LOWORD(wParam) != WA_INACTIVE, HIWORD(wParam) != 0);
            return 0;
        case WM_SETFOCUS:
            restoreFocus();
            return 0;
        case WM_SIZE:
        case WM_SETTINGCHANGE:
            // The title bar's room or its font may have changed.
            showCaption();
            return DefWindowProcW(window_, message, wParam, lParam);
        case kGetDpiScaledSizeMessage: {
            // Asked before a move to a monitor of another resolution: the
            // size the window will take there, so the suggested rectangle of
            // the change that follows already fits.
            auto* size = reinterpret_cast<SIZE*>(lParam);
            *size = outerSizeFor(static_cast<UINT>(wParam));
            return TRUE;
        }
        case kDpiChangedMessage:
            onDpiChanged(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
            return 0;
        case WM_DESTROY:
            PostQuitMessage(0);
            return 0;
        case WM_NCDESTROY: {
            HWND window = window_;
            detach();
            return DefWindowProcW(window, message, wParam, lParam);
        }
        default:
            return DefWindowProcW(window_, message, wParam, lParam);
    }
}

void FormWindow::onCommand(int childId, int code) {
    const auto id = controlIdOf(childId);
    if (!id) {
        return;
    }
    switch (form::describe(*id).kind) {
        case ControlKind::TextBox:
            if (code == EN_CHANGE && !mirroring_) {
                model_.userEditsText(*id, ansiFromWide(windowText(control(*id))));
                // A text the model did not take (a handler runs) goes back.
                if (window_ != nullptr) {
                    mirror(*id);
                }
            }
            break;
        case ControlKind::CommandButton:
        case ControlKind::OptionButton:
        case ControlKind::CheckBox:
            // The buttons do not check themselves; the model's answer is
            // mirrored back into them.
            if (code == BN_CLICKED) {
                model_.userClicks(*id);
            }
            break;
        case ControlKind::Frame:
        case ControlKind::Label:
            break;
    }
}

bool FormWindow::handleDialogKeys(MSG& message) {
    // Plain characters skip the dialog manager: a letter typed on a button
    // must not press the button whose accelerator it is. Alt+M, Alt+E and
    // Alt+R come as WM_SYSCHAR and still go through it.
    if (window_ == nullptr || message.message == WM_CHAR) {
        return false;
    }
    // Ctrl+O, on the window or any control of it, is "Place from file...".
    if (isCtrlKeyHere(message, 'O')) {
        askForPlacementFile();
        return true;
    }
    // Ctrl+V is "Place from clipboard", except in a box: there it pastes.
    const auto target = controlIdOf(GetDlgCtrlID(message.hwnd));
    const bool inABox =
        message.hwnd != window_ && target && form::describe(*target).kind == ControlKind::TextBox;
    if (isCtrlKeyHere(message, 'V') && !inABox) {
        model_.userPlacesFromClipboard();
        return true;
    }
    HWND focusBefore = GetFocus();
    if (IsDialogMessageW(window_, &message) == FALSE) {
        return false;
    }
    if (message.message == WM_KEYDOWN && (message.wParam == VK_LEFT || message.wParam == VK_RIGHT ||
                                          message.wParam == VK_UP || message.wParam == VK_DOWN)) {
        selectOptionReachedByArrow(focusBefore);
    }
    return true;
}

bool FormWindow::isCtrlKeyHere(const MSG& message, WPARAM key) const {
    return message.message == WM_KEYDOWN && message.wParam == key && GetKeyState(VK_CONTROL) < 0 &&
           GetKeyState(VK_MENU) >= 0 && (message.hwnd == window_ || IsChild(window_, message.hwnd));
}

bool FormWindow::pasteTaken(HWND box) {
    const auto id = controlIdOf(GetDlgCtrlID(box));
    const dialog::ClipboardText held = SystemClipboard{}.text(kPasteLimit);
    if (!id || held.problem != dialog::ClipboardProblem::None || held.text.size() > kPasteLimit) {
        return false;
    }
    return model_.userPastes(*id, ansiFromWide(std::wstring(held.text.begin(), held.text.end())));
}

void FormWindow::askForPlacementFile() {
    // Not offered after a move, nor while a handler runs.
    if (!model_.offersPlaceFromFile() || model_.isBusy() || model_.hasEnded()) {
        return;
    }
    std::wstring path(32768, L'\0');
    OPENFILENAMEW choice{};
    choice.lStructSize = sizeof choice;
    choice.hwndOwner = window_;
    choice.lpstrFilter =
        L"Placement files (*.pos, *.csv, *.txt, *.mnt, *.mnb, *.xy)\0"
        L"*.pos;*.csv;*.txt;*.mnt;*.mnb;*.xy\0All files (*.*)\0*.*\0";
    choice.lpstrFile = path.data();
    choice.nMaxFile = static_cast<DWORD>(path.size());
    choice.lpstrTitle = L"Place from file";
    choice.Flags =
        OFN_EXPLORER | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
    using GetOpenFileNameFn = BOOL(WINAPI*)(OPENFILENAMEW*);
    const auto getOpenFileName =
        systemFunctionLoaded<GetOpenFileNameFn>(L"comdlg32.dll", "GetOpenFileNameW");
    if (getOpenFileName == nullptr) {
        MessageBeep(MB_ICONWARNING);  // no Open dialog on this system
        return;
    }
    if (getOpenFileName(&choice) == FALSE || window_ == nullptr) {
        return;  // cancelled, or the window went meanwhile
    }
    path.resize(std::wcslen(path.c_str()));
    model_.userGivesFiles({givenFileOf(path)});
}

void FormWindow::onDropFiles(HDROP drop) {
    using DragQueryFileFn = UINT(WINAPI*)(HDROP, UINT, LPWSTR, UINT);
    using DragFinishFn = void(WINAPI*)(HDROP);
    const auto query = systemFunctionLoaded<DragQueryFileFn>(L"shell32.dll", "DragQueryFileW");
    const auto finish = systemFunctionLoaded<DragFinishFn>(L"shell32.dll", "DragFinish");
    if (query == nullptr || finish == nullptr) {
        return;
    }
    std::vector<form::GivenFile> files;
    const UINT count = query(drop, 0xFFFFFFFF, nullptr, 0);
    for (UINT i = 0; i < count; ++i) {
        const UINT length = query(drop, i, nullptr, 0);
        std::wstring path(static_cast<std::size_t>(length) + 1, L'\0');
        const UINT copied = query(drop, i, path.data(), length + 1);
        path.resize(copied);
        files.push_back(givenFileOf(path));
    }
    finish(drop);
    // The model ignores them after a move and while a handler runs.
    model_.userGivesFiles(files);
}

void FormWindow::selectOptionReachedByArrow(HWND focusBefore) {
    // An option button reached with the arrow keys is selected, as a click
    // would select it. Some systems already report it as clicked when it
    // takes the focus; then the model has it selected and nothing is left.
    HWND focus = GetFocus();
    if (window_ == nullptr || focus == focusBefore || focus == nullptr ||
        GetParent(focus) != window_) {
        return;
    }
    const auto id = controlIdOf(GetDlgCtrlID(focus));
    if (id && form::describe(*id).kind == ControlKind::OptionButton && !model_.isSelected(*id)) {
        model_.userClicks(*id);
    }
}

void FormWindow::onActivate(bool active, bool minimized) {
    // Focus comes back to the control that had it when the window lost it.
    if (!active) {
        HWND focus = GetFocus();
        if (focus != nullptr && IsChild(window_, focus)) {
            lastFocus_ = focus;
        }
        return;
    }
    if (!minimized) {
        restoreFocus();
    }
}

void FormWindow::restoreFocus() {
    HWND target = lastFocus_;
    if (target == nullptr || !IsWindowVisible(target)) {
        target = GetNextDlgTabItem(window_, nullptr, FALSE);
    }
    if (target != nullptr) {
        SetFocus(target);
    }
}

void FormWindow::detach() {
    SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
    window_ = nullptr;
    controls_.fill(nullptr);
    lastFocus_ = nullptr;
}

void FormWindow::controlChanged(ControlId id) {
    if (window_ != nullptr) {
        mirror(id);
    }
}

void FormWindow::formChanged() {
    if (window_ == nullptr) {
        return;
    }
    showCaption();
    const UINT offered = model_.offersPlaceFromFile() ? MF_ENABLED : MF_GRAYED;
    HMENU systemMenu = GetSystemMenu(window_, FALSE);
    EnableMenuItem(systemMenu, kPlaceFromFileCommand, MF_BYCOMMAND | offered);
    EnableMenuItem(systemMenu, kPlaceFromClipboardCommand, MF_BYCOMMAND | offered);
}

void FormWindow::showCaption() {
    // Not before the window is laid out; a minimised window's caption is
    // the taskbar's to cut.
    if (window_ == nullptr || dpi_ == 0 || IsIconic(window_) != FALSE) {
        return;
    }
    const std::wstring caption = captionThatFits(window_, dpi_, model_.captionParts());
    if (windowText(window_) != caption) {
        SetWindowTextW(window_, caption.c_str());
    }
}

void FormWindow::toldUser(const std::string& message) {
    const std::wstring caption = wideFromAnsi(form::formDescription().caption);
    MessageBoxW(window_, wideFromAnsi(message).c_str(), caption.c_str(), MB_OK | MB_ICONWARNING);
}

void FormWindow::busyChanged() {
    // While a handler runs the pointer shows the wait, as over any busy
    // window; then the shape of what it is over again.
    HWND under = underPointer();
    if (under == nullptr) {
        return;
    }
    if (model_.isBusy()) {
        SetCursor(busyCursor());
        return;
    }
    POINT pointer{};
    GetCursorPos(&pointer);
    const LRESULT hit = SendMessageW(under, WM_NCHITTEST, 0, MAKELPARAM(pointer.x, pointer.y));
    SendMessageW(under, WM_SETCURSOR, reinterpret_cast<WPARAM>(under),
                 MAKELPARAM(static_cast<WORD>(hit), WM_MOUSEMOVE));
}

HWND FormWindow::underPointer() const {
    POINT pointer{};
    if (window_ == nullptr || !GetCursorPos(&pointer)) {
        return nullptr;
    }
    HWND under = WindowFromPoint(pointer);
    return under == window_ || (under != nullptr && IsChild(window_, under)) ? under : nullptr;
}

void FormWindow::armWaitTimer() {
    std::uint32_t soonest = 0;
    for (const form::ControlDescription& description : form::controlDescriptions()) {
        const std::uint32_t wait = model_.msUntilEnabled(description.id);
        if (wait > 0 && (soonest == 0 || wait < soonest)) {
            soonest = wait;
        }
    }
    if (soonest > 0) {
        SetTimer(window_, kWaitTimerId, soonest, nullptr);
    } else {
        KillTimer(window_, kWaitTimerId);
    }
}

void FormWindow::programEnded() {
    // Ends the message loop through WM_DESTROY.
    if (window_ != nullptr) {
        DestroyWindow(window_);
    }
}

void FormWindow::mirror(ControlId id) {
    HWND child = control(id);
    const std::wstring text = wideFromAnsi(model_.text(id));
    switch (form::describe(id).kind) {
        case ControlKind::TextBox:
            mirrorEditText(child, text);
            break;
        case ControlKind::CheckBox:
            SendMessageW(
                child, BM_SETCHECK,
                model_.checkValue(id) == form::CheckValue::Checked ? BST_CHECKED : BST_UNCHECKED,
                0);
            break;
        case ControlKind::OptionButton:
            mirrorOption(child, model_.isSelected(id));
            break;
        case ControlKind::CommandButton:
            mirrorEnabled(id);
            break;
        case ControlKind::Frame:
        case ControlKind::Label:
            break;
    }
    if (form::describe(id).kind != ControlKind::TextBox && windowText(child) != text) {
        SetWindowTextW(child, text.c_str());
    }
    mirrorVisibility(child, model_.isVisible(id));
}

void FormWindow::mirrorEditText(HWND edit, const std::wstring& text) {
    // An Edit that already shows the text is left alone, so the caret stays
    // where the user has it.
    if (windowText(edit) == text) {
        return;
    }
    const bool wasMirroring = mirroring_;
    mirroring_ = true;
    SetWindowTextW(edit, text.c_str());
    mirroring_ = wasMirroring;
    // A text the program rewrote while the user types goes on at its end.
    const auto end = static_cast<WPARAM>(text.size());
    SendMessageW(edit, EM_SETSEL, end, static_cast<LPARAM>(end));
}

void FormWindow::mirrorVisibility(HWND child, bool visible) {
    const bool shown = (GetWindowLongPtrW(child, GWL_STYLE) & WS_VISIBLE) != 0;
    if (shown == visible) {
        return;
    }
    if (!visible && GetFocus() == child) {
        // A hidden control cannot keep the focus. It goes where the dialog
        // starts, the X box, where a key still held or pressed again
        // presses no button.
        HWND first = GetNextDlgTabItem(window_, nullptr, FALSE);
        SetFocus(first != nullptr && first != child ? first : window_);
    }
    ShowWindow(child, visible ? SW_SHOWNA : SW_HIDE);
}

void FormWindow::mirrorEnabled(ControlId id) {
    // A button that waits out the double-click time shows it greyed.
    EnableWindow(control(id), model_.isEnabled(id) ? TRUE : FALSE);
    armWaitTimer();
}

void FormWindow::mirrorOption(HWND option, bool selected) {
    SendMessageW(option, BM_SETCHECK, selected ? BST_CHECKED : BST_UNCHECKED, 0);
    // Tab reaches a frame's options at the selected one, as it does in dialogs.
    const LONG_PTR style = GetWindowLongPtrW(option, GWL_STYLE);
    const LONG_PTR wanted = selected ? (style | WS_TABSTOP) : (style & ~LONG_PTR{WS_TABSTOP});
    if (wanted != style) {
        SetWindowLongPtrW(option, GWL_STYLE, wanted);
    }
}

}  // namespace win32
