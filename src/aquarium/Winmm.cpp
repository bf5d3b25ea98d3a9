#include "aquarium/Winmm.h"

const TWinmmApi RealWinmm = {
    ::PlaySoundA,        ::mixerOpen,           ::mixerClose,
    ::mixerGetLineInfoA, ::mixerGetLineControlsA, ::mixerGetControlDetailsA,
    ::mixerSetControlDetails,
};

TWinmmApi Winmm = RealWinmm;
