#include "gl/core/GLLight.h"

#include "gl/core/CustomOpenGL.h"
#include "gl/core/GLBinding.h"

bool TGLLight::CanSend() const
{
    const TGLItemList* list = OwnerList();
    return FIndex >= 0 && list && list->Owner() && list->Owner()->Active();
}

TGLLight::~TGLLight() { Disable(); }

void TGLLight::Apply()
{
    if (FDirtyMask == 0 || !CanSend())
        return;
    const GLenum light = GL_LIGHT0 + static_cast<GLenum>(FIndex);
    const uint32_t mask = FDirtyMask;

    if (mask & dmAmbient)
        glLightfv(light, GL_AMBIENT, &FAmbient.x);
    if (mask & dmDiffuse)
        glLightfv(light, GL_DIFFUSE, &FDiffuse.x);
    if (mask & dmSpecular)
        glLightfv(light, GL_SPECULAR, &FSpecular.x);

    if (FInfinite) {
        if (mask & (dmInfinite | dmDirection)) {
            const GLfloat position[4] = {-FDirection.x, -FDirection.y, -FDirection.z, 0};
            glLightfv(light, GL_POSITION, position);
        }
    } else {
        if (mask & (dmInfinite | dmPosition)) {
            const GLfloat position[4] = {FPosition.x, FPosition.y, FPosition.z, 1};
            glLightfv(light, GL_POSITION, position);
        }
        if (mask & dmDirection)
            glLightfv(light, GL_SPOT_DIRECTION, &FDirection.x);
    }

    if (mask & dmSpotExponent)
        glLightf(light, GL_SPOT_EXPONENT, FSpotExponent);
    if (mask & dmSpotCutoff)
        glLightf(light, GL_SPOT_CUTOFF, FSpotCutoff);
    if (mask & dmLocalViewer)
        glLightModeli(GL_LIGHT_MODEL_LOCAL_VIEWER, FLocalViewer ? 1 : 0);
    if (mask & dmTwoSide)
        glLightModeli(GL_LIGHT_MODEL_TWO_SIDE, FTwoSide ? 1 : 0);
    if (mask & dmConstantAttenuation)
        glLightf(light, GL_CONSTANT_ATTENUATION, FConstantAttenuation);
    if (mask & dmLinearAttenuation)
        glLightf(light, GL_LINEAR_ATTENUATION, FLinearAttenuation);
    if (mask & dmQuadraticAttenuation)
        glLightf(light, GL_QUADRATIC_ATTENUATION, FQuadraticAttenuation);

    FDirtyMask = 0;
}

void TGLLight::ApplyAll()
{
    FDirtyMask = dmEverything;
    Apply();
}

void TGLLight::Enable()
{
    if (FDirtyMask != 0)
        Apply();
    if (CanSend())
        glEnable(GL_LIGHT0 + static_cast<GLenum>(FIndex));
}

void TGLLight::Disable()
{
    if (CanSend())
        glDisable(GL_LIGHT0 + static_cast<GLenum>(FIndex));
}

void TGLLight::SetupSpot() { SetInfinite(false); }

void TGLLight::SetupPoint()
{
    SetInfinite(false);
    SetSpotExponent(0);
    SetSpotCutoff(180);
}

void TGLLight::SetupParallel()
{
    SetInfinite(true);
    SetSpotExponent(0);
    SetSpotCutoff(180);
    SetConstantAttenuation(1);
    SetLinearAttenuation(0);
    SetQuadraticAttenuation(0);
}

void TGLLight::SetupParallelFar()
{
    SetupParallel();
    SetPosition({FDirection.x * 1e37f, FDirection.y * 1e37f, FDirection.z * 1e37f});
}
