// The real Form1: a top-level window whose controls mirror the form model.
// Window messages become the model's user actions; the model's changes come
// back through FormObserver and are copied into the controls. The view
// decides nothing the handlers decide.
#pragma once

#include <windows.h>

#include <shellapi.h>

#include <array>
#include <string>

#include "form/form_model.h"
#include "win32/form_fonts_win.h"

namespace win32 {

inline constexpr const wchar_t* kFormClassName = L"CompPlaceForm";
// A fixed-size dialog-like window that can be minimised.
inline constexpr DWORD kFormStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
inline constexpr DWORD kFormExStyle = 0;
// "Place from file..." in the window's system menu: a command of its own,
// below the system's (a multiple of 16 under 0xF000).
inline constexpr UINT kPlaceFromFileCommand = 0x0010;
inline constexpr const wchar_t* kPlaceFromFileItem = L"Place from &file\x2026\tCtrl+O";
// "Place from clipboard", beside it.
inline constexpr UINT kPlaceFromClipboardCommand = 0x0020;
inline constexpr const wchar_t* kPlaceFromClipboardItem = L"Place from clip&board\tCtrl+V";

class FormWindow final : public form::FormObserver {
  public:
    explicit FormWindow(form::FormModel& model);
    ~FormWindow() override;
    FormWindow(const FormWindow&) = delete;
    FormWindow& operator=(const FormWindow&) = delete;

    // Builds the window and its controls from the model and shows it.
    // False when the window system refused.
    bool create(HINSTANCE instance, int showCommand);
    // Null once the window is gone.
    HWND handle() const { return window_; }
    // The dialog keyboard (Tab, arrow keys, Alt+accelerators) for a message
    // from the queue; true when it was handled here.
    bool handleDialogKeys(MSG& message);

    void controlChanged(form::ControlId id) override;
    void formChanged() override;
    void toldUser(const std::string& message) override;
    void busyChanged() override;
    void programEnded() override;

  private:
    static LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    // The text boxes' own procedure: a paste into one goes to the model
    // first.
    static LRESULT CALLBACK boxProc(HWND box, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam);

    bool createControls(HINSTANCE instance, UINT dpi);
    // Places and fonts every control anew, as when the resolution changes.
    void applyLayout(UINT dpi);
    static SIZE outerSizeFor(UINT dpi);
    // The window's icons drawn for this resolution.
    void loadIcons(HINSTANCE instance, UINT dpi);
    void onDpiChanged(UINT dpi, const RECT& suggested);
    // Corrects the window's size when its client area is not the layout's.
    void fitClientArea(UINT dpi);
    // The model's caption, its title and file name giving way to what the
    // title bar holds.
    void showCaption();

    void onCommand(int childId, int code);
    // "Place from file..." and Ctrl+O: the system's Open dialog, then the
    // file it gives to the model.
    void askForPlacementFile();
    // The clipboard's text for the model to paste into the box; false when
    // the model left the paste to the box.
    bool pasteTaken(HWND box);
    // The key pressed with Ctrl (and not Alt) on the window or any control of it.
    bool isCtrlKeyHere(const MSG& message, WPARAM key) const;
    void onDropFiles(HDROP drop);
    void onActivate(bool active, bool minimized);
    void selectOptionReachedByArrow(HWND focusBefore);
    void restoreFocus();
    void detach();
    // The window of this dialog under the pointer, or null.
    HWND underPointer() const;
    // Wakes the view when the soonest button that waits may take clicks.
    void armWaitTimer();

    void mirror(form::ControlId id);
    void mirrorEditText(HWND edit, const std::wstring& text);
    void mirrorVisibility(HWND control, bool visible);
    void mirrorEnabled(form::ControlId id);
    void mirrorOption(HWND option, bool selected);

    HWND control(form::ControlId id) const { return controls_[static_cast<std::size_t>(id)]; }

    form::FormModel& model_;
    HWND window_ = nullptr;
    std::array<HWND, form::kControlCount> controls_{};
    FormFonts fonts_;
    // The resolution the window is laid out for.
    UINT dpi_ = 0;
    HWND lastFocus_ = nullptr;
    HICON bigIcon_ = nullptr;
    HICON smallIcon_ = nullptr;
    // Set while the view writes a program change into an Edit, so the
    // EN_CHANGE it raises does not go back to the model.
    bool mirroring_ = false;
};

}  // namespace win32
