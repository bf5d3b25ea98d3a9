#include "gl/core/VectorMath.h"

#include <cmath>

#include <gtest/gtest.h>

namespace {

void ExpectVector(const TGLVector& v, float x, float y, float z, float tolerance = 1e-6f)
{
    EXPECT_NEAR(v.x, x, tolerance);
    EXPECT_NEAR(v.y, y, tolerance);
    EXPECT_NEAR(v.z, z, tolerance);
}

TGLMatrix Sequence(float start)
{
    TGLMatrix m{};
    for (int i = 0; i < 16; ++i) m[i] = start + static_cast<float>(i);
    return m;
}

constexpr TGLMatrix Identity = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};

}  // namespace

TEST(MatrixMultiply, KnownProductAndAliasedOutputs)
{
    const TGLMatrix a = Sequence(1);
    const TGLMatrix b = Sequence(-3);
    TGLMatrix expected{};
    MatrixMultiply(a, b, expected);
    EXPECT_EQ(expected[0], 1 * -3 + 2 * 1 + 3 * 5 + 4 * 9);   // row 0 of A, column 0 of B
    EXPECT_EQ(expected[7], 5 * 0 + 6 * 4 + 7 * 8 + 8 * 12);    // row 1, column 3

    TGLMatrix left = a;
    MatrixMultiply(left, b, left);
    EXPECT_EQ(left, expected);
    TGLMatrix right = b;
    MatrixMultiply(a, right, right);
    EXPECT_EQ(right, expected);
}

TEST(MakeRotationMatrixX, RotatesYTowardZ)
{
    TGLMatrix m = Sequence(5);  // overwritten entirely
    MakeRotationMatrixX(m, 90);
    EXPECT_FLOAT_EQ(m[6], 1.0f);
    EXPECT_FLOAT_EQ(m[9], -1.0f);
    TGLVector v = MakeVector3(2, 1, 0);
    TransformVectors(&v, &v, 1, m);
    ExpectVector(v, 2, 0, 1);
    MakeRotationMatrixX(m, 0);
    EXPECT_EQ(m, Identity);
}

TEST(TransformVectors, PointsTakeTheTranslation)
{
    TGLMatrix m = Identity;
    m[0] = 2;  // x scaled
    m[4] = 1;  // x' += y
    m[12] = 10;
    m[13] = 20;
    m[14] = 30;
    const TGLVector src[] = {MakeVector3(1, 2, 3), MakeVector3(0, 0, 0)};
    TGLVector dest[2];
    TransformVectors(src, dest, 2, m);
    ExpectVector(dest[0], 14, 22, 33);
    ExpectVector(dest[1], 10, 20, 30);
}

TEST(RotateVectorsZ, TurnsAboutZInPlaceOrIntoAnotherArray)
{
    TGLVector v = MakeVector3(1, 0, 5);
    RotateVectorsZ(&v, &v, 1, 90);
    ExpectVector(v, 0, 1, 5);

    const TGLVector src[] = {MakeVector3(0, 2, -1), MakeVector3(3, 4, 0)};
    TGLVector dest[2];
    RotateVectorsZ(src, dest, 2, 180);
    ExpectVector(dest[0], 0, -2, -1);
    ExpectVector(dest[1], -3, -4, 0, 1e-5f);
}

TEST(NormalizeVectors, UnitLengthAndZeroVectorsUnchanged)
{
    TGLVector v = MakeVector3(3, 0, -4);
    NormalizeVector(v);
    ExpectVector(v, 0.6f, 0, -0.8f);

    const TGLVector src[] = {MakeVector3(0, 0, 0), MakeVector3(1, 1, 1)};
    TGLVector dest[2] = {MakeVector3(9, 9, 9), MakeVector3(9, 9, 9)};
    NormalizeVectors(src, dest, 2);
    ExpectVector(dest[0], 0, 0, 0, 0);
    const float third = 1 / std::sqrt(3.0f);
    ExpectVector(dest[1], third, third, third);
}

TEST(InterpolateVectors, LinearBetweenFrames)
{
    const TGLVector a[] = {MakeVector3(0, 10, -2)};
    const TGLVector b[] = {MakeVector3(4, 20, 2)};
    TGLVector out[1];
    InterpolateVectors(a, b, out, 1, 0.25f);
    ExpectVector(out[0], 1, 12.5f, -1);
    InterpolateVectors(a, b, out, 1, 2);
    ExpectVector(out[0], 8, 30, 6);
}
