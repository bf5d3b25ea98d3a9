#include "gl/core/DArray.h"

#include <cstring>
#include <vector>

#include <gtest/gtest.h>

#include "../../support/ExceptionMessage.h"

using testsupport::MessageOf;

TEST(DArray, OutOfBoundsAccessRaisesTheExactTextAndChangesNothing)
{
    TGLIndexDArray array;
    array.LoadFromArray(std::vector<int32_t>{10, 20});
    for (const int index : {-1, 2}) {
        int32_t buffer = 77;
        EXPECT_EQ(MessageOf([&] { array.GetItem(index, &buffer); }), "TDArray GetItem: index out of bounds.");
        EXPECT_EQ(buffer, 77);
        EXPECT_EQ(MessageOf([&] { array.SetItem(index, &buffer); }), "TDArray SetItem: index out of bounds.");
    }
    array.SetCount(0);
    EXPECT_EQ(array.Data(), nullptr);
    EXPECT_NE(MessageOf([&] { array.GetIndex(0); }), "(no exception)");
}

TEST(DArray, GrowZeroFillsShrinkKeepsThePrefixAndShrinkingPastTheStartEmpties)
{
    TGLIndexDArray array;
    array.LoadFromArray(std::vector<int32_t>{1, 2, 3, 4});
    array.Grow(2);
    ASSERT_EQ(array.Count(), 6);
    EXPECT_EQ(array.GetIndex(5), 0);
    array.Shrink(3);
    ASSERT_EQ(array.Count(), 3);
    EXPECT_EQ(array.GetIndex(2), 3);
    array.Shrink(-1);
    EXPECT_EQ(array.Count(), 3) << "counts below 1 change nothing";
    array.Shrink(10);
    EXPECT_EQ(array.Count(), 0);
    EXPECT_EQ(array.Data(), nullptr);
}

TEST(DArray, CopyToAdoptsItemSizeAndTypedAccessRefusesAForeignOne)
{
    TGLVectorDArray source;
    source.LoadFromArray(std::vector<float>{1, 2, 3, 4, 5, 6});
    TDArray dest;
    dest.SetCount(100);
    source.CopyTo(&dest);
    EXPECT_EQ(dest.ItemSize(), 12);
    EXPECT_EQ(dest.Count(), 2);
    EXPECT_EQ(std::memcmp(dest.Data(), source.Data(), 24), 0);
    TGLVectorDArray().CopyTo(&dest);
    EXPECT_EQ(dest.Data(), nullptr) << "an empty source empties the destination";

    TDArray bytes;
    bytes.SetCount(5);
    TGLVectorDArray vectors;
    bytes.CopyTo(&vectors);  // now 5 items of 1 byte
    EXPECT_THROW(vectors.GetVector(0), EInvalidCast);
    EXPECT_THROW(vectors.LoadFromArray(std::vector<float>{1, 2, 3}), EInvalidCast);
}

TEST(DArray, TypedArraysLoadWholeElementsFromFlatArrays)
{
    TGLVectorDArray vectors;
    vectors.LoadFromArray(std::vector<float>{1, 2, 3, 4, 5, 6, 7});
    ASSERT_EQ(vectors.Count(), 2) << "the seventh value is ignored";
    EXPECT_EQ(vectors.GetVector(1).z, 6.0f);
    TGLColorDArray colors;
    colors.LoadFromArray(std::vector<uint8_t>{10, 20, 30, 40, 50, 60, 70});
    ASSERT_EQ(colors.Count(), 2);
    EXPECT_EQ(colors.GetColor(1), MakeColorRGBA(40, 50, 60, 255));
    EXPECT_EQ(static_cast<const uint8_t*>(colors.Data())[4], 40) << "red is the first byte of an element";
}
