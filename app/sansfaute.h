#pragma once

#include <atomic>

namespace qm {

// Faults contained so far: steps of a handler that failed and were dropped.
// The program goes on after one; the tests require that none happens.
inline std::atomic<long> fautescontenues{0};

// Window handlers ignore their run-time faults step by step: a step that
// fails is dropped, counted, and never reaches the event loop. Returns
// whether the step ran to its end.
template <class Action> bool sansfaute(Action&& action) noexcept
{
    try {
        action();
        return true;
    } catch (...) {
        ++fautescontenues;
        return false;
    }
}

} // namespace qm
