// Vector and colour types, their text forms, matrices and in-place vector
// transforms (normalizing and interpolation are proven through the
// primitives' normals and morphing).
#include "gl/core/VectorTypes.h"

#include <vector>

#include <gtest/gtest.h>

#include "classlib/core/Exceptions.h"
#include "gl/core/VectorMath.h"
#include "ExpectVector.h"

TEST(ColorConversion, AColorRefGivesItsLowThreeBytesAsFractionsAndFullAlpha)
{
    const TGLColorFloat c = ColorRefToFloat(0x020080FF);  // the high byte is no alpha
    EXPECT_EQ((std::vector<float>{c.x, c.y, c.z, c.w}), (std::vector<float>{1, 128 / 255.0f, 0, 1}));
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
