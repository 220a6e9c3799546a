// One line per host call, appended to a file and closed again at once so that
// nothing is lost when the calling program ends abruptly (format: README.md).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "units/units.h"

namespace sim {

class LogLine {
  public:
    explicit LogLine(std::string_view function) : text_(function) {}

    LogLine& add(std::string_view key, std::int64_t value);
    LogLine& add(std::string_view key, units::DbPoint point);
    // Bare when made only of letters, digits and "_.-", else quoted with
    // \" \\ and \xNN escapes, so a line never breaks and splits on blanks.
    LogLine& addText(std::string_view key, std::string_view value);

    const std::string& str() const { return text_; }

  private:
    std::string text_;
};

// Appends `line` and a newline to the file at `path`; nothing when `path` is
// empty. A file that cannot be written loses the line: the host call itself
// must not fail because of its log.
void appendLogLine(const std::string& path, std::string_view line);

}  // namespace sim
