#include "classlib/ui/WndProc.h"

#include <memory>
#include <string>
#include <utility>

#include "classlib/core/Components.h"
#include "classlib/core/Exceptions.h"
#include "classlib/ui/Application.h"

namespace {

// The attached target, and the procedure of a subclassed window.
const char* const kTargetProp = "ClassLib.WindowTarget";
const char* const kDefaultProcProp = "ClassLib.DefaultProc";

HINSTANCE ModuleInstance()
{
    return GetModuleHandleA(nullptr);
}

WNDPROC CurrentProc(HWND wnd)
{
    return reinterpret_cast<WNDPROC>(GetWindowLongPtrA(wnd, GWLP_WNDPROC));
}

WNDPROC SavedProc(HWND wnd)
{
    return reinterpret_cast<WNDPROC>(GetPropA(wnd, kDefaultProcProp));
}

// Runs inside a catch block: hands the exception being handled to the
// application, which is where every callback boundary reports.
void ReportCurrentException(TWindowTarget* target)
{
    try {
        if (Application != nullptr)
            Application->HandleException(dynamic_cast<TObject*>(target));
    } catch (...) {
        // Nothing may unwind into the system; there is nobody left to tell.
    }
}

// The target of a window made by AllocateHWnd. It owns itself: it is freed
// when its window is gone.
class TUtilWindow final : public TWindowTarget {
public:
    explicit TUtilWindow(std::function<void(TMessage&)> method) : FMethod(std::move(method)) {}

    LRESULT WindowProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) override
    {
        if (!FMethod)
            return DefWindowProcA(wnd, msg, wParam, lParam);
        TMessage message{msg, wParam, lParam, 0};
        FMethod(message);
        return message.Result;
    }

    void WindowDestroyed(HWND) override { delete this; }

    void Silence() { FMethod = nullptr; }

private:
    std::function<void(TMessage&)> FMethod;
};

const char* const kUtilWindowClass = "TPUtilWindow";

}  // namespace

LRESULT CALLBACK StdWndProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_NCCREATE && WindowTargetOf(wnd) == nullptr) {
        const auto* create = reinterpret_cast<const CREATESTRUCTA*>(lParam);
        void* target = create->lpCreateParams;
        // An MDI child gets its creation parameter inside the
        // MDICREATESTRUCT the system made for it.
        if ((create->dwExStyle & WS_EX_MDICHILD) != 0 && target != nullptr)
            target = reinterpret_cast<void*>(static_cast<const MDICREATESTRUCTA*>(target)->lParam);
        if (target != nullptr)
            SetPropA(wnd, kTargetProp, target);
    }

    TWindowTarget* target = WindowTargetOf(wnd);
    LRESULT result = 0;
    if (target == nullptr) {
        result = DefaultWindowProc(wnd, msg, wParam, lParam);
    } else {
        try {
            result = target->WindowProc(wnd, msg, wParam, lParam);
        } catch (...) {
            ReportCurrentException(target);
            result = 0;
        }
    }

    if (msg == WM_NCDESTROY) {
        DetachWindowTarget(wnd);
        RemovePropA(wnd, kDefaultProcProp);
        if (target != nullptr) {
            try {
                target->WindowDestroyed(wnd);
            } catch (...) {
                ReportCurrentException(target);
            }
        }
    }
    return result;
}

void RegisterWindowClass(WNDCLASSEXA windowClass)
{
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = StdWndProc;
    windowClass.hInstance = ModuleInstance();
    WNDCLASSEXA existing{};
    existing.cbSize = sizeof(existing);
    if (GetClassInfoExA(windowClass.hInstance, windowClass.lpszClassName, &existing))
        return;
    if (RegisterClassExA(&windowClass) == 0)
        throw Exception(std::string("Cannot register the window class ") + windowClass.lpszClassName);
}

void AttachWindowTarget(HWND wnd, TWindowTarget* target)
{
    if (CurrentProc(wnd) != StdWndProc) {
        SetPropA(wnd, kDefaultProcProp, reinterpret_cast<HANDLE>(CurrentProc(wnd)));
        SetWindowLongPtrA(wnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(StdWndProc));
    }
    SetPropA(wnd, kTargetProp, target);
}

void DetachWindowTarget(HWND wnd)
{
    RemovePropA(wnd, kTargetProp);
    // A window subclassed again after us keeps StdWndProc in its chain; it
    // then forwards to the saved procedure (DefaultWindowProc).
    const WNDPROC saved = SavedProc(wnd);
    if (saved != nullptr && CurrentProc(wnd) == StdWndProc) {
        SetWindowLongPtrA(wnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(saved));
        RemovePropA(wnd, kDefaultProcProp);
    }
}

TWindowTarget* WindowTargetOf(HWND wnd)
{
    return static_cast<TWindowTarget*>(GetPropA(wnd, kTargetProp));
}

LRESULT DefaultWindowProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    const WNDPROC saved = SavedProc(wnd);
    if (saved != nullptr)
        return CallWindowProcA(saved, wnd, msg, wParam, lParam);
    return DefWindowProcA(wnd, msg, wParam, lParam);
}

HWND AllocateHWnd(std::function<void(TMessage&)> method)
{
    WNDCLASSEXA windowClass{};
    windowClass.lpszClassName = kUtilWindowClass;
    RegisterWindowClass(windowClass);
    // Created without a target so that the creation messages get the
    // default processing; the method is attached once the window exists.
    HWND wnd = CreateWindowExA(WS_EX_TOOLWINDOW, kUtilWindowClass, "", WS_POPUP, 0, 0, 0, 0,
                               nullptr, nullptr, ModuleInstance(), nullptr);
    if (wnd == nullptr)
        throw Exception("Cannot create a utility window");
    auto target = std::make_unique<TUtilWindow>(std::move(method));
    AttachWindowTarget(wnd, target.get());
    target.release();  // from now on the window owns it (see WindowDestroyed)
    return wnd;
}

void DeallocateHWnd(HWND wnd)
{
    if (wnd == nullptr)
        return;
    if (auto* utilWindow = dynamic_cast<TUtilWindow*>(WindowTargetOf(wnd)))
        utilWindow->Silence();
    DestroyWindow(wnd);
}
