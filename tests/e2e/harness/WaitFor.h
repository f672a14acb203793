// Waiting for a condition with a bounded deadline: end-to-end tests never
// sleep for a fixed time, they poll what they expect until it holds.
#pragma once

#include <chrono>
#include <thread>

namespace e2e {

using Millis = std::chrono::milliseconds;

// Calls `condition` every `interval` until it returns true (returns true) or
// `timeout` has passed (returns false after one last try).
template <class Condition>
bool waitFor(Condition&& condition, Millis timeout, Millis interval = Millis(5)) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    for (;;) {
        if (condition()) return true;
        if (std::chrono::steady_clock::now() >= deadline) return condition();
        std::this_thread::sleep_for(interval);
    }
}

}  // namespace e2e
