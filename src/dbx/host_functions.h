// The names and types of the six host functions the program calls, written
// once for the connection, the table of declared functions and every stand-in
// of the host in the tests.
#pragma once

#include <array>
#include <cstdint>
#include <type_traits>

#include "dbx/calling_convention.h"
#include "dbx/status.h"

namespace dbx::host {

// The names the library exports them under, zero-terminated for the loader.
inline constexpr const char* kOpenDesignName = "TOpenDesign";
inline constexpr const char* kCloseDesignName = "TCloseDesign";
inline constexpr const char* kGetFirstSelectedItemName = "TGetFirstSelectedItem";
inline constexpr const char* kGetDesignInfoName = "TGetDesignInfo";
inline constexpr const char* kModifyComponentName = "TModifyComponent";
inline constexpr const char* kRotateComponentName = "TRotateComponent";
inline constexpr std::array kCalledFunctionNames = {
    kOpenDesignName,    kCloseDesignName,     kGetFirstSelectedItemName,
    kGetDesignInfoName, kModifyComponentName, kRotateComponentName,
};

// TOpenDesign(0, version, instance name, context)
using OpenDesignFn = HostStatus(DBX_CALL*)(std::int32_t, std::int32_t, const char*, void*);
// TCloseDesign(context, "")
using CloseDesignFn = HostStatus(DBX_CALL*)(void*, const char*);
// f(context, record): the three calls that exchange one record.
using RecordFn = HostStatus(DBX_CALL*)(void*, void*);
using GetFirstSelectedItemFn = RecordFn;
using GetDesignInfoFn = RecordFn;
using ModifyComponentFn = RecordFn;
// TRotateComponent(context, angle in tenths of a degree, centre point, component)
using RotateComponentFn = HostStatus(DBX_CALL*)(void*, std::int32_t, void*, void*);

#if defined(_WIN32) && !defined(_WIN64)
// A caller that pushed the arguments and also popped them would unbalance the
// stack on every call; make sure no type fell back to the default convention.
static_assert(
    !std::is_same_v<OpenDesignFn, HostStatus (*)(std::int32_t, std::int32_t, const char*, void*)>);
static_assert(!std::is_same_v<CloseDesignFn, HostStatus (*)(void*, const char*)>);
static_assert(!std::is_same_v<RecordFn, HostStatus (*)(void*, void*)>);
static_assert(
    !std::is_same_v<RotateComponentFn, HostStatus (*)(void*, std::int32_t, void*, void*)>);
#endif

}  // namespace dbx::host
