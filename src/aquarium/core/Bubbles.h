// TBubbles: the particle list of rising bubbles.
//
// Each bubble starts on the sea bed at one of twelve depth layers and one of
// twelve columns across the view (both slightly jittered), rises straight up
// at its own speed and spawns again when it reaches the top of the view or
// the water surface, whichever is lower. The scene object is named
// "Bubbles".
#pragma once

#include <string>

#include "aquarium/core/ParticleRange.h"
#include "scene/core/SceneParticle.h"

class TBubbles : public TSceneParticleList, public TParticleRange {
public:
    TBubbles() = default;

    std::string ClassName() const override { return "TBubbles"; }

    // Lighting on, then the visual-object-list pass.
    void RenderOpaque() override;
    void RenderAlpha() override;

    // The particle-list keys, then "MaxZ", "MinZ", "UpY", "BottomY",
    // "MaxSpeed", "MinSpeed", "MaxCount" as floats.
    void SaveOptions(TResourceLoader& writer) override;
    void LoadOptions(TResourceLoader& reader) override;

    // Places a new bubble; five draws of the system's generator in the order
    // integer, real, integer, real, real. Needs the scene's viewport. A
    // bubble that cannot rise (speed <= 0) gets lifetime 0.
    void InitParticle(TSceneParticle* particle) override;

    // Random(12) / 12 + (0.5 - Random) * 0.02, the integer draw first.
    static float RandomDepthLayer();
};
