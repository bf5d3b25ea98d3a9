#include "classlib/ui/WindowProcHook.h"

#include <utility>

#include "classlib/ui/Controls.h"

void TWindowProcHook::TEntry::operator()(TMessage& message) const
{
    // Kept alive for the call: the hook may remove itself.
    const std::shared_ptr<TState> state = State;
    if (state->Active && state->Hook)
        state->Hook(message);
    else if (state->Previous)
        state->Previous(message);
}

void TWindowProcHook::Install(TControl* control, THook hook)
{
    Remove();
    FControl = control;
    FState = std::make_shared<TState>();
    FState->Previous = control->WindowProc;
    FState->Hook = std::move(hook);
    control->WindowProc = TEntry{FState};
}

void TWindowProcHook::Remove()
{
    if (FState == nullptr)
        return;
    const TEntry* head = FControl->WindowProc.target<TEntry>();
    if (head != nullptr && head->State == FState)
        FControl->WindowProc = FState->Previous;
    Release();
}

void TWindowProcHook::Release()
{
    if (FState == nullptr)
        return;
    // The hook itself stays: it may be the one running now.
    FState->Active = false;
    FState.reset();
    FControl = nullptr;
}

void TWindowProcHook::CallPrevious(TMessage& message) const
{
    if (FState != nullptr && FState->Previous)
        FState->Previous(message);
}
