// The simulator's two text formats from arbitrary bytes: neither parser
// crashes or reads past its input, and a design that parses is written back
// and read again as the same design, which is what a close and the next open
// do with it.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>

#include "sim/design_file.h"
#include "sim/fault_plan.h"

namespace {

void check(bool holds, const char* property) {
    if (!holds) {
        std::fprintf(stderr, "property broken: %s\n", property);
        std::abort();
    }
}

void checkDesign(std::string_view text) {
    const sim::DesignResult parsed = sim::parseDesign(text);
    check(parsed.design.has_value() == parsed.error.empty(), "a design or a reason, not both");
    if (!parsed.design) {
        return;
    }
    const sim::DesignResult again = sim::parseDesign(sim::formatDesign(*parsed.design));
    check(again.design.has_value(), "a written design reads back");
    check(again.design && *again.design == *parsed.design, "a written design reads back the same");
}

void checkFaultPlan(std::string_view text) {
    std::string error;
    const std::optional<sim::FaultPlan> plan = sim::FaultPlan::parse(text, error);
    check(plan.has_value() == error.empty(), "a plan or a reason, not both");
    if (!plan) {
        return;
    }
    for (std::size_t f = 0; f < sim::kHostFunctionCount; ++f) {
        for (const std::uint64_t use : {1u, 2u, 0xFFFFFFFFu}) {
            (void)plan->injectedStatus(static_cast<sim::HostFunction>(f), use);
            (void)plan->pumpTime(static_cast<sim::HostFunction>(f), use);
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    checkDesign(text);
    checkFaultPlan(text);
    return 0;
}
