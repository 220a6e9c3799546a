// e2e_font_probe.dll: the hook that reads a control's font inside the
// program under test (see font_probe.h).
#include "font_probe.h"

namespace {

void answer(HWND control) {
    HANDLE memory = OpenFileMappingW(FILE_MAP_WRITE, FALSE, e2e::kFontProbeMemory);
    if (memory == nullptr) {
        return;
    }
    if (auto* answer = static_cast<e2e::FontProbeAnswer*>(
            MapViewOfFile(memory, FILE_MAP_WRITE, 0, 0, sizeof(e2e::FontProbeAnswer)))) {
        const auto font = reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0));
        const bool read =
            font != nullptr && GetObjectW(font, sizeof answer->font, &answer->font) != 0;
        answer->state =
            static_cast<LONG>(read ? e2e::FontProbeState::Answered : e2e::FontProbeState::NoFont);
        UnmapViewOfFile(answer);
    }
    CloseHandle(memory);
}

}  // namespace

extern "C" __declspec(dllexport) LRESULT CALLBACK
    fontProbeHook(int code, WPARAM wParam, LPARAM lParam) {
    static const UINT probe = RegisterWindowMessageW(e2e::kFontProbeMessage);
    if (code == HC_ACTION) {
        const auto* sent = reinterpret_cast<const CWPSTRUCT*>(lParam);
        if (sent->message == probe) {
            answer(sent->hwnd);
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}
