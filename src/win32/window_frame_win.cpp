// The window's frame: its class, its place on the monitor, its size and
// icons at each resolution, and the controls made for it.
#include <initializer_list>
#include <string>
#include <utility>

#include "form/window_layout.h"
#include "win32/ansi_text_win.h"
#include "win32/dpi_win.h"
#include "win32/form_controls_win.h"
#include "win32/form_view_win.h"
#include "win32/resource_ids_win.h"
#include "win32/window_class_win.h"

namespace win32 {
namespace {

using form::ControlId;

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

FormWindow::FormWindow(form::FormModel& model) : model_(model) {}

FormWindow::~FormWindow() {
    model_.setObserver(nullptr);
    if (window_ != nullptr) {
        DestroyWindow(window_);
    }
    destroyIcons({bigIcon_, smallIcon_});
}

bool FormWindow::create(HINSTANCE instance, int showCommand) {
    if (!registerDialogClass(instance, &FormWindow::windowProc, kFormClassName)) {
        return false;
    }
    // The window and its controls are made at their place, size and font
    // for the screen's resolution, and with their texts, at once: each later
    // move or change of a window is a visible part of the start-up time.
    const UINT expectedDpi = dpiOf(nullptr);
    const RECT place = centredOnPrimaryWorkArea(outerSizeFor(expectedDpi));
    const std::wstring caption = wideFromAnsi(model_.caption());
    if (CreateWindowExW(kFormExStyle, kFormClassName, caption.c_str(), kFormStyle, place.left,
                        place.top, place.right - place.left, place.bottom - place.top, nullptr,
                        nullptr, instance, this) == nullptr) {
        return false;
    }
    // The controls follow the resolution of the monitor the window landed
    // on; when that is not the screen's, the window is sized and centred
    // for it again.
    const UINT dpi = dpiOf(window_);
    dpi_ = dpi;
    fonts_ = FormFonts(form::formDescription(), dpi);
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
    // Files come by a drop on the window or by "Place from file..." in its
    // system menu; the clipboard by the item beside it.
    HMENU systemMenu = GetSystemMenu(window_, FALSE);
    AppendMenuW(systemMenu, MF_SEPARATOR, 0, nullptr);
    AppendMenuW(systemMenu, MF_STRING, kPlaceFromFileCommand, kPlaceFromFileItem);
    AppendMenuW(systemMenu, MF_STRING, kPlaceFromClipboardCommand, kPlaceFromClipboardItem);
    // What DragAcceptFiles does, without loading the shell's DLL at start-up.
    SetWindowLongPtrW(window_, GWL_EXSTYLE,
                      GetWindowLongPtrW(window_, GWL_EXSTYLE) | WS_EX_ACCEPTFILES);
    model_.setObserver(this);
    for (const form::ControlDescription& description : form::controlDescriptions()) {
        mirror(description.id);
    }
    formChanged();
    lastFocus_ = control(ControlId::Text1);
    ShowWindow(window_, showCommand);
    UpdateWindow(window_);
    restoreFocus();
    return true;
}

bool FormWindow::createControls(HINSTANCE instance, UINT dpi) {
    const auto layout = form::layoutAt(static_cast<int>(dpi));
    for (const ControlId id : form::stackingOrder()) {
        const form::ControlDescription& description = form::describe(id);
        const std::wstring text = wideFromAnsi(model_.text(id));
        HWND created =
            createControl(description, window_, instance, layout[static_cast<std::size_t>(id)].rect,
                          fonts_.font(description.font), {text.c_str(), model_.isVisible(id)});
        if (created == nullptr) {
            return false;
        }
        controls_[static_cast<std::size_t>(id)] = created;
        if (description.kind == form::ControlKind::TextBox) {
            SetWindowLongPtrW(created, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&boxProc));
        }
    }
    return true;
}

void FormWindow::applyLayout(UINT dpi) {
    FormFonts fonts(form::formDescription(), dpi);
    const auto layout = form::layoutAt(static_cast<int>(dpi));
    for (const form::ControlDescription& description : form::controlDescriptions()) {
        HWND child = control(description.id);
        const form::PixelRect rect = layout[static_cast<std::size_t>(description.id)].rect;
        SetWindowPos(child, nullptr, rect.x, rect.y, rect.width, rect.height,
                     SWP_NOZORDER | SWP_NOACTIVATE);
        SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(fonts.font(description.font)),
                     TRUE);
    }
    // The old fonts go only once no control uses them.
    fonts_ = std::move(fonts);
}

SIZE FormWindow::outerSizeFor(UINT dpi) {
    const form::PixelSize client = form::clientSizeAt(static_cast<int>(dpi));
    const RECT outer = outerRectFor(client.width, client.height, kFormStyle, kFormExStyle, dpi);
    return SIZE{outer.right - outer.left, outer.bottom - outer.top};
}

void FormWindow::onDpiChanged(UINT dpi, const RECT& suggested) {
    // Where the system suggests, at the size of the layout for the new
    // resolution: the suggestion already has that size when the system asked
    // for it first, but not on every version of Windows.
    dpi_ = dpi;
    const SIZE outer = outerSizeFor(dpi);
    SetWindowPos(window_, nullptr, suggested.left, suggested.top, outer.cx, outer.cy,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    fitClientArea(dpi);
    applyLayout(dpi);
    loadIcons(reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(window_, GWLP_HINSTANCE)), dpi);
    showCaption();
}

void FormWindow::fitClientArea(UINT dpi) {
    // Where the system draws the caption and borders at another resolution
    // than the window's (older Windows, Wine), the client area comes out off
    // by the difference: the window grows or shrinks by it, so the layout fits.
    const form::PixelSize client = form::clientSizeAt(static_cast<int>(dpi));
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
    const int big = MulDiv(32, static_cast<int>(dpi), form::kDefaultDpi);
    const int small = MulDiv(16, static_cast<int>(dpi), form::kDefaultDpi);
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

}  // namespace win32
