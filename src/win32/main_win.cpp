// compplace.exe: start-up runs on the headless form first; the window is
// only built when start-up has not ended the program.
#include <windows.h>

#include <string>

#include "dbx/connection.h"
#include "dialog/dialog.h"
#include "form/form_model.h"
#include "form/window_description.h"
#include "win32/ansi_text_win.h"
#include "win32/dll_search_win.h"
#include "win32/file_reader_win.h"
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

// The program's only messages: where it cannot do its work at all, a
// designer who started it should learn why.
void tellTheUser(const wchar_t* message) {
    const std::wstring caption = win32::wideFromAnsi(form::formDescription().caption);
    MessageBoxW(nullptr, message, caption.c_str(), MB_OK | MB_ICONERROR);
}

// The exit status when the dialog could not be shown.
constexpr int kNoWindow = 1;

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE /*previous*/, PWSTR /*commandLine*/,
                    int showCommand) {
    win32::keepCurrentDirectoryOutOfDllSearch();

    win32::SystemInputClock clock;
    form::FormModel form(clock);
    dbx::Connection dbx(dbx::makeLibraryResolver());
    win32::SystemBeeper beeper;
    win32::WideFileReader files;
    dialog::Dialog dialog(form, dbx, beeper, files, win32::userLocale());

    dialog.Form_Load();
    if (dbx.hostLibraryMissing()) {
        tellTheUser(
            L"The host library dbx32.dll was not found.\n\n"
            L"CompPlace must sit in the host application's program folder, beside "
            L"dbx32.dll, or that folder must be on PATH.");
        return 0;
    }
    if (form.hasEnded()) {
        return 0;  // nothing to edit: no window is ever shown
    }

    win32::FormWindow window(form);
    if (!window.create(instance, showCommand)) {
        // Nothing can be edited without the window: the connection is closed
        // as "&Exit" closes it, and the design is left as it was.
        dialog.Command2_Click();
        tellTheUser(L"The CompPlace window could not be created.\n\nThe design was not changed.");
        return kNoWindow;
    }
    runMessageLoop(window);
    return 0;
}
