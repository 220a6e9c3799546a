// The host library's functions and SimReset. On 32-bit Windows they are
// __stdcall, as the host's library is. The convention and the signatures are
// spelled out here rather than taken from the program's headers: the simulator
// stands for the host, so a change on the program's side must not change it
// too. Only the names are shared, one row each in dbx/host_function_list.h;
// the Windows DLL exports them under their undecorated names through the .def
// file CMake writes from those rows (sim/CMakeLists.txt).
// Nothing thrown inside may cross into the calling program: it becomes a
// status.
#include <cstdint>

#include "sim/simulator.h"

#if defined(_WIN32) && (defined(__i386__) || defined(_M_IX86))
#define SIM_CALL __stdcall
#else
#define SIM_CALL
#endif

#if defined(_WIN32)
#define SIM_EXPORT  // exported by the .def file, under the undecorated name only
#else
#define SIM_EXPORT __attribute__((visibility("default")))
#endif

namespace {

sim::Simulator& simulator() {
    static sim::Simulator instance;
    return instance;
}

// Any exception at all (out of memory, or one that is not a std::exception)
// is answered with the internal-error status: unwinding into the caller,
// which may not be C++ at all, would end it.
template <typename Operation>
std::int32_t guarded(Operation operation) noexcept {
    try {
        return operation(simulator());
    } catch (...) {
        return sim::status::kInternal;
    }
}

}  // namespace

extern "C" {

SIM_EXPORT std::int32_t SIM_CALL TOpenDesign(std::int32_t unused0, std::int32_t version,
                                             const char* instance, void* context) {
    return guarded(
        [&](sim::Simulator& s) { return s.openDesign(unused0, version, instance, context); });
}

SIM_EXPORT std::int32_t SIM_CALL TCloseDesign(void* context, const char* text) {
    return guarded([&](sim::Simulator& s) { return s.closeDesign(context, text); });
}

SIM_EXPORT std::int32_t SIM_CALL TGetFirstSelectedItem(void* context, void* item) {
    return guarded([&](sim::Simulator& s) { return s.getFirstSelectedItem(context, item); });
}

SIM_EXPORT std::int32_t SIM_CALL TGetDesignInfo(void* context, void* design) {
    return guarded([&](sim::Simulator& s) { return s.getDesignInfo(context, design); });
}

SIM_EXPORT std::int32_t SIM_CALL TModifyComponent(void* context, void* component) {
    return guarded([&](sim::Simulator& s) { return s.modifyComponent(context, component); });
}

SIM_EXPORT std::int32_t SIM_CALL TRotateComponent(void* context, std::int32_t angle, void* center,
                                                  void* component) {
    return guarded(
        [&](sim::Simulator& s) { return s.rotateComponent(context, angle, center, component); });
}

// 0, or the internal-error status.
SIM_EXPORT std::int32_t SIM_CALL SimReset() {
    return guarded([](sim::Simulator& s) {
        s.reset();
        return sim::status::kSuccess;
    });
}

}  // extern "C"
