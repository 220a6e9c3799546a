#include "placement/words.h"

#include <algorithm>
#include <array>
#include <cstddef>

#include "numtext/length_text.h"

namespace placement {
namespace {

char lower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool isLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

template <std::size_t N>
bool isOneOf(std::string_view word, const std::array<std::string_view, N>& words) {
    for (const std::string_view w : words) {
        if (word == w) {
            return true;
        }
    }
    return false;
}

// A cursor over a line, for the few phrases that state a unit.
class Scanner {
  public:
    Scanner(std::string_view text, std::size_t at) : text_(text), at_(at) {}

    void skipBlanks() {
        while (at_ < text_.size() && (text_[at_] == ' ' || text_[at_] == '\t')) {
            ++at_;
        }
    }
    bool take(char c) {
        if (at_ < text_.size() && text_[at_] == c) {
            ++at_;
            return true;
        }
        return false;
    }
    // The letters at the cursor, in lower case; empty when there are none.
    std::string word() {
        const std::size_t start = at_;
        while (at_ < text_.size() && isLetter(text_[at_])) {
            ++at_;
        }
        return lowerAscii(text_.substr(start, at_ - start));
    }
    // Goes to the start of the next word; false when there is none.
    bool toNextWord() {
        while (at_ < text_.size() && !isLetter(text_[at_])) {
            ++at_;
        }
        return at_ < text_.size();
    }

  private:
    std::string_view text_;
    std::size_t at_;
};

// After "unit" or "units": "used" perhaps, ":" or "=", and the unit.
std::optional<units::UnitFactor> unitAfterUnitWord(Scanner scanner) {
    scanner.skipBlanks();
    Scanner afterUsed = scanner;
    if (afterUsed.word() == "used") {
        scanner = afterUsed;
        scanner.skipBlanks();
    }
    if (!scanner.take(':') && !scanner.take('=')) {
        return std::nullopt;
    }
    scanner.skipBlanks();
    return unitOfWord(scanner.word());
}

}  // namespace

std::string lowerAscii(std::string_view text) {
    std::string lowered(text);
    for (char& c : lowered) {
        c = lower(c);
    }
    return lowered;
}

bool equalsIgnoringCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                              [](char p, char q) { return lower(p) == lower(q); });
}

std::string_view trimBlanks(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) {
        text.remove_prefix(1);
    }
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) {
        text.remove_suffix(1);
    }
    return text;
}

Side sideOf(std::string_view word) {
    static constexpr std::array<std::string_view, 4> kTop{"top", "toplayer", "t", "front"};
    static constexpr std::array<std::string_view, 5> kBottom{"bottom", "bottomlayer", "b", "bot",
                                                             "back"};
    const std::string lower = lowerAscii(trimBlanks(word));
    if (isOneOf(lower, kTop)) {
        return Side::Top;
    }
    if (isOneOf(lower, kBottom)) {
        return Side::Bottom;
    }
    return Side::NotGiven;
}

Side sideOfFileName(std::string_view fileName) {
    const std::string lower = lowerAscii(fileName);
    if (lower.ends_with(".mnt")) {
        return Side::Top;
    }
    if (lower.ends_with(".mnb")) {
        return Side::Bottom;
    }
    return Side::NotGiven;
}

std::optional<units::UnitFactor> unitOfWord(std::string_view word) {
    static constexpr std::array<std::string_view, 2> kInch{"inch", "inches"};
    static constexpr std::array<std::string_view, 4> kMm{"millimetre", "millimetres", "millimeter",
                                                         "millimeters"};
    const std::string lower = lowerAscii(trimBlanks(word));
    if (isOneOf(lower, kInch)) {
        return units::UnitFactor::PerInch;
    }
    if (isOneOf(lower, kMm)) {
        return units::UnitFactor::PerMm;
    }
    const numtext::LengthText split = numtext::splitLengthUnit(lower);
    return split.number.empty() ? split.unit : std::nullopt;
}

std::optional<units::UnitFactor> unitStatedIn(std::string_view line) {
    bool namedXOrY = false;
    for (Scanner scanner(line, 0); scanner.toNextWord();) {
        const std::string word = scanner.word();
        std::optional<units::UnitFactor> unit;
        if (word == "unit" || word == "units") {
            unit = unitAfterUnitWord(scanner);
        } else if (word == "x" || word == "y") {
            namedXOrY = true;
        } else if (word == "in" && namedXOrY) {
            Scanner after = scanner;
            after.skipBlanks();
            unit = unitOfWord(after.word());
        }
        if (unit) {
            return unit;
        }
    }
    return std::nullopt;
}

}  // namespace placement
