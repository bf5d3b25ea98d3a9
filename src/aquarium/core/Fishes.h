// TFishes: one shoal - a particle list whose particles are fish of one kind,
// all drawn with the list's mesh.
//
// A fish enters the view 800 units beyond the left edge of the view frustum
// at its depth, swims straight on a heading 15 degrees into the scene and
// leaves 800 units beyond the right edge (or the same path backwards); when
// its lifetime is over the particle list spawns it again. A shoal inside a
// fish group (TFishRender) takes the group's swimming direction and must
// claim a depth slot for every new fish; without a group every fish swims
// to the right and claims nothing.
//
// Depth slots: a fish holds its slot from its spawn until its next spawn or
// until it is freed. Every path that frees fish - SetCount, DeleteLast,
// Clear, Remove, the destructor - releases their slots first, so the
// group's slot table never points at a freed fish.
//
// The spawn draws from the system's one generator, in a fixed order: depth,
// height, speed, and for the direction Both one more draw. Degenerate keys
// never make an infinite or NaN path: a MaxCount <= 0 counts as 1, and a
// fish whose drawn speed is <= 0 is parked like one without a slot.
#pragma once

#include <string>

#include "gl/core/VectorTypes.h"
#include "aquarium/core/ParticleRange.h"
#include "scene/core/SceneParticle.h"

class TFishRender;

class TFishes : public TSceneParticleList, public TParticleRange {
public:
    // All seven fields 0; they come from the scene description.
    TFishes() = default;
    // Releases the depth slots of its fish before the list frees them.
    ~TFishes() override;

    std::string ClassName() const override { return "TFishes"; }

    // Lighting on; the Visual must be a TSceneMesh (EInvalidCast "Invalid
    // class typecast" for any other class, nothing for none); then the
    // visual-object-list pass.
    void RenderOpaque() override;
    void RenderAlpha() override;

    // The particle-list keys, then "MaxZ", "MinZ", "UpY", "BottomY",
    // "MaxSpeed", "MinSpeed", "MaxCount" as floats.
    void SaveOptions(TResourceLoader& writer) override;
    void LoadOptions(TResourceLoader& reader) override;

    // SpawnFish, then the group's ClaimSlot; a fish without a free slot is
    // parked behind the camera at rest (age 1, lifetime 0) so that it is
    // never drawn in view and spawns again on the next step.
    void InitParticle(TSceneParticle* particle) override;
    // Releases the slots of the fish about to be freed, then the inherited.
    void SetCount(int count) override;
    // Releases the slots of the last n fish, then frees them.
    void DeleteLast(int n) override;
    // Releases the fish's slot, then takes it out of the list.
    void Remove(TMainItem* item) override;

    // The owner when it is a fish group, else null.
    TFishRender* GetFishRender() const;
    // Places one fish on a new path (see the file comment); needs the scene's
    // viewport.
    void SpawnFish(TSceneParticle* particle);
    // Position := position, velocity := speed * heading, angles (0, yAngle, 0).
    void PlaceFish(TSceneParticle* particle, const TGLVector& position, float speed, float yAngle);
    // Releases the slot of every fish of the list.
    void ReleaseSlots();

    // Where a fish without a slot waits: behind the camera, out of view.
    static constexpr TGLVector ParkedPosition{0, 0, 5000};
};
