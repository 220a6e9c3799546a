// e2e_refuse_form.dll: the hook behind the driver's "refuse-form" (see
// refuse_form.h). It runs in the thread that makes the window.
#include <windows.h>

#include <cwchar>

#include "refuse_form.h"
#include "target_win.h"

extern "C" __declspec(dllexport) LRESULT CALLBACK
    refuseFormHook(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_CREATEWND) {
        wchar_t name[64] = {};
        if (GetClassNameW(reinterpret_cast<HWND>(wParam), name, 64) > 0 &&
            std::wcscmp(name, e2e::kDialogClass) == 0) {
            return 1;  // refused: CreateWindowExW gives nullptr
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}
