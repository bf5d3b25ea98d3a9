#include "aquarium/core/Fishes.h"

#include <cmath>

#include "aquarium/core/FishRender.h"
#include "app/core/MathPro.h"
#include "classlib/core/Exceptions.h"
#include "classlib/core/Random.h"
#include "gl/core/DefViewport.h"
#include "gl/core/GLBinding.h"
#include "scene/core/MainScene.h"
#include "scene/core/SceneLoader.h"
#include "scene/core/SceneMesh.h"

namespace {

// The heading's angle against the x axis, degrees (negative: into the scene).
constexpr float HeadingAngle = -15;
// How far beyond the frustum's side edges a fish starts and ends.
constexpr float OutOfView = 800;

void CheckMeshVisual(const TMainObject* visual)
{
    if (visual != nullptr && dynamic_cast<const TSceneMesh*>(visual) == nullptr)
        throw EInvalidCast("Invalid class typecast");
}

void Park(TSceneParticle* particle)
{
    particle->Position = TFishes::ParkedPosition;
    particle->Velocity = TGLVector{0, 0, 0};
    particle->RotationVelocity = TGLVector{0, 0, 0};
    particle->Age = 1.0f;
    particle->LifeTime = 0;
}

}  // namespace

TFishes::~TFishes()
{
    ReleaseSlots();
}

void TFishes::RenderOpaque()
{
    glEnable(GL_LIGHTING);
    CheckMeshVisual(Visual);
    TSceneParticleList::RenderOpaque();
}

void TFishes::RenderAlpha()
{
    glEnable(GL_LIGHTING);
    CheckMeshVisual(Visual);
    TSceneParticleList::RenderAlpha();
}

void TFishes::SaveOptions(TResourceLoader& writer)
{
    TSceneParticleList::SaveOptions(writer);
    SaveRange(writer);
}

void TFishes::LoadOptions(TResourceLoader& reader)
{
    TSceneParticleList::LoadOptions(reader);
    LoadRange(reader);
}

TFishRender* TFishes::GetFishRender() const
{
    return dynamic_cast<TFishRender*>(Owner());
}

void TFishes::PlaceFish(TSceneParticle* particle, const TGLVector& position, float speed, float yAngle)
{
    float sinA, cosA;
    SinCos(DegToRadSingle(HeadingAngle), sinA, cosA);
    particle->Position = position;
    particle->Velocity = TGLVector{speed * cosA, 0, speed * sinA};
    particle->Angles = TGLVector{0, yAngle, 0};
}

void TFishes::SpawnFish(TSceneParticle* particle)
{
    TDefViewport* viewport = Scene != nullptr ? Scene->Viewport : nullptr;
    if (viewport == nullptr) {
        Park(particle);
        return;
    }
    float sinA, cosA;
    SinCos(DegToRadSingle(HeadingAngle), sinA, cosA);
    const TGLVector d{cosA, 0, sinA};

    const float maxCount = MaxCount > 0 ? MaxCount : 1.0f;
    const float zMax =
        (static_cast<float>(GetCount()) + 0.5f * maxCount) * (MaxZ - MinZ) / (1.5f * maxCount) + MinZ;
    const float z = -(MinZ + static_cast<float>(Random()) * (zMax - MinZ));
    float y = BottomY + static_cast<float>(Random()) * (UpY - BottomY);

    const TGLViewBox frustum = viewport->GetFrustum();
    const TGLVector camera = viewport->Camera()->Position()->Vector();
    const float nearDepth = static_cast<float>(frustum.Near);
    const float right = static_cast<float>(frustum.Right);
    const float t = std::fabs((z - camera.z) / nearDepth);
    const float xLeft = camera.x - t * right;
    const float yLimit = camera.y + t * static_cast<float>(frustum.Top);
    if (y > yLimit)
        y = yLimit;
    else if (y < -yLimit)
        y = -yLimit;

    // The exit: where the line through the entry along d meets the right
    // edge z = s * x + b of the frustum in the x-z plane.
    TGLVector entry{xLeft, y, z};
    const float s = -nearDepth / right;
    const float b = camera.z - s * camera.x;
    const float k = (s * entry.x + b - entry.z) / (d.z - s * d.x);
    TGLVector exit{entry.x + k * d.x, y, entry.z + k * d.z};
    entry.x -= OutOfView * d.x;
    entry.z -= OutOfView * d.z;
    exit.x += OutOfView * d.x;
    exit.z += OutOfView * d.z;

    particle->RotationVelocity = TGLVector{0, 0, 0};
    particle->Age = 0;
    const float v = MinSpeed + static_cast<float>(Random()) * (MaxSpeed - MinSpeed);
    if (!(v > 0)) {
        Park(particle);
        return;
    }
    particle->LifeTime = std::fabs(exit.x - entry.x) / (v * d.x);

    const TFishRender* group = GetFishRender();
    uint8_t direction = fdRight;
    if (group != nullptr)
        direction = group->FishDirection;
    if (direction != fdRight && direction != fdLeft)
        direction = Random() > 0.5 ? fdRight : fdLeft;
    if (direction == fdRight)
        PlaceFish(particle, entry, v, -HeadingAngle);
    else
        PlaceFish(particle, exit, -v, 180 - HeadingAngle);
}

void TFishes::InitParticle(TSceneParticle* particle)
{
    SpawnFish(particle);
    TFishRender* group = GetFishRender();
    if (group == nullptr)
        return;
    if (particle->LifeTime <= 0)
        group->ReleaseSlot(particle);  // parked by the spawn: it holds no slot
    else if (!group->ClaimSlot(this, particle))
        Park(particle);
}

void TFishes::ReleaseSlots()
{
    TFishRender* group = GetFishRender();
    if (group == nullptr)
        return;
    for (int i = 0; i < GetCount(); ++i)
        if (TSceneParticle* particle = Particles(i))
            group->ReleaseSlot(particle);
}

void TFishes::SetCount(int count)
{
    if (TFishRender* group = GetFishRender())
        for (int i = count < 0 ? 0 : count; i < GetCount(); ++i)
            if (TSceneParticle* particle = Particles(i))
                group->ReleaseSlot(particle);
    TSceneParticleList::SetCount(count);
}

void TFishes::DeleteLast(int n)
{
    if (TFishRender* group = GetFishRender())
        for (int i = GetCount() - 1; i >= 0 && i >= GetCount() - n; --i)
            if (TSceneParticle* particle = Particles(i))
                group->ReleaseSlot(particle);
    TSceneParticleList::DeleteLast(n);
}

void TFishes::Remove(TMainItem* item)
{
    // A fish freed on its own reaches here from its base destructor, when
    // it is no longer a particle: its slot is found by address.
    if (TFishRender* group = GetFishRender()) {
        if (auto* particle = dynamic_cast<TSceneParticle*>(item))
            group->ReleaseSlot(particle);
        else
            group->ReleaseSlotOf(item);
    }
    TSceneParticleList::Remove(item);
}
