// compplace.exe: start-up runs on the headless form first; the window is
// only built when start-up has not ended the program.
#include <windows.h>

#include "dbx/connection.h"
#include "dialog/dialog.h"
#include "dialog/form_model.h"
#include "win32/form_view_win.h"
#include "win32/system_beeper_win.h"
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

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE /*previous*/, PWSTR /*commandLine*/,
                    int showCommand) {
    dialog::FormModel form;
    dbx::Connection dbx(dbx::makeLibraryResolver());
    win32::SystemBeeper beeper;
    dialog::Dialog dialog(form, dbx, beeper, win32::userLocale());

    dialog.Form_Load();
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
