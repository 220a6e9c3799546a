// The driver's side of the in-process probe (probe.h): set on the dialog's
// thread for as long as it lives.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "probe.h"

namespace e2e {

class Probe {
  public:
    // Throws std::runtime_error when the hook cannot be set.
    explicit Probe(DWORD threadId);
    ~Probe();
    Probe(const Probe&) = delete;
    Probe& operator=(const Probe&) = delete;

    // The control's font as its own process sees it; nullopt when it has
    // none or did not answer.
    std::optional<LOGFONTW> fontOf(HWND control);

    struct DpiChange {
        bool scaledSizeAnswered;
        SIZE scaledSize;
        LONG bigIconWidth;
    };
    // The window moved to a monitor of `dpi`, as Windows tells it.
    std::optional<DpiChange> changeDpi(HWND window, int dpi);

    // The file dropped on the window, as the shell drops it.
    bool dropFile(HWND window, const std::wstring& path);

    struct MenuItem {
        UINT command;  // 0: there is no such item
        bool enabled;
    };
    // The system menu's item whose text, up to any tab, is `text`.
    std::optional<MenuItem> menuItem(HWND window, const std::wstring& text);

  private:
    bool ask(HWND window, ProbeRequest request);
    bool setText(const std::wstring& text);
    void release();

    HANDLE memory_ = nullptr;
    ProbeBlock* block_ = nullptr;
    HMODULE library_ = nullptr;
    HHOOK hook_ = nullptr;
};

}  // namespace e2e
