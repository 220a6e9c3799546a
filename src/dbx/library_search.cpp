#include "dbx/library_search.h"

namespace dbx {
namespace {

bool isSeparator(wchar_t c) {
    return c == L'\\' || c == L'/';
}

bool isDriveLetter(wchar_t c) {
    return (c >= L'A' && c <= L'Z') || (c >= L'a' && c <= L'z');
}

// A PATH entry may be quoted to hold a ";".
std::wstring_view unquoted(std::wstring_view entry) {
    if (entry.size() >= 2 && entry.front() == L'"' && entry.back() == L'"') {
        return entry.substr(1, entry.size() - 2);
    }
    return entry;
}

void addCandidate(std::vector<std::wstring>& candidates, std::wstring_view folder) {
    if (!isAbsoluteFolder(folder)) {
        return;
    }
    std::wstring path(folder);
    if (!isSeparator(path.back())) {
        path += L'\\';
    }
    path += kHostLibraryName;
    candidates.push_back(std::move(path));
}

}  // namespace

bool isAbsoluteFolder(std::wstring_view folder) {
    if (folder.size() >= 3 && isDriveLetter(folder[0]) && folder[1] == L':' &&
        isSeparator(folder[2])) {
        return true;
    }
    return folder.size() >= 3 && isSeparator(folder[0]) && isSeparator(folder[1]) &&
           !isSeparator(folder[2]);
}

std::vector<std::wstring> hostLibraryCandidates(const SearchFolders& folders) {
    std::vector<std::wstring> candidates;
    addCandidate(candidates, folders.executable);
    addCandidate(candidates, folders.system);
    addCandidate(candidates, folders.windows);
    std::wstring_view rest = folders.pathVariable;
    while (!rest.empty()) {
        // Split at ";" outside quotes.
        std::size_t end = 0;
        bool quoted = false;
        while (end < rest.size() && (quoted || rest[end] != L';')) {
            quoted = rest[end] == L'"' ? !quoted : quoted;
            ++end;
        }
        addCandidate(candidates, unquoted(rest.substr(0, end)));
        rest.remove_prefix(end < rest.size() ? end + 1 : end);
    }
    return candidates;
}

}  // namespace dbx
