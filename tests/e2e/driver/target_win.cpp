#include "target_win.h"

#include <chrono>
#include <cstddef>
#include <thread>
#include <vector>

namespace e2e {

namespace {

constexpr auto kPoll = std::chrono::milliseconds(20);

using Clock = std::chrono::steady_clock;

Clock::time_point deadlineAfter(int ms) {
    return Clock::now() + std::chrono::milliseconds(ms);
}

struct ControlSearch {
    int id;
    HWND found;
};

BOOL CALLBACK matchControl(HWND child, LPARAM param) {
    auto* search = reinterpret_cast<ControlSearch*>(param);
    if (GetDlgCtrlID(child) == search->id) {
        search->found = child;
        return FALSE;
    }
    return TRUE;
}

}  // namespace

Target::~Target() {
    if (process_ != nullptr) {
        CloseHandle(process_);
    }
}

HWND findVisibleDialog() {
    HWND window = nullptr;
    while ((window = FindWindowExW(nullptr, window, kDialogClass, nullptr)) != nullptr) {
        if (IsWindowVisible(window)) {
            return window;
        }
    }
    return nullptr;
}

HWND waitForMessageBox(const std::wstring& caption, int ms) {
    const auto deadline = deadlineAfter(ms);
    for (;;) {
        // Message boxes are of the system's dialog class.
        HWND box = FindWindowW(L"#32770", caption.c_str());
        if (box != nullptr && IsWindowVisible(box)) {
            return box;
        }
        if (Clock::now() >= deadline) {
            return nullptr;
        }
        std::this_thread::sleep_for(kPoll);
    }
}

bool Target::waitForWindow(int ms) {
    const auto deadline = deadlineAfter(ms);
    for (;;) {
        if (HWND window = findVisibleDialog()) {
            window_ = window;
            threadId_ = GetWindowThreadProcessId(window, &processId_);
            if (process_ != nullptr) {
                CloseHandle(process_);
            }
            process_ = OpenProcess(SYNCHRONIZE, FALSE, processId_);
            return true;
        }
        if (Clock::now() >= deadline) {
            return false;
        }
        std::this_thread::sleep_for(kPoll);
    }
}

bool Target::alive() const {
    return window_ != nullptr && IsWindow(window_);
}

HWND Target::control(int id) const {
    if (!alive()) {
        return nullptr;
    }
    if (id == 0) {
        return window_;
    }
    // Controls may sit inside their frames, so search every level.
    ControlSearch search{id, nullptr};
    EnumChildWindows(window_, matchControl, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

bool Target::waitForExit(int ms) const {
    const auto deadline = deadlineAfter(ms);
    while (alive()) {
        if (Clock::now() >= deadline) {
            return false;
        }
        std::this_thread::sleep_for(kPoll);
    }
    if (process_ == nullptr) {
        return true;
    }
    auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
    DWORD waitMs = left.count() > 0 ? static_cast<DWORD>(left.count()) : 0;
    return WaitForSingleObject(process_, waitMs) == WAIT_OBJECT_0;
}

std::optional<LRESULT> sendWithin(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    DWORD_PTR result = 0;
    if (SendMessageTimeoutW(window, message, wParam, lParam, SMTO_ABORTIFHUNG, kAnswerMs,
                            &result) == 0) {
        return std::nullopt;
    }
    return static_cast<LRESULT>(result);
}

std::optional<std::wstring> readText(HWND window) {
    auto length = sendWithin(window, WM_GETTEXTLENGTH, 0, 0);
    if (!length) {
        return std::nullopt;
    }
    std::vector<wchar_t> buffer(static_cast<std::size_t>(*length) + 1, L'\0');
    auto copied =
        sendWithin(window, WM_GETTEXT, buffer.size(), reinterpret_cast<LPARAM>(buffer.data()));
    if (!copied) {
        return std::nullopt;
    }
    return std::wstring(buffer.data(), static_cast<std::size_t>(*copied));
}

bool writeText(HWND window, const std::wstring& text) {
    return sendWithin(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str())).has_value();
}

std::string toUtf8(const std::wstring& text) {
    if (text.empty()) {
        return {};
    }
    int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr,
                                   0, nullptr, nullptr);
    std::string result(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), result.data(), size,
                        nullptr, nullptr);
    return result;
}

std::wstring fromUtf8(const std::string& text) {
    if (text.empty()) {
        return {};
    }
    int size =
        MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring result(static_cast<std::size_t>(size), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), result.data(),
                        size);
    return result;
}

}  // namespace e2e
