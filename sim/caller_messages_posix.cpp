#include <thread>

#include "sim/caller_messages.h"

namespace sim {

void runCallerMessagesFor(std::chrono::milliseconds duration) {
    std::this_thread::sleep_for(duration);
}

}  // namespace sim
