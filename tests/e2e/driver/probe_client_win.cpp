#include "probe_client_win.h"

#include <stdexcept>

namespace e2e {
namespace {

std::wstring besideTheDriver(const wchar_t* file) {
    wchar_t path[MAX_PATH] = L"";
    const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
    const std::wstring exe(path, length);
    return exe.substr(0, exe.find_last_of(L"\\/") + 1) + file;
}

}  // namespace

Probe::Probe(DWORD threadId) {
    memory_ = CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0,
                                 sizeof(ProbeBlock), kProbeMemory);
    if (memory_ != nullptr) {
        block_ = static_cast<ProbeBlock*>(
            MapViewOfFile(memory_, FILE_MAP_WRITE, 0, 0, sizeof(ProbeBlock)));
    }
    library_ = LoadLibraryW(besideTheDriver(kProbeLibrary).c_str());
    const auto hook = library_ == nullptr ? nullptr
                                          : reinterpret_cast<HOOKPROC>(reinterpret_cast<void*>(
                                                GetProcAddress(library_, kProbeHook)));
    if (hook != nullptr) {
        hook_ = SetWindowsHookExW(WH_CALLWNDPROC, hook, library_, threadId);
    }
    if (block_ == nullptr || hook_ == nullptr) {
        release();
        throw std::runtime_error("cannot set the in-process probe");
    }
}

Probe::~Probe() {
    release();
}

void Probe::release() {
    if (hook_ != nullptr) {
        UnhookWindowsHookEx(hook_);
    }
    if (library_ != nullptr) {
        FreeLibrary(library_);
    }
    if (block_ != nullptr) {
        UnmapViewOfFile(block_);
    }
    if (memory_ != nullptr) {
        CloseHandle(memory_);
    }
    hook_ = nullptr;
    library_ = nullptr;
    block_ = nullptr;
    memory_ = nullptr;
}

bool Probe::ask(HWND window, ProbeRequest request) {
    static const UINT probe = RegisterWindowMessageW(kProbeMessage);
    block_->request = static_cast<LONG>(request);
    block_->state = static_cast<LONG>(ProbeState::Waiting);
    DWORD_PTR ignored = 0;
    // The hook runs before the window sees the message, so the answer is
    // there once the message returns.
    return SendMessageTimeoutW(window, probe, 0, 0, SMTO_ABORTIFHUNG, 5000, &ignored) != 0 &&
           block_->state == static_cast<LONG>(ProbeState::Answered);
}

std::optional<LOGFONTW> Probe::fontOf(HWND control) {
    if (!ask(control, ProbeRequest::Font)) {
        return std::nullopt;
    }
    return block_->font;
}

std::optional<Probe::DpiChange> Probe::changeDpi(HWND window, int dpi) {
    block_->dpi = dpi;
    if (!ask(window, ProbeRequest::DpiChange)) {
        return std::nullopt;
    }
    return DpiChange{block_->scaledSizeAnswered != 0, block_->scaledSize, block_->bigIconWidth};
}

bool Probe::setText(const std::wstring& text) {
    constexpr std::size_t kRoom = sizeof(block_->text) / sizeof(block_->text[0]);
    if (text.size() >= kRoom) {
        return false;
    }
    CopyMemory(block_->text, text.c_str(), (text.size() + 1) * sizeof(WCHAR));
    return true;
}

bool Probe::dropFile(HWND window, const std::wstring& path) {
    return setText(path) && ask(window, ProbeRequest::DropFile);
}

std::optional<Probe::MenuItem> Probe::menuItem(HWND window, const std::wstring& text) {
    if (!setText(text) || !ask(window, ProbeRequest::MenuItem)) {
        return std::nullopt;
    }
    return MenuItem{static_cast<UINT>(block_->menuCommand), block_->menuEnabled != 0};
}

}  // namespace e2e
