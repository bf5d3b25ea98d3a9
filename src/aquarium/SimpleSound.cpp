#include "aquarium/SimpleSound.h"

#include "aquarium/Winmm.h"
#include "aquarium/core/SoundRules.h"
#include "scene/core/SceneRegistry.h"

TSimpleSound::~TSimpleSound() { Stop(); }

void TSimpleSound::Play()
{
    Stop();
    const std::string name = FromResource ? ResourceNameOf(FileName) : FileName;
    Winmm.PlaySoundA(name.c_str(), nullptr, SoundPlayFlags(FromResource, Loop));
}

void TSimpleSound::Stop() { Winmm.PlaySoundA(nullptr, nullptr, SoundFlags::Purge); }

void TSimpleSound::StopAll() { Stop(); }
