#include "aquarium/core/WorldRules.h"

int FishShare(int total, int visible, int index)
{
    if (visible <= 0 || total <= 0)
        return 0;
    return total / visible + (index < total % visible ? 1 : 0);
}

int ClampToLast(int index, int count)
{
    return index >= count ? count - 1 : index;
}

int StoredCount(int value, int defaultValue)
{
    return value >= 0 && value <= MaxStoredCount ? value : defaultValue;
}
