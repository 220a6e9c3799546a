// e2e_probe.dll: the hook that answers the driver's requests inside the
// program under test (see probe.h).
#include <shlobj.h>

#include <cstddef>
#include <initializer_list>

#include "probe.h"

namespace {

// Windows 8.1 and 10 messages, which these headers may lack.
constexpr UINT kDpiChanged = 0x02E0;
constexpr UINT kGetDpiScaledSize = 0x02E4;

bool readFont(HWND window, LOGFONTW& font) {
    const auto handle = reinterpret_cast<HFONT>(SendMessageW(window, WM_GETFONT, 0, 0));
    return handle != nullptr && GetObjectW(handle, sizeof font, &font) != 0;
}

LONG iconWidth(HICON icon) {
    ICONINFO info{};
    if (icon == nullptr || !GetIconInfo(icon, &info)) {
        return 0;
    }
    BITMAP bitmap{};
    GetObjectW(info.hbmColor != nullptr ? info.hbmColor : info.hbmMask, sizeof bitmap, &bitmap);
    for (HBITMAP part : {info.hbmColor, info.hbmMask}) {
        if (part != nullptr) {
            DeleteObject(part);
        }
    }
    return bitmap.bmWidth;
}

// What Windows does when the window reaches a monitor of another resolution:
// it asks the window for its size there, then tells it of the change with a
// suggested rectangle of that size.
bool changeDpi(HWND window, e2e::ProbeBlock& block) {
    SIZE size{};
    block.scaledSizeAnswered =
        static_cast<LONG>(SendMessageW(window, kGetDpiScaledSize, static_cast<WPARAM>(block.dpi),
                                       reinterpret_cast<LPARAM>(&size)));
    block.scaledSize = size;
    RECT now{};
    if (!GetWindowRect(window, &now)) {
        return false;
    }
    RECT suggested{now.left, now.top, now.left + size.cx, now.top + size.cy};
    const auto dpi = static_cast<WORD>(block.dpi);
    SendMessageW(window, kDpiChanged, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
    block.bigIconWidth =
        iconWidth(reinterpret_cast<HICON>(SendMessageW(window, WM_GETICON, ICON_BIG, 0)));
    return true;
}

// A drop of one file as the shell makes it: a DROPFILES block in the
// program's own memory, its wide path after it, ended by two zeros, posted
// for the window to take and free with DragFinish.
bool dropFile(HWND window, const e2e::ProbeBlock& block) {
    const auto length = static_cast<std::size_t>(lstrlenW(block.text));
    const std::size_t bytes = sizeof(DROPFILES) + (length + 2) * sizeof(WCHAR);
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, bytes);
    auto* drop = memory != nullptr ? static_cast<DROPFILES*>(GlobalLock(memory)) : nullptr;
    if (drop == nullptr) {
        return false;
    }
    drop->pFiles = sizeof(DROPFILES);
    drop->fWide = TRUE;
    CopyMemory(drop + 1, block.text, length * sizeof(WCHAR));
    GlobalUnlock(memory);
    if (!PostMessageW(window, WM_DROPFILES, reinterpret_cast<WPARAM>(memory), 0)) {
        GlobalFree(memory);
        return false;
    }
    return true;
}

// The system menu's item with the text, up to its tab: its command and
// whether it is enabled.
bool findMenuItem(HWND window, e2e::ProbeBlock& block) {
    block.menuCommand = 0;
    block.menuEnabled = 0;
    HMENU menu = GetSystemMenu(window, FALSE);
    const int count = menu != nullptr ? GetMenuItemCount(menu) : 0;
    for (int i = 0; i < count; ++i) {
        WCHAR text[256] = L"";
        GetMenuStringW(menu, static_cast<UINT>(i), text, 256, MF_BYPOSITION);
        for (WCHAR& c : text) {
            if (c == L'\t') {
                c = L'\0';
            }
        }
        if (lstrcmpW(text, block.text) == 0) {
            const UINT state = GetMenuState(menu, static_cast<UINT>(i), MF_BYPOSITION);
            block.menuCommand = static_cast<LONG>(GetMenuItemID(menu, i));
            block.menuEnabled = (state & (MF_GRAYED | MF_DISABLED)) == 0 ? 1 : 0;
            return true;
        }
    }
    return true;  // answered: there is no such item
}

bool doRequest(HWND window, e2e::ProbeBlock& block) {
    switch (static_cast<e2e::ProbeRequest>(block.request)) {
        case e2e::ProbeRequest::Font:
            return readFont(window, block.font);
        case e2e::ProbeRequest::DpiChange:
            return changeDpi(window, block);
        case e2e::ProbeRequest::DropFile:
            return dropFile(window, block);
        case e2e::ProbeRequest::MenuItem:
            return findMenuItem(window, block);
    }
    return false;
}

void answer(HWND window) {
    HANDLE memory = OpenFileMappingW(FILE_MAP_WRITE, FALSE, e2e::kProbeMemory);
    if (memory == nullptr) {
        return;
    }
    if (auto* block = static_cast<e2e::ProbeBlock*>(
            MapViewOfFile(memory, FILE_MAP_WRITE, 0, 0, sizeof(e2e::ProbeBlock)))) {
        const bool done = doRequest(window, *block);
        block->state =
            static_cast<LONG>(done ? e2e::ProbeState::Answered : e2e::ProbeState::Failed);
        UnmapViewOfFile(block);
    }
    CloseHandle(memory);
}

}  // namespace

extern "C" __declspec(dllexport) LRESULT CALLBACK
    probeHook(int code, WPARAM wParam, LPARAM lParam) {
    static const UINT probe = RegisterWindowMessageW(e2e::kProbeMessage);
    if (code == HC_ACTION) {
        const auto* sent = reinterpret_cast<const CWPSTRUCT*>(lParam);
        if (sent->message == probe) {
            answer(sent->hwnd);
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}
