// Matrix and vector arithmetic of the OpenGL layer and the scene code.
//
// The operations on several vectors take plain pointers and a count, since
// their vectors live in the contiguous blocks of the vertex arrays. Angles
// are in degrees, converted with the single-precision factor of
// DegToRadSingle.
#pragma once

#include "gl/core/VectorTypes.h"

// C[i*4+j] = sum over k of A[i*4+k] * B[k*4+j]. The product is formed in a
// temporary, so C may be A or B.
void MatrixMultiply(const TGLMatrix& a, const TGLMatrix& b, TGLMatrix& c);
// The identity with a rotation about x: M[5] = M[10] = cos, M[6] = sin,
// M[9] = -sin.
void MakeRotationMatrixX(TGLMatrix& m, float degrees);

// Scales the vector to length 1; a zero vector stays as it is.
void NormalizeVector(TGLVector& v);
// dest[i] = src[i] normalised (a zero vector copied unchanged); dest may be src.
void NormalizeVectors(const TGLVector* src, TGLVector* dest, int count);

// Transforms each vector as a point (with the translation in M[12..14]):
// x' = x*M0 + y*M4 + z*M8 + M12, and so on. dest may be src.
void TransformVectors(const TGLVector* src, TGLVector* dest, int count, const TGLMatrix& m);
// Rotates each vector about the z axis: x' = x*cos - y*sin,
// y' = x*sin + y*cos, z unchanged. dest may be src.
void RotateVectorsZ(const TGLVector* src, TGLVector* dest, int count, float degrees);
// dest[i] = a[i] + (b[i] - a[i]) * t per component. dest may be a or b.
void InterpolateVectors(const TGLVector* a, const TGLVector* b, TGLVector* dest, int count, float t);
