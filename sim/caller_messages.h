// What a host library that talks to another program commonly does while a
// call waits for the answer: it runs the calling thread's window messages,
// so the caller's windows keep painting and take clicks meanwhile.
#pragma once

#include <chrono>

namespace sim {

// Runs the calling thread's messages for `duration`, then returns. Where
// there are no window messages (Linux) it only waits.
void runCallerMessagesFor(std::chrono::milliseconds duration);

}  // namespace sim
