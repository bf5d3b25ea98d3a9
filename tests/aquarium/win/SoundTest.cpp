// The sound player and the mixer volume control against the winmm
// stand-ins, and the sound resource looked up for real.
#include <windows.h>

#include <gtest/gtest.h>

#include <map>
#include <vector>

#include "aquarium/SimpleSound.h"
#include "aquarium/SoundMixerVolumeControl.h"
#include "FakeWinmm.h"
#include "scene/core/SceneRegistry.h"

using TPlay = TFakeWinmm::TPlay;

// The sound as the program sets it up: looped, from the program's
// resources. (A file played once: nothing in the program does it.)
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
    }
    EXPECT_EQ(winmm.Plays, (std::vector<TPlay>{{"(none)", SND_PURGE}}));
}

TEST(SimpleSoundTest, TheSoundResourceIsFoundWhereSndResourceLooksAndWithoutADeviceNothingHappens)
{
    // PlaySoundA's SND_RESOURCE looks the name up with type "WAVE"; the
    // derived name differs in case from the script's, which the lookup ignores.
    const std::string name = ResourceNameOf(".\\Scene\\bubbles.wav");
    EXPECT_NE(FindResourceA(nullptr, name.c_str(), "WAVE"), nullptr);

    // The real winmm without a sound device (Wine's) plays nothing and
    // raises nothing; its mixer changes nothing.
    TSimpleSound sound;
    sound.FileName = ".\\Scene\\bubbles.wav";
    sound.FromResource = true;
    sound.Loop = true;
    sound.Play();
    sound.Stop();
    TSoundMixerVolumeControl mixer;
    EXPECT_EQ(mixer.GetVolume(), 0);
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
