#include <windows.h>

#include "sim/caller_messages.h"

namespace sim {

void runCallerMessagesFor(std::chrono::milliseconds duration) {
    const DWORD start = GetTickCount();
    const auto total = static_cast<DWORD>(duration.count());
    for (;;) {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE) != FALSE) {
            if (message.message == WM_QUIT) {
                // The caller's own loop must still see it.
                PostQuitMessage(static_cast<int>(message.wParam));
                return;
            }
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
        const DWORD passed = GetTickCount() - start;
        if (passed >= total) {
            return;
        }
        MsgWaitForMultipleObjects(0, nullptr, FALSE, total - passed, QS_ALLINPUT);
    }
}

}  // namespace sim
