#include "gl/core/VectorMath.h"

#include <cmath>

#include "app/core/MathPro.h"

void MatrixMultiply(const TGLMatrix& a, const TGLMatrix& b, TGLMatrix& c)
{
    TGLMatrix product{};
    for (int i = 0; i < 4; ++i) {
        for (int j = 0; j < 4; ++j) {
            float sum = 0.0f;
            for (int k = 0; k < 4; ++k) sum += a[i * 4 + k] * b[k * 4 + j];
            product[i * 4 + j] = sum;
        }
    }
    c = product;
}

void MakeRotationMatrixX(TGLMatrix& m, float degrees)
{
    float s = 0.0f;
    float c = 0.0f;
    SinCos(DegToRadSingle(degrees), s, c);
    m = {1, 0, 0, 0,
         0, c, s, 0,
         0, -s, c, 0,
         0, 0, 0, 1};
}

void NormalizeVector(TGLVector& v)
{
    const float length = std::sqrt(v.x * v.x + v.y * v.y + v.z * v.z);
    if (length == 0.0f) return;
    v.x /= length;
    v.y /= length;
    v.z /= length;
}

void NormalizeVectors(const TGLVector* src, TGLVector* dest, int count)
{
    for (int i = 0; i < count; ++i) {
        TGLVector v = src[i];
        NormalizeVector(v);
        dest[i] = v;
    }
}

void TransformVectors(const TGLVector* src, TGLVector* dest, int count, const TGLMatrix& m)
{
    for (int i = 0; i < count; ++i) {
        const TGLVector v = src[i];
        dest[i] = {v.x * m[0] + v.y * m[4] + v.z * m[8] + m[12],
                   v.x * m[1] + v.y * m[5] + v.z * m[9] + m[13],
                   v.x * m[2] + v.y * m[6] + v.z * m[10] + m[14]};
    }
}

void RotateVectorsZ(const TGLVector* src, TGLVector* dest, int count, float degrees)
{
    float s = 0.0f;
    float c = 0.0f;
    SinCos(DegToRadSingle(degrees), s, c);
    for (int i = 0; i < count; ++i) {
        const TGLVector v = src[i];
        dest[i] = {v.x * c - v.y * s, v.x * s + v.y * c, v.z};
    }
}

void InterpolateVectors(const TGLVector* a, const TGLVector* b, TGLVector* dest, int count, float t)
{
    for (int i = 0; i < count; ++i) {
        const TGLVector from = a[i];
        const TGLVector to = b[i];
        dest[i] = {from.x + (to.x - from.x) * t, from.y + (to.y - from.y) * t, from.z + (to.z - from.z) * t};
    }
}
