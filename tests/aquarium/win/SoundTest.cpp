// The sound player and the mixer volume control on the test prefix's sound
// device (a null ALSA output) through the real winmm, and against the winmm
// stand-ins for what that device cannot show.
#include <windows.h>

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "aquarium/SimpleSound.h"
#include "aquarium/SoundMixerVolumeControl.h"
#include "FakeWinmm.h"
#include "scene/core/SceneRegistry.h"
#include "../../support/SpeakerVolume.h"
#include "../../support/TempFolder.h"

using TPlay = TFakeWinmm::TPlay;

namespace {

// The player's PlaySoundA calls on their way to the real winmm, and its
// answers.
std::vector<TPlay> ForwardedPlays;
std::vector<BOOL> ForwardedAnswers;

BOOL WINAPI ForwardPlay(LPCSTR sound, HMODULE module, DWORD flags)
{
    const BOOL answer = RealWinmm.PlaySoundA(sound, module, flags);
    if (sound != nullptr) {
        ForwardedPlays.push_back({sound, flags});
        ForwardedAnswers.push_back(answer);
    }
    return answer;
}

// Whether a sound of this process plays: PlaySoundA refuses SND_NOSTOP then.
bool SoundPlays() { return !RealWinmm.PlaySoundA(nullptr, nullptr, SND_ASYNC | SND_NOSTOP); }

// A play that fails fails on its own thread: waits up to 5 s for it to end.
bool SoundEnds()
{
    for (const DWORD start = GetTickCount(); SoundPlays(); Sleep(10))
        if (GetTickCount() - start > 5000)
            return false;
    return true;
}

}  // namespace

// The sound as the program sets it up: looped, from the program's
// resources; and from a file, once and looped.
TEST(SimpleSoundTest, PlayingRestartsAndDestructionStops)
{
    TFakeWinmm winmm;
    {
        TSimpleSound sound;
        sound.FileName = ".\\Scene\\bubbles.wav";
        sound.FromResource = true;
        sound.Loop = true;
        sound.Play();
        sound.Play();
        EXPECT_EQ(winmm.Plays, (std::vector<TPlay>{{"(none)", SND_PURGE},
                                                   {"bubbles_wav", 0x4001F},
                                                   {"(none)", SND_PURGE},
                                                   {"bubbles_wav", 0x4001F}}));
        winmm.Plays.clear();
        sound.FromResource = false;
        sound.Loop = false;
        sound.Play();
        EXPECT_EQ(winmm.Plays.back(), (TPlay{".\\Scene\\bubbles.wav", 0x20013}));
        sound.Loop = true;
        sound.Play();
        EXPECT_EQ(winmm.Plays.back(), (TPlay{".\\Scene\\bubbles.wav", 0x2001B}));
        winmm.Plays.clear();
    }
    EXPECT_EQ(winmm.Plays, (std::vector<TPlay>{{"(none)", SND_PURGE}}));
}

TEST(SimpleSoundTest, TheSoundResourceIsFoundWhereSndResourceLooksAndPlaysOnTheDevice)
{
    // PlaySoundA's SND_RESOURCE looks the name up with type "WAVE"; the
    // derived name differs in case from the script's, which the lookup ignores.
    const std::string name = ResourceNameOf(".\\Scene\\bubbles.wav");
    const HRSRC resource = FindResourceA(nullptr, name.c_str(), "WAVE");
    ASSERT_NE(resource, nullptr);
    ASSERT_GT(waveOutGetNumDevs(), 0u) << "no sound device (tools/wine-prefix.sh gives Wine one)";

    // Played to its end, the answer says whether it played.
    EXPECT_TRUE(PlaySoundA(name.c_str(), nullptr, SND_RESOURCE | SND_NODEFAULT));
    EXPECT_FALSE(PlaySoundA("missing_wav", nullptr, SND_RESOURCE | SND_NODEFAULT));

    // The player's sound goes on until stopped, from the resource and from
    // a file; a missing name leaves nothing playing, not even the default
    // sound looped.
    testsupport::TTempFolder folder;
    folder.Write("bubbles.wav", std::string(static_cast<const char*>(LockResource(LoadResource(nullptr, resource))),
                                            SizeofResource(nullptr, resource)));
    TWinmmApi forward = RealWinmm;
    forward.PlaySoundA = ForwardPlay;
    TWinmmScope scope(forward);
    ForwardedPlays.clear();
    ForwardedAnswers.clear();
    TSimpleSound sound;
    sound.Loop = true;
    for (const bool fromResource : {true, false}) {
        sound.FromResource = fromResource;
        sound.FileName = fromResource ? ".\\Scene\\bubbles.wav" : folder.Path() + "bubbles.wav";
        sound.Play();
        EXPECT_TRUE(SoundPlays()) << sound.FileName;
        sound.Play();
        EXPECT_TRUE(SoundPlays()) << "restarted: " << sound.FileName;
        sound.Stop();
        EXPECT_FALSE(SoundPlays()) << sound.FileName;
        sound.FileName = fromResource ? ".\\Scene\\missing.wav" : folder.Path() + "missing.wav";
        sound.Play();
        EXPECT_TRUE(SoundEnds()) << sound.FileName;
    }
    ASSERT_EQ(ForwardedPlays.size(), 6u);
    for (size_t i = 0; i < ForwardedPlays.size(); ++i)
        if (ForwardedPlays[i].Name.find("missing") == std::string::npos)
            EXPECT_TRUE(ForwardedAnswers[i]) << ForwardedPlays[i].Name;
    EXPECT_EQ(ForwardedPlays.at(4), (TPlay{folder.Path() + "bubbles.wav", 0x2001B}));
}

// The speakers of the test prefix's device through the real winmm. Wine's
// volume control holds one level for both channels: it reads as balance 0.
// Freed, the control puts back the exact level it found, not the whole
// percent it read it as.
TEST(SoundMixerVolumeControlTest, OnTheDeviceTheVolumeIsSetAndTheExactLevelPutBack)
{
    const testsupport::TSpeakerVolume speakers;
    ASSERT_TRUE(speakers.Found) << "no mixer (tools/wine-prefix.sh gives Wine a sound device)";
    speakers.Set(40000);  // 61.04 %
    ASSERT_EQ(speakers.Get(), 40000u);
    {
        TSoundMixerVolumeControl mixer;
        EXPECT_EQ(mixer.Volume, 61);
        EXPECT_EQ(mixer.Balance, 0);
        mixer.SetVolume(25);
        EXPECT_EQ(speakers.Get(), 16383u);
        speakers.Set(32767);
        EXPECT_EQ(mixer.GetVolume(), 49);
        EXPECT_EQ(mixer.Balance, 0);
        // A balance the control cannot hold keeps the louder channel's level.
        mixer.SetBalance(100);
        EXPECT_EQ(speakers.Get(), 32112u);
    }
    EXPECT_EQ(speakers.Get(), 40000u);
}

// The levels' conversion is SoundRules' own test; here, the controls each
// value goes to and comes from.
TEST(SoundMixerVolumeControlTest, ChangesWhileAliveAndPutsEverythingBack)
{
    TFakeWinmm winmm;
    winmm.Values[TFakeWinmm::SpeakerMute] = {1};
    winmm.Values[TFakeWinmm::WaveVolume] = {32767, 32767};  // 49 % when read back in whole percent
    const auto before = winmm.Values;
    {
        TSoundMixerVolumeControl mixer;
        EXPECT_EQ(mixer.Volume, 100);
        EXPECT_EQ(mixer.Balance, -50);
        EXPECT_EQ(winmm.Values[TFakeWinmm::WaveMute], std::vector<DWORD>{0});  // unmuted while alive

        mixer.SetBalance(100);
        mixer.SetVolume(50);
        EXPECT_EQ(winmm.Values[TFakeWinmm::SpeakerVolume], (std::vector<DWORD>{0, 32767}));
        const size_t writes = winmm.Writes.size();
        mixer.SetVolume(101);
        mixer.SetBalance(-101);
        EXPECT_EQ(winmm.Writes.size(), writes);
        EXPECT_EQ(mixer.Volume, 50);
        EXPECT_EQ(mixer.Balance, 100);

        winmm.Values[TFakeWinmm::SpeakerVolume] = {65535, 0};  // changed by someone else
        EXPECT_EQ(mixer.GetVolume(), 100);
        mixer.SetSpeakerMute(false);
        EXPECT_EQ(winmm.Values[TFakeWinmm::SpeakerMute], std::vector<DWORD>{0});
    }
    EXPECT_EQ(winmm.Values, before);
    EXPECT_TRUE(winmm.Closed);
}

TEST(SoundMixerVolumeControlTest, AValueThatCouldNotBeReadIsNeverWritten)
{
    TFakeWinmm winmm;
    winmm.Values[TFakeWinmm::SpeakerVolume] = {40000, 40000};
    winmm.FailingReads = {TFakeWinmm::SpeakerVolume, TFakeWinmm::WaveMute};
    const auto before = winmm.Values;
    {
        TSoundMixerVolumeControl mixer;
        // Setting the balance alone would write volume 0 over the speakers,
        // and nothing could put back a volume that was set.
        mixer.SetBalance(0);
        mixer.SetVolume(30);
        EXPECT_EQ(mixer.GetVolume(), 30);
    }
    EXPECT_EQ(winmm.Values, before);
    // Only the values that were read went back: the wave volume, the speaker mute.
    EXPECT_EQ(winmm.Writes, (std::vector<DWORD>{TFakeWinmm::WaveVolume, TFakeWinmm::SpeakerMute}));
    EXPECT_TRUE(winmm.Closed);
}

// Without a device (the open failed) no other mixer call is made, the close included.
TEST(SoundMixerVolumeControlTest, WithoutADeviceNothingIsTouched)
{
    TFakeWinmm winmm;
    winmm.OpenFails = true;
    {
        TSoundMixerVolumeControl mixer;
        mixer.SetVolume(30);
        mixer.SetSpeakerMute(true);
        EXPECT_FALSE(mixer.GetSpeakerMute());
        EXPECT_EQ(mixer.GetVolume(), 30);
    }
    EXPECT_EQ(winmm.CallsWithoutDevice, 0);
}
