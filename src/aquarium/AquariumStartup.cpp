#include "aquarium/AquariumStartup.h"

#include <windows.h>

#include "aquarium/core/AquariumClasses.h"
#include "aquarium/core/ClockText.h"

namespace {

// The locale's short weekday names, Sunday first (the locale lists them
// Monday first); a name the locale does not give keeps the default.
TShortDayNames LocaleShortDayNames()
{
    TShortDayNames names = DefaultShortDayNames();
    for (int day = 0; day < 7; ++day) {
        char text[80] = {};
        const LCTYPE type = LOCALE_SABBREVDAYNAME1 + static_cast<LCTYPE>((day + 6) % 7);
        if (GetLocaleInfoA(LOCALE_USER_DEFAULT, type, text, sizeof text) > 1)
            names[static_cast<size_t>(day)] = text;
    }
    return names;
}

}  // namespace

void InitializeAquarium()
{
    SetDefaultShortDayNames(LocaleShortDayNames());
    RegisterAquariumClasses();
}
