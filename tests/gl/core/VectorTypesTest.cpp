// Vector and colour types, their text forms, matrices and in-place vector
// transforms (normalizing and interpolation are proven through the
// primitives' normals and morphing).
#include "gl/core/VectorTypes.h"

#include <limits>

#include <gtest/gtest.h>

#include "classlib/core/Exceptions.h"
#include "gl/core/VectorMath.h"

namespace {

void ExpectVector(const TGLVector& v, float x, float y, float z)
{
    EXPECT_NEAR(v.x, x, 1e-5f);
    EXPECT_NEAR(v.y, y, 1e-5f);
    EXPECT_NEAR(v.z, z, 1e-5f);
}

}  // namespace

TEST(ColorConversion, FloatToByteRoundsTiesToEvenClampsAndRoundTrips)
{
    EXPECT_EQ(ColorFloatToByte(MakeVector4(0.5f, 0.125f, 0.375f, 1)), MakeColorRGBA(128, 32, 96, 255));
    EXPECT_EQ(ColorFloatToByte(MakeVector4(1.2f, -0.1f, 100, -100)), MakeColorRGBA(255, 0, 255, 0))
        << "out-of-range components are clamped, not wrapped";
    const float nan = std::numeric_limits<float>::quiet_NaN();
    EXPECT_EQ(ColorFloatToByte(MakeVector4(nan, 0.999f, 0, 0)), MakeColorRGBA(0, 255, 0, 0));
    for (int v = 0; v < 256; ++v) {
        const TGLColor c = MakeColorRGBA(static_cast<uint8_t>(v), static_cast<uint8_t>(255 - v), 0, 255);
        ASSERT_EQ(ColorFloatToByte(ColorByteToFloat(c)), c) << v;
    }
    EXPECT_FLOAT_EQ(ColorRefToFloat(0x7F0000FF).w, 1);
}

TEST(TextForms, MissingItemsKeepTheDefaultsAndValuesRoundTrip)
{
    const TGLColorFloat c = StrToColorFloat("\"0.5\" 0.25");
    EXPECT_EQ(c.y, 0.25f);
    EXPECT_EQ(c.z + c.w, 2.0f);
    EXPECT_EQ(StrToVector("7").y, 0.0f);
    EXPECT_EQ(VectorToStr(MakeVector3(0.1f, 1.0f / 3, 1e-6f)), "0.1,0.3333333,1E-6");
    const TGLVector v = MakeVector3(123.4567f, -0.0078125f, 98765.43f);
    EXPECT_FLOAT_EQ(StrToVector(VectorToStr(v)).z, v.z);
    EXPECT_EQ(StrToColorByte("10,20"), MakeColorRGBA(10, 20, 255, 255));
    EXPECT_EQ(StrToColorByte(ColorByteToStr(0x80FF0102u)), 0x80FF0102u);
}

TEST(TextForms, MalformedNumbersRaiseEConvertError)
{
    for (const char* text : {"abc", "1,,2", "0.5,", "1;2", "1.2.3", "1e999", "NAN", "1,\"\",2"}) {
        EXPECT_THROW(StrToColorFloat(text), EConvertError) << text;
        EXPECT_THROW(StrToVector(text), EConvertError) << text;
    }
    for (const char* text : {"256", "-1", "1.5", "255,"})
        EXPECT_THROW(StrToColorByte(text), EConvertError) << text;
}

TEST(VectorMath, ProductsMayOverwriteAnOperandAndTransformsWorkInPlace)
{
    TGLMatrix a{}, b{};
    for (int i = 0; i < 16; ++i) {
        a[i] = 1.0f + static_cast<float>(i);
        b[i] = -3.0f + static_cast<float>(i);
    }
    TGLMatrix expected{};
    MatrixMultiply(a, b, expected);
    EXPECT_EQ(expected[7], 5 * 0 + 6 * 4 + 7 * 8 + 8 * 12);  // row 1, column 3
    TGLMatrix left = a, right = b;
    MatrixMultiply(left, b, left);
    MatrixMultiply(a, right, right);
    EXPECT_EQ(left, expected);
    EXPECT_EQ(right, expected);

    TGLMatrix m{};
    MakeRotationMatrixX(m, 90);
    TGLVector v = MakeVector3(2, 1, 0);
    TransformVectors(&v, &v, 1, m);
    ExpectVector(v, 2, 0, 1);
    m = {2, 0, 0, 0, 1, 1, 0, 0, 0, 0, 1, 0, 10, 20, 30, 1};  // x scaled, x' += y, translated
    v = MakeVector3(1, 2, 3);
    TransformVectors(&v, &v, 1, m);
    ExpectVector(v, 14, 22, 33);
    RotateVectorsZ(&v, &v, 1, 90);
    ExpectVector(v, -22, 14, 33);
}
