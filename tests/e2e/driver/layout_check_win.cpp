#include "layout_check_win.h"

#include <cmath>
#include <cstdlib>
#include <sstream>

#include <optional>
#include <stdexcept>

#include "form/window_description.h"
#include "probe_client_win.h"
#include "script.h"

namespace e2e {
namespace {

bool within1(int actual, int expected) {
    return std::abs(actual - expected) <= 1;
}

// The control's left and top on the client area, in twips: its own place
// plus that of every frame around it.
POINT absoluteTwips(const form::ControlDescription& control) {
    POINT at{control.place.left, control.place.top};
    for (auto container = control.container; container;
         container = form::describe(*container).container) {
        at.x += form::describe(*container).place.left;
        at.y += form::describe(*container).place.top;
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
    const form::FormDescription& form = form::formDescription();
    RECT client{};
    GetClientRect(window, &client);
    if (!within1(client.right, pixels(form.clientWidthTwips, dpi)) ||
        !within1(client.bottom, pixels(form.clientHeightTwips, dpi))) {
        problems.push_back("client area " + rectText(client));
    }
}

void checkControl(HWND window, HWND child, const form::ControlDescription& control, int dpi,
                  Probe& probe, std::vector<std::string>& problems) {
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

    const form::FormDescription& form = form::formDescription();
    const form::FontDescription& font =
        control.font == form::FontKind::WindowFont ? form.windowFont : form.normalFont;
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

int pixels(int twips, int dpi) {
    return (twips * dpi + 720) / 1440;
}

std::vector<std::string> layoutMismatches(HWND window, DWORD threadId, int dpi,
                                          const std::function<HWND(int)>& control) {
    Probe probe(threadId);
    std::vector<std::string> problems;
    checkWindow(window, dpi, problems);
    for (const form::ControlDescription& description : form::controlDescriptions()) {
        HWND child = control(form::kFirstControlId + static_cast<int>(description.id));
        if (child == nullptr) {
            problems.push_back(std::string(description.name) + " is missing");
            continue;
        }
        checkControl(window, child, description, dpi, probe, problems);
    }
    return problems;
}

}  // namespace e2e
