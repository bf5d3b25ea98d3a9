// TGLMaterial: the OpenGL material of a surface.
//
// Like a light, a material records changed parameters as dirty bits and
// Apply sends only those. It is applied while drawing, so unlike a light it
// does not ask whether the context is active. A new material has every
// parameter dirty.
#pragma once

#include <cstdint>

#include "gl/core/GLBinding.h"
#include "gl/core/GLItemList.h"
#include "gl/core/VectorTypes.h"

class TGLMaterial : public TGLItem {
public:
    // Dirty bits, one per parameter.
    static constexpr uint32_t dmAmbient = 0x1;
    static constexpr uint32_t dmDiffuse = 0x2;
    static constexpr uint32_t dmSpecular = 0x8;
    static constexpr uint32_t dmEmission = 0x10;
    static constexpr uint32_t dmShininess = 0x20;
    static constexpr uint32_t dmAllParameters = dmAmbient | dmDiffuse | dmSpecular | dmEmission | dmShininess;
    static constexpr uint32_t dmEverything = 0x7FFFFFFF;

    explicit TGLMaterial(TGLItemList* ownerList) : TGLItem(ownerList) {}

    std::string ClassName() const override { return "TGLMaterial"; }

    // The parameters changed since the last Apply.
    uint32_t DirtyMask() const { return FDirtyMask; }

    const TGLColorFloat& Ambient() const { return FAmbient; }
    const TGLColorFloat& Diffuse() const { return FDiffuse; }
    const TGLColorFloat& Specular() const { return FSpecular; }
    const TGLColorFloat& Emission() const { return FEmission; }
    float Shininess() const { return FShininess; }
    bool BackFace() const { return FBackFace; }
    bool FrontFace() const { return FFrontFace; }

    void SetAmbient(const TGLColorFloat& color) { Change(FAmbient, color, dmAmbient); }
    void SetDiffuse(const TGLColorFloat& color) { Change(FDiffuse, color, dmDiffuse); }
    void SetSpecular(const TGLColorFloat& color) { Change(FSpecular, color, dmSpecular); }
    void SetEmission(const TGLColorFloat& color) { Change(FEmission, color, dmEmission); }
    void SetShininess(float shininess) { Change(FShininess, shininess, dmShininess); }
    // The faces the material is sent for; changing either marks every
    // parameter dirty, since the other faces keep what they had.
    void SetBackFace(bool on) { Change(FBackFace, on, dmAllParameters); }
    void SetFrontFace(bool on) { Change(FFrontFace, on, dmAllParameters); }

    // The face the material goes to: GL_FRONT_AND_BACK with both flags,
    // GL_FRONT with the front flag only, GL_BACK without the front flag.
    GLenum Face() const;

    // Sends the dirty parameters for Face (glMaterialfv / glMaterialf) and
    // clears the mask; nothing when the mask is clean.
    void Apply();
    // Marks everything dirty, then Apply.
    void ApplyAll();

private:
    // Records a value and marks it dirty.
    template <typename T>
    void Change(T& field, const T& value, uint32_t bits)
    {
        field = value;
        FDirtyMask |= bits;
    }

    TGLColorFloat FAmbient{0.2f, 0.2f, 0.2f, 1};
    TGLColorFloat FDiffuse{0.8f, 0.8f, 0.8f, 1};
    TGLColorFloat FSpecular{0, 0, 0, 0};
    TGLColorFloat FEmission{0, 0, 0, 0};
    float FShininess = 0;
    uint32_t FDirtyMask = dmAllParameters;
    bool FBackFace = false;
    bool FFrontFace = true;
};
