#include "gl/core/AppOpenGL.h"

#include <utility>

TCustomAppOpenGL::TCustomAppOpenGL(IAppOpenGLOwner* owner, std::unique_ptr<TGLPlatform> platform)
    : TCustomOpenGL(std::move(platform)), FOwner(owner)
{
}

void TCustomAppOpenGL::SetGenericOnly(bool on)
{
    if (on == GetGenericOnly() || !Active() || FOwner == nullptr) {
        TCustomOpenGL::SetGenericOnly(on);
        return;
    }
    FOwner->HideGLWindow();
    Platform().UnloadLibraries();
    TCustomOpenGL::SetGenericOnly(on);
    FOwner->ShowGLWindow();
}
