// The platform-free rules of the sound player and the mixer volume control:
// which flags the player hands to PlaySoundA (the resource name of a sound
// file follows the scene engine's ResourceNameOf), and how a mixer's
// two channel levels (0..65535) map to a volume (0..100) and a balance
// (-100..100, negative = left) and back. All divisions truncate towards
// zero.
#pragma once

#include <cstdint>

// PlaySoundA flags, as winmm defines them.
namespace SoundFlags {
constexpr uint32_t Async = 0x0001;      // SND_ASYNC
constexpr uint32_t NoDefault = 0x0002;  // SND_NODEFAULT
constexpr uint32_t Loop = 0x0008;       // SND_LOOP
constexpr uint32_t NoStop = 0x0010;     // SND_NOSTOP
constexpr uint32_t Purge = 0x0040;      // SND_PURGE
constexpr uint32_t FileName = 0x20000;  // SND_FILENAME
constexpr uint32_t Resource = 0x40004;  // SND_RESOURCE
}  // namespace SoundFlags

// The flags of one play: from a resource or a file, looped or once, and
// always asynchronous, without the default sound and without cutting a
// sound that plays.
uint32_t SoundPlayFlags(bool fromResource, bool loop);

// One control's two channels.
struct TChannelLevels {
    uint32_t Left = 0;
    uint32_t Right = 0;
    bool operator==(const TChannelLevels&) const = default;
};

struct TVolumeBalance {
    int Volume = 0;
    int Balance = 0;
    bool operator==(const TVolumeBalance&) const = default;
};

// Volume = max(L, R) * 100 div 65535; Balance 0 at volume 0, else the
// quieter channel's shortfall in percent of the louder one, signed towards
// the louder side. Levels above 65535 count as 65535.
TVolumeBalance VolumeBalanceOf(TChannelLevels levels);

// The louder channel gets Volume * 65535 div 100; the other one is lowered
// by Balance percent of it (a positive balance lowers the left channel).
// Volume is taken in 0..100 and Balance in -100..100.
TChannelLevels ChannelLevelsOf(TVolumeBalance value);
