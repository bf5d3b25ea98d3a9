// Matrices and in-place vector transforms (normalizing and interpolation
// are proven through the primitives' normals and morphing).
#include "gl/core/VectorMath.h"

#include <gtest/gtest.h>

namespace {

void ExpectVector(const TGLVector& v, float x, float y, float z)
{
    EXPECT_NEAR(v.x, x, 1e-5f);
    EXPECT_NEAR(v.y, y, 1e-5f);
    EXPECT_NEAR(v.z, z, 1e-5f);
}

}  // namespace

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
