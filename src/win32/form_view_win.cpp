#include "win32/form_view_win.h"

#include <cstdint>
#include <initializer_list>
#include <string>
#include <utility>

#include "dialog/window_layout.h"
#include "win32/ansi_text_win.h"
#include "win32/dpi_win.h"
#include "win32/form_controls_win.h"
#include "win32/resource_ids_win.h"

namespace win32 {
namespace {

using dialog::ControlId;
using dialog::ControlKind;

// A fixed-size dialog-like window that can be minimised.
constexpr DWORD kFormStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
constexpr DWORD kFormExStyle = 0;
// Ends the wait of a button the program has just shown.
constexpr UINT_PTR kWaitTimerId = 1;

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

bool registerFormClass(HINSTANCE instance, WNDPROC procedure) {
    WNDCLASSEXW existing{};
    existing.cbSize = sizeof(existing);
    if (GetClassInfoExW(instance, kFormClassName, &existing) != FALSE) {
        return true;
    }
    WNDCLASSEXW cls{};
    cls.cbSize = sizeof(cls);
    cls.lpfnWndProc = procedure;
    cls.hInstance = instance;
    cls.hIcon = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(IDI_COMPPLACE), IMAGE_ICON,
                                              0, 0, LR_DEFAULTSIZE | LR_SHARED));
    cls.hIconSm = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(IDI_COMPPLACE),
                                                IMAGE_ICON, GetSystemMetrics(SM_CXSMICON),
                                                GetSystemMetrics(SM_CYSMICON), LR_SHARED));
    cls.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // IDC_ARROW
    cls.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_BTNFACE + 1));
    cls.lpszClassName = kFormClassName;
    return RegisterClassExW(&cls) != 0;
}

// A window of `size` in the middle of the monitor's work area, kept on it
// when it is larger.
RECT centredOnWorkArea(HMONITOR monitor, SIZE size) {
    MONITORINFO info{};
    info.cbSize = sizeof(info);
    RECT work{0, 0, size.cx, size.cy};
    if (GetMonitorInfoW(monitor, &info)) {
        work = info.rcWork;
    }
    const int x = work.left + (work.right - work.left - size.cx) / 2;
    const int y = work.top + (work.bottom - work.top - size.cy) / 2;
    const int left = x > work.left ? x : work.left;
    const int top = y > work.top ? y : work.top;
    return RECT{left, top, left + size.cx, top + size.cy};
}

void destroyIcons(std::initializer_list<HICON> icons) {
    for (HICON icon : icons) {
        if (icon != nullptr) {
            DestroyIcon(icon);
        }
    }
}

RECT centredOnPrimaryWorkArea(SIZE size) {
    return centredOnWorkArea(MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY), size);
}

}  // namespace

FormWindow::FormWindow(dialog::FormModel& model) : model_(model) {}

FormWindow::~FormWindow() {
    model_.setObserver(nullptr);
    if (window_ != nullptr) {
        DestroyWindow(window_);
    }
    destroyIcons({bigIcon_, smallIcon_});
}

bool FormWindow::create(HINSTANCE instance, int showCommand) {
    if (!registerFormClass(instance, &FormWindow::windowProc)) {
        return false;
    }
    // The window and its controls are made at their place, size and font
    // for the screen's resolution, and with their texts, at once: each later
    // move or change of a window is a visible part of the start-up time.
    const UINT expectedDpi = dpiOf(nullptr);
    const RECT place = centredOnPrimaryWorkArea(outerSizeFor(expectedDpi));
    const std::wstring caption = wideFromAnsi(dialog::formDescription().caption);
    if (CreateWindowExW(kFormExStyle, kFormClassName, caption.c_str(), kFormStyle, place.left,
                        place.top, place.right - place.left, place.bottom - place.top, nullptr,
                        nullptr, instance, this) == nullptr) {
        return false;
    }
    // The controls follow the resolution of the monitor the window landed
    // on; when that is not the screen's, the window is sized and centred
    // for it again.
    const UINT dpi = dpiOf(window_);
    fonts_ = FormFonts(dialog::formDescription(), dpi);
    if (!createControls(instance, dpi)) {
        DestroyWindow(window_);
        return false;
    }
    if (dpi != expectedDpi) {
        const RECT onItsMonitor = centredOnWorkArea(
            MonitorFromWindow(window_, MONITOR_DEFAULTTOPRIMARY), outerSizeFor(dpi));
        SetWindowPos(window_, nullptr, onItsMonitor.left, onItsMonitor.top,
                     onItsMonitor.right - onItsMonitor.left, onItsMonitor.bottom - onItsMonitor.top,
                     SWP_NOZORDER | SWP_NOACTIVATE);
        fitClientArea(dpi);
        loadIcons(instance, dpi);
    }
    model_.setObserver(this);
    for (const dialog::ControlDescription& description : dialog::controlDescriptions()) {
        mirror(description.id);
    }
    lastFocus_ = control(ControlId::Text1);
    ShowWindow(window_, showCommand);
    UpdateWindow(window_);
    restoreFocus();
    return true;
}

bool FormWindow::createControls(HINSTANCE instance, UINT dpi) {
    const auto layout = dialog::layoutAt(static_cast<int>(dpi));
    for (const ControlId id : dialog::stackingOrder()) {
        const dialog::ControlDescription& description = dialog::describe(id);
        const std::wstring text = wideFromAnsi(model_.text(id));
        HWND created =
            createControl(description, window_, instance, layout[static_cast<std::size_t>(id)].rect,
                          fonts_.font(description.font), {text.c_str(), model_.isVisible(id)});
        if (created == nullptr) {
            return false;
        }
        controls_[static_cast<std::size_t>(id)] = created;
    }
    return true;
}

void FormWindow::applyLayout(UINT dpi) {
    FormFonts fonts(dialog::formDescription(), dpi);
    const auto layout = dialog::layoutAt(static_cast<int>(dpi));
    for (const dialog::ControlDescription& description : dialog::controlDescriptions()) {
        HWND child = control(description.id);
        const dialog::PixelRect rect = layout[static_cast<std::size_t>(description.id)].rect;
        SetWindowPos(child, nullptr, rect.x, rect.y, rect.width, rect.height,
                     SWP_NOZORDER | SWP_NOACTIVATE);
        SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(fonts.font(description.font)),
                     TRUE);
    }
    // The old fonts go only once no control uses them.
    fonts_ = std::move(fonts);
}

SIZE FormWindow::outerSizeFor(UINT dpi) {
    const dialog::PixelSize client = dialog::clientSizeAt(static_cast<int>(dpi));
    const RECT outer = outerRectFor(client.width, client.height, kFormStyle, kFormExStyle, dpi);
    return SIZE{outer.right - outer.left, outer.bottom - outer.top};
}

void FormWindow::onDpiChanged(UINT dpi, const RECT& suggested) {
    // Where the system suggests, at the size of the layout for the new
    // resolution: the suggestion already has that size when the system asked
    // for it first, but not on every version of Windows.
    const SIZE outer = outerSizeFor(dpi);
    SetWindowPos(window_, nullptr, suggested.left, suggested.top, outer.cx, outer.cy,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    fitClientArea(dpi);
    applyLayout(dpi);
    loadIcons(reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(window_, GWLP_HINSTANCE)), dpi);
}

void FormWindow::fitClientArea(UINT dpi) {
    // Where the system draws the caption and borders at another resolution
    // than the window's (older Windows, Wine), the client area comes out off
    // by the difference: the window grows or shrinks by it, so the layout fits.
    const dialog::PixelSize client = dialog::clientSizeAt(static_cast<int>(dpi));
    RECT actual{};
    RECT outer{};
    if (!GetClientRect(window_, &actual) || !GetWindowRect(window_, &outer) ||
        (actual.right == client.width && actual.bottom == client.height)) {
        return;
    }
    SetWindowPos(window_, nullptr, 0, 0, outer.right - outer.left + client.width - actual.right,
                 outer.bottom - outer.top + client.height - actual.bottom,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void FormWindow::loadIcons(HINSTANCE instance, UINT dpi) {
    // 32 and 16 pixels at 100 %, the sizes Windows draws the caption and
    // taskbar icons at, scaled as the layout is.
    const int big = MulDiv(32, static_cast<int>(dpi), dialog::kDefaultDpi);
    const int small = MulDiv(16, static_cast<int>(dpi), dialog::kDefaultDpi);
    const auto load = [instance](int size) {
        return static_cast<HICON>(
            LoadImageW(instance, MAKEINTRESOURCEW(IDI_COMPPLACE), IMAGE_ICON, size, size, 0));
    };
    HICON newBig = load(big);
    HICON newSmall = load(small);
    if (newBig == nullptr || newSmall == nullptr) {
        destroyIcons({newBig, newSmall});
        return;  // the class's icons stay
    }
    SendMessageW(window_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(newBig));
    SendMessageW(window_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(newSmall));
    destroyIcons({std::exchange(bigIcon_, newBig), std::exchange(smallIcon_, newSmall)});
}

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

LRESULT FormWindow::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_COMMAND:
            // IDOK and IDCANCEL, which the dialog manager sends for Enter and
            // Escape, are no control's id and so do nothing.
            onCommand(LOWORD(wParam), HIWORD(wParam));
            return 0;
        case DM_GETDEFID:
            return 0;  // no default button
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
    switch (dialog::describe(*id).kind) {
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
    if (id && dialog::describe(*id).kind == ControlKind::OptionButton && !model_.isSelected(*id)) {
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
    for (const dialog::ControlDescription& description : dialog::controlDescriptions()) {
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
    switch (dialog::describe(id).kind) {
        case ControlKind::TextBox:
            mirrorEditText(child, text);
            break;
        case ControlKind::CheckBox:
            SendMessageW(
                child, BM_SETCHECK,
                model_.checkValue(id) == dialog::CheckValue::Checked ? BST_CHECKED : BST_UNCHECKED,
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
    if (dialog::describe(id).kind != ControlKind::TextBox && windowText(child) != text) {
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
