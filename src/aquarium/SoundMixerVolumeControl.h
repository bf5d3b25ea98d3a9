// TSoundMixerVolumeControl: the speakers' volume, balance and mute through
// mixer device 0 while the saver runs, with the wave output unmuted, and
// everything put back on destruction.
//
// The constructor, in this order: opens the mixer; saves the speakers'
// mute; reads the speakers' volume and balance into Volume and Balance and
// saves them; saves the wave line's volume and balance; saves the wave
// line's mute, then switches it off. The destructor writes back the
// speakers' volume and balance, the wave line's volume and balance, the
// speakers' mute and the wave line's mute, then closes the mixer.
//
// Volume and balance are saved as the channel levels read, not as the
// percentages: converting back from whole percent truncates, and the
// speakers would lose one percent with every run of the saver.
//
// Only what was read is ever changed or put back: each saved value
// remembers whether its read succeeded, and one that failed is neither
// written while alive nor restored, so a missing line or a transient
// failure can never leave the user's speakers at volume 0 (Volume's value
// before any read) or flip a mute for good. When the mixer does not open
// (no sound device), nothing is read, written or closed.
//
// Lines are found by component type (speakers, wave output), controls as
// the first of their type among the line's controls (at most 32); volume is
// two channels of 0..65535, mute one channel (see SoundRules.h for the
// conversion). A volume control that acts on all channels alike
// (MIXERCONTROL_CONTROLF_UNIFORM, as Wine's does) is read and written as one
// channel: its value reads as both channels (balance 0), and it takes the
// louder channel's level. Mixer errors are never reported.
#pragma once

#include <windows.h>

#include <mmsystem.h>

#include <optional>

#include "aquarium/core/SoundRules.h"
#include "classlib/core/Components.h"

class TSoundMixerVolumeControl : public TObject {
public:
    TSoundMixerVolumeControl();
    ~TSoundMixerVolumeControl() override;
    TSoundMixerVolumeControl(const TSoundMixerVolumeControl&) = delete;
    TSoundMixerVolumeControl& operator=(const TSoundMixerVolumeControl&) = delete;

    std::string ClassName() const override { return "TSoundMixerVolumeControl"; }

    // Only for 0 <= value <= 100: Volume := value, and the speakers' volume
    // is written from it and Balance - when the speakers' levels were read
    // at construction, so that they can be put back.
    void SetVolume(int value);
    // Only for -100 <= value <= 100: Balance := value, written with Volume
    // as SetVolume writes.
    void SetBalance(int value);
    // Reads the speakers' volume and balance into Volume and Balance (left
    // as they are when the read fails) and returns Volume.
    int GetVolume();
    // Written only when the speakers' mute was read at construction.
    void SetSpeakerMute(bool value);
    // False when the mute cannot be read.
    bool GetSpeakerMute();

    // The speakers' volume 0..100 and balance -100..100 (negative = left).
    int Volume = 0;
    int Balance = 0;

private:
    struct TControl {
        DWORD ID;
        bool Uniform;  // one value for all channels
    };
    // The first control of controlType on the line of componentType.
    std::optional<TControl> FindControl(DWORD componentType, DWORD controlType) const;
    std::optional<TChannelLevels> ReadLevels(DWORD componentType) const;
    void WriteLevels(DWORD componentType, TChannelLevels levels) const;
    std::optional<bool> ReadMute(DWORD componentType) const;
    void WriteMute(DWORD componentType, bool value) const;
    MMRESULT ControlDetails(DWORD control, DWORD channels, void* values, bool write) const;

    HMIXER FHandle = nullptr;
    bool FOpen = false;
    std::optional<TChannelLevels> FSavedSpeaker;
    std::optional<TChannelLevels> FSavedWave;
    std::optional<bool> FSavedSpeakerMute;
    std::optional<bool> FSavedWaveMute;
};
