// Random user sessions against the host simulator: random designs, random
// steps and a random host fault. The test keeps its own account of what
// each step must do: coordinate texts are written from known decimal values
// and their database units worked out in integers, what the user did not
// touch comes from the design file, the angle box follows its rules in
// hundredths of a degree. After every step the host calls, the locations,
// flags and turns they carry, the beeps and the restored texts must match
// that account. COMPPLACE_RANDOM_SESSIONS runs more sessions;
// COMPPLACE_RANDOM_SEED replays one.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <iostream>
#include <map>
#include <optional>
#include <random>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "dialog/sim_session.h"

namespace {

using form::ControlId;
using enum form::ControlId;
using testing_support::Design;
using testing_support::SimSession;

constexpr std::uint64_t kBaseSeed = 20240601;

class Random {
  public:
    explicit Random(std::uint64_t seed) : engine_(seed) {}
    long long below(long long n) {
        return static_cast<long long>(engine_() % static_cast<std::uint64_t>(n));
    }
    bool chance(long long percent) { return below(100) < percent; }
    long long int32() { return static_cast<std::int32_t>(static_cast<std::uint32_t>(engine_())); }
    template <typename T>
    T pick(std::initializer_list<T> from) {
        return from.begin()[below(static_cast<long long>(from.size()))];
    }

  private:
    std::mt19937_64 engine_;
};

long long power10(long long n) {
    long long p = 1;
    while (n-- > 0) {
        p *= 10;
    }
    return p;
}

// num / den (den > 0) to the nearest integer: halves to even, or away from 0.
long long halfEven(long long num, long long den) {
    long long q = num / den;
    long long r = num % den;
    if (r < 0) {
        --q;
        r += den;
    }
    return 2 * r > den || (2 * r == den && q % 2 != 0) ? q + 1 : q;
}
long long halfAway(long long num, long long den) {
    const long long q = (2 * (num < 0 ? -num : num) + den) / (2 * den);
    return num < 0 ? -q : q;
}

bool fitsInt32(long long v) {
    return v >= INT32_MIN && v <= INT32_MAX;
}

long long coordinate(Random& r) {
    const long long nearEnd = r.chance(50) ? INT32_MAX - r.below(3) : INT32_MIN + r.below(3);
    return r.pick({0LL, 254000LL, r.below(4000001) - 2000000, nearEnd, r.int32()});
}

Design randomDesign(Random& r) {
    Design d;
    d.units = r.pick({0, 2, 2, 1});
    d.originMode = r.pick({0, 1, 1, -1});
    d.originX = coordinate(r);
    d.originY = coordinate(r);
    d.itemType = r.chance(8) ? r.pick({0, 3}) : 9;
    d.x = coordinate(r);
    d.y = coordinate(r);
    d.angle = r.chance(50) ? r.below(3600)
                           : r.pick<long long>({455, 3600, 3605, 3610, 4500, -900, 7205, INT32_MAX,
                                                INT32_MIN, r.int32()});
    d.flipped = r.pick<long long>({0, 0, 1, 2, -1, 65536});
    d.fixed = r.pick<long long>({0, 1, 65536});
    return d;
}

std::string randomFaults(Random& r) {
    const char* function = r.pick({"TOpenDesign", "TCloseDesign", "TGetFirstSelectedItem",
                                   "TGetDesignInfo", "TModifyComponent", "TRotateComponent"});
    const long long status = r.pick<long long>({1, 5, 7, -1, r.int32() | 1});  // never 0
    return r.chance(30)
               ? ""
               : function + ("@" + std::to_string(1 + r.below(3))) + "=" + std::to_string(status);
}

// What a typed coordinate text denotes: digits / 10^decimals display units,
// or no number, or a number far beyond the range either way.
struct Typed {
    enum class Kind { NotANumber, Value, Huge, HugeNegative } kind = Kind::Value;
    long long digits = 0;
    long long decimals = 0;
};

// A coordinate text and what it denotes. Values keep to 15 significant
// digits once multiplied by the unit factor, as the dialog's reading does.
std::pair<std::string, Typed> coordinateText(Random& r, const numtext::Locale& locale,
                                             long long factor) {
    const std::string& point = locale.decimalSeparator;
    const std::string& group = locale.groupSeparator;
    const std::string other = point == "." ? "," : ".";
    using Kind = Typed::Kind;
    switch (r.below(8)) {
        case 0:
            return {r.pick<std::string>(
                        {"", "-", " ", "abc", "1e", "0x10", "nan", "inf", "1" + point + point + "2",
                         "--1", "12abc", "1e400", std::string(400, '9'), "12" + other + "5",
                         "1" + point + "2" + point + "3",
                         // A leading zero is never grouped.
                         "0" + group + "123", "01" + group + "000", "-0" + group + "500"}),
                    {Kind::NotANumber}};
        case 1:
            return {"1e" + std::to_string(9 + r.below(290)), {Kind::Huge}};
        case 2:
            return {"-1e" + std::to_string(12 + r.below(280)), {Kind::HugeNegative}};
        default:
            break;
    }
    Typed typed;
    typed.decimals = r.below(7);
    const long long scale = power10(typed.decimals);
    if (r.chance(40)) {  // a whole location, written to the chosen decimals
        const long long db = r.chance(30) ? 199999998 + r.below(5) : coordinate(r);
        typed.digits = halfEven(db * scale, factor);
    } else {
        const long long whole = r.below(power10(r.below(factor == 2540 ? 7 : 6)));
        typed.digits = (r.chance(30) ? -1 : 1) * (whole * scale + r.below(scale));
    }
    const long long magnitude = typed.digits < 0 ? -typed.digits : typed.digits;
    const std::string integer = std::to_string(magnitude / scale);
    std::string fraction = std::to_string(scale + magnitude % scale).substr(1);

    std::string text = typed.digits < 0 ? "-" : r.pick<std::string>({"", "", "+"});
    const long long form = r.below(5);
    if (form == 0 && integer.size() > 3) {  // grouped in threes
        for (std::size_t i = 0; i < integer.size(); ++i) {
            if (i > 0 && (integer.size() - i) % 3 == 0) {
                text += group;
            }
            text += integer[i];
        }
    } else if (form == 1) {  // all digits and an exponent
        text += std::to_string(magnitude) + r.pick({"e-", "E-"}) + std::to_string(typed.decimals);
        return {text, typed};
    } else if (form == 2 && integer == "0" && typed.decimals > 0) {  // no integer digit
        return {text + point + fraction, typed};
    } else {
        text += integer;
    }
    if (typed.decimals > 0) {
        text += point + fraction;
    } else if (r.chance(20)) {
        text += point;
    }
    return {r.pick<std::string>({"", " "}) + text + r.pick<std::string>({"", " "}), typed};
}

// The angle box: the hundredths of a degree the turn is counted from, and
// whether the text is a number at all (if not, the turn reads its leading
// number, and the box's handlers leave it).
struct AngleBox {
    long long hundredths = 0;
    bool isNumber = true;
};

std::pair<std::string, AngleBox> angleText(Random& r, const numtext::Locale& locale) {
    if (r.chance(25)) {
        const auto& [text, box] =
            r.pick<std::pair<std::string, AngleBox>>({{"", {0, false}},
                                                      {"-", {0, false}},
                                                      {"abc", {0, false}},
                                                      {"90abc", {9000, false}},
                                                      {" 45.5x", {4550, false}},
                                                      {"360", {36000, true}},
                                                      {"400", {40000, true}},
                                                      {"361", {36100, true}},
                                                      {"360.5", {36050, true}},
                                                      {"1e9", {100000000000LL, true}},
                                                      {"1e2", {10000, true}},
                                                      {"-300000000", {-30000000000LL, true}}});
        return {text, box};
    }
    // Whole degrees and a fraction, with "." (read in every locale) or the
    // locale's own separator; "," in a "." locale is no decimal: the turn
    // then reads the whole degrees only.
    const long long degrees = r.below(800) - 400;
    const auto& [fraction, hundredths] = r.pick<std::pair<std::string, long long>>(
        {{"", 0}, {"5", 50}, {"25", 25}, {"75", 75}, {"1", 10}});
    const std::string sign = degrees < 0 ? "-" : "";
    const std::string whole = sign + std::to_string(degrees < 0 ? -degrees : degrees);
    const long long value = degrees * 100 + (degrees < 0 ? -hundredths : hundredths);
    if (fraction.empty()) {
        return {whole, {value, true}};
    }
    const std::string point = r.pick<std::string>({".", ","});
    if (point == "," && locale.decimalSeparator != ",") {
        return {whole + point + fraction, {degrees * 100, false}};
    }
    return {whole + point + fraction, {value, true}};
}

// Tenths of a degree as the angle box writes them, with `plus` before a
// non-negative angle.
std::string angleText(long long tenths, const char* plus) {
    const long long magnitude = tenths < 0 ? -tenths : tenths;
    return (tenths < 0 ? "-" : plus) + std::to_string(magnitude / 10) +
           (magnitude % 10 != 0 ? "." + std::to_string(magnitude % 10) : "");
}

// A host angle as the box shows it: a full turn and more as the same
// orientation, a full turn itself as 0.
long long boxTenths(long long hostTenths) {
    const long long within = hostTenths >= 3610 ? hostTenths % 3600 : hostTenths;
    return within == 3600 ? 0 : within;
}

// A log line's value of one key.
std::string field(const std::string& line, const std::string& key) {
    const auto from = line.find(" " + key + "=");
    if (from == std::string::npos) {
        return "";
    }
    const auto start = from + key.size() + 2;
    return line.substr(start, line.find(' ', start) - start);
}
bool succeeded(const std::string& line) {
    return line.ends_with(" status=0");
}

// How often each outcome came up, to show what the sessions reached.
using Tally = std::map<std::string, int>;

class Session {
  public:
    Session(Random& r, std::string& trail, Tally& tally)
        : r_(r),
          trail_(trail),
          tally_(tally),
          design_(randomDesign(r)),
          faults_(randomFaults(r)),
          locale_(r.chance(50) ? testing_support::kDotLocale : testing_support::kCommaLocale),
          s_(design_, faults_, locale_) {
        trail_ = design_.text() + "faults " + faults_ + "\nlocale " + locale_.decimalSeparator;
        std::replace(trail_.begin(), trail_.end(), '\n', ';');
    }

    // Runs the session; returns the first broken property, or nothing.
    std::string run();

  private:
    long long factor() const { return mm_ ? 100000 : 2540; }
    long long origin(bool x) const {
        return designRead_ ? (x ? design_.originX : design_.originY) : 0;
    }
    // The component's location as the boxes show it, relative to the
    // origin in relative mode.
    long long shownDb(bool x) const {
        return (x ? design_.x : design_.y) - (relative_ ? origin(x) : 0);
    }
    std::string savedText(bool x) const;
    // The dialog shows the saved location again; the boxes are untouched.
    // A unit or mode click shows it in that unit's pattern, a move's restore
    // in the start-up unit's.
    void expectRestore(bool startupPattern = true) {
        restore_ = true;
        shownDecimals_ = startupPattern ? decimals_ : mm_ ? 3 : 1;
        typed_[0] = typed_[1] = std::nullopt;
    }
    std::string pressMove(const std::vector<std::string>& lines);
    std::string pressUndo(const std::vector<std::string>& lines);
    // After a failed undo the boxes show the component as the host holds it.
    std::string showsWhatTheHostHolds();
    // The turn Rotcomp must send, or nothing when it cannot.
    std::optional<long long> turn(long long flag) const;
    std::string checkTurn(const std::vector<std::string>& lines, std::size_t at, long long flag,
                          int& beeps);

    Random& r_;
    std::string& trail_;
    Tally& tally_;
    Design design_;
    std::string faults_;
    numtext::Locale locale_;
    SimSession s_;

    bool designRead_ = false;
    bool mm_ = false;
    bool relative_ = false;
    int decimals_ = 1;  // of the start-up unit's pattern
    int shownDecimals_ = 1;
    std::optional<Typed> typed_[2];
    std::string shown_[2];
    bool restore_ = false;
    bool flippedBox_ = false;
    bool fixedBox_ = false;
    long long startTenths_ = 0;
    AngleBox angle_;
    long long hostAngle_ = 0;
    long long hostFlipped_ = 0;
    long long hostFixed_ = 0;
};

std::string Session::savedText(bool x) const {
    const long long scale = power10(shownDecimals_);
    const long long steps = halfAway(shownDb(x) * scale, factor());
    const long long magnitude = steps < 0 ? -steps : steps;
    const std::string fraction = std::to_string(scale + magnitude % scale).substr(1);
    return (steps < 0 ? "-" : "") + std::to_string(magnitude / scale) + locale_.decimalSeparator +
           fraction;
}

std::optional<long long> Session::turn(long long flag) const {
    const long long base = flag != 0 ? hostAngle_ + 3600 : 3600 - hostAngle_;
    if (!fitsInt32(base)) {
        return std::nullopt;
    }
    const long long tenths = flag != 0 ? halfEven(base * 10 - angle_.hundredths, 10)
                                       : halfEven(angle_.hundredths + base * 10, 10);
    return fitsInt32(tenths) ? std::optional(tenths) : std::nullopt;
}

// The rotate call at lines[at] (if one is due) and the host angle after it.
std::string Session::checkTurn(const std::vector<std::string>& lines, std::size_t at,
                               long long flag, int& beeps) {
    const std::optional<long long> expected = turn(flag);
    if (!expected) {
        ++beeps;  // the turn is not sent
        return lines.size() > at && lines[at].starts_with("TRotateComponent ")
                   ? "a turn beyond 32 bits was sent: " + lines[at]
                   : "";
    }
    if (lines.size() <= at || !lines[at].starts_with("TRotateComponent ")) {
        return "no turn sent, expected " + std::to_string(*expected);
    }
    if (field(lines[at], "angle") != std::to_string(*expected) ||
        field(lines[at], "center") != "-1,-1") {
        return "turned by " + lines[at] + ", expected " + std::to_string(*expected);
    }
    if (!succeeded(lines[at])) {
        ++beeps;  // a failed turn is not a success
        return "";
    }
    const long long turned = hostFlipped_ != 0 ? hostAngle_ - *expected : hostAngle_ + *expected;
    hostAngle_ = (turned % 3600 + 3600) % 3600;
    ++tally_["turns"];
    return field(lines[at], "new_angle") == std::to_string(hostAngle_)
               ? ""
               : "the host's angle is " + lines[at] + ", expected " + std::to_string(hostAngle_);
}

std::string Session::pressMove(const std::vector<std::string>& lines) {
    int beeps = 0;
    bool refused = false, range = false;
    long long location[2] = {0, 0};
    for (int axis = 0; axis < 2; ++axis) {
        const bool x = axis == 0;
        const long long saved = x ? design_.x : design_.y;
        if (!typed_[axis]) {
            range |= shownDb(x) >= 200000000;
            location[axis] = saved;
            continue;
        }
        const Typed& t = *typed_[axis];
        const long long scale = power10(t.decimals);
        refused |= t.kind == Typed::Kind::NotANumber;
        range |= t.kind == Typed::Kind::Huge ||
                 (t.kind == Typed::Kind::Value && t.digits * factor() >= 200000000 * scale);
        location[axis] =
            t.kind == Typed::Kind::Value
                ? halfEven(t.digits * factor() + (relative_ ? origin(x) * scale : 0), scale)
                : INT64_MIN;
    }
    if (range && !refused) {
        location[0] = design_.x;
        location[1] = design_.y;
        ++beeps;
        expectRestore();
    }
    refused |= !fitsInt32(location[0]) || !fitsInt32(location[1]);
    if (refused) {
        ++tally_["moves refused"];
        expectRestore();
        if (!lines.empty()) {
            return "a refused move called the host: " + lines.front();
        }
        return s_.beeper.count == 1 ? ""
                                    : "a refused move beeped " + std::to_string(s_.beeper.count);
    }

    const std::string sent = std::to_string(location[0]) + "," + std::to_string(location[1]) +
                             " flipped=" + (flippedBox_ ? "1" : "0") +
                             " fixed=" + (fixedBox_ ? "1" : "0");
    if (lines.empty() || !lines[0].starts_with("TModifyComponent ") ||
        lines[0].find(" location=" + sent + " ") == std::string::npos) {
        return "sent " + (lines.empty() ? "nothing" : lines[0]) + ", expected " + sent;
    }
    std::string broken;
    if (!succeeded(lines[0])) {
        ++beeps;
        expectRestore();
    } else {
        ++tally_["moves sent"];
        hostFlipped_ = flippedBox_ ? 1 : 0;
        hostFixed_ = fixedBox_ ? 1 : 0;
        broken = checkTurn(lines, 1, hostFlipped_, beeps);
    }
    if (broken.empty() && s_.beeper.count != beeps) {
        broken = "the move beeped " + std::to_string(s_.beeper.count) + " times, expected " +
                 std::to_string(beeps);
    }
    return broken;
}

std::string Session::showsWhatTheHostHolds() {
    const long long tenths = boxTenths(hostAngle_);
    angle_ = {tenths * 10, true};
    flippedBox_ = hostFlipped_ != 0;
    fixedBox_ = hostFixed_ != 0;
    const std::string angle = angleText(tenths, " ");
    if (s_.text(Text3) != angle ||
        (s_.form.checkValue(Check1) == form::CheckValue::Checked) != flippedBox_ ||
        (s_.form.checkValue(Check2) == form::CheckValue::Checked) != fixedBox_) {
        return "after a failed undo the boxes show " + s_.text(Text3) + " and flags " +
               std::to_string(static_cast<int>(s_.form.checkValue(Check1))) +
               std::to_string(static_cast<int>(s_.form.checkValue(Check2))) + ", not " + angle +
               " and " + std::to_string(hostFlipped_) + std::to_string(hostFixed_);
    }
    return s_.form.hasEnded() || s_.beeper.count != 1 ? "a failed undo ended or did not beep once"
                                                      : "";
}

std::string Session::pressUndo(const std::vector<std::string>& lines) {
    if (lines.empty() || !succeeded(lines[0])) {
        return lines.size() == 2 ? showsWhatTheHostHolds() : "a failed reconnect went on";
    }
    const std::string sent = std::to_string(design_.x) + "," + std::to_string(design_.y) +
                             " flipped=" + std::to_string(design_.flipped) +
                             " fixed=" + std::to_string(design_.fixed);
    if (lines.size() < 3 || lines[2].find(" location=" + sent + " ") == std::string::npos) {
        return "undo sent " + (lines.size() < 3 ? "nothing" : lines[2]) + ", expected " + sent;
    }
    if (!succeeded(lines[2])) {
        return showsWhatTheHostHolds();
    }
    hostFlipped_ = design_.flipped;
    hostFixed_ = design_.fixed;
    // The turn is to the start-up angle, exactly.
    angle_ = {startTenths_ * 10, true};
    int beeps = 0;
    std::string broken = checkTurn(lines, 3, design_.flipped, beeps);
    if (!broken.empty() || beeps != 0) {
        return broken.empty() ? showsWhatTheHostHolds() : broken;
    }
    // The box shows the start-up angle with no leading blank.
    if (s_.text(Text3) != angleText(startTenths_, "")) {
        return "undo shows the angle " + s_.text(Text3) + ", not " + angleText(startTenths_, "");
    }
    if (s_.beeper.count != 0 || !s_.form.hasEnded()) {
        return "undo beeped or did not end the program";
    }
    ++tally_["undone"];
    return "";
}

std::string Session::run() {
    s_.dialog().Form_Load();
    std::vector<std::string> log = s_.log();
    const auto lineOf = [&](const char* function) {
        const auto found = std::find_if(log.begin(), log.end(), [&](const std::string& line) {
            return line.starts_with(std::string(function) + " ");
        });
        return found == log.end() ? std::string() : *found;
    };
    const bool selected = design_.itemType == 9 && succeeded(lineOf("TGetFirstSelectedItem"));
    if (s_.form.hasEnded() != !selected) {
        return "start-up ended: " + std::to_string(s_.form.hasEnded());
    }
    if (!selected) {
        ++tally_["ended at start-up"];
        return "";
    }
    designRead_ = succeeded(lineOf("TGetDesignInfo"));
    mm_ = designRead_ && design_.units == 2;
    relative_ = !designRead_ || design_.originMode == 0;
    decimals_ = mm_ ? 3 : 1;
    flippedBox_ = design_.flipped != 0;
    fixedBox_ = design_.fixed != 0;
    hostAngle_ = design_.angle;
    hostFlipped_ = design_.flipped;
    hostFixed_ = design_.fixed;
    startTenths_ = boxTenths(design_.angle);
    angle_ = {startTenths_ * 10, true};
    expectRestore();

    const long long count = 1 + r_.below(25);
    for (long long i = 0; i <= count; ++i) {
        const bool moveShown = s_.form.isVisible(Command1) && !s_.form.hasEnded();
        const bool undoShown = s_.form.isVisible(Command4) && !s_.form.hasEnded();
        const bool ended = s_.form.hasEnded();
        s_.beeper.count = 0;
        std::optional<ControlId> clicked;
        // The first round only checks what start-up left.
        const long long kind = i == 0 ? 100 : r_.below(100);
        if (kind < 40) {
            const ControlId box = r_.pick({Text1, Text2, Text3});
            std::string text;
            if (box == Text3) {
                AngleBox typed;
                std::tie(text, typed) = angleText(r_, locale_);
                if (!ended && text != s_.text(Text3)) {
                    if (typed.isNumber && typed.hundredths >= 36100) {
                        typed.hundredths = startTenths_ * 10;
                    }
                    if (typed.isNumber && typed.hundredths == 36000) {
                        typed.hundredths = 0;
                    }
                    angle_ = typed;
                }
            } else {
                Typed typed;
                std::tie(text, typed) = coordinateText(r_, locale_, factor());
                const int axis = box == Text1 ? 0 : 1;
                if (!ended && text != s_.text(box)) {
                    // The text the dialog last showed stands for the exact value again.
                    typed_[axis] = text == shown_[axis] ? std::nullopt : std::optional(typed);
                }
            }
            trail_ += "\n  type " + std::string(form::describe(box).name) + " \"" + text + "\"";
            s_.type(box, text);
        } else if (kind < 97) {
            clicked =
                r_.pick({Option1, Option2, Option3, Option4, Check1, Check2, Command3, Command1,
                         Command1, Command1, Command1, Command4, Command4, Command2});
            trail_ += "\n  click " + std::string(form::describe(*clicked).name);
            if (!ended) {
                switch (*clicked) {
                    case Option1:
                        relative_ = false;
                        break;
                    case Option2:
                        relative_ = true;
                        break;
                    case Option3:
                        mm_ = false;
                        break;
                    case Option4:
                        mm_ = true;
                        break;
                    case Check1:
                        flippedBox_ = !flippedBox_;
                        break;
                    case Check2:
                        fixedBox_ = !fixedBox_;
                        break;
                    case Command3:
                        if (angle_.isNumber) {
                            angle_.hundredths += 9000;
                            if (angle_.hundredths >= 36100) {
                                angle_.hundredths = startTenths_ * 10;
                            }
                            if (angle_.hundredths >= 36000) {
                                angle_.hundredths = 0;
                            }
                        }
                        break;
                    default:
                        break;
                }
                if (clicked == Option1 || clicked == Option2 || clicked == Option3 ||
                    clicked == Option4) {
                    expectRestore(false);
                }
            }
            s_.click(*clicked);
        } else if (kind < 100) {
            trail_ += "\n  close request";
            s_.form.userRequestsClose();
        }

        const std::vector<std::string> all = s_.log();
        const std::vector<std::string> lines(all.begin() + static_cast<std::ptrdiff_t>(log.size()),
                                             all.end());
        log = all;
        if (ended && !lines.empty()) {
            return "the host was called after the end: " + lines.front();
        }
        const bool move = s_.form.isVisible(Command1);
        const bool undo = s_.form.isVisible(Command4);
        if ((move && undo) || (!s_.form.hasEnded() && move == undo)) {
            return "\"&Move\" and \"Undo\" shown: " + std::to_string(move) + std::to_string(undo);
        }
        std::string broken;
        if (clicked == Command1 && moveShown) {
            broken = pressMove(lines);
        } else if (clicked == Command4 && undoShown) {
            broken = pressUndo(lines);
        } else if (std::any_of(lines.begin(), lines.end(), [](const std::string& line) {
                       return line.starts_with("TModifyComponent ");
                   })) {
            broken = "a location was sent by " + trail_.substr(trail_.rfind('\n') + 1);
        } else if (s_.beeper.count != 0 && !ended) {
            broken = "a beep without a move or an undo";
        }
        if (!broken.empty()) {
            return broken;
        }
        // While "&Move" is offered the boxes show the selection's location.
        if (restore_ && moveShown) {
            shown_[0] = savedText(true);
            shown_[1] = savedText(false);
            if (s_.text(Text1) != shown_[0] || s_.text(Text2) != shown_[1]) {
                return "the boxes show " + s_.text(Text1) + " " + s_.text(Text2) + ", not " +
                       shown_[0] + " " + shown_[1];
            }
        }
        restore_ = false;
    }
    return "";
}

TEST(RandomSessions, KeepEveryPropertyAfterEveryStep) {
    const char* replay = std::getenv("COMPPLACE_RANDOM_SEED");
    const char* more = std::getenv("COMPPLACE_RANDOM_SESSIONS");
    const std::uint64_t first = replay ? std::stoull(replay) : kBaseSeed;
    const std::uint64_t sessions = replay ? 1 : more ? std::stoull(more) : 1000;
    Tally tally;
    for (std::uint64_t seed = first; seed < first + sessions; ++seed) {
        std::string trail;
        Random r(seed);
        Session session(r, trail, tally);
        const std::string failure = session.run();
        if (!failure.empty()) {
            FAIL() << failure << "\nreplay with COMPPLACE_RANDOM_SEED=" << seed << "\n  " << trail;
        }
    }
    std::cout << sessions << " sessions from seed " << first;
    for (const char* outcome :
         {"ended at start-up", "moves sent", "moves refused", "turns", "undone"}) {
        std::cout << ", " << tally[outcome] << " " << outcome;
        // A generator that never reaches an outcome does not test it.
        EXPECT_TRUE(sessions < 1000 || tally[outcome] > 0) << outcome;
    }
    std::cout << '\n';
}

}  // namespace
