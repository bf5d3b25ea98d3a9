#include "scene/core/SceneParticle.h"

#include <memory>

#include "classlib/core/Random.h"
#include "classlib/core/SysUtils.h"
#include "scene/core/SceneLoader.h"

TSceneParticleList::TSceneParticleList()
{
    StoreItems = false;
    SetSorted(false);
}

TSceneParticle* TSceneParticleList::Particles(int index) const
{
    return dynamic_cast<TSceneParticle*>(GetItem(index));
}

void TSceneParticleList::InitParticle(TSceneParticle* /*particle*/) {}

void TSceneParticleList::MoveParticle(TSceneParticle* particle, float deltaTime)
{
    particle->Position.x += particle->Velocity.x * deltaTime;
    particle->Position.y += particle->Velocity.y * deltaTime;
    particle->Position.z += particle->Velocity.z * deltaTime;
    particle->Angles.x += particle->RotationVelocity.x * deltaTime;
    particle->Angles.y += particle->RotationVelocity.y * deltaTime;
    particle->Angles.z += particle->RotationVelocity.z * deltaTime;
    if (EnableGravity)
        particle->Velocity.y -= GravityStep;
}

TSceneParticle* TSceneParticleList::CreateParticle()
{
    return new TSceneParticle();
}

void TSceneParticleList::SetCount(int count)
{
    const int current = GetCount();
    if (count < current) {
        DeleteLast(current - count);
        return;
    }
    for (int i = current; i < count; ++i) {
        std::unique_ptr<TSceneParticle> created(CreateParticle());
        created->SetName(Name() + IntToStr(GetCount()));
        Add(created.get());
        TSceneParticle* particle = created.release();  // the list owns it now
        particle->LifeTime = 0;
        particle->Age = 1.0f;
    }
}

void TSceneParticleList::Animate(float deltaTime)
{
    TMainVisualObjectList::Animate(deltaTime);
    if (EnableGravity)
        GravityStep = Gravity * deltaTime;
    for (int i = 0; i < GetCount(); ++i) {
        TSceneParticle* particle = Particles(i);
        if (particle == nullptr)
            continue;
        particle->Age += deltaTime;
        if (particle->Age > particle->LifeTime) {
            InitParticle(particle);
            if (FirstAnimate)
                particle->Age = static_cast<float>(Random() * particle->LifeTime);
            MoveParticle(particle, particle->Age);
        } else {
            MoveParticle(particle, deltaTime);
        }
    }
    FirstAnimate = false;
}

void TSceneParticleList::SaveOptions(TResourceLoader& writer)
{
    TMainVisualObjectList::SaveOptions(writer);
    writer.WriteFloat("Gravity", Gravity);
    writer.WriteBool("EnableGravity", EnableGravity);
    writer.WriteInteger("ParticleCount", GetCount());
}

void TSceneParticleList::LoadOptions(TResourceLoader& reader)
{
    TMainVisualObjectList::LoadOptions(reader);
    Gravity = reader.ReadFloat("Gravity", Gravity);
    EnableGravity = reader.ReadBool("EnableGravity", EnableGravity);
    const int count = reader.ReadInteger("ParticleCount", 0);
    if (count >= 0 && count <= MaxParticleCount)
        SetCount(count);
}
