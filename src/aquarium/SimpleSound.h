// TSimpleSound: plays one WAV sound, once or looped, from a file or from the
// program's own resources, through winmm's PlaySoundA (Winmm.h).
//
// The owner sets the fields directly. A sound taken from a resource is
// looked up in the program's file under ResourceNameOf(FileName)
// (".\Scene\bubbles.wav" plays "bubbles_wav") with resource type "WAVE",
// which is where PlaySoundA's SND_RESOURCE looks; the resource script must
// declare it so.
//
// PlaySoundA's result is never examined: a missing file, resource or sound
// device plays nothing (SND_NODEFAULT keeps the system's default sound
// silent), and the program goes on.
#pragma once

#include <string>

#include "classlib/core/Components.h"

class TSimpleSound : public TObject {
public:
    TSimpleSound() = default;
    // Stops the sound.
    ~TSimpleSound() override;
    TSimpleSound(const TSimpleSound&) = delete;
    TSimpleSound& operator=(const TSimpleSound&) = delete;

    std::string ClassName() const override { return "TSimpleSound"; }

    // Stops whatever plays, then starts this sound (asynchronously), so that
    // playing twice restarts it rather than layering two copies.
    void Play();
    // Both purge every sound that PlaySoundA plays.
    void Stop();
    void StopAll();

    bool Loop = false;
    bool FromResource = false;
    std::string FileName;
};
