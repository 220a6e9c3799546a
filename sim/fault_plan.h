// Injected failures and slow calls, read from COMPPLACE_SIM_FAIL: a
// comma-separated list of `Function@N=status` (the Nth use of that function
// in this process fails with that status), `Function@N=pump:MS` (it runs the
// caller's messages for MS milliseconds first), or either with `@*` (every
// use). Format: README.md.
#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "dbx/host_function_list.h"

namespace sim {

// The host's functions, one for each row of the program's list of them.
#define SIM_HOST_FUNCTION(name, argumentBytes) name,
enum class HostFunction { DBX_HOST_FUNCTIONS(SIM_HOST_FUNCTION) };
#undef SIM_HOST_FUNCTION
inline constexpr std::size_t kHostFunctionCount = dbx::host::kCalledFunctionNames.size();

// The exported name, e.g. "TOpenDesign".
std::string_view hostFunctionName(HostFunction function);

class FaultPlan {
  public:
    // The longest time a call may run the caller's messages.
    static constexpr std::uint32_t kMaxPumpMs = 60000;

    // An empty text is an empty plan. Anything malformed (an unknown function,
    // a use count of 0, a status that is not a 32-bit number, a time not from
    // 1 to kMaxPumpMs, an empty entry, the same entry twice) gives no plan
    // and the reason in `error`.
    static std::optional<FaultPlan> parse(std::string_view text, std::string& error);

    // The status to inject into the `use`th (1-based) use of `function`; an
    // entry for that exact use wins over an `@*` entry.
    std::optional<std::int32_t> injectedStatus(HostFunction function, std::uint64_t use) const;
    // How long that use runs the caller's messages before it does its work;
    // the same rule.
    std::optional<std::chrono::milliseconds> pumpTime(HostFunction function,
                                                      std::uint64_t use) const;

  private:
    // Exactly one of `status` and `pumpMs` is set.
    struct Entry {
        HostFunction function;
        std::uint64_t use;  // 0 = every use
        std::optional<std::int32_t> status;
        std::optional<std::uint32_t> pumpMs;
    };
    const Entry* entryFor(HostFunction function, std::uint64_t use, bool pumps) const;

    std::vector<Entry> entries_;
};

}  // namespace sim
