// compplace.exe: start-up runs on the headless form first; the window is
// only built when start-up has not ended the program.
#include <windows.h>

#include <string>

#include "app/command_line.h"
#include "dbx/connection.h"
#include "dialog/dialog.h"
#include "form/form_model.h"
#include "form/window_description.h"
#include "win32/ansi_text_win.h"
#include "win32/clipboard_win.h"
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

// The messages shown before or without the window: where the program cannot
// do its work, a designer who started it should learn why.
void tellTheUser(const std::wstring& message, UINT icon = MB_ICONERROR) {
    const std::wstring caption = win32::wideFromAnsi(form::formDescription().caption);
    MessageBoxW(nullptr, message.c_str(), caption.c_str(), MB_OK | icon);
}

// What the model was told to tell the user while no window shows it.
void tellWhatTheModelSays(const form::FormModel& form) {
    for (const std::string& message : form.messagesToUser()) {
        tellTheUser(win32::wideFromAnsi(message), MB_ICONWARNING);
    }
}

// Exit statuses.
constexpr int kNoWindow = 1;      // the dialog could not be shown
constexpr int kBadArguments = 2;  // the usage was shown for arguments it does not take
constexpr int kNotPlaced = 3;     // nothing placed from the file asked for: the unattended
                                  // move did not happen (or not all of it), or start-up found
                                  // no component to fill the dialog for

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE /*previous*/, PWSTR commandLine,
                    int showCommand) {
    win32::keepCurrentDirectoryOutOfDllSearch();

    const app::StartRequest request = app::startRequestFrom(
        app::splitCommandLine(win32::utf8FromWide(commandLine != nullptr ? commandLine : L"")));
    if (request.kind == app::StartRequest::Kind::Usage) {
        const bool asked = request.problem.empty();
        tellTheUser(
            win32::wideFromUtf8((asked ? "" : request.problem + ".\n\n") + app::usageText()),
            asked ? MB_ICONINFORMATION : MB_ICONWARNING);
        return asked ? 0 : kBadArguments;
    }
    const bool unattended = request.kind == app::StartRequest::Kind::Move;

    win32::SystemInputClock clock;
    form::FormModel form(clock);
    dbx::Connection dbx(dbx::makeLibraryResolver());
    win32::SystemBeeper beeper;
    win32::WideFileReader files;
    win32::SystemClipboard clipboard;
    dialog::Dialog dialog(form, dbx, beeper, files, clipboard, win32::userLocale());

    dialog.Form_Load();
    if (dbx.hostLibraryMissing()) {
        tellTheUser(
            L"The host library dbx32.dll was not found.\n\n"
            L"CompPlace must sit in the host application's program folder, beside "
            L"dbx32.dll, or that folder must be on PATH.");
        return request.file.empty() ? 0 : kNotPlaced;
    }
    const form::GivenFile file = win32::givenFileOf(win32::wideFromUtf8(request.file));
    if (unattended) {
        const bool moved = dialog.moveFromFile(file);
        tellWhatTheModelSays(form);
        return moved ? 0 : kNotPlaced;
    }
    // The window opens filled; a refusal is told first, and the window then
    // shows what the design holds. Nothing selected: no window, and only a
    // person who asked for a placement is told.
    if (!request.file.empty()) {
        const bool filled = dialog.fillAtStart(file);
        tellWhatTheModelSays(form);
        if (!filled) {
            return kNotPlaced;
        }
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
