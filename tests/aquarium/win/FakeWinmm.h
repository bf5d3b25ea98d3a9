// Stand-ins for winmm in the sound tests: a PlaySoundA that records its
// calls, and one mixer device with a speaker line and a wave-output line,
// each with a volume control (two channels) and a mute control. Controls
// can be made to fail their reads, and the device to fail opening.
//
// The functions are plain pointers without context: the one active
// TFakeWinmm is reached through a static pointer while it is installed.
#pragma once

#include <windows.h>

#include <mmsystem.h>

#include <map>
#include <ostream>
#include <set>
#include <string>
#include <vector>

#include "aquarium/Winmm.h"

class TFakeWinmm {
public:
    // Control ids: the line's component type plus one for volume, two for mute.
    static constexpr DWORD SpeakerVolume = MIXERLINE_COMPONENTTYPE_DST_SPEAKERS + 1;
    static constexpr DWORD SpeakerMute = MIXERLINE_COMPONENTTYPE_DST_SPEAKERS + 2;
    static constexpr DWORD WaveVolume = MIXERLINE_COMPONENTTYPE_SRC_WAVEOUT + 1;
    static constexpr DWORD WaveMute = MIXERLINE_COMPONENTTYPE_SRC_WAVEOUT + 2;

    struct TPlay {
        std::string Name;  // "(none)" for a null name
        DWORD Flags;
        bool operator==(const TPlay&) const = default;
        friend std::ostream& operator<<(std::ostream& out, const TPlay& play)
        {
            return out << play.Name << " 0x" << std::hex << play.Flags << std::dec;
        }
    };

    TFakeWinmm() : FScope({RecordPlay, Open, Close, LineInfo, LineControls, GetDetails, SetDetails}) { Active = this; }
    ~TFakeWinmm() { Active = nullptr; }

    std::vector<TPlay> Plays;
    // Channel values per control id (mute: channel 0 only).
    std::map<DWORD, std::vector<DWORD>> Values = {
        {SpeakerVolume, {65535, 32767}}, {SpeakerMute, {0}}, {WaveVolume, {32767, 32767}}, {WaveMute, {1}}};
    std::set<DWORD> FailingReads;
    bool OpenFails = false;
    bool Opened = false;
    bool Closed = false;
    // Controls written, in order; and every mixer call without an open device.
    std::vector<DWORD> Writes;
    int CallsWithoutDevice = 0;

private:
    inline static TFakeWinmm* Active = nullptr;
    static TFakeWinmm& Self() { return *Active; }

    static HMIXER Handle() { return reinterpret_cast<HMIXER>(static_cast<intptr_t>(0x4D49)); }

    static bool Valid(HMIXEROBJ mixer, DWORD flags)
    {
        if (!Self().Opened)
            ++Self().CallsWithoutDevice;
        return Self().Opened && reinterpret_cast<HMIXER>(mixer) == Handle() &&
               (flags & 0xF0000000u) == MIXER_OBJECTF_HMIXER;
    }

    static BOOL WINAPI RecordPlay(LPCSTR sound, HMODULE, DWORD flags)
    {
        Self().Plays.push_back({sound ? sound : "(none)", flags});
        return FALSE;
    }

    static MMRESULT WINAPI Open(LPHMIXER mixer, UINT device, DWORD_PTR, DWORD_PTR, DWORD)
    {
        if (Self().OpenFails || device != 0)
            return MMSYSERR_BADDEVICEID;
        Self().Opened = true;
        *mixer = Handle();
        return MMSYSERR_NOERROR;
    }

    static MMRESULT WINAPI Close(HMIXER mixer)
    {
        if (!Valid(reinterpret_cast<HMIXEROBJ>(mixer), MIXER_OBJECTF_HMIXER))
            return MMSYSERR_INVALHANDLE;
        Self().Closed = true;
        return MMSYSERR_NOERROR;
    }

    static MMRESULT WINAPI LineInfo(HMIXEROBJ mixer, LPMIXERLINEA line, DWORD flags)
    {
        if (!Valid(mixer, flags) || (flags & 0x0F) != MIXER_GETLINEINFOF_COMPONENTTYPE)
            return MMSYSERR_INVALPARAM;
        if (line->dwComponentType != MIXERLINE_COMPONENTTYPE_DST_SPEAKERS &&
            line->dwComponentType != MIXERLINE_COMPONENTTYPE_SRC_WAVEOUT)
            return MIXERR_INVALLINE;
        line->dwLineID = line->dwComponentType;
        line->cControls = 3;  // a control of another type comes first
        return MMSYSERR_NOERROR;
    }

    static MMRESULT WINAPI LineControls(HMIXEROBJ mixer, LPMIXERLINECONTROLSA request, DWORD flags)
    {
        if (!Valid(mixer, flags) || (flags & 0x0F) != MIXER_GETLINECONTROLSF_ALL || request->cControls != 3 ||
            request->cbmxctrl != sizeof(MIXERCONTROLA))
            return MMSYSERR_INVALPARAM;
        const DWORD types[3] = {MIXERCONTROL_CONTROLTYPE_BASS, MIXERCONTROL_CONTROLTYPE_VOLUME,
                                MIXERCONTROL_CONTROLTYPE_MUTE};
        for (DWORD i = 0; i < 3; ++i) {
            request->pamxctrl[i].dwControlType = types[i];
            request->pamxctrl[i].dwControlID = request->dwLineID + i;
        }
        return MMSYSERR_NOERROR;
    }

    // Checks the request against the control; the control's values, or null.
    static std::vector<DWORD>* Control(HMIXEROBJ mixer, LPMIXERCONTROLDETAILS details, DWORD flags)
    {
        if (!Valid(mixer, flags) || details->cbDetails != sizeof(DWORD))
            return nullptr;
        const auto found = Self().Values.find(details->dwControlID);
        if (found == Self().Values.end() || found->second.size() != details->cChannels)
            return nullptr;
        return &found->second;
    }

    static MMRESULT WINAPI GetDetails(HMIXEROBJ mixer, LPMIXERCONTROLDETAILS details, DWORD flags)
    {
        std::vector<DWORD>* values = Control(mixer, details, flags);
        if (values == nullptr || Self().FailingReads.count(details->dwControlID))
            return MMSYSERR_ERROR;
        for (size_t i = 0; i < values->size(); ++i)
            static_cast<DWORD*>(details->paDetails)[i] = (*values)[i];
        return MMSYSERR_NOERROR;
    }

    static MMRESULT WINAPI SetDetails(HMIXEROBJ mixer, LPMIXERCONTROLDETAILS details, DWORD flags)
    {
        std::vector<DWORD>* values = Control(mixer, details, flags);
        if (values == nullptr)
            return MMSYSERR_ERROR;
        for (size_t i = 0; i < values->size(); ++i)
            (*values)[i] = static_cast<const DWORD*>(details->paDetails)[i];
        Self().Writes.push_back(details->dwControlID);
        return MMSYSERR_NOERROR;
    }

    TWinmmScope FScope;
};
