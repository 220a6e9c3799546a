// A look from inside the program under test. A font or icon handle means
// nothing in another process, and a message whose parameter points at a
// structure cannot be sent across, so the driver hooks the dialog's thread
// with e2e_probe.dll: when a window of it is sent the probe message, the
// hook, running in that thread, does what the request block asks and leaves
// the answer in that shared block, which the driver made.
#pragma once

#include <windows.h>

namespace e2e {

inline constexpr wchar_t kProbeMessage[] = L"CompPlaceE2EProbe";
inline constexpr wchar_t kProbeMemory[] = L"CompPlaceE2EProbeBlock";
inline constexpr wchar_t kProbeLibrary[] = L"e2e_probe.dll";
inline constexpr char kProbeHook[] = "probeHook";

enum class ProbeRequest : LONG {
    Font,       // the font of the window the message went to
    DpiChange,  // move the window to `dpi` as Windows does, then read its big icon
    DropFile,   // post the window a drop of the file `text`, made in its own process
    MenuItem,   // find the system menu's item whose text before any tab is `text`
};
enum class ProbeState : LONG { Waiting, Answered, Failed };

struct ProbeBlock {
    volatile LONG request;  // a ProbeRequest
    volatile LONG state;    // a ProbeState
    LONG dpi;
    LOGFONTW font;
    // DpiChange: what WM_GETDPISCALEDSIZE answered, and the size of the big
    // icon the window then has.
    LONG scaledSizeAnswered;
    SIZE scaledSize;
    LONG bigIconWidth;
    // DropFile: the path; MenuItem: the item's text and what was found.
    WCHAR text[1024];
    LONG menuCommand;  // the item's command, 0 when there is none
    LONG menuEnabled;
};

}  // namespace e2e
