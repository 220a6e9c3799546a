// A window of the dialog's class that cannot be made: the driver's
// "refuse-form" sets a CBT hook for every thread of the desktop from
// e2e_refuse_form.dll, which Wine loads into each program where a window is
// about to be made; the hook refuses each window of the dialog's class
// (CreateWindowExW gives nullptr) and lets every other one be made. It holds
// for as long as the driver runs.
#pragma once

namespace e2e {

inline constexpr wchar_t kRefuseFormLibrary[] = L"e2e_refuse_form.dll";
inline constexpr char kRefuseFormHook[] = "refuseFormHook";

}  // namespace e2e
