// The winmm entry points the sound player and the mixer volume control
// call, as one process-wide table of function pointers.
//
// The program calls the real winmm through it. Tests put a recording
// PlaySoundA or a fake mixer into it, for what a real device cannot show
// (Wine's mixer ignores the wave line's controls; no device at all), and put
// the real table back with TWinmmScope.
#pragma once

#include <windows.h>

#include <mmsystem.h>

struct TWinmmApi {
    BOOL(WINAPI* PlaySoundA)(LPCSTR sound, HMODULE module, DWORD flags);
    MMRESULT(WINAPI* mixerOpen)(LPHMIXER mixer, UINT deviceId, DWORD_PTR callback, DWORD_PTR instance, DWORD flags);
    MMRESULT(WINAPI* mixerClose)(HMIXER mixer);
    MMRESULT(WINAPI* mixerGetLineInfoA)(HMIXEROBJ mixer, LPMIXERLINEA line, DWORD flags);
    MMRESULT(WINAPI* mixerGetLineControlsA)(HMIXEROBJ mixer, LPMIXERLINECONTROLSA controls, DWORD flags);
    MMRESULT(WINAPI* mixerGetControlDetailsA)(HMIXEROBJ mixer, LPMIXERCONTROLDETAILS details, DWORD flags);
    MMRESULT(WINAPI* mixerSetControlDetails)(HMIXEROBJ mixer, LPMIXERCONTROLDETAILS details, DWORD flags);
};

// The real winmm functions.
extern const TWinmmApi RealWinmm;
// The table in use; RealWinmm unless a test replaced it.
extern TWinmmApi Winmm;

// Puts a replacement table in place for its lifetime and the previous one
// back afterwards.
class TWinmmScope {
public:
    explicit TWinmmScope(const TWinmmApi& replacement) : FSaved(Winmm) { Winmm = replacement; }
    ~TWinmmScope() { Winmm = FSaved; }
    TWinmmScope(const TWinmmScope&) = delete;
    TWinmmScope& operator=(const TWinmmScope&) = delete;

private:
    TWinmmApi FSaved;
};
