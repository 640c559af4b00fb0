#pragma once

namespace qm {

// Window handlers ignore their run-time faults step by step: a step that
// fails is dropped and never reaches the event loop.
template <class Action> void sansfaute(Action&& action)
{
    try {
        action();
    } catch (...) {
    }
}

} // namespace qm
