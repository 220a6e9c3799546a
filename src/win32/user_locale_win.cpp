#include "win32/user_locale_win.h"

#include <windows.h>

#include <array>
#include <optional>
#include <string>

namespace win32 {
namespace {

bool isSpaceLike(wchar_t c) {
    return c == L' ' || c == L'\u00A0' || c == L'\u2009' || c == L'\u202F';
}

// One separator of the user's locale in the ANSI code page; nullopt when the
// system cannot say. A separator the code page lacks would come out as "?",
// which no one types: a space-like one (several locales group with a narrow
// no-break space) becomes a plain blank, anything else is refused.
std::optional<std::string> separator(LCTYPE type) {
    std::array<wchar_t, 8> wide{};
    // By locale id rather than name: the name-based call is Vista's, and the
    // program runs on XP.
    const int length =
        GetLocaleInfoW(LOCALE_USER_DEFAULT, type, wide.data(), static_cast<int>(wide.size()));
    if (length <= 1) {
        return std::nullopt;
    }
    const int count = length - 1;  // without the terminating zero
    std::array<char, 32> ansi{};
    BOOL lossy = FALSE;
    const int written = WideCharToMultiByte(CP_ACP, 0, wide.data(), count, ansi.data(),
                                            static_cast<int>(ansi.size()), nullptr, &lossy);
    if (written > 0 && !lossy) {
        return std::string(ansi.data(), static_cast<std::size_t>(written));
    }
    bool allSpaces = true;
    for (int i = 0; i < count; ++i) {
        allSpaces = allSpaces && isSpaceLike(wide[static_cast<std::size_t>(i)]);
    }
    return allSpaces ? std::optional<std::string>(" ") : std::nullopt;
}

}  // namespace

numtext::Locale userLocale() {
    numtext::Locale locale;
    if (auto decimal = separator(LOCALE_SDECIMAL)) {
        locale.decimalSeparator = *decimal;
    }
    // Without a usable group separator numbers are read ungrouped, as they
    // are when it equals the decimal separator.
    locale.groupSeparator = separator(LOCALE_STHOUSAND).value_or(std::string{});
    return locale;
}

}  // namespace win32
