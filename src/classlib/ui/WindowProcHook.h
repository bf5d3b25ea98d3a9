// A removable hook on a control's WindowProc: `Before` sees each message
// first (true ends its processing), then the procedure that was there
// before the hook. Hooks on one control may be removed in any order: a
// hook that is still the head puts the older procedure back; one that is
// not becomes a pass-through, so it never restores a procedure over a
// newer hook.
#pragma once

#include <functional>
#include <memory>

#include "classlib/ui/Messages.h"

class TWindowProcHook {
public:
    using TWndMethod = std::function<void(TMessage&)>;

    TWindowProcHook() = default;
    TWindowProcHook(const TWindowProcHook&) = delete;
    TWindowProcHook& operator=(const TWindowProcHook&) = delete;
    // Only disarms: the control may be gone by now (see Remove).
    ~TWindowProcHook() { Disarm(); }

    // Chains `before` in front of `windowProc`, which must outlive the hook
    // or be let go with Disarm; a hook installed already is removed first.
    void Install(TWndMethod& windowProc, std::function<bool(TMessage&)> before)
    {
        Remove();
        FState = std::make_shared<TState>();
        FState->Before = std::move(before);
        FState->Saved = windowProc;
        windowProc = TLink{FState};
        FTarget = &windowProc;
    }
    // Takes the hook out of a control that still exists.
    void Remove()
    {
        if (FState && FTarget) {
            const TLink* head = FTarget->target<TLink>();
            if (head && head->State == FState)
                *FTarget = FState->Saved;
        }
        Disarm();
    }
    // Makes the hook a pass-through without touching the control.
    void Disarm()
    {
        if (FState)
            FState->Active = false;
        FState.reset();
        FTarget = nullptr;
    }
    bool Installed() const { return FState != nullptr; }

private:
    struct TState {
        bool Active = true;
        std::function<bool(TMessage&)> Before;
        TWndMethod Saved;
    };
    struct TLink {
        std::shared_ptr<TState> State;
        void operator()(TMessage& message) const
        {
            const std::shared_ptr<TState> keep = State;  // Before may remove the hook
            if (keep->Active && keep->Before(message))
                return;
            if (keep->Saved)
                keep->Saved(message);
        }
    };
    std::shared_ptr<TState> FState;
    TWndMethod* FTarget = nullptr;
};
