#include "gl/core/VectorMath.h"

#include <cmath>

#include <gtest/gtest.h>

namespace {

void ExpectVector(const TGLVector& v, float x, float y, float z, float tolerance = 1e-5f)
{
    EXPECT_NEAR(v.x, x, tolerance);
    EXPECT_NEAR(v.y, y, tolerance);
    EXPECT_NEAR(v.z, z, tolerance);
}

}  // namespace

TEST(MatrixMultiply, KnownProductAndAliasedOutputs)
{
    TGLMatrix a{};
    TGLMatrix b{};
    for (int i = 0; i < 16; ++i) {
        a[i] = 1.0f + static_cast<float>(i);
        b[i] = -3.0f + static_cast<float>(i);
    }
    TGLMatrix expected{};
    MatrixMultiply(a, b, expected);
    EXPECT_EQ(expected[7], 5 * 0 + 6 * 4 + 7 * 8 + 8 * 12);  // row 1, column 3
    TGLMatrix left = a;
    MatrixMultiply(left, b, left);
    EXPECT_EQ(left, expected);
    TGLMatrix right = b;
    MatrixMultiply(a, right, right);
    EXPECT_EQ(right, expected);
}

TEST(VectorTransforms, RotationsAndTranslationAlsoInPlace)
{
    TGLMatrix m{};
    MakeRotationMatrixX(m, 90);
    TGLVector v = MakeVector3(2, 1, 0);
    TransformVectors(&v, &v, 1, m);
    ExpectVector(v, 2, 0, 1);

    m = {2, 0, 0, 0, 1, 1, 0, 0, 0, 0, 1, 0, 10, 20, 30, 1};  // x scaled, x' += y, translated
    const TGLVector point = MakeVector3(1, 2, 3);
    TGLVector moved;
    TransformVectors(&point, &moved, 1, m);
    ExpectVector(moved, 14, 22, 33);
    RotateVectorsZ(&moved, &moved, 1, 90);
    ExpectVector(moved, -22, 14, 33);
}

TEST(VectorTransforms, NormalizingLeavesZeroVectorsAndInterpolationIsLinear)
{
    const TGLVector src[] = {MakeVector3(0, 0, 0), MakeVector3(3, 0, -4)};
    TGLVector dest[2];
    NormalizeVectors(src, dest, 2);
    ExpectVector(dest[0], 0, 0, 0, 0);
    ExpectVector(dest[1], 0.6f, 0, -0.8f);

    const TGLVector a[] = {MakeVector3(0, 10, -2)};
    const TGLVector b[] = {MakeVector3(4, 20, 2)};
    TGLVector out[1];
    InterpolateVectors(a, b, out, 1, 0.25f);
    ExpectVector(out[0], 1, 12.5f, -1);
}
