#include "gl/core/DArray.h"

#include <cstring>
#include <vector>

#include <gtest/gtest.h>

#include "classlib/core/Exceptions.h"

namespace {

// The message of the Exception that `action` raises; fails when none is raised.
template <class Action>
std::string MessageOf(Action action)
{
    try {
        action();
    } catch (const Exception& e) {
        return e.Message;
    }
    ADD_FAILURE() << "no Exception raised";
    return {};
}

}  // namespace

TEST(DArray, OutOfBoundsAccessRaisesTheExactTextAndChangesNothing)
{
    TGLIndexDArray array;
    array.LoadFromArray(std::vector<int32_t>{10, 20});
    const void* block = array.Data();
    for (const int index : {-1, 2}) {
        int32_t buffer = 77;
        EXPECT_EQ(MessageOf([&] { array.GetItem(index, &buffer); }), "TDArray GetItem: index out of bounds.");
        EXPECT_EQ(buffer, 77);
        EXPECT_EQ(MessageOf([&] { array.SetItem(index, &buffer); }), "TDArray SetItem: index out of bounds.");
    }
    EXPECT_EQ(array.Count(), 2);
    EXPECT_EQ(array.Data(), block);
    EXPECT_EQ(array.GetIndex(1), 20);
}

TEST(DArray, SetCountZeroFreesTheBlockAndLaterReadsFail)
{
    TGLVectorDArray array;
    array.SetCount(3);
    ASSERT_NE(array.Data(), nullptr);
    array.SetCount(0);
    EXPECT_EQ(array.Count(), 0);
    EXPECT_EQ(array.Data(), nullptr);
    EXPECT_EQ(MessageOf([&] { array.GetVector(0); }), "TDArray GetItem: index out of bounds.");
}

TEST(DArray, GrowZeroFillsAndShrinkKeepsThePrefix)
{
    TGLIndexDArray array;
    array.LoadFromArray(std::vector<int32_t>{1, 2, 3, 4});
    array.Grow(2);
    ASSERT_EQ(array.Count(), 6);
    const std::vector<int32_t> grown(static_cast<const int32_t*>(array.Data()),
                                     static_cast<const int32_t*>(array.Data()) + 6);
    EXPECT_EQ(grown, (std::vector<int32_t>{1, 2, 3, 4, 0, 0}));

    array.Shrink(3);
    ASSERT_EQ(array.Count(), 3);
    EXPECT_EQ(array.GetIndex(2), 3);

    array.Grow(0);
    array.Shrink(-1);
    EXPECT_EQ(array.Count(), 3) << "counts below 1 change nothing";
    array.SetCount(5);
    EXPECT_EQ(array.GetIndex(4), 0);
    array.Shrink(10);
    EXPECT_EQ(array.Count(), 0) << "shrinking past the start empties the array";
    EXPECT_EQ(array.Data(), nullptr);
}

TEST(DArray, CopyToAcrossItemSizesAdoptsSizeAndBytes)
{
    TGLVectorDArray source;
    source.LoadFromArray(std::vector<float>{1, 2, 3, 4, 5, 6});
    TDArray dest;
    dest.SetCount(100);
    source.CopyTo(&dest);
    EXPECT_EQ(dest.ItemSize(), 12);
    EXPECT_EQ(dest.Count(), 2);
    EXPECT_EQ(std::memcmp(dest.Data(), source.Data(), 24), 0);

    TGLVectorDArray same;
    same.SetCount(7);
    source.CopyTo(&same);
    EXPECT_EQ(same.Count(), 2);
    EXPECT_EQ(same.GetVector(1).z, 6.0f);
}

TEST(DArray, CopyToFromAnEmptyArrayEmptiesTheDestination)
{
    TGLIndexDArray empty;
    TGLIndexDArray dest;
    dest.LoadFromArray(std::vector<int32_t>{1, 2, 3});
    empty.CopyTo(&dest);
    EXPECT_EQ(dest.Count(), 0);
    EXPECT_EQ(dest.Data(), nullptr);
}

TEST(DArray, TypedAccessRefusesAForeignItemSize)
{
    TDArray bytes;
    bytes.SetCount(5);
    TGLVectorDArray vectors;
    bytes.CopyTo(&vectors);  // now 5 items of 1 byte
    EXPECT_THROW(vectors.GetVector(0), EInvalidCast);
    EXPECT_THROW(vectors.SetVector(0, 1, 2, 3), EInvalidCast);
    EXPECT_THROW(vectors.LoadFromArray(std::vector<float>{1, 2, 3}), EInvalidCast);
    EXPECT_EQ(vectors.Count(), 5);
}

TEST(DArray, TypedArraysLoadWholeElementsFromFlatArrays)
{
    TGLVectorDArray vectors;
    vectors.LoadFromArray(std::vector<float>{1, 2, 3, 4, 5, 6, 7});
    ASSERT_EQ(vectors.Count(), 2) << "the seventh value is ignored";
    EXPECT_EQ(vectors.GetVector(1).x, 4.0f);
    EXPECT_EQ(vectors.GetVector(1).z, 6.0f);
    vectors.ZeroVectors();
    EXPECT_EQ(vectors.GetVector(1).x, 0.0f);
    EXPECT_EQ(vectors.Count(), 2);

    TGLColorDArray colors;
    colors.LoadFromArray(std::vector<uint8_t>{10, 20, 30, 40, 50, 60, 70});
    ASSERT_EQ(colors.Count(), 2);
    EXPECT_EQ(colors.GetColor(1), MakeColorRGBA(40, 50, 60, 255));
    EXPECT_EQ(static_cast<const uint8_t*>(colors.Data())[4], 40) << "red is the first byte of an element";

    TGLTextureCoordDArray coords;
    coords.LoadFromArray(std::vector<float>{0.5f, 0.25f, 1, 0, 9});
    ASSERT_EQ(coords.Count(), 2);
    EXPECT_EQ(coords.GetCoord(0).t, 0.25f);
    EXPECT_EQ(coords.GetCoord(1).s, 1.0f);
}
