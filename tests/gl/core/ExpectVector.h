// A vector compared component by component within float rounding.
#pragma once

#include <gtest/gtest.h>

#include "gl/core/VectorTypes.h"

inline void ExpectVector(const TGLVector& v, float x, float y, float z)
{
    EXPECT_NEAR(v.x, x, 1e-5f);
    EXPECT_NEAR(v.y, y, 1e-5f);
    EXPECT_NEAR(v.z, z, 1e-5f);
}
