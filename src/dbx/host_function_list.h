// The host functions the program calls, one row each: the name the library
// exports it under, and the bytes of its arguments on 32-bit Windows, where
// its __stdcall symbol carries them (TOpenDesign is TOpenDesign@16 there).
// The program's names and their count, the simulator's list of functions and
// its .def files are all made from these rows: adding a host function is a row
// here, its call in the connection and its export in the simulator.
// CMake reads the rows for the .def files (sim/CMakeLists.txt) and the
// Windows binaries' check reads them too: keep each in the form ROW(name, bytes).
#pragma once

#include <array>

// clang-format off
#define DBX_HOST_FUNCTIONS(ROW)   \
    ROW(TOpenDesign, 16)          \
    ROW(TCloseDesign, 8)          \
    ROW(TGetFirstSelectedItem, 8) \
    ROW(TGetDesignInfo, 8)        \
    ROW(TModifyComponent, 8)      \
    ROW(TRotateComponent, 16)
// clang-format on

namespace dbx::host {

// The names, zero-terminated for the loader, in the order of the rows.
#define DBX_HOST_FUNCTION_NAME(name, argumentBytes) #name,
inline constexpr auto kCalledFunctionNames =
    std::to_array<const char*>({DBX_HOST_FUNCTIONS(DBX_HOST_FUNCTION_NAME)});
#undef DBX_HOST_FUNCTION_NAME

}  // namespace dbx::host
