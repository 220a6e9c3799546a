// The simulated host: one design, the open/closed state of its connection,
// the call counters, the fault plan and the log, all in one object. Each
// method is one exported function; it logs exactly one line per call. Calls
// come from the program's one thread, so there is no locking.
#pragma once

#include <array>
#include <chrono>
#include <cstdint>
#include <optional>
#include <string>

#include "dbx/records.h"
#include "sim/call_log.h"
#include "sim/design_file.h"
#include "sim/fault_plan.h"

namespace sim {

// Status values other than 0. Their numbers are part of the documented
// behaviour (README.md); an injected failure returns whatever the plan says.
namespace status {
inline constexpr std::int32_t kSuccess = 0;
inline constexpr std::int32_t kNullArgument = 1;
inline constexpr std::int32_t kBadVersion = 2;
inline constexpr std::int32_t kBadInstance = 3;
inline constexpr std::int32_t kDesignFile = 4;
inline constexpr std::int32_t kNotOpen = 5;
inline constexpr std::int32_t kWrongComponent = 6;
inline constexpr std::int32_t kWriteFailed = 7;
inline constexpr std::int32_t kBadFaultPlan = 8;
inline constexpr std::int32_t kInternal = 9;
}  // namespace status

inline constexpr std::int32_t kInterfaceVersion = 16000;
inline constexpr std::size_t kContextSize = 28;

class Simulator {
  public:
    std::int32_t openDesign(std::int32_t unused0, std::int32_t version, const char* instance,
                            void* context);
    std::int32_t closeDesign(void* context, const char* text);
    std::int32_t getFirstSelectedItem(void* context, void* item);
    std::int32_t getDesignInfo(void* context, void* design);
    std::int32_t modifyComponent(void* context, void* component);
    std::int32_t rotateComponent(void* context, std::int32_t angle, void* center, void* component);

    // Forgets the design, the open state and every counter; the environment
    // is read again at the next call. Session numbers keep counting so that a
    // context from before the reset never passes for an open one.
    void reset();

  private:
    struct Call {
        HostFunction function;
        std::uint64_t use;  // 1 for the first of its function
        LogLine line;
        std::optional<std::chrono::milliseconds> pumped;
    };

    // Counts the use and, when the plan says so, runs the caller's
    // messages for a while first: calls made meanwhile come before it.
    Call begin(HostFunction function);
    // The status that ends the call before it does anything: a malformed
    // fault plan or an injected failure. Logs the end of the line.
    std::optional<std::int32_t> preempted(Call& call);
    // The same, or a null argument (`argumentsGiven` false, or no context),
    // or a context that is not of the open design: what ends every call but
    // the open before it does anything.
    std::optional<std::int32_t> refused(Call& call, const void* context, bool argumentsGiven);
    std::int32_t finish(Call& call, std::int32_t result);
    std::int32_t fail(Call& call, std::int32_t result, std::string_view error,
                      std::string_view reason = {});

    void configure();
    bool isOpen(const void* context) const;
    // Writes the component as the design now holds it over `arrived` and
    // stamps the count of accepted modify/rotate calls into its block at 668.
    void returnComponent(dbx::ComponentRecord arrived, void* component);

    bool configured_ = false;
    std::string designPath_;
    std::string logPath_;
    std::optional<FaultPlan> faultPlan_;
    std::string faultPlanError_;

    std::array<std::uint64_t, kHostFunctionCount> uses_{};
    Design design_;
    bool open_ = false;
    std::uint32_t session_ = 0;
    std::int32_t acceptedChanges_ = 0;
};

}  // namespace sim
