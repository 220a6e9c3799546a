// The host library's six functions and SimReset, exported with undecorated
// names and the host's calling convention. Nothing thrown inside may cross
// into the calling program: it becomes a status.
#include <cstdint>
#include <exception>

#include "dbx/calling_convention.h"
#include "sim/simulator.h"

#if defined(_WIN32)
#define SIM_EXPORT __declspec(dllexport)
#else
#define SIM_EXPORT __attribute__((visibility("default")))
#endif

namespace {

sim::Simulator& simulator() {
    static sim::Simulator instance;
    return instance;
}

template <typename Operation>
std::int32_t guarded(Operation operation) {
    try {
        return operation(simulator());
    } catch (const std::exception&) {
        return sim::status::kInternal;
    }
}

}  // namespace

extern "C" {

SIM_EXPORT std::int32_t DBX_CALL TOpenDesign(std::int32_t unused0, std::int32_t version,
                                             const char* instance, void* context) {
    return guarded(
        [&](sim::Simulator& s) { return s.openDesign(unused0, version, instance, context); });
}

SIM_EXPORT std::int32_t DBX_CALL TCloseDesign(void* context, const char* text) {
    return guarded([&](sim::Simulator& s) { return s.closeDesign(context, text); });
}

SIM_EXPORT std::int32_t DBX_CALL TGetFirstSelectedItem(void* context, void* item) {
    return guarded([&](sim::Simulator& s) { return s.getFirstSelectedItem(context, item); });
}

SIM_EXPORT std::int32_t DBX_CALL TGetDesignInfo(void* context, void* design) {
    return guarded([&](sim::Simulator& s) { return s.getDesignInfo(context, design); });
}

SIM_EXPORT std::int32_t DBX_CALL TModifyComponent(void* context, void* component) {
    return guarded([&](sim::Simulator& s) { return s.modifyComponent(context, component); });
}

SIM_EXPORT std::int32_t DBX_CALL TRotateComponent(void* context, std::int32_t angle, void* center,
                                                  void* component) {
    return guarded(
        [&](sim::Simulator& s) { return s.rotateComponent(context, angle, center, component); });
}

SIM_EXPORT void DBX_CALL SimReset() {
    simulator().reset();
}

}  // extern "C"
