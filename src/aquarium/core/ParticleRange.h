// TParticleRange: the space and speed range that fish shoals and bubbles
// spawn in, with its seven description keys.
#pragma once

class TResourceLoader;

struct TParticleRange {
    // "MaxZ", "MinZ", "UpY", "BottomY", "MaxSpeed", "MinSpeed", "MaxCount" as
    // floats, in that order; each read defaults to the current value.
    void SaveRange(TResourceLoader& writer) const;
    void LoadRange(TResourceLoader& reader);

    // Depth band, as distances in front of the camera.
    float MaxZ = 0;
    float MinZ = 0;
    // Highest and lowest height (for bubbles: the water surface and the sea
    // bed where they start).
    float UpY = 0;
    float BottomY = 0;
    float MaxSpeed = 0;
    float MinSpeed = 0;
    // For fish the count the depth bands are spread over; read and written
    // but not used by bubbles.
    float MaxCount = 0;
};
