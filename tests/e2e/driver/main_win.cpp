// e2e_driver: drives the dialog of a running compplace.exe from another
// process, as a user would, and checks what it shows.
//
//   e2e_driver [-e COMMAND]... [SCRIPT_FILE | -]
//
// Commands from -e run first, then those of the script (- reads standard
// input). Every line is checked before anything runs. Exit status: 0 when
// every command passed, 1 at the first failed one, 2 for a bad script.
#include <windows.h>

#include <fcntl.h>
#include <io.h>
#include <shellapi.h>

#include <array>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iostream>
#include <iterator>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "form/window_description.h"
#include "layout_check_win.h"
#include "probe_client_win.h"
#include "refuse_form.h"
#include "script.h"
#include "target_win.h"

namespace e2e {
namespace {

constexpr int kExitButton = 1008;  // always shown, so it serves as the queue probe

// A failed command: the message says what was found instead.
struct Failure {
    std::string message;
};

std::string quoted(const std::string& text) {
    std::string out = "\"";
    for (char c : text) {
        if (c == '"' || c == '\\') {
            out += '\\';
        }
        out += c;
    }
    return out + '"';
}

std::string nameOf(int id) {
    std::string_view name = controlName(id);
    return name.empty() ? "control " + std::to_string(id) : std::string(name);
}

BOOL CALLBACK firstVisibleEdit(HWND child, LPARAM param) {
    wchar_t className[16] = L"";
    GetClassNameW(child, className, 16);
    if (lstrcmpiW(className, L"Edit") == 0 && IsWindowVisible(child)) {
        *reinterpret_cast<HWND*>(param) = child;
        return FALSE;
    }
    return TRUE;
}

// The Open dialog's file name box: the edit of its combo box (cmb13) in the
// newer layouts, the edit edt1 in the older, else its first visible edit.
HWND fileNameBox(HWND dialog) {
    constexpr int kFileNameCombo = 0x47C;
    constexpr int kFileNameEdit = 0x480;
    if (HWND combo = GetDlgItem(dialog, kFileNameCombo)) {
        if (HWND edit = FindWindowExW(combo, nullptr, L"Edit", nullptr)) {
            return edit;
        }
    }
    if (HWND edit = GetDlgItem(dialog, kFileNameEdit)) {
        return edit;
    }
    HWND found = nullptr;
    EnumChildWindows(dialog, firstVisibleEdit, reinterpret_cast<LPARAM>(&found));
    return found;
}

// The virtual-key code of a command's key; 'A' to 'Z' are their own codes.
WORD virtualKeyOf(const Command& command) {
    switch (command.key) {
        case Key::Return:
            return VK_RETURN;
        case Key::Escape:
            return VK_ESCAPE;
        case Key::Tab:
            return VK_TAB;
        case Key::Letter:
            return static_cast<WORD>(command.letter);
    }
    return VK_TAB;
}

class Runner {
  public:
    // Runs one command; returns what it read, throws Failure.
    std::string run(const Command& command) {
        switch (command.op) {
            case Op::WaitWindow:
                if (!target_.waitForWindow(command.number)) {
                    throw Failure{"no window of class CompPlaceForm within " +
                                  std::to_string(command.number) + " ms"};
                }
                // The window shows before the program has put the focus in it.
                waitForTheLoop("finish starting");
                return "window of process " + std::to_string(target_.processId());
            case Op::SetText: {
                HWND control = usable(command.control, "type into");
                if (!writeText(control, fromUtf8(command.text))) {
                    throw Failure{"no answer to WM_SETTEXT"};
                }
                return afterAction();
            }
            case Op::Click: {
                HWND control = usable(command.control, "click");
                // BM_CLICK makes the button send BN_CLICKED as a mouse click does.
                sendWithin(control, BM_CLICK, 0, 0);
                return afterAction();
            }
            case Op::DoubleClick:
                return doubleClick(usable(command.control, "double-click"));
            case Op::PostClick:
                // Queued behind whatever the dialog is doing, as a click
                // made while it is busy.
                if (!PostMessageW(usable(command.control, "click"), BM_CLICK, 0, 0)) {
                    throw Failure{"cannot post the click"};
                }
                return {};
            case Op::Key:
                return pressKey(find(command.control), command);
            case Op::TypeKey:
                return pressKey(focused(), command);
            case Op::Close:
                // What the close box sends.
                sendWithin(window(), WM_SYSCOMMAND, SC_CLOSE, 0);
                return afterAction();
            case Op::EndSession:
                return endSession();
            case Op::ExpectText: {
                std::string actual = text(command.control);
                if (actual != command.text) {
                    throw Failure{"expected " + quoted(command.text) + ", found " + quoted(actual)};
                }
                return quoted(actual);
            }
            case Op::ExpectVisible: {
                int visible = IsWindowVisible(find(command.control)) ? 1 : 0;
                return expectState("visible", visible, command.number);
            }
            case Op::ExpectEnabled: {
                int enabled = IsWindowEnabled(find(command.control)) ? 1 : 0;
                return expectState("enabled", enabled, command.number);
            }
            case Op::WaitVisible:
            case Op::WaitEnabled:
                return waitUntilShown(command.control, command.op == Op::WaitEnabled,
                                      command.number);
            case Op::ExpectCheck:
            case Op::ExpectSelected: {
                auto state = sendWithin(find(command.control), BM_GETCHECK, 0, 0);
                if (!state) {
                    throw Failure{"no answer to BM_GETCHECK"};
                }
                return expectState(command.op == Op::ExpectCheck ? "check" : "selected",
                                   static_cast<int>(*state), command.number);
            }
            case Op::ExpectFocus: {
                HWND wanted = find(command.control);
                HWND focus = focusedOrNull();
                std::string focused = focus == nullptr ? "nothing" : nameOf(GetDlgCtrlID(focus));
                if (focus != wanted) {
                    throw Failure{"focus is on " + focused};
                }
                return "focus on " + focused;
            }
            case Op::WaitExit:
                if (!target_.found()) {
                    throw Failure{"no window was found before"};
                }
                if (!target_.waitForExit(command.number)) {
                    throw Failure{"the program still runs after " + std::to_string(command.number) +
                                  " ms"};
                }
                return "the program has ended";
            case Op::ExpectNoWindow:
                return expectNoWindow(command.number);
            case Op::Sleep:
                std::this_thread::sleep_for(std::chrono::milliseconds(command.number));
                return {};
            case Op::Dump:
                return dump();
            case Op::WindowRect:
                return windowRect();
            case Op::AnswerMessage:
                return answerMessage(command.text, command.number);
            case Op::ExpectLayout:
                return expectLayout(command.number);
            case Op::ChangeDpi:
                return changeDpi(command.number);
            case Op::CaptionFits:
                return expectCaptionFits(command.number, command.text);
            case Op::RefuseForm:
                return refuseForm();
            case Op::HardwareKey:
                return hardwareKey(command);
            case Op::DropFile:
                return dropFile(command.text);
            case Op::ExpectMenuItem: {
                const Probe::MenuItem item = menuItem(command.text);
                return expectState("enabled", item.enabled ? 1 : 0, command.number);
            }
            case Op::PickMenuItem:
                return pickMenuItem(command.text);
            case Op::ExpectMessage:
                return expectMessage(command.text, command.text2, command.number);
            case Op::AnswerOpenDialog:
                return answerOpenDialog(command.text, command.text2, command.number);
            case Op::SetClipboardFrom:
                return setClipboardFrom(command.text);
            case Op::ParkMouse:
                // Away from every control, so that none is drawn hovered.
                // Wine moves the real pointer only when the position it
                // knows changes, hence two moves.
                if (!SetCursorPos(2, 2) || !SetCursorPos(1, 1)) {
                    throw Failure{"cannot move the mouse pointer"};
                }
                return "pointer at 1,1";
        }
        return {};
    }

    Runner() = default;
    ~Runner() {
        if (refusal_ != nullptr) {
            UnhookWindowsHookEx(refusal_);
        }
        if (refusalLibrary_ != nullptr) {
            FreeLibrary(refusalLibrary_);
        }
    }
    Runner(const Runner&) = delete;
    Runner& operator=(const Runner&) = delete;

  private:
    // Sets the hook of refuse_form.h for every thread of the desktop, until
    // the driver ends.
    std::string refuseForm() {
        if (refusal_ != nullptr) {
            return "already refused";
        }
        wchar_t path[MAX_PATH] = L"";
        const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
        std::wstring library(path, length);
        library = library.substr(0, library.find_last_of(L"\\/") + 1) + kRefuseFormLibrary;
        refusalLibrary_ = LoadLibraryW(library.c_str());
        if (refusalLibrary_ == nullptr) {
            throw Failure{"cannot load " + toUtf8(library)};
        }
        const auto hook = reinterpret_cast<HOOKPROC>(
            reinterpret_cast<void*>(GetProcAddress(refusalLibrary_, kRefuseFormHook)));
        if (hook == nullptr) {
            throw Failure{std::string("no ") + kRefuseFormHook + " in " + toUtf8(library)};
        }
        refusal_ = SetWindowsHookExW(WH_CBT, hook, refusalLibrary_, 0);
        if (refusal_ == nullptr) {
            throw Failure{"cannot set the hook: error " + std::to_string(GetLastError())};
        }
        return "windows of class CompPlaceForm are refused";
    }

    // The key pressed and released on the keyboard, with Ctrl or Alt held
    // around it, as hardware input to the window with the focus. Goes on at
    // once: a key that opens a modal window is answered by what follows.
    std::string hardwareKey(const Command& command) const {
        // The dialog takes the keyboard, as when the person clicks on it.
        SetForegroundWindow(window());
        const WORD vk = virtualKeyOf(command);
        const WORD held = command.ctrl ? VK_CONTROL : command.alt ? VK_MENU : 0;
        std::vector<INPUT> keys;
        const auto press = [&keys](WORD key, bool up) {
            INPUT input{};
            input.type = INPUT_KEYBOARD;
            input.ki.wVk = key;
            input.ki.wScan = static_cast<WORD>(MapVirtualKeyW(key, MAPVK_VK_TO_VSC));
            input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
            keys.push_back(input);
        };
        if (held != 0) {
            press(held, false);
        }
        press(vk, false);
        press(vk, true);
        if (held != 0) {
            press(held, true);
        }
        if (SendInput(static_cast<UINT>(keys.size()), keys.data(), sizeof(INPUT)) != keys.size()) {
            throw Failure{"the system did not take the keys"};
        }
        return std::to_string(keys.size()) + " key events";
    }

    // The file dropped on the dialog as the shell drops it; then waits
    // until the dialog has taken the drop (and any message box it shows is
    // up, or its fill done).
    std::string dropFile(const std::string& path) {
        try {
            Probe probe(target_.threadId());
            if (!probe.dropFile(window(), fromUtf8(path))) {
                throw Failure{"the drop could not be made in the program"};
            }
        } catch (const std::runtime_error& error) {
            throw Failure{error.what()};
        }
        waitForTheLoop("take the drop");
        return "dropped " + quoted(path);
    }

    // The file's text copied to the clipboard by a window of the driver's, gone
    // at once: the text stays, and no reader waits on an owner that is idle.
    static std::string setClipboardFrom(const std::string& path) {
        std::ifstream file(fromUtf8(path).c_str(), std::ios::binary);
        const std::wstring text = fromUtf8(std::string(std::istreambuf_iterator<char>(file), {}));
        HWND owner = CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                     nullptr, nullptr);
        const std::size_t bytes = (text.size() + 1) * sizeof(wchar_t);
        HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes);
        if (memory == nullptr || !OpenClipboard(owner)) {
            throw Failure{"cannot open the clipboard"};
        }
        std::memcpy(GlobalLock(memory), text.c_str(), bytes);
        GlobalUnlock(memory);
        const bool set = EmptyClipboard() && SetClipboardData(CF_UNICODETEXT, memory) != nullptr;
        CloseClipboard();
        DestroyWindow(owner);
        if (!set) {
            throw Failure{"the clipboard did not take the text"};
        }
        return std::to_string(text.size()) + " characters on the clipboard";
    }

    Probe::MenuItem menuItem(const std::string& text) const {
        std::optional<Probe::MenuItem> item;
        try {
            Probe probe(target_.threadId());
            item = probe.menuItem(window(), fromUtf8(text));
        } catch (const std::runtime_error& error) {
            throw Failure{error.what()};
        }
        if (!item) {
            throw Failure{"the system menu could not be read"};
        }
        if (item->command == 0) {
            throw Failure{"the system menu has no item " + quoted(text)};
        }
        return *item;
    }

    // What choosing the item sends; refused for a greyed item, as the menu
    // refuses it. Posted: the command may open a modal window.
    std::string pickMenuItem(const std::string& text) const {
        const Probe::MenuItem item = menuItem(text);
        if (!item.enabled) {
            throw Failure{"cannot pick a greyed item"};
        }
        if (!PostMessageW(window(), WM_SYSCOMMAND, item.command, 0)) {
            throw Failure{"cannot post the command"};
        }
        return "command " + std::to_string(item.command);
    }

    // A message box of the caption whose text holds `part`, answered OK.
    static std::string expectMessage(const std::string& caption, const std::string& part, int ms) {
        const std::string answered = answerMessage(caption, ms);
        if (answered.find(part) == std::string::npos) {
            throw Failure{"expected a message with " + quoted(part) + ", found " + answered};
        }
        return answered;
    }

    // The system's Open dialog of this caption: the path typed into its
    // file name box, then "Open"; waits until the dialog is gone and the
    // program has taken the file.
    std::string answerOpenDialog(const std::string& caption, const std::string& path, int ms) {
        HWND box = waitForMessageBox(fromUtf8(caption), ms);
        if (box == nullptr) {
            throw Failure{"no Open dialog " + quoted(caption) + " within " + std::to_string(ms) +
                          " ms"};
        }
        HWND name = fileNameBox(box);
        HWND open = GetDlgItem(box, IDOK);
        if (name == nullptr || open == nullptr) {
            throw Failure{"the Open dialog has no file name box or no Open button"};
        }
        if (!writeText(name, fromUtf8(path))) {
            throw Failure{"the file name box did not take the path"};
        }
        PostMessageW(open, BM_CLICK, 0, 0);
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
        while (IsWindow(box)) {
            if (std::chrono::steady_clock::now() >= deadline) {
                throw Failure{"the Open dialog did not close within " + std::to_string(ms) + " ms"};
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        waitForTheLoop("take the file");
        return "opened " + quoted(path);
    }

    // Waits until the dialog's message loop has come round: a message
    // posted now is taken only by a message loop, after what was posted
    // before it, and not while a handler runs or waits for a message it
    // sent (it then takes only sent ones), so once it has been handled, the
    // dialog has finished what it was doing. The posted message is the
    // always shown Exit button's pushed state, set and then cleared, so
    // that it is left as it was; the second round also lets a message made
    // while the first was handled be taken. A window gone meanwhile ends
    // the wait (the next command says so). `what` ends the failure's sentence.
    void waitForTheLoop(const char* what) const {
        for (BOOL pushed : {TRUE, FALSE}) {
            HWND probe = target_.control(kExitButton);
            if (probe == nullptr ||
                !PostMessageW(probe, BM_SETSTATE, static_cast<WPARAM>(pushed), 0)) {
                return;
            }
            const auto deadline =
                std::chrono::steady_clock::now() + std::chrono::milliseconds(kAnswerMs);
            for (;;) {
                auto state = sendWithin(probe, BM_GETSTATE, 0, 0);
                if (!state) {
                    return;
                }
                if (((*state & BST_PUSHED) != 0) == (pushed != FALSE)) {
                    break;
                }
                if (std::chrono::steady_clock::now() >= deadline) {
                    throw Failure{std::string("the dialog did not ") + what + " within " +
                                  std::to_string(kAnswerMs) + " ms"};
                }
                std::this_thread::sleep_for(std::chrono::milliseconds(10));
            }
        }
    }

    // Two clicks at the control's centre, sent as the mouse sends them and
    // at once: well within any double-click time.
    static std::string doubleClick(HWND control) {
        RECT rect{};
        if (!GetWindowRect(control, &rect)) {
            throw Failure{"cannot read the control's rectangle"};
        }
        const int x = (rect.left + rect.right) / 2;
        const int y = (rect.top + rect.bottom) / 2;
        // Wine moves the real pointer only when the position it knows
        // changes, hence two moves.
        if (!SetCursorPos(x + 1, y) || !SetCursorPos(x, y)) {
            throw Failure{"cannot move the mouse pointer"};
        }
        std::array<INPUT, 4> clicks{};
        const std::array<DWORD, 4> buttons = {MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP,
                                              MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP};
        for (std::size_t i = 0; i < clicks.size(); ++i) {
            clicks[i].type = INPUT_MOUSE;
            clicks[i].mi.dwFlags = buttons[i];
        }
        if (SendInput(static_cast<UINT>(clicks.size()), clicks.data(), sizeof(INPUT)) !=
            clicks.size()) {
            throw Failure{"the system did not take the clicks"};
        }
        return "two clicks at " + std::to_string(x) + "," + std::to_string(y);
    }

    // Waits until the control is shown (and enabled), as a person waits for
    // a button to be there.
    std::string waitUntilShown(int id, bool enabled, int ms) const {
        const auto start = std::chrono::steady_clock::now();
        for (;;) {
            HWND control = find(id);
            if (IsWindowVisible(control) && (!enabled || IsWindowEnabled(control))) {
                const auto waited = std::chrono::duration_cast<std::chrono::milliseconds>(
                    std::chrono::steady_clock::now() - start);
                // The handler that showed it may still be changing others.
                waitForTheLoop("finish showing it");
                return "after " + std::to_string(waited.count()) + " ms";
            }
            if (std::chrono::steady_clock::now() - start >= std::chrono::milliseconds(ms)) {
                throw Failure{std::string("not ") + (enabled ? "enabled" : "visible") + " within " +
                              std::to_string(ms) + " ms"};
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
    }

    // What Windows sends every top-level window when the user logs off or
    // shuts down: the question, and once every window agreed, the end.
    std::string endSession() const {
        HWND form = window();
        const auto answer = sendWithin(form, WM_QUERYENDSESSION, 0, 0);
        if (!answer) {
            throw Failure{"no answer to WM_QUERYENDSESSION"};
        }
        if (*answer == FALSE) {
            throw Failure{"the window would not let the session end"};
        }
        if (!sendWithin(form, WM_ENDSESSION, TRUE, 0)) {
            throw Failure{"no answer to WM_ENDSESSION"};
        }
        return afterAction();
    }

    // Tells the window it reached a monitor of `dpi` as Windows does, and
    // checks it answered for its size there with a window around a client
    // area of the layout's size, and took icons drawn for `dpi`. Whether it
    // then has that client area is expect-layout's to check: the frame
    // Windows draws may differ from the one it computes (it does under Wine).
    std::string changeDpi(int dpi) const {
        std::optional<Probe::DpiChange> change;
        try {
            Probe probe(target_.threadId());
            change = probe.changeDpi(window(), dpi);
        } catch (const std::runtime_error& error) {
            throw Failure{error.what()};
        }
        if (!change || !change->scaledSizeAnswered) {
            throw Failure{"the window did not answer for its size at " + std::to_string(dpi) +
                          " DPI"};
        }
        const form::FormDescription& form = form::formDescription();
        const LONG clientWidth = pixels(form.clientWidthTwips, dpi);
        const LONG clientHeight = pixels(form.clientHeightTwips, dpi);
        const SIZE answered = change->scaledSize;
        const std::string size = std::to_string(answered.cx) + "x" + std::to_string(answered.cy);
        // A frame a few pixels wide, and a caption, around the client area.
        if (answered.cx < clientWidth || answered.cx > clientWidth + 40 ||
            answered.cy < clientHeight + 10 || answered.cy > clientHeight + 100) {
            throw Failure{"it answered " + size + " for a client area of " +
                          std::to_string(clientWidth) + "x" + std::to_string(clientHeight)};
        }
        // 32 pixels at 100 %.
        const LONG icon = MulDiv(32, dpi, 96);
        if (change->bigIconWidth != icon) {
            throw Failure{"its big icon is " + std::to_string(change->bigIconWidth) +
                          " px wide, expected " + std::to_string(icon)};
        }
        return "answered " + size + ", big icon " + std::to_string(icon) + " px";
    }

    // The caption as read back: it ends with `ending`, a name in it was cut
    // (it holds an ellipsis), and in the caption font at `dpi` it is no wider than the
    // title bar without the icon (GetTitleBarInfo leaves it out) and the
    // buttons shown, each the caption button's width at `dpi`.
    std::string expectCaptionFits(int dpi, const std::string& ending) const {
        const std::wstring caption = readText(window()).value_or(L"");
        const std::wstring tail = fromUtf8(ending);
        if (caption.size() < tail.size() ||
            caption.compare(caption.size() - tail.size(), tail.size(), tail) != 0 ||
            caption.find(L'\u2026') == std::wstring::npos) {
            throw Failure{"the caption " + quoted(toUtf8(caption)) + " is not cut before " +
                          quoted(ending)};
        }
        NONCLIENTMETRICSW metrics{};
        metrics.cbSize = sizeof metrics;
        TITLEBARINFO bar{};
        bar.cbSize = sizeof bar;
        if (!SystemParametersInfoForDpi(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0,
                                        static_cast<UINT>(dpi)) ||
            !GetTitleBarInfo(window(), &bar)) {
            throw Failure{"cannot read the caption font or the title bar"};
        }
        LONG room = bar.rcTitleBar.right - bar.rcTitleBar.left;
        for (int part = 2; part <= 5; ++part) {  // minimise, maximise, help, close
            room -= (bar.rgstate[part] & STATE_SYSTEM_INVISIBLE) != 0 ? 0 : metrics.iCaptionWidth;
        }
        HDC dc = CreateCompatibleDC(nullptr);
        HFONT font = CreateFontIndirectW(&metrics.lfCaptionFont);
        HGDIOBJ before = SelectObject(dc, font);
        SIZE size{};
        GetTextExtentPoint32W(dc, caption.c_str(), static_cast<int>(caption.size()), &size);
        DeleteObject(SelectObject(dc, before));
        DeleteDC(dc);
        const std::string widths =
            std::to_string(size.cx) + " px in a title bar of " + std::to_string(room) + " px";
        if (size.cx <= 0 || size.cx > room) {
            throw Failure{quoted(toUtf8(caption)) + " is " + widths};
        }
        return quoted(toUtf8(caption)) + ", " + widths;
    }

    std::string expectLayout(int dpi) const {
        std::vector<std::string> problems;
        try {
            problems = layoutMismatches(window(), target_.threadId(), dpi,
                                        [this](int id) { return target_.control(id); });
        } catch (const std::runtime_error& error) {
            throw Failure{error.what()};
        }
        if (!problems.empty()) {
            std::string all;
            for (const std::string& problem : problems) {
                all += (all.empty() ? "" : "; ") + problem;
            }
            throw Failure{all};
        }
        return "the window and its " + std::to_string(form::kControlCount) +
               " controls fit the description at " + std::to_string(dpi) + " DPI";
    }

    // Waits for a message box with this caption, reads its text and presses
    // its OK button as a user would.
    static std::string answerMessage(const std::string& caption, int ms) {
        HWND box = waitForMessageBox(fromUtf8(caption), ms);
        if (box == nullptr) {
            throw Failure{"no message box " + quoted(caption) + " within " + std::to_string(ms) +
                          " ms"};
        }
        // A message box shows its text in the Static whose id is 0xFFFF.
        const auto message = readText(GetDlgItem(box, 0xFFFF));
        HWND ok = GetDlgItem(box, IDOK);
        if (ok == nullptr) {
            throw Failure{"the message box has no OK button"};
        }
        PostMessageW(ok, BM_CLICK, 0, 0);
        return "message " + quoted(message ? toUtf8(*message) : std::string{}) + " answered OK";
    }

    HWND window() const {
        if (!target_.found()) {
            throw Failure{"no window yet: wait-window first"};
        }
        if (!target_.alive()) {
            throw Failure{"the window is gone"};
        }
        return target_.window();
    }

    HWND find(int id) const {
        window();
        HWND control = target_.control(id);
        if (control == nullptr) {
            throw Failure{"the window has no control with id " + std::to_string(id)};
        }
        return control;
    }

    // The dialog thread's window with the keyboard focus, or nullptr.
    HWND focusedOrNull() const {
        window();
        GUITHREADINFO info{};
        info.cbSize = sizeof info;
        if (!GetGUIThreadInfo(target_.threadId(), &info)) {
            throw Failure{"cannot read the dialog thread's focus"};
        }
        return info.hwndFocus;
    }

    // Where a typed key goes: the focused window, or the dialog when no
    // window of it has the focus.
    HWND focused() const {
        HWND focus = focusedOrNull();
        return focus != nullptr ? focus : window();
    }

    // A user can only act on a control that is shown and enabled.
    HWND usable(int id, const char* action) const {
        HWND control = find(id);
        if (!IsWindowVisible(control)) {
            throw Failure{std::string("cannot ") + action + " a hidden control"};
        }
        if (!IsWindowEnabled(control)) {
            throw Failure{std::string("cannot ") + action + " a disabled control"};
        }
        return control;
    }

    std::string text(int id) const {
        auto value = readText(find(id));
        if (!value) {
            throw Failure{"no answer to WM_GETTEXT"};
        }
        return toUtf8(*value);
    }

    std::string afterAction() const {
        return target_.alive() ? std::string{} : "the window closed";
    }

    static std::string expectState(const char* what, int actual, int expected) {
        if (actual != expected) {
            throw Failure{std::string(what) + " is " + std::to_string(actual) + ", expected " +
                          std::to_string(expected)};
        }
        return std::string(what) + " " + std::to_string(actual);
    }

    // Posts the key to the control's queue, where the dialog's message loop
    // takes it as it takes typed keys, then waits until the loop has handled
    // it and whatever character message it made of it. A key held with Alt
    // comes as WM_SYSKEYDOWN and WM_SYSKEYUP with the Alt bit (29) set, as
    // Windows sends it; the Alt key's own press and release are left out,
    // since alone they only open the window's menu.
    std::string pressKey(HWND control, const Command& command) {
        const WPARAM vk = virtualKeyOf(command);
        const LPARAM scan =
            static_cast<LPARAM>(MapVirtualKeyW(static_cast<UINT>(vk), MAPVK_VK_TO_VSC));
        const LPARAM altBit = command.alt ? LPARAM{1} << 29 : 0;
        const LPARAM down = 1 | (scan << 16) | altBit;
        const LPARAM up = down | (LPARAM{1} << 30) | (LPARAM{1} << 31);
        const UINT downMessage = command.alt ? WM_SYSKEYDOWN : WM_KEYDOWN;
        const UINT upMessage = command.alt ? WM_SYSKEYUP : WM_KEYUP;
        if (!PostMessageW(control, downMessage, vk, down) ||
            !PostMessageW(control, upMessage, vk, up)) {
            throw Failure{"cannot post the key"};
        }
        waitForTheLoop("take the key");
        return afterAction();
    }

    std::string expectNoWindow(int ms) const {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
        do {
            if (findVisibleDialog() != nullptr) {
                throw Failure{"a window of class CompPlaceForm appeared"};
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        } while (std::chrono::steady_clock::now() < deadline);
        return "no window in " + std::to_string(ms) + " ms";
    }

    // Screen position and size of the window, and the size of its client area.
    std::string windowRect() const {
        RECT outer{};
        RECT client{};
        if (!GetWindowRect(window(), &outer) || !GetClientRect(window(), &client)) {
            throw Failure{"cannot read the window's rectangle"};
        }
        std::ostringstream out;
        out << "window " << outer.left << ',' << outer.top << ' ' << (outer.right - outer.left)
            << 'x' << (outer.bottom - outer.top) << " client " << client.right << 'x'
            << client.bottom;
        return out.str();
    }

    std::string dump() const {
        std::ostringstream out;
        for (const ControlName& entry : controlNames()) {
            HWND control = target_.control(entry.id);
            out << "\n    " << entry.name << " (" << entry.id << ")";
            if (control == nullptr) {
                out << " missing";
                continue;
            }
            wchar_t className[64] = L"";
            GetClassNameW(control, className, 64);
            auto value = readText(control);
            auto check = sendWithin(control, BM_GETCHECK, 0, 0);
            out << ' ' << toUtf8(className) << " visible=" << (IsWindowVisible(control) ? 1 : 0)
                << " enabled=" << (IsWindowEnabled(control) ? 1 : 0);
            if (check && std::wstring(className).find(L"Button") != std::wstring::npos) {
                out << " check=" << *check;
            }
            out << " text=" << (value ? quoted(toUtf8(*value)) : "?");
        }
        return out.str();
    }

    Target target_;
    HMODULE refusalLibrary_ = nullptr;
    HHOOK refusal_ = nullptr;
};

std::vector<std::string> arguments() {
    int count = 0;
    LPWSTR* wide = CommandLineToArgvW(GetCommandLineW(), &count);
    std::vector<std::string> args;
    for (int i = 1; i < count; ++i) {
        args.push_back(toUtf8(wide[i]));
    }
    LocalFree(wide);
    return args;
}

int usage() {
    std::cerr << "usage: e2e_driver [-e COMMAND]... [SCRIPT_FILE | -]\n";
    return 2;
}

int run() {
    std::vector<Command> commands;
    try {
        std::vector<std::string> args = arguments();
        int lineNumber = 0;
        bool haveScript = false;
        for (std::size_t i = 0; i < args.size(); ++i) {
            if (args[i] == "-e" && i + 1 < args.size()) {
                if (auto command = parseLine(args[++i], ++lineNumber)) {
                    commands.push_back(std::move(*command));
                }
            } else if (!haveScript && (args[i] == "-" || args[i][0] != '-')) {
                haveScript = true;
                std::string text;
                if (args[i] == "-") {
                    text.assign(std::istreambuf_iterator<char>(std::cin), {});
                } else {
                    std::ifstream file(fromUtf8(args[i]).c_str(), std::ios::binary);
                    if (!file) {
                        std::cerr << "cannot read " << args[i] << '\n';
                        return 2;
                    }
                    text.assign(std::istreambuf_iterator<char>(file), {});
                }
                for (Command& command : parseScript(text)) {
                    command.line += lineNumber;
                    commands.push_back(std::move(command));
                }
            } else {
                return usage();
            }
        }
        if (args.empty()) {
            return usage();
        }
    } catch (const ScriptError& error) {
        std::cerr << "e2e_driver: " << error.what() << '\n';
        return 2;
    }

    Runner runner;
    for (const Command& command : commands) {
        try {
            std::string result = runner.run(command);
            std::cout << "ok   " << command.source << (result.empty() ? "" : "  -> ") << result
                      << std::endl;
        } catch (const Failure& failure) {
            std::cout << "FAIL " << command.source << "  -> " << failure.message << std::endl;
            std::cerr << "e2e_driver: command " << command.line << " failed: " << command.source
                      << ": " << failure.message << '\n';
            return 1;
        }
    }
    return 0;
}

}  // namespace
}  // namespace e2e

int main() {
    // Plain \n line ends on the way to a Unix shell.
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
    return e2e::run();
}
