#include "placement/words.h"

#include <algorithm>
#include <array>
#include <cstddef>

namespace placement {
namespace {

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
        while (at_ < text_.size() && isAsciiLetter(text_[at_])) {
            ++at_;
        }
        return lowerAscii(text_.substr(start, at_ - start));
    }
    // Goes to the start of the next word; false when there is none.
    bool toNextWord() {
        while (at_ < text_.size() && !isAsciiLetter(text_[at_])) {
            ++at_;
        }
        return at_ < text_.size();
    }

    std::size_t at() const { return at_; }

  private:
    std::string_view text_;
    std::size_t at_;
};

UnitStatement statementOf(std::string_view written) {
    return {numtext::lengthUnitNamed(written), std::string(written)};
}

// After "unit" or "units": "used", "are" or "is" perhaps, ":" or "=", and
// the unit up to a "," or ";" or the end of the line. A value that is a
// number ("Units placed: 43") states nothing.
std::optional<UnitStatement> unitAfterUnitWord(std::string_view rest) {
    Scanner scanner(rest, 0);
    scanner.skipBlanks();
    Scanner afterWord = scanner;
    if (const std::string word = afterWord.word();
        word == "used" || word == "are" || word == "is") {
        scanner = afterWord;
        scanner.skipBlanks();
    }
    if (!scanner.take(':') && !scanner.take('=')) {
        return std::nullopt;
    }
    std::string_view value = rest.substr(scanner.at());
    value = value.substr(0, value.find_first_of(",;("));
    value = trimBlanks(value);
    while (value.ends_with('.')) {
        value = trimBlanks(value.substr(0, value.size() - 1));
    }
    static constexpr std::array<std::string_view, 5> kAngleUnits{"deg", "degs", "degree", "degrees",
                                                                 "radians"};
    if (value.empty() || isOneOf(lowerAscii(value), kAngleUnits)) {
        return std::nullopt;
    }
    if (numtext::lengthUnitNamed(value)) {
        return statementOf(value);
    }
    // The first word alone: "mil (thousandths of an inch)".
    const std::string_view first = value.substr(0, value.find_first_of(" \t"));
    if (numtext::lengthUnitNamed(first)) {
        return statementOf(first);
    }
    if (!isAsciiLetter(first.front())) {
        return std::nullopt;
    }
    return statementOf(first);
}

}  // namespace

std::string lowerAscii(std::string_view text) {
    std::string lowered(text);
    for (char& c : lowered) {
        c = numtext::toLowerAscii(c);
    }
    return lowered;
}

bool equalsIgnoringCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char p, char q) {
               return numtext::toLowerAscii(p) == numtext::toLowerAscii(q);
           });
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

std::string_view rotationNumber(std::string_view written) {
    std::string_view rest = trimBlanks(written);
    if (rest.size() > 1 && (rest.front() == 'R' || rest.front() == 'r')) {
        rest.remove_prefix(1);
    }
    return numtext::withoutDegrees(rest);
}

std::optional<UnitStatement> unitStatedIn(std::string_view line) {
    bool namedXOrY = false;
    for (Scanner scanner(line, 0); scanner.toNextWord();) {
        const std::string word = scanner.word();
        if (word == "unit" || word == "units" || word == "uunits") {
            if (auto statement = unitAfterUnitWord(line.substr(scanner.at()))) {
                return statement;
            }
        } else if (word == "x" || word == "y") {
            namedXOrY = true;
        } else if (word == "in" && namedXOrY) {
            Scanner after = scanner;
            after.skipBlanks();
            const std::string unit = after.word();
            if (numtext::lengthUnitNamed(unit)) {
                return statementOf(unit);
            }
        }
    }
    return std::nullopt;
}

}  // namespace placement
