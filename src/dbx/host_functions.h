// The types of the host functions the program calls, and each one's name as
// a constant for its call in the connection; the names themselves and their
// count come from the list of host functions.
#pragma once

#include <cstdint>
#include <type_traits>

#include "dbx/calling_convention.h"
#include "dbx/host_function_list.h"
#include "dbx/status.h"

namespace dbx::host {

// name::TOpenDesign is "TOpenDesign", and so on for every row.
namespace name {
#define DBX_HOST_FUNCTION_CONSTANT(function, argumentBytes) \
    inline constexpr const char* function = #function;
DBX_HOST_FUNCTIONS(DBX_HOST_FUNCTION_CONSTANT)
#undef DBX_HOST_FUNCTION_CONSTANT
}  // namespace name

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
