#include "gl/core/OpenGLCamera.h"

#include "gl/core/VectorMath.h"

void TOpenGLVector::SetVector(float x, float y, float z)
{
    X = x;
    Y = y;
    Z = z;
}

void TOpenGLVector::AssignTo(TPersistent* dest)
{
    if (auto* vector = dynamic_cast<TOpenGLVector*>(dest)) {
        vector->SetVector(X, Y, Z);
        return;
    }
    TPersistent::AssignTo(dest);
}

TOpenGLCamera::TOpenGLCamera()
    : FDirection(std::make_unique<TOpenGLVector>()),
      FPosition(std::make_unique<TOpenGLVector>(0, 0, 200)),
      FUp(std::make_unique<TOpenGLVector>())
{
    const TGLVector target{0, 0, 0};
    TGLVector direction{target.x - FPosition->X, target.y - FPosition->Y, target.z - FPosition->Z};
    NormalizeVector(direction);
    FDirection->SetVector(direction.x, direction.y, direction.z);
    TGLVector up{0, 1, 0};
    NormalizeVector(up);
    FUp->SetVector(up.x, up.y, up.z);
}

void TOpenGLCamera::AssignTo(TPersistent* dest)
{
    if (auto* camera = dynamic_cast<TOpenGLCamera*>(dest)) {
        camera->SetDirection(FDirection.get());
        camera->SetPosition(FPosition.get());
        camera->SetUp(FUp.get());
        return;
    }
    TPersistent::AssignTo(dest);
}
