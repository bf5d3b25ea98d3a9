// TOpenGLVector and TOpenGLCamera: the persistent camera of the default
// viewport - where the eye is, the direction it looks in and which way is
// up - as values a form description can set component by component
// ("Camera.Position.Z").
#pragma once

#include <memory>
#include <string>

#include "classlib/core/Components.h"
#include "gl/core/VectorTypes.h"

class TOpenGLVector : public TPersistent {
public:
    TOpenGLVector() = default;
    TOpenGLVector(float x, float y, float z) : X(x), Y(y), Z(z) {}
    TOpenGLVector(const TOpenGLVector&) = delete;
    TOpenGLVector& operator=(const TOpenGLVector&) = delete;

    std::string ClassName() const override { return "TOpenGLVector"; }

    void SetVector(float x, float y, float z);
    TGLVector Vector() const { return TGLVector{X, Y, Z}; }

    // Into another TOpenGLVector: copies X, Y and Z.
    void AssignTo(TPersistent* dest) override;

    float X = 0;
    float Y = 0;
    float Z = 0;
};

class TOpenGLCamera : public TPersistent {
public:
    // At (0, 0, 200) looking at the origin, up (0, 1, 0): Direction is the
    // normalised target - position, Up the normalised up vector.
    TOpenGLCamera();
    TOpenGLCamera(const TOpenGLCamera&) = delete;
    TOpenGLCamera& operator=(const TOpenGLCamera&) = delete;

    std::string ClassName() const override { return "TOpenGLCamera"; }

    TOpenGLVector* Direction() const { return FDirection.get(); }
    TOpenGLVector* Position() const { return FPosition.get(); }
    TOpenGLVector* Up() const { return FUp.get(); }
    void SetDirection(TOpenGLVector* value) { FDirection->Assign(value); }
    void SetPosition(TOpenGLVector* value) { FPosition->Assign(value); }
    void SetUp(TOpenGLVector* value) { FUp->Assign(value); }

    // Into another TOpenGLCamera: assigns the three vectors.
    void AssignTo(TPersistent* dest) override;

private:
    std::unique_ptr<TOpenGLVector> FDirection;
    std::unique_ptr<TOpenGLVector> FPosition;
    std::unique_ptr<TOpenGLVector> FUp;
};
