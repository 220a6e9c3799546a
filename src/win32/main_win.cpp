// compplace.exe: start-up runs on the headless form first; the window is
// only built when start-up has not ended the program.
#include <windows.h>

#include <string>

#include "dbx/connection.h"
#include "dialog/dialog.h"
#include "dialog/form_model.h"
#include "dialog/window_description.h"
#include "win32/ansi_text_win.h"
#include "win32/dll_search_win.h"
#include "win32/form_view_win.h"
#include "win32/system_beeper_win.h"
#include "win32/system_input_clock_win.h"
#include "win32/user_locale_win.h"

namespace {

void runMessageLoop(win32::FormWindow& form) {
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (form.handleDialogKeys(message)) {
            continue;
        }
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

// The one message the program shows: without the host's library there is
// nothing it can do, and a designer who started it by hand should learn why.
void tellTheHostLibraryIsMissing() {
    const std::wstring caption = win32::wideFromAnsi(dialog::formDescription().caption);
    MessageBoxW(nullptr,
                L"The host library dbx32.dll was not found.\n\n"
                L"CompPlace must sit in the host application's program folder, beside "
                L"dbx32.dll, or that folder must be on PATH.",
                caption.c_str(), MB_OK | MB_ICONERROR);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE /*previous*/, PWSTR /*commandLine*/,
                    int showCommand) {
    win32::keepCurrentDirectoryOutOfDllSearch();

    win32::SystemInputClock clock;
    dialog::FormModel form(clock);
    dbx::Connection dbx(dbx::makeLibraryResolver());
    win32::SystemBeeper beeper;
    dialog::Dialog dialog(form, dbx, beeper, win32::userLocale());

    dialog.Form_Load();
    if (dbx.hostLibraryMissing()) {
        tellTheHostLibraryIsMissing();
        return 0;
    }
    if (form.hasEnded()) {
        return 0;  // nothing to edit: no window is ever shown
    }

    win32::FormWindow window(form);
    if (!window.create(instance, showCommand)) {
        return 0;
    }
    runMessageLoop(window);
    return 0;
}
