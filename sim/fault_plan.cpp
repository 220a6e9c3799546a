#include "sim/fault_plan.h"

#include "sim/whole_number.h"

namespace sim {
namespace {

constexpr const auto& kNames = dbx::host::kCalledFunctionNames;

std::optional<HostFunction> functionNamed(std::string_view name) {
    for (std::size_t i = 0; i < kNames.size(); ++i) {
        if (kNames[i] == name) {
            return static_cast<HostFunction>(i);
        }
    }
    return std::nullopt;
}

std::string_view trimmed(std::string_view text) {
    while (!text.empty() && text.front() == ' ') {
        text.remove_prefix(1);
    }
    while (!text.empty() && text.back() == ' ') {
        text.remove_suffix(1);
    }
    return text;
}

// What follows "=": a status, or "pump:" and a time.
bool parseAction(std::string_view text, std::optional<std::int32_t>& status,
                 std::optional<std::uint32_t>& pumpMs) {
    constexpr std::string_view kPump = "pump:";
    if (!text.starts_with(kPump)) {
        status = parseWhole<std::int32_t>(text);
        return status.has_value();
    }
    pumpMs = parseWhole<std::uint32_t>(text.substr(kPump.size()));
    return pumpMs && *pumpMs >= 1 && *pumpMs <= FaultPlan::kMaxPumpMs;
}

}  // namespace

std::string_view hostFunctionName(HostFunction function) {
    return kNames[static_cast<std::size_t>(function)];
}

std::optional<FaultPlan> FaultPlan::parse(std::string_view text, std::string& error) {
    FaultPlan plan;
    if (trimmed(text).empty()) {
        return plan;
    }
    while (true) {
        const std::size_t comma = text.find(',');
        const std::string_view entry = trimmed(text.substr(0, comma));
        const std::size_t at = entry.find('@');
        const std::size_t equals = entry.find('=');
        const std::string malformed =
            "entry \"" + std::string(entry) + "\" is not Function@N=status or Function@N=pump:MS";
        if (at == std::string_view::npos || equals == std::string_view::npos || equals < at) {
            error = malformed;
            return std::nullopt;
        }
        const std::optional<HostFunction> function = functionNamed(entry.substr(0, at));
        const std::string_view useText = entry.substr(at + 1, equals - at - 1);
        const std::optional<std::uint64_t> use =
            useText == "*" ? std::optional<std::uint64_t>(0) : parseWhole<std::uint64_t>(useText);
        Entry parsed{};
        if (!function || !use || (*use == 0 && useText != "*") ||
            !parseAction(entry.substr(equals + 1), parsed.status, parsed.pumpMs)) {
            error = malformed;
            return std::nullopt;
        }
        parsed.function = *function;
        parsed.use = *use;
        // A call may both wait and fail, but not fail twice.
        for (const Entry& earlier : plan.entries_) {
            if (earlier.function == parsed.function && earlier.use == parsed.use &&
                earlier.pumpMs.has_value() == parsed.pumpMs.has_value()) {
                error = "entry \"" + std::string(entry) + "\" repeats an earlier one";
                return std::nullopt;
            }
        }
        plan.entries_.push_back(parsed);
        if (comma == std::string_view::npos) {
            return plan;
        }
        text = text.substr(comma + 1);
    }
}

const FaultPlan::Entry* FaultPlan::entryFor(HostFunction function, std::uint64_t use,
                                            bool pumps) const {
    const Entry* everyUse = nullptr;
    for (const Entry& entry : entries_) {
        if (entry.function != function || entry.pumpMs.has_value() != pumps) {
            continue;
        }
        if (entry.use == use) {
            return &entry;
        }
        if (entry.use == 0) {
            everyUse = &entry;
        }
    }
    return everyUse;
}

std::optional<std::int32_t> FaultPlan::injectedStatus(HostFunction function,
                                                      std::uint64_t use) const {
    const Entry* entry = entryFor(function, use, false);
    return entry != nullptr ? entry->status : std::nullopt;
}

std::optional<std::chrono::milliseconds> FaultPlan::pumpTime(HostFunction function,
                                                             std::uint64_t use) const {
    const Entry* entry = entryFor(function, use, true);
    if (entry == nullptr) {
        return std::nullopt;
    }
    return std::chrono::milliseconds(*entry->pumpMs);
}

}  // namespace sim
