// A minimal stand-in host library for the loader tests: two of the six
// functions, exported under their plain names.
#include <cstdint>
#include <cstring>

#include "dbx/host_functions.h"

extern "C" {

// Writes the version it was given into the context, so the test sees the
// call went through; succeeds only for the "PCB" instance.
std::int32_t DBX_CALL TOpenDesign(std::int32_t, std::int32_t version, const char* name,
                                  void* context) {
    std::memcpy(context, &version, sizeof version);
    return std::strcmp(name, "PCB") == 0 ? 0 : 1;
}

std::int32_t DBX_CALL TCloseDesign(void*, const char* text) {
    return text[0] == '\0' ? 0 : 1;
}
}

// The stand-in must have exactly the host functions' types.
static_assert(std::is_same_v<decltype(&TOpenDesign), dbx::host::OpenDesignFn>);
static_assert(std::is_same_v<decltype(&TCloseDesign), dbx::host::CloseDesignFn>);
