// A removable hook on a control's WindowProc. The hook sees every message of
// the control first and calls CallPrevious for those it passes on. Hooks on
// one control may be removed in any order: the head hook puts the previous
// procedure back; a hook that has been hooked over in the meantime becomes a
// pass-through instead, so that an older procedure never replaces a newer
// hook.
//
// The control must outlive an installed hook, or put its own procedure back
// before it goes (a form's destructor does): a hook on a control that is
// being destroyed is only dropped (Release), never removed.
#pragma once

#include <functional>
#include <memory>

#include "classlib/ui/Messages.h"

class TControl;

class TWindowProcHook {
public:
    using THook = std::function<void(TMessage& message)>;

    TWindowProcHook() = default;
    ~TWindowProcHook() { Release(); }
    TWindowProcHook(const TWindowProcHook&) = delete;
    TWindowProcHook& operator=(const TWindowProcHook&) = delete;

    // Hooks `control` (removing a previous installation first).
    void Install(TControl* control, THook hook);
    // Takes the hook out of the control's chain.
    void Remove();
    // Forgets the control without touching it; the chain entry, if still
    // called, passes every message on.
    void Release();
    bool Installed() const { return FState != nullptr; }
    // The procedure the control had before this hook.
    void CallPrevious(TMessage& message) const;

    // The chain entry placed in the control's WindowProc (public only so
    // that the chain can recognise its own entries).
    struct TState {
        std::function<void(TMessage&)> Previous;
        THook Hook;
        bool Active = true;
    };
    struct TEntry {
        std::shared_ptr<TState> State;
        void operator()(TMessage& message) const;
    };

private:
    TControl* FControl = nullptr;
    std::shared_ptr<TState> FState;
};
