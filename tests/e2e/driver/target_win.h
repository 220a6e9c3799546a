// The program under test seen from another process: its dialog window, found
// by class name, its controls, found by id, and its process.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

namespace e2e {

inline constexpr wchar_t kDialogClass[] = L"CompPlaceForm";
// How long one message to the dialog may take before it counts as hung.
inline constexpr UINT kAnswerMs = 5000;

class Target {
  public:
    Target() = default;
    ~Target();
    Target(const Target&) = delete;
    Target& operator=(const Target&) = delete;

    // Waits up to ms for a visible window of the dialog's class and remembers
    // it with its process.
    bool waitForWindow(int ms);
    bool found() const { return window_ != nullptr; }
    // The window was found and still exists.
    bool alive() const;
    HWND window() const { return window_; }
    DWORD processId() const { return processId_; }
    DWORD threadId() const { return threadId_; }
    // The control with this id anywhere below the window (0: the window);
    // nullptr when there is none.
    HWND control(int id) const;
    // Waits up to ms for the window to be gone and its process to end.
    bool waitForExit(int ms) const;

  private:
    HWND window_ = nullptr;
    HANDLE process_ = nullptr;
    DWORD processId_ = 0;
    DWORD threadId_ = 0;
};

// A visible top-level window of the dialog's class, or nullptr.
HWND findVisibleDialog();
// Waits up to ms for a visible message box with this caption; nullptr when
// none came.
HWND waitForMessageBox(const std::wstring& caption, int ms);

// A message sent with a time limit; nullopt when it was not answered (the
// window is gone or its thread hung).
std::optional<LRESULT> sendWithin(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// A window's text; nullopt when it did not answer.
std::optional<std::wstring> readText(HWND window);
bool writeText(HWND window, const std::wstring& text);

std::string toUtf8(const std::wstring& text);
std::wstring fromUtf8(const std::string& text);

}  // namespace e2e
