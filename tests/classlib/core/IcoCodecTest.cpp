#include "classlib/core/IcoCodec.h"

#include <string>
#include <tuple>
#include <vector>

#include <gtest/gtest.h>
#include "../../support/ExceptionMessage.h"

namespace {

using Bytes = std::vector<uint8_t>;

// An ICO directory of `entries` (width, height, bit count, size, offset),
// followed by `tail` bytes of image data.
Bytes Ico(const std::vector<std::tuple<int, int, int, uint32_t, uint32_t>>& entries, size_t tail)
{
    Bytes b = {0, 0, 1, 0, static_cast<uint8_t>(entries.size()), 0};
    for (const auto& [w, h, bits, size, offset] : entries)
        b.insert(b.end(), {uint8_t(w), uint8_t(h), 0, 0, 1, 0, uint8_t(bits), 0, uint8_t(size), uint8_t(size >> 8),
                           uint8_t(size >> 16), uint8_t(size >> 24), uint8_t(offset), uint8_t(offset >> 8), 0, 0});
    b.resize(b.size() + tail);
    return b;
}

}  // namespace

// The wanted size wins, the deepest of it; else the largest; 0 means 256.
TEST(IcoCodecTest, PicksTheFittingDeepestOrElseTheLargestImage)
{
    const Bytes file = Ico({{16, 16, 32, 10, 54}, {32, 32, 8, 10, 64}, {32, 32, 32, 10, 74}, {0, 0, 32, 10, 84}}, 40);
    const TIcoImage fit = PickIcoImage(file.data(), file.size(), 32, 32);
    EXPECT_EQ(std::tie(fit.Offset, fit.Size, fit.Width), std::tuple(size_t{74}, size_t{10}, 32));
    EXPECT_EQ(PickIcoImage(file.data(), file.size(), 48, 48).Width, 256);
}

TEST(IcoCodecTest, MalformedFilesRaiseAndAreNeverReadPastTheirEnd)
{
    Bytes cut = Ico({{16, 16, 32, 4, 22}}, 4);
    cut.resize(21);
    const struct {
        Bytes File;
        const char* Error;
    } cases[] = {
        {{0, 0, 1}, "not an icon file"},
        {{0, 0, 2, 0, 1, 0}, "not an icon file"},  // a cursor file
        {Ico({}, 0), "no image"},
        {cut, "the directory is cut short"},
        {Ico({{16, 16, 32, 5, 22}}, 4), "image 0 lies outside the file"},
        {Ico({{16, 16, 32, 0xFFFFFFFF, 22}}, 4), "image 0 lies outside the file"},
        {Ico({{16, 16, 32, 0, 22}}, 4), "image 0 lies outside the file"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(testsupport::MessageOf([&] { PickIcoImage(c.File.data(), c.File.size(), 16, 16); }),
                  std::string("Icon image is not valid: ") + c.Error)
            << c.Error;
}
