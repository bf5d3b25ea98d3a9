// Runs a piece of code when the scope ends, however it ends (return or
// exception): restoring a flag, a hook or a saved state. The code must not
// throw.
//     FBusy = true;
//     const TScopeExit done([this] { FBusy = false; });
#pragma once

#include <utility>

template <class Fn>
class TScopeExit {
public:
    explicit TScopeExit(Fn fn) : FFn(std::move(fn)) {}
    ~TScopeExit() { FFn(); }
    TScopeExit(const TScopeExit&) = delete;
    TScopeExit& operator=(const TScopeExit&) = delete;

private:
    Fn FFn;
};
