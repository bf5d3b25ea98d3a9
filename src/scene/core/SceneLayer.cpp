#include "scene/core/SceneLayer.h"

#include "gl/core/GLBinding.h"
#include "scene/core/SceneLoader.h"

TSceneLayer::TSceneLayer()
{
    SetVisible(true);
}

void TSceneLayer::Render()
{
    if (!Visible())
        return;
    BeginRender();
    RenderOpaque();
    if (Alpha)
        RenderAlpha();
    EndRender();
}

void TMainSpriteList::Render()
{
    if (!Visible())
        return;
    if (Lighting)
        glEnable(GL_LIGHTING);
    else
        glDisable(GL_LIGHTING);
    glDisable(GL_CULL_FACE);
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_FOG);

    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glOrtho(0, ViewWidth, 0, ViewHeight, -100, 100);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    glTranslatef(Position.x, Position.y, 0);

    TSceneLayer::Render();

    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    glPopMatrix();
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_CULL_FACE);
}

void TMainSpriteList::LoadOptions(TResourceLoader& reader)
{
    TSceneLayer::LoadOptions(reader);
    Position = reader.ReadVector("Position", Position);
    ViewWidth = reader.ReadFloat("ViewWidth", ViewWidth);
    ViewHeight = reader.ReadFloat("ViewHeight", ViewHeight);
    Lighting = reader.ReadBool("Lighting", Lighting);
}

void TMainSpriteList::SaveOptions(TResourceLoader& writer)
{
    TSceneLayer::SaveOptions(writer);
    writer.WriteVector("Position", Position);
    writer.WriteFloat("ViewWidth", ViewWidth);
    writer.WriteFloat("ViewHeight", ViewHeight);
    writer.WriteBool("Lighting", Lighting);
}
