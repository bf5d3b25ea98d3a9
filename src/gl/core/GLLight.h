// TGLLight: one OpenGL light, GL_LIGHT0 + its index.
//
// The light list gives each light the lowest index no other light of the
// list holds, below the driver's GL_MAX_LIGHTS, so that no two objects ever
// drive one GL light.
//
// Setters only record a value and mark it dirty; Apply sends exactly the
// dirty parameters, and only while the owning context is active, so values
// set before a context exists are sent once it does. A new light has every
// parameter dirty. A light without a GL light (index -1) sends nothing.
#pragma once

#include <cstdint>

#include "gl/core/GLItemList.h"
#include "gl/core/VectorTypes.h"

class TGLLight : public TGLItem {
public:
    // Dirty bits, one per parameter.
    static constexpr uint32_t dmAmbient = 0x1;
    static constexpr uint32_t dmDiffuse = 0x2;
    static constexpr uint32_t dmSpecular = 0x8;
    static constexpr uint32_t dmInfinite = 0x40;
    static constexpr uint32_t dmPosition = 0x80;
    static constexpr uint32_t dmDirection = 0x100;
    static constexpr uint32_t dmSpotExponent = 0x200;
    static constexpr uint32_t dmSpotCutoff = 0x400;
    static constexpr uint32_t dmConstantAttenuation = 0x800;
    static constexpr uint32_t dmLinearAttenuation = 0x1000;
    static constexpr uint32_t dmQuadraticAttenuation = 0x2000;
    static constexpr uint32_t dmTwoSide = 0x4000;
    static constexpr uint32_t dmLocalViewer = 0x8000;
    static constexpr uint32_t dmAllParameters = dmAmbient | dmDiffuse | dmSpecular | dmInfinite | dmPosition |
                                                dmDirection | dmSpotExponent | dmSpotCutoff |
                                                dmConstantAttenuation | dmLinearAttenuation |
                                                dmQuadraticAttenuation | dmTwoSide | dmLocalViewer;
    static constexpr uint32_t dmEverything = 0x7FFFFFFF;

    explicit TGLLight(TGLItemList* ownerList) : TGLItem(ownerList) {}
    // Switches the GL light off (while the context is active); leaving the
    // list hands its index back.
    ~TGLLight() override;

    std::string ClassName() const override { return "TGLLight"; }

    // The GL light is GL_LIGHT0 + Index; -1 when every light below
    // GL_MAX_LIGHTS was taken when this one was added (it drives none).
    int Index() const { return FIndex; }
    // The parameters changed since the last Apply.
    uint32_t DirtyMask() const { return FDirtyMask; }

    const TGLColorFloat& Ambient() const { return FAmbient; }
    const TGLColorFloat& Diffuse() const { return FDiffuse; }
    const TGLColorFloat& Specular() const { return FSpecular; }
    const TGLVector& Position() const { return FPosition; }
    const TGLVector& Direction() const { return FDirection; }
    float SpotExponent() const { return FSpotExponent; }
    float SpotCutoff() const { return FSpotCutoff; }
    float ConstantAttenuation() const { return FConstantAttenuation; }
    float LinearAttenuation() const { return FLinearAttenuation; }
    float QuadraticAttenuation() const { return FQuadraticAttenuation; }
    bool Infinite() const { return FInfinite; }
    bool LocalViewer() const { return FLocalViewer; }
    bool TwoSide() const { return FTwoSide; }

    void SetAmbient(const TGLColorFloat& color) { Change(FAmbient, color, dmAmbient); }
    void SetDiffuse(const TGLColorFloat& color) { Change(FDiffuse, color, dmDiffuse); }
    void SetSpecular(const TGLColorFloat& color) { Change(FSpecular, color, dmSpecular); }
    // Used only by a light that is not infinite.
    void SetPosition(const TGLVector& position) { Change(FPosition, position, dmPosition); }
    // The spot direction; an infinite light shines along it.
    void SetDirection(const TGLVector& direction) { Change(FDirection, direction, dmDirection); }
    void SetSpotExponent(float exponent) { Change(FSpotExponent, exponent, dmSpotExponent); }
    // Degrees; 180 is no spot.
    void SetSpotCutoff(float cutoff) { Change(FSpotCutoff, cutoff, dmSpotCutoff); }
    void SetConstantAttenuation(float value) { Change(FConstantAttenuation, value, dmConstantAttenuation); }
    void SetLinearAttenuation(float value) { Change(FLinearAttenuation, value, dmLinearAttenuation); }
    void SetQuadraticAttenuation(float value) { Change(FQuadraticAttenuation, value, dmQuadraticAttenuation); }
    // A directional light at infinity (w = 0).
    void SetInfinite(bool on) { Change(FInfinite, on, dmInfinite); }
    // The light-model values are shared by every light of the context: the
    // last light applied decides them.
    void SetLocalViewer(bool on) { Change(FLocalViewer, on, dmLocalViewer); }
    void SetTwoSide(bool on) { Change(FTwoSide, on, dmTwoSide); }

    // While the context is active: sends the dirty parameters and clears
    // the mask. Colours go as glLightfv; the placement as GL_POSITION
    // (position, 1) and GL_SPOT_DIRECTION for a light that is not infinite,
    // and as GL_POSITION (-direction, 0) for an infinite one; the spot and
    // attenuation values as glLightf; local viewer and two side as
    // glLightModeli. Otherwise nothing is sent and the mask stays.
    void Apply();
    // Marks everything dirty, then Apply.
    void ApplyAll();
    // Apply when anything is dirty, then glEnable of the GL light (only
    // while the context is active).
    void Enable();
    // glDisable of the GL light while the context is active.
    void Disable();

    // Presets.
    // A spot: not infinite.
    void SetupSpot();
    // A point light: not infinite, exponent 0, cutoff 180.
    void SetupPoint();
    // A directional light: infinite, exponent 0, cutoff 180, attenuation 1, 0, 0.
    void SetupParallel();
    // As SetupParallel, with the position put far out along the direction
    // (direction * 1e37).
    void SetupParallelFar();

private:
    friend class TGLLightList;

    // The context is active and the light drives a GL light.
    bool CanSend() const;
    // Records a value and marks it dirty.
    template <typename T>
    void Change(T& field, const T& value, uint32_t bits)
    {
        field = value;
        FDirtyMask |= bits;
    }

    TGLColorFloat FAmbient{0, 0, 0, 1};
    TGLColorFloat FDiffuse{1, 1, 1, 1};
    TGLColorFloat FSpecular{1, 1, 1, 1};
    TGLVector FPosition{0, 0, 0};
    TGLVector FDirection{0, 0, -1};
    float FSpotExponent = 0;
    float FSpotCutoff = 90;
    float FConstantAttenuation = 1;
    float FLinearAttenuation = 0;
    float FQuadraticAttenuation = 0;
    bool FInfinite = true;
    bool FLocalViewer = false;
    bool FTwoSide = false;
    int FIndex = -1;
    uint32_t FDirtyMask = dmAllParameters;
};
