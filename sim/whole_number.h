// A whole number written in decimal, as the simulator's files and settings
// hold them.
#pragma once

#include <charconv>
#include <optional>
#include <string_view>

namespace sim {

// The whole text as one number of type T: an optional "-" and digits only,
// within T's range. Anything else, or an empty text: nullopt.
template <typename T>
std::optional<T> parseWhole(std::string_view text) {
    T value{};
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, value);
    if (text.empty() || ec != std::errc{} || ptr != end) {
        return std::nullopt;
    }
    return value;
}

}  // namespace sim
