#include "aquarium/core/SoundRules.h"

#include <algorithm>

uint32_t SoundPlayFlags(bool fromResource, bool loop)
{
    return (fromResource ? SoundFlags::Resource : SoundFlags::FileName) | (loop ? SoundFlags::Loop : 0) |
           SoundFlags::Async | SoundFlags::NoDefault | SoundFlags::NoStop;
}

namespace {

constexpr int MaxLevel = 65535;

}  // namespace

TVolumeBalance VolumeBalanceOf(TChannelLevels levels)
{
    const int left = static_cast<int>(std::min<uint32_t>(levels.Left, MaxLevel));
    const int right = static_cast<int>(std::min<uint32_t>(levels.Right, MaxLevel));
    TVolumeBalance result;
    result.Volume = std::max(left, right) * 100 / MaxLevel;
    if (result.Volume != 0)
        result.Balance = (right - left) * 100 / (right >= left ? right : left);
    return result;
}

TChannelLevels ChannelLevelsOf(TVolumeBalance value)
{
    const int volume = std::clamp(value.Volume, 0, 100);
    const int balance = std::clamp(value.Balance, -100, 100);
    const int level = volume * MaxLevel / 100;
    TChannelLevels result;
    if (balance >= 0) {
        result.Left = static_cast<uint32_t>(level * (100 - balance) / 100);
        result.Right = static_cast<uint32_t>(level);
    } else {
        result.Left = static_cast<uint32_t>(level);
        result.Right = static_cast<uint32_t>(level * (100 + balance) / 100);
    }
    return result;
}
