// The platform-free rules of the world controller: how a fish count is
// shared out over the visible shoals of a group, how a chosen index is kept
// within a list, and which counts a stored option may ask for.
#pragma once

// The share of the index-th of `visible` shoals (0-based, in list order) of
// `total` fish: the first total mod visible shoals get one fish more than
// the rest (20 over 3 gives 7, 7, 6). 0 when there is no visible shoal or
// no fish to share.
int FishShare(int total, int visible, int index);

// An index above the last of `count` items lowered to the last one; a
// negative index (nothing chosen) kept as it is.
int ClampToLast(int index, int count);

// The most fish or bubbles a stored option may ask for. A count read from
// the registry sizes particle lists; outside 0..MaxStoredCount it reads as
// the option's default, so that a corrupt value cannot exhaust memory.
constexpr int MaxStoredCount = 10000;
int StoredCount(int value, int defaultValue);
