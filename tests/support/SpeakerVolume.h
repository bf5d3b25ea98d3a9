// Test support: the speakers' volume control of mixer 0 (the test
// prefix's sound device), read and written directly through the system's
// mixer, beside whatever the code under test does with it.
#pragma once

#include <windows.h>

#include <mmsystem.h>

namespace testsupport {

// The speakers' volume control of mixer 0, read and written directly.
class TSpeakerVolume {
public:
    TSpeakerVolume()
    {
        if (mixerOpen(&FMixer, 0, 0, 0, 0) != MMSYSERR_NOERROR)
            return;
        MIXERLINEA line{};
        line.cbStruct = sizeof(line);
        line.dwComponentType = MIXERLINE_COMPONENTTYPE_DST_SPEAKERS;
        MIXERLINECONTROLSA request{};
        request.cbStruct = sizeof(request);
        request.dwControlType = MIXERCONTROL_CONTROLTYPE_VOLUME;
        request.cControls = 1;
        request.cbmxctrl = sizeof(Control);
        request.pamxctrl = &Control;
        Found = mixerGetLineInfoA(Object(), &line, MIXER_OBJECTF_HMIXER | MIXER_GETLINEINFOF_COMPONENTTYPE) ==
                    MMSYSERR_NOERROR &&
                (request.dwLineID = line.dwLineID,
                 mixerGetLineControlsA(Object(), &request, MIXER_OBJECTF_HMIXER | MIXER_GETLINECONTROLSF_ONEBYTYPE) ==
                     MMSYSERR_NOERROR);
    }
    ~TSpeakerVolume()
    {
        if (FMixer != nullptr)
            mixerClose(FMixer);
    }
    TSpeakerVolume(const TSpeakerVolume&) = delete;
    TSpeakerVolume& operator=(const TSpeakerVolume&) = delete;

    // The level of all channels alike (one channel asked for).
    DWORD Get() const
    {
        DWORD level = 0;
        Details(&level, false);
        return level;
    }
    void Set(DWORD level) const { Details(&level, true); }

    bool Found = false;
    MIXERCONTROLA Control{};

private:
    HMIXEROBJ Object() const { return reinterpret_cast<HMIXEROBJ>(FMixer); }
    void Details(DWORD* level, bool write) const
    {
        MIXERCONTROLDETAILS details{};
        details.cbStruct = sizeof(details);
        details.dwControlID = Control.dwControlID;
        details.cChannels = 1;
        details.cbDetails = sizeof(DWORD);
        details.paDetails = level;
        if (write)
            mixerSetControlDetails(Object(), &details, MIXER_OBJECTF_HMIXER | MIXER_SETCONTROLDETAILSF_VALUE);
        else
            mixerGetControlDetailsA(Object(), &details, MIXER_OBJECTF_HMIXER | MIXER_GETCONTROLDETAILSF_VALUE);
    }

    HMIXER FMixer = nullptr;
};

}  // namespace testsupport
