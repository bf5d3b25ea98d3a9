#include "aquarium/SoundMixerVolumeControl.h"

#include <algorithm>

#include "aquarium/Winmm.h"

namespace {

constexpr DWORD Speakers = MIXERLINE_COMPONENTTYPE_DST_SPEAKERS;   // 4
constexpr DWORD WaveOut = MIXERLINE_COMPONENTTYPE_SRC_WAVEOUT;     // 0x1008
constexpr DWORD VolumeControl = MIXERCONTROL_CONTROLTYPE_VOLUME;  // 0x50030001
constexpr DWORD MuteControl = MIXERCONTROL_CONTROLTYPE_MUTE;      // 0x20010002
constexpr DWORD MaxControls = 32;

}  // namespace

TSoundMixerVolumeControl::TSoundMixerVolumeControl()
{
    FOpen = Winmm.mixerOpen(&FHandle, 0, 0, 0, 0) == MMSYSERR_NOERROR;
    if (!FOpen)
        return;
    FSavedSpeakerMute = ReadMute(Speakers);
    FSavedSpeaker = ReadLevels(Speakers);
    if (FSavedSpeaker) {
        const TVolumeBalance value = VolumeBalanceOf(*FSavedSpeaker);
        Volume = value.Volume;
        Balance = value.Balance;
    }
    FSavedWave = ReadLevels(WaveOut);
    FSavedWaveMute = ReadMute(WaveOut);
    if (FSavedWaveMute)
        WriteMute(WaveOut, false);
}

TSoundMixerVolumeControl::~TSoundMixerVolumeControl()
{
    if (!FOpen)
        return;
    if (FSavedSpeaker)
        WriteLevels(Speakers, *FSavedSpeaker);
    if (FSavedWave)
        WriteLevels(WaveOut, *FSavedWave);
    if (FSavedSpeakerMute)
        WriteMute(Speakers, *FSavedSpeakerMute);
    if (FSavedWaveMute)
        WriteMute(WaveOut, *FSavedWaveMute);
    Winmm.mixerClose(FHandle);
}

void TSoundMixerVolumeControl::SetVolume(int value)
{
    if (value < 0 || value > 100)
        return;
    Volume = value;
    if (FSavedSpeaker)
        WriteLevels(Speakers, ChannelLevelsOf({Volume, Balance}));
}

void TSoundMixerVolumeControl::SetBalance(int value)
{
    if (value < -100 || value > 100)
        return;
    Balance = value;
    if (FSavedSpeaker)
        WriteLevels(Speakers, ChannelLevelsOf({Volume, Balance}));
}

int TSoundMixerVolumeControl::GetVolume()
{
    if (const auto levels = ReadLevels(Speakers)) {
        const TVolumeBalance value = VolumeBalanceOf(*levels);
        Volume = value.Volume;
        Balance = value.Balance;
    }
    return Volume;
}

void TSoundMixerVolumeControl::SetSpeakerMute(bool value)
{
    if (FSavedSpeakerMute)
        WriteMute(Speakers, value);
}

bool TSoundMixerVolumeControl::GetSpeakerMute() { return ReadMute(Speakers).value_or(false); }

std::optional<TSoundMixerVolumeControl::TControl> TSoundMixerVolumeControl::FindControl(DWORD componentType,
                                                                                       DWORD controlType) const
{
    if (!FOpen)
        return std::nullopt;
    const auto mixer = reinterpret_cast<HMIXEROBJ>(FHandle);
    MIXERLINEA line{};
    line.cbStruct = sizeof(line);
    line.dwComponentType = componentType;
    if (Winmm.mixerGetLineInfoA(mixer, &line, MIXER_OBJECTF_HMIXER | MIXER_GETLINEINFOF_COMPONENTTYPE) !=
        MMSYSERR_NOERROR)
        return std::nullopt;
    // Asking for all controls needs the line's exact count; a line with more
    // than there is room for offers none.
    if (line.cControls == 0 || line.cControls > MaxControls)
        return std::nullopt;
    MIXERCONTROLA controls[MaxControls] = {};
    MIXERLINECONTROLSA request{};
    request.cbStruct = sizeof(request);
    request.dwLineID = line.dwLineID;
    request.cControls = line.cControls;
    request.cbmxctrl = sizeof(MIXERCONTROLA);
    request.pamxctrl = controls;
    if (Winmm.mixerGetLineControlsA(mixer, &request, MIXER_OBJECTF_HMIXER | MIXER_GETLINECONTROLSF_ALL) !=
        MMSYSERR_NOERROR)
        return std::nullopt;
    for (DWORD i = 0; i < line.cControls; ++i)
        if (controls[i].dwControlType == controlType)
            return TControl{controls[i].dwControlID, (controls[i].fdwControl & MIXERCONTROL_CONTROLF_UNIFORM) != 0};
    return std::nullopt;
}

MMRESULT TSoundMixerVolumeControl::ControlDetails(DWORD control, DWORD channels, void* values, bool write) const
{
    MIXERCONTROLDETAILS details{};
    details.cbStruct = sizeof(details);
    details.dwControlID = control;
    details.cChannels = channels;
    details.cbDetails = sizeof(DWORD);
    details.paDetails = values;
    const auto mixer = reinterpret_cast<HMIXEROBJ>(FHandle);
    return write ? Winmm.mixerSetControlDetails(mixer, &details, MIXER_OBJECTF_HMIXER | MIXER_SETCONTROLDETAILSF_VALUE)
                 : Winmm.mixerGetControlDetailsA(mixer, &details, MIXER_OBJECTF_HMIXER | MIXER_GETCONTROLDETAILSF_VALUE);
}

std::optional<TChannelLevels> TSoundMixerVolumeControl::ReadLevels(DWORD componentType) const
{
    const auto control = FindControl(componentType, VolumeControl);
    if (!control)
        return std::nullopt;
    DWORD channels[2] = {};
    if (ControlDetails(control->ID, control->Uniform ? 1 : 2, channels, false) != MMSYSERR_NOERROR)
        return std::nullopt;
    if (control->Uniform)
        channels[1] = channels[0];
    return TChannelLevels{channels[0], channels[1]};
}

void TSoundMixerVolumeControl::WriteLevels(DWORD componentType, TChannelLevels levels) const
{
    const auto control = FindControl(componentType, VolumeControl);
    if (!control)
        return;
    if (control->Uniform) {
        DWORD level = std::max(levels.Left, levels.Right);
        ControlDetails(control->ID, 1, &level, true);
        return;
    }
    DWORD channels[2] = {levels.Left, levels.Right};
    ControlDetails(control->ID, 2, channels, true);
}

std::optional<bool> TSoundMixerVolumeControl::ReadMute(DWORD componentType) const
{
    const auto control = FindControl(componentType, MuteControl);
    if (!control)
        return std::nullopt;
    DWORD value = 0;
    if (ControlDetails(control->ID, 1, &value, false) != MMSYSERR_NOERROR)
        return std::nullopt;
    return value != 0;
}

void TSoundMixerVolumeControl::WriteMute(DWORD componentType, bool value) const
{
    const auto control = FindControl(componentType, MuteControl);
    if (!control)
        return;
    DWORD state = value ? 1 : 0;
    ControlDetails(control->ID, 1, &state, true);
}
