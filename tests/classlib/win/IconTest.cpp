#include "classlib/graphics/Icon.h"

#include <gtest/gtest.h>

#include <vector>

#include "classlib/core/Exceptions.h"

namespace {

// A 16 x 16 icon made from two masks (a white square in XOR).
HICON MakeIcon()
{
    std::vector<BYTE> andMask(16 * 16 / 8, 0x00);
    std::vector<BYTE> xorMask(16 * 16 / 8, 0xFF);
    return CreateIcon(GetModuleHandleA(nullptr), 16, 16, 1, 1, andMask.data(), xorMask.data());
}

bool IsIcon(HICON icon)
{
    ICONINFO info{};
    if (!GetIconInfo(icon, &info))
        return false;
    if (info.hbmColor != nullptr)
        DeleteObject(info.hbmColor);
    if (info.hbmMask != nullptr)
        DeleteObject(info.hbmMask);
    return info.fIcon != FALSE;
}

TEST(Icon, OwnsItsHandleReportsItsSizeAndCopies)
{
    TIcon icon;
    int changes = 0;
    icon.OnChange = [&](TObject*) { ++changes; };
    icon.SetHandle(MakeIcon());
    EXPECT_EQ(icon.Height(), 16);
    EXPECT_EQ(changes, 1);

    // Assign copies into a handle of its own, which lives on when the source is emptied.
    TIcon copy;
    copy.Assign(&icon);
    EXPECT_NE(copy.Handle(), icon.Handle());
    EXPECT_EQ(copy.Width(), 16);

    const HICON released = icon.ReleaseHandle();
    EXPECT_TRUE(icon.Empty());
    EXPECT_TRUE(IsIcon(released)) << "a released handle is not destroyed";
    DestroyIcon(released);
    EXPECT_TRUE(IsIcon(copy.Handle()));
}

TEST(Icon, AMissingResourceRaisesAndLeavesItEmpty)
{
    TIcon icon;
    EXPECT_THROW(icon.LoadFromResourceName(nullptr, "NO_SUCH_ICON"), EResNotFound);
    EXPECT_TRUE(icon.Empty());
}

}  // namespace
