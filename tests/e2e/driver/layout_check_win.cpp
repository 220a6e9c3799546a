#include "layout_check_win.h"

#include <cmath>
#include <cstdlib>
#include <sstream>

#include <optional>
#include <stdexcept>

#include "dialog/window_description.h"
#include "font_probe.h"
#include "script.h"

namespace e2e {
namespace {

// The probe hook set on the dialog's thread for as long as it lives.
class FontProbe {
  public:
    explicit FontProbe(DWORD threadId) {
        memory_ = CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0,
                                     sizeof(FontProbeAnswer), kFontProbeMemory);
        answer_ = memory_ == nullptr ? nullptr
                                     : static_cast<FontProbeAnswer*>(MapViewOfFile(
                                           memory_, FILE_MAP_WRITE, 0, 0, sizeof(FontProbeAnswer)));
        library_ = LoadLibraryW(besideTheDriver(kFontProbeLibrary).c_str());
        const auto hook = library_ == nullptr ? nullptr
                                              : reinterpret_cast<HOOKPROC>(reinterpret_cast<void*>(
                                                    GetProcAddress(library_, kFontProbeHook)));
        hook_ =
            hook == nullptr ? nullptr : SetWindowsHookExW(WH_CALLWNDPROC, hook, library_, threadId);
        if (answer_ == nullptr || hook_ == nullptr) {
            release();
            throw std::runtime_error("cannot set the font probe");
        }
    }
    ~FontProbe() { release(); }
    FontProbe(const FontProbe&) = delete;
    FontProbe& operator=(const FontProbe&) = delete;

    // The control's font as its own process sees it; nullopt when it has
    // none or did not answer.
    std::optional<LOGFONTW> fontOf(HWND control) {
        static const UINT probe = RegisterWindowMessageW(kFontProbeMessage);
        answer_->state = static_cast<LONG>(FontProbeState::Waiting);
        DWORD_PTR ignored = 0;
        // The hook runs before the control sees the message, so the answer
        // is there once the message returns.
        if (SendMessageTimeoutW(control, probe, 0, 0, SMTO_ABORTIFHUNG, 5000, &ignored) == 0 ||
            answer_->state != static_cast<LONG>(FontProbeState::Answered)) {
            return std::nullopt;
        }
        return answer_->font;
    }

  private:
    static std::wstring besideTheDriver(const wchar_t* file) {
        wchar_t path[MAX_PATH] = L"";
        const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
        std::wstring folder(path, length);
        return folder.substr(0, folder.find_last_of(L"\\/") + 1) + file;
    }

    void release() {
        if (hook_ != nullptr) {
            UnhookWindowsHookEx(hook_);
        }
        if (library_ != nullptr) {
            FreeLibrary(library_);
        }
        if (answer_ != nullptr) {
            UnmapViewOfFile(answer_);
        }
        if (memory_ != nullptr) {
            CloseHandle(memory_);
        }
        hook_ = nullptr;
        library_ = nullptr;
        answer_ = nullptr;
        memory_ = nullptr;
    }

    HANDLE memory_ = nullptr;
    FontProbeAnswer* answer_ = nullptr;
    HMODULE library_ = nullptr;
    HHOOK hook_ = nullptr;
};

// twips * dpi / 1440 to the nearest pixel; the twips here are never negative.
int pixels(int twips, int dpi) {
    return (twips * dpi + 720) / 1440;
}

bool within1(int actual, int expected) {
    return std::abs(actual - expected) <= 1;
}

// The control's left and top on the client area, in twips: its own place
// plus that of every frame around it.
POINT absoluteTwips(const dialog::ControlDescription& control) {
    POINT at{control.place.left, control.place.top};
    for (auto container = control.container; container;
         container = dialog::describe(*container).container) {
        at.x += dialog::describe(*container).place.left;
        at.y += dialog::describe(*container).place.top;
    }
    return at;
}

std::string rectText(const RECT& r) {
    std::ostringstream out;
    out << r.left << ',' << r.top << ' ' << (r.right - r.left) << 'x' << (r.bottom - r.top);
    return out.str();
}

void checkWindow(HWND window, int dpi, std::vector<std::string>& problems) {
    // A fixed-size dialog: no sizing border, no maximize box.
    const LONG_PTR style = GetWindowLongPtrW(window, GWL_STYLE);
    if ((style & WS_THICKFRAME) != 0 || (style & WS_MAXIMIZEBOX) != 0) {
        problems.push_back("the window can be resized or maximized");
    }
    if ((style & WS_MINIMIZEBOX) == 0 || (style & WS_SYSMENU) == 0) {
        problems.push_back("the window lacks its minimize or close box");
    }
    const dialog::FormDescription& form = dialog::formDescription();
    RECT client{};
    GetClientRect(window, &client);
    if (!within1(client.right, pixels(form.clientWidthTwips, dpi)) ||
        !within1(client.bottom, pixels(form.clientHeightTwips, dpi))) {
        problems.push_back("client area " + rectText(client));
    }
}

void checkControl(HWND window, HWND child, const dialog::ControlDescription& control, int dpi,
                  FontProbe& probe, std::vector<std::string>& problems) {
    const std::string name(control.name);
    RECT actual{};
    GetWindowRect(child, &actual);
    MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&actual), 2);
    const POINT at = absoluteTwips(control);
    const RECT expected{pixels(at.x, dpi), pixels(at.y, dpi),
                        pixels(at.x + control.place.width, dpi),
                        pixels(at.y + control.place.height, dpi)};
    if (!within1(actual.left, expected.left) || !within1(actual.top, expected.top) ||
        !within1(actual.right, expected.right) || !within1(actual.bottom, expected.bottom)) {
        problems.push_back(name + " at " + rectText(actual) + ", expected " + rectText(expected));
    }

    const dialog::FormDescription& form = dialog::formDescription();
    const dialog::FontDescription& font =
        control.font == dialog::FontKind::WindowFont ? form.windowFont : form.normalFont;
    const std::optional<LOGFONTW> found = probe.fontOf(child);
    if (!found) {
        problems.push_back(name + " has no font of its own");
        return;
    }
    const LOGFONTW& logFont = *found;
    // The size is given to a tenth of a point, and a point is 1/72 inch.
    const int tenths = static_cast<int>(std::lround(font.points * 10));
    const int height = -((tenths * dpi + 360) / 720);
    if (logFont.lfHeight != height || logFont.lfWeight != font.weight ||
        logFont.lfCharSet != font.charset) {
        std::ostringstream out;
        out << name << " font height " << logFont.lfHeight << " weight " << logFont.lfWeight
            << " charset " << int{logFont.lfCharSet} << ", expected " << height << ' '
            << font.weight << ' ' << font.charset;
        problems.push_back(out.str());
    }
}

}  // namespace

std::vector<std::string> layoutMismatches(HWND window, DWORD threadId, int dpi,
                                          const std::function<HWND(int)>& control) {
    FontProbe probe(threadId);
    std::vector<std::string> problems;
    checkWindow(window, dpi, problems);
    for (const dialog::ControlDescription& description : dialog::controlDescriptions()) {
        HWND child = control(kFirstControlId + static_cast<int>(description.id));
        if (child == nullptr) {
            problems.push_back(std::string(description.name) + " is missing");
            continue;
        }
        checkControl(window, child, description, dpi, probe, problems);
    }
    return problems;
}

}  // namespace e2e
