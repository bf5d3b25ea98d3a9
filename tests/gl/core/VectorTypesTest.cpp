#include "gl/core/VectorTypes.h"

#include <limits>

#include <gtest/gtest.h>

#include "classlib/core/Exceptions.h"

namespace {

void ExpectColor(const TGLColorFloat& c, float r, float g, float b, float a)
{
    EXPECT_FLOAT_EQ(c.x, r);
    EXPECT_FLOAT_EQ(c.y, g);
    EXPECT_FLOAT_EQ(c.z, b);
    EXPECT_FLOAT_EQ(c.w, a);
}

}  // namespace

TEST(ColorConversion, FloatToByteRoundsTiesToEvenAndClamps)
{
    EXPECT_EQ(ColorFloatToByte(MakeVector4(0.5f, 0, 1, 1)), MakeColorRGBA(128, 0, 255, 255))
        << "127.5 rounds to the even 128";
    // 2.5/255 and 3.5/255 as singles are not exact ties; these are.
    EXPECT_EQ(ColorFloatToByte(MakeVector4(0.25f, 0.75f, 0.125f, 0.375f)), MakeColorRGBA(64, 191, 32, 96));
    EXPECT_EQ(ColorFloatToByte(MakeVector4(1.2f, -0.1f, 100, -100)), MakeColorRGBA(255, 0, 255, 0))
        << "out-of-range components are clamped after rounding, not wrapped";
    const float nan = std::numeric_limits<float>::quiet_NaN();
    EXPECT_EQ(ColorFloatToByte(MakeVector4(nan, 0.999f, 0, 0)), MakeColorRGBA(0, 255, 0, 0));
}

TEST(ColorConversion, ByteFloatRoundTripIsExact)
{
    for (int v = 0; v < 256; ++v) {
        const auto b = static_cast<uint8_t>(v);
        const TGLColor c = MakeColorRGBA(b, static_cast<uint8_t>(255 - v), b, 255);
        ASSERT_EQ(ColorFloatToByte(ColorByteToFloat(c)), c) << v;
    }
    ExpectColor(ColorByteToFloat(MakeColorRGBA(255, 0, 51, 102)), 1, 0, 0.2f, 0.4f);
}

TEST(ColorConversion, ColorRefTakesTheLowThreeBytesWithOpaqueAlpha)
{
    ExpectColor(ColorRefToFloat(0x00FF8000), 0, 128 / 255.0f, 1, 1);
    ExpectColor(ColorRefToFloat(0x7F0000FF), 1, 0, 0, 1);
}

TEST(TextForms, FewerItemsKeepTheDefaults)
{
    ExpectColor(StrToColorFloat("0.5,0.25"), 0.5f, 0.25f, 1, 1);
    ExpectColor(StrToColorFloat("0.5, 0.25"), 0.5f, 0.25f, 1, 1);
    ExpectColor(StrToColorFloat("\"0.5\" 0.25"), 0.5f, 0.25f, 1, 1);
    ExpectColor(StrToColorFloat(""), 1, 1, 1, 1);
    ExpectColor(StrToColorFloat("0,0,0,0,abc"), 0, 0, 0, 0);  // extra items are ignored
    ExpectColor(StrToColorFloat("1E-1,-2.5e0,3,.5"), 0.1f, -2.5f, 3, 0.5f);
    // A vector's missing items are zero.
    const TGLVector v = StrToVector("7");
    EXPECT_EQ(v.x, 7.0f);
    EXPECT_EQ(v.y + v.z + StrToVector("").x, 0.0f);
}

TEST(TextForms, RealsUseSevenSignificantDigits)
{
    EXPECT_EQ(VectorToStr(MakeVector3(1, 0.5f, -2)), "1,0.5,-2");
    EXPECT_EQ(VectorToStr(MakeVector3(0.1f, 1.0f / 3, 1e-6f)), "0.1,0.3333333,1E-6");

    const TGLVector v = MakeVector3(123.4567f, -0.0078125f, 98765.43f);
    const TGLVector back = StrToVector(VectorToStr(v));
    EXPECT_FLOAT_EQ(back.x, v.x);
    EXPECT_FLOAT_EQ(back.y, v.y);
    EXPECT_FLOAT_EQ(back.z, v.z);
}

TEST(TextForms, ByteColorDecimalIntegersWith255Default)
{
    EXPECT_EQ(ColorByteToStr(MakeColorRGBA(0, 128, 255, 7)), "0,128,255,7");
    EXPECT_EQ(StrToColorByte("10,20"), MakeColorRGBA(10, 20, 255, 255));
    EXPECT_EQ(StrToColorByte(""), MakeColorRGBA(255, 255, 255, 255));
    EXPECT_EQ(StrToColorByte(ColorByteToStr(0x80FF0102u)), 0x80FF0102u);
}

TEST(TextForms, MalformedNumbersRaiseEConvertError)
{
    for (const char* text : {"abc", "1,,x", "1,,2", "0.5,", "1;2", "1.2.3", "0x", "1e999", "-1e39", "NAN",
                             "1,\"\",2"}) {
        EXPECT_THROW(StrToColorFloat(text), EConvertError) << text;
        EXPECT_THROW(StrToVector(text), EConvertError) << text;
    }
    for (const char* text : {"abc", "1,,x", "256", "-1", "1.5", "10,20,30,1000", "255,"}) {
        EXPECT_THROW(StrToColorByte(text), EConvertError) << text;
    }
}
