#include "sim/fault_plan.h"

#include <array>

#include "sim/whole_number.h"

namespace sim {
namespace {

constexpr std::array<std::string_view, kHostFunctionCount> kNames = {
    "TOpenDesign",    "TCloseDesign",     "TGetFirstSelectedItem",
    "TGetDesignInfo", "TModifyComponent", "TRotateComponent",
};

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
        if (at == std::string_view::npos || equals == std::string_view::npos || equals < at) {
            error = "entry \"" + std::string(entry) + "\" is not Function@N=status";
            return std::nullopt;
        }
        const std::optional<HostFunction> function = functionNamed(entry.substr(0, at));
        const std::string_view useText = entry.substr(at + 1, equals - at - 1);
        const std::optional<std::uint64_t> use =
            useText == "*" ? std::optional<std::uint64_t>(0) : parseWhole<std::uint64_t>(useText);
        const std::optional<std::int32_t> status =
            parseWhole<std::int32_t>(entry.substr(equals + 1));
        if (!function || !use || (*use == 0 && useText != "*") || !status) {
            error = "entry \"" + std::string(entry) + "\" is not Function@N=status";
            return std::nullopt;
        }
        for (const Entry& earlier : plan.entries_) {
            if (earlier.function == *function && earlier.use == *use) {
                error = "entry \"" + std::string(entry) + "\" repeats an earlier one";
                return std::nullopt;
            }
        }
        plan.entries_.push_back({*function, *use, *status});
        if (comma == std::string_view::npos) {
            return plan;
        }
        text = text.substr(comma + 1);
    }
}

std::optional<std::int32_t> FaultPlan::injectedStatus(HostFunction function,
                                                      std::uint64_t use) const {
    std::optional<std::int32_t> everyUse;
    for (const Entry& entry : entries_) {
        if (entry.function != function) {
            continue;
        }
        if (entry.use == use) {
            return entry.status;
        }
        if (entry.use == 0) {
            everyUse = entry.status;
        }
    }
    return everyUse;
}

}  // namespace sim
