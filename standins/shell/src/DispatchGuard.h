#pragma once

#include <functional>

// Wraps every entry from the loop into Qt (a timer tick, a ready socket, a wake-up),
// so that the script binding can open the scope that script callbacks need there.
// Empty: the work runs as is.
using DispatchGuard = std::function<void(const std::function<void()> &work)>;

inline void runGuarded(const DispatchGuard &guard, const std::function<void()> &work)
{
    if (guard)
        guard(work);
    else
        work();
}
