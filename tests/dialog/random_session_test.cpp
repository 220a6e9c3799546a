// Random user sessions against the host simulator: random designs, random
// steps and a random host fault. After every step "&Move" and "Undo" never
// show together, every location sent to the host is the one the texts say,
// a successful undo puts the design back, and nothing reaches the host once
// the program has ended. COMPPLACE_RANDOM_SESSIONS runs more sessions;
// COMPPLACE_RANDOM_SEED replays one.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <iostream>
#include <map>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "dialog/sim_session.h"

namespace {

using dialog::ControlId;
using enum dialog::ControlId;
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
    d.angle = r.chance(50)
                  ? r.below(3600)
                  : r.pick<long long>({455, 3600, 3610, -900, INT32_MAX, INT32_MIN, r.int32()});
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

std::string coordinateText(Random& r, const numtext::Locale& locale, double factor) {
    const std::string digits = std::to_string(r.below(100000));
    const std::string other = locale.decimalSeparator == "." ? "," : ".";
    const std::string point = r.chance(15) ? other : locale.decimalSeparator;
    switch (r.below(6)) {
        case 0:
            return r.pick<std::string>({"", "-", " ", "abc", "1e", "0x10", "nan", "inf", "1..2",
                                        "--1", "12abc", "1,2,3", "1.2.3", "1e300", "-1e300",
                                        "1e-300", std::string(400, '9')});
        case 1:  // near the range limit, or a location near the 32-bit ends
            return numtext::plainNumberText(
                static_cast<double>(r.chance(50) ? 199999998 + r.below(5) : coordinate(r)) / factor,
                locale);
        case 2:  // grouped
            return r.pick<std::string>({"", "-"}) + std::to_string(1 + r.below(999)) +
                   locale.groupSeparator + std::to_string(100 + r.below(900)) + point + digits;
        case 3:
            return digits + r.pick({"e", "E"}) + std::to_string(r.below(12) - 4);
        default:
            return r.pick<std::string>({"", " ", "-", "+"}) + std::to_string(r.below(5000)) +
                   point + digits + r.pick<std::string>({"", " "});
    }
}

std::string angleText(Random& r) {
    return r.chance(30)
               ? std::to_string(r.below(1000) - 400)
               : r.pick<std::string>({"", "-", "abc", "90abc", "360", "400", "360.5", "361", "-90",
                                      " 90", "45.5", "270", "1e9", "-1e300", "1,5"});
}

// A location as the host's log writes it.
std::string at(long long x, long long y) {
    return std::to_string(x) + "," + std::to_string(y);
}

// Where "&Move" must put the component, or nothing when it must refuse.
std::optional<std::string> denotedLocation(const SimSession& s, const numtext::Locale& locale,
                                           const Design& design, bool designRead) {
    const double factor = s.form.isSelected(Option4) ? 100000.0 : 2540.0;
    const auto read = [&](ControlId box, const std::optional<dialog::ShownCoordinate>& shown) {
        if (shown && shown->text == s.text(box)) {  // the exact value behind the text
            return std::optional<double>(static_cast<double>(shown->exactDb));
        }
        const std::optional<double> typed = numtext::parseStrict(s.text(box), locale);
        return typed && std::isfinite(*typed * factor)
                   ? std::optional<double>(numtext::roundTo15Digits(*typed * factor))
                   : std::nullopt;
    };
    std::optional<double> x = read(Text1, s.state().shownX);
    std::optional<double> y = read(Text2, s.state().shownY);
    if (!x || !y) {
        return std::nullopt;
    }
    if (*x >= 200000000.0 || *y >= 200000000.0) {
        return at(design.x, design.y);  // the saved location
    }
    if (s.form.isSelected(Option2) && designRead) {
        *x += static_cast<double>(design.originX);
        *y += static_cast<double>(design.originY);
    }
    const auto wholeX = numtext::roundToInt32(*x);
    const auto wholeY = numtext::roundToInt32(*y);
    if (!wholeX || !wholeY) {
        return std::nullopt;
    }
    return at(*wholeX, *wholeY);
}

// How often each outcome came up, to show what the sessions reached.
using Tally = std::map<std::string, int>;

// One session; returns the first broken property, or nothing.
std::string runSession(std::uint64_t seed, std::string& trail, Tally& tally) {
    Random r(seed);
    const Design design = randomDesign(r);
    const std::string faults = randomFaults(r);
    const numtext::Locale locale =
        r.chance(50) ? testing_support::kDotLocale : testing_support::kCommaLocale;
    trail = design.text() + "faults " + faults + "\nlocale " + locale.decimalSeparator;
    std::replace(trail.begin(), trail.end(), '\n', ';');
    SimSession s(design, faults, locale);
    s.dialog().Form_Load();
    tally["ended at start-up"] += s.form.hasEnded() ? 1 : 0;

    std::vector<std::string> log = s.log();
    const bool designRead = std::any_of(log.begin(), log.end(), [](const std::string& line) {
        return line.starts_with("TGetDesignInfo ") && line.ends_with(" status=0");
    });
    // Undo turns the component to the start-up angle in whole degrees.
    const double startAngle = numtext::parseStrict(s.text(Text3), {".", ""}).value_or(0);
    const long long undoTenths =
        (static_cast<long long>(std::nearbyint(startAngle)) * 10 % 3600 + 3600) % 3600;

    const long long count = 1 + r.below(25);
    for (long long i = 0; i <= count; ++i) {
        const bool endedBefore = s.form.hasEnded();
        const bool moveShown = s.form.isVisible(Command1) && !endedBefore;
        const bool undoShown = s.form.isVisible(Command4) && !endedBefore;
        std::optional<std::string> expected;
        std::optional<ControlId> clicked;
        // The first round only checks what start-up left.
        const long long kind = i == 0 ? 100 : r.below(100);
        if (kind < 40) {
            const ControlId box = r.pick({Text1, Text2, Text3});
            const double factor = s.form.isSelected(Option4) ? 100000.0 : 2540.0;
            const std::string text =
                box == Text3 ? angleText(r) : coordinateText(r, locale, factor);
            trail += "\n  type " + std::string(dialog::describe(box).name) + " \"" + text + "\"";
            s.type(box, text);
        } else if (kind < 97) {
            clicked =
                r.pick({Option1, Option2, Option3, Option4, Check1, Check2, Command3, Command1,
                        Command1, Command1, Command1, Command4, Command4, Command2});
            if (clicked == Command1 && moveShown) {
                expected = denotedLocation(s, locale, design, designRead);
            }
            trail += "\n  click " + std::string(dialog::describe(*clicked).name);
            s.click(*clicked);
        } else if (kind < 100) {
            trail += "\n  close request";
            s.form.userRequestsClose();
        }

        const std::vector<std::string> all = s.log();
        const std::vector<std::string> lines(all.begin() + static_cast<std::ptrdiff_t>(log.size()),
                                             all.end());
        log = all;
        if (endedBefore && !lines.empty()) {
            return "the host was called after the end: " + lines.front();
        }
        const bool move = s.form.isVisible(Command1);
        const bool undo = s.form.isVisible(Command4);
        if ((move && undo) || (!s.form.hasEnded() && move == undo)) {
            return "\"&Move\" and \"Undo\" shown: " + std::to_string(move) + std::to_string(undo);
        }
        const bool pressedMove = clicked == Command1 && moveShown;
        const bool pressedUndo = clicked == Command4 && undoShown;
        // Undo sends nothing over a connection that did not open.
        if (pressedUndo && !lines.empty() && lines.front().starts_with("TOpenDesign ") &&
            lines.front().ends_with(" status=0")) {
            expected = at(design.x, design.y);
        }
        bool allSucceeded = true, rotated = false;
        std::vector<std::string> modified;
        for (const std::string& line : lines) {
            allSucceeded &= line.ends_with(" status=0");
            rotated |= line.starts_with("TRotateComponent ");
            if (line.starts_with("TModifyComponent ")) {
                const auto from = line.find(" location=") + 10;
                modified.push_back(line.substr(from, line.find(' ', from) - from));
            }
        }
        if (modified != (expected ? std::vector{*expected} : std::vector<std::string>{})) {
            return "sent " + (modified.empty() ? "nothing" : modified.front()) + ", expected " +
                   expected.value_or("nothing");
        }
        tally[expected ? "moves sent" : "moves refused"] += pressedMove ? 1 : 0;
        if (pressedUndo && s.form.hasEnded() && allSucceeded) {
            ++tally["undone"];
            auto file = s.designFile();
            const std::string now = file["location"] + " at " + file["angle"];
            const std::string before = std::to_string(design.x) + " " + std::to_string(design.y) +
                                       " at " + std::to_string(rotated ? undoTenths : design.angle);
            if (now != before) {
                return "undone to " + now + ", not " + before;
            }
        }
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
        const std::string failure = runSession(seed, trail, tally);
        if (!failure.empty()) {
            FAIL() << failure << "\nreplay with COMPPLACE_RANDOM_SEED=" << seed << "\n  " << trail;
        }
    }
    std::cout << sessions << " sessions from seed " << first;
    for (const char* outcome : {"ended at start-up", "moves sent", "moves refused", "undone"}) {
        std::cout << ", " << tally[outcome] << " " << outcome;
        // A generator that never reaches an outcome does not test it.
        EXPECT_TRUE(sessions < 1000 || tally[outcome] > 0) << outcome;
    }
    std::cout << '\n';
}

}  // namespace
