#include "gl/core/GLMaterial.h"

GLenum TGLMaterial::Face() const
{
    if (!FFrontFace)
        return GL_BACK;
    return FBackFace ? GL_FRONT_AND_BACK : GL_FRONT;
}

void TGLMaterial::Apply()
{
    if (FDirtyMask == 0)
        return;
    const GLenum face = Face();
    if (FDirtyMask & dmAmbient)
        glMaterialfv(face, GL_AMBIENT, &FAmbient.x);
    if (FDirtyMask & dmDiffuse)
        glMaterialfv(face, GL_DIFFUSE, &FDiffuse.x);
    if (FDirtyMask & dmSpecular)
        glMaterialfv(face, GL_SPECULAR, &FSpecular.x);
    if (FDirtyMask & dmEmission)
        glMaterialfv(face, GL_EMISSION, &FEmission.x);
    if (FDirtyMask & dmShininess)
        glMaterialf(face, GL_SHININESS, FShininess);
    FDirtyMask = 0;
}

void TGLMaterial::ApplyAll()
{
    FDirtyMask = dmEverything;
    Apply();
}
