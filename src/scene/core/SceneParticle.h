// Particle lists: visual object lists whose items are generated particles
// that age, move along their velocity and start anew when they outlive
// their lifetime. Subclasses (the aquarium's bubbles and fish) place a new
// or restarted particle in InitParticle.
//
// On the first frame after construction every particle starts at a random
// point of its life, drawn from the system's one generator, so that a new
// scene shows particles spread along their paths; particles added later
// start at the beginning. The particles are never stored as sections of a
// description: the list keeps their count only.
#pragma once

#include <string>

#include "scene/core/SceneVisual.h"

class TSceneParticle : public TMainVisualObject {
public:
    TSceneParticle() = default;

    std::string ClassName() const override { return "TSceneParticle"; }

    // Seconds since the particle was (re)started.
    float Age = 0;
    // Seconds after which it is restarted.
    float LifeTime = 0;
    // Units per second.
    TGLVector Velocity{0, 0, 0};
    // Degrees per second added to Angles.
    TGLVector RotationVelocity{0, 0, 0};
    // The depth layer's slot for the particle; -1: none.
    int DepthSlot = -1;
};

class TSceneParticleList : public TMainVisualObjectList {
public:
    // No particles, no gravity, items not stored, the name index in
    // insertion order, the first frame still to come.
    TSceneParticleList();

    std::string ClassName() const override { return "TSceneParticleList"; }

    // The visual animates once; with EnableGravity, GravityStep := Gravity *
    // deltaTime. Then every particle ages by deltaTime: one older than its
    // LifeTime (strictly) is restarted by InitParticle - on the first frame
    // at a random age in [0, LifeTime) - and moved by its age; any other is
    // moved by deltaTime. FirstAnimate is false afterwards.
    void Animate(float deltaTime) override;

    // The visual-list keys, then "Gravity", "EnableGravity" and
    // "ParticleCount" (read into SetCount; a count outside 0..
    // MaxParticleCount keeps the current particles).
    void SaveOptions(TResourceLoader& writer) override;
    void LoadOptions(TResourceLoader& reader) override;
    static constexpr int MaxParticleCount = 10000;

    // --- Virtual operations, after the resource's ---
    // Places a new or restarted particle; nothing here.
    virtual void InitParticle(TSceneParticle* particle);
    // Position += Velocity * deltaTime, Angles += RotationVelocity *
    // deltaTime; then, with EnableGravity, Velocity.y -= GravityStep.
    virtual void MoveParticle(TSceneParticle* particle, float deltaTime);
    // A new particle; subclasses may make their own kind.
    virtual TSceneParticle* CreateParticle();
    // Adds particles up to count, or frees the last ones down to it. A new
    // particle is named the list's name followed by the count before it was
    // added, and has LifeTime 0 and Age 1, so the next Animate restarts it.
    virtual void SetCount(int count);

    // The particle at index, in insertion order.
    TSceneParticle* Particles(int index) const;

    bool EnableGravity = false;
    // Units per second squared.
    float Gravity = 0;
    // Gravity * the last frame's time step.
    float GravityStep = 0;
    bool FirstAnimate = true;
};
