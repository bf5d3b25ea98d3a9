#include "settings/SaverTestForm.h"

#include "classlib/core/SysUtils.h"
#include "gl/core/GLBinding.h"

namespace {

constexpr float TurnsPerSecond = 0.25f;
constexpr float TriangleDistance = 400;
// x, y, z of the triangle's corners.
constexpr GLfloat Triangle[] = {0, 120, 0, -104, -60, 0, 104, -60, 0};
constexpr GLfloat Colour[] = {0.2f, 0.7f, 1.0f, 1.0f};

}  // namespace

TSaverTestForm::TSaverTestForm(TComponent* owner) : TForm(owner)
{
    SetCaption("Corvalen");
    SetClientWidth(640);
    SetClientHeight(480);

    Display = new TGLDisplay(this);
    Display->DesktopOnly = true;
    ScreenSaver = new TGLScreenSaver(this);
    ScreenSaver->Title = "Corvalen";
    ScreenSaver->SetDisplay(Display);
    ScreenSaver->OnRender = [this](float deltaTime, bool) { Render(deltaTime); };
    ScreenSaver->OnFPSChanged = [this](TObject*) {
        SetCaption("Corvalen - " + IntToStr(ScreenSaver->GetFPS()) + " fps");
    };
    ScreenSaver->OnStart = [this](TObject*) { ScreenSaver->LoadOptions(); };
    Window = new TGLWindow(this);
    ScreenSaver->SetWindow(Window);
    Window->SetParent(this);

    Display->Loaded();
    ScreenSaver->Loaded();
}

void TSaverTestForm::Render(float deltaTime)
{
    FAngle += 360 * TurnsPerSecond * deltaTime;
    if (FAngle >= 360)
        FAngle -= 360;
    // Flat colour, both faces: no lights, textures or culling here.
    glDisable(GL_LIGHTING);
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_CULL_FACE);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glTranslatef(0, 0, -TriangleDistance);
    glRotatef(FAngle, 0, 1, 0);
    glColor4fv(Colour);
    glEnableClientState(GL_VERTEX_ARRAY);
    glVertexPointer(3, GL_FLOAT, 0, Triangle);
    glDrawArrays(GL_TRIANGLES, 0, 3);
    glDisableClientState(GL_VERTEX_ARRAY);
    glPopMatrix();
}
