#include "aquarium/core/Bubbles.h"

#include <cmath>

#include "app/core/MathPro.h"
#include "classlib/core/Random.h"
#include "gl/core/DefViewport.h"
#include "gl/core/GLBinding.h"
#include "scene/core/MainScene.h"
#include "scene/core/SceneLoader.h"

void TBubbles::RenderOpaque()
{
    glEnable(GL_LIGHTING);
    TSceneParticleList::RenderOpaque();
}

void TBubbles::RenderAlpha()
{
    glEnable(GL_LIGHTING);
    TSceneParticleList::RenderAlpha();
}

void TBubbles::SaveOptions(TResourceLoader& writer)
{
    TSceneParticleList::SaveOptions(writer);
    SaveRange(writer);
}

void TBubbles::LoadOptions(TResourceLoader& reader)
{
    TSceneParticleList::LoadOptions(reader);
    LoadRange(reader);
}

float TBubbles::RandomDepthLayer()
{
    const float layer = static_cast<float>(Random(12)) / 12;
    return layer + (0.5f - static_cast<float>(Random())) * 0.02f;
}

void TBubbles::InitParticle(TSceneParticle* particle)
{
    particle->Angles = TGLVector{0, 0, 0};
    particle->RotationVelocity = TGLVector{0, 0, 0};
    particle->Age = 0;
    TDefViewport* viewport = Scene != nullptr ? Scene->Viewport : nullptr;
    if (viewport == nullptr) {
        particle->Velocity = TGLVector{0, 0, 0};
        particle->LifeTime = 0;
        return;
    }
    // A collapsed window counts as one pixel high.
    const int height = viewport->GetViewHeight() > 0 ? viewport->GetViewHeight() : 1;
    const float aspect =
        viewport->WideScreen ? 16.0f / 9.0f : static_cast<float>(viewport->GetViewWidth()) / static_cast<float>(height);

    const float f = RandomDepthLayer();
    const float z = -(f * (MaxZ - MinZ) + MinZ);
    const float halfHeight = static_cast<float>(Tan(DegToRad(viewport->FOV / 2))) * -z;
    const float halfWidth = halfHeight * aspect;
    const float g = RandomDepthLayer();
    const float x = g * 2 * halfWidth - halfWidth;
    const float v = MinSpeed + static_cast<float>(Random()) * (MaxSpeed - MinSpeed);
    particle->Velocity = TGLVector{0, v, 0};
    // The rise from the sea bed to the top of the view or the surface,
    // whichever is lower.
    const float top = halfHeight < UpY ? halfHeight : UpY;
    particle->LifeTime = v > 0 ? std::fabs(top - BottomY) / v : 0;
    particle->Position = TGLVector{x, BottomY, z};
}
