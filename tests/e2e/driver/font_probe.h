// A look at a control's font from inside the program under test. A font
// handle means nothing in another process, so the driver hooks the dialog's
// thread with e2e_font_probe.dll: when a control is sent the probe message,
// the hook, running in that thread, reads the control's font and leaves it in
// a shared memory block the driver made.
#pragma once

#include <windows.h>

namespace e2e {

inline constexpr wchar_t kFontProbeMessage[] = L"CompPlaceE2EFontProbe";
inline constexpr wchar_t kFontProbeMemory[] = L"CompPlaceE2EFontProbeAnswer";
inline constexpr wchar_t kFontProbeLibrary[] = L"e2e_font_probe.dll";
inline constexpr char kFontProbeHook[] = "fontProbeHook";

enum class FontProbeState : LONG { Waiting, Answered, NoFont };

struct FontProbeAnswer {
    volatile LONG state;  // a FontProbeState
    LOGFONTW font;
};

}  // namespace e2e
