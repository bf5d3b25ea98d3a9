#include "scene/core/SceneVisual.h"

#include "gl/core/GLBinding.h"
#include "scene/core/SceneLoader.h"

std::string VisualOptionsToStr(TVisualOptions options)
{
    std::string text;
    const auto append = [&](TVisualOptions member, const char* word) {
        if ((options & member) == 0)
            return;
        if (!text.empty())
            text += ",";
        text += word;
    };
    append(voPosition, "Position");
    append(voRotation, "Rotation");
    append(voScale, "Scale");
    return "[" + text + "]";
}

TVisualOptions StrToVisualOptions(const std::string& text)
{
    TVisualOptions options = 0;
    if (text.find("Position") != std::string::npos)
        options |= voPosition;
    if (text.find("Rotation") != std::string::npos)
        options |= voRotation;
    if (text.find("Scale") != std::string::npos)
        options |= voScale;
    return options;
}

// --- TMainVisualObject ---

void TMainVisualObject::Animate(float deltaTime)
{
    if (Visual != nullptr)
        Visual->Animate(deltaTime);
}

void TMainVisualObject::BeginRender()
{
    if (VisualOptions == 0)
        return;
    glPushMatrix();
    if (VisualOptions & voPosition)
        glTranslatef(Position.x, Position.y, Position.z);
    if (VisualOptions & voRotation) {
        glRotatef(Angles.y, 0, 1, 0);
        glRotatef(Angles.x, 1, 0, 0);
        glRotatef(Angles.z, 0, 0, 1);
    }
    if (VisualOptions & voScale)
        glScalef(Scale.x, Scale.y, Scale.z);
}

void TMainVisualObject::EndRender()
{
    if (VisualOptions != 0)
        glPopMatrix();
}

void TMainVisualObject::Render()
{
    // The passes apply the transform themselves; the item's usual frame
    // around them would apply it twice.
    if (!Visible())
        return;
    RenderOpaque();
    if (Alpha)
        RenderAlpha();
}

void TMainVisualObject::RenderOpaque()
{
    if (Visual == nullptr)
        return;
    BeginRender();
    Visual->RenderOpaque();
    EndRender();
}

void TMainVisualObject::RenderAlpha()
{
    if (Visual == nullptr)
        return;
    BeginRender();
    Visual->RenderAlpha();
    EndRender();
}

void TMainVisualObject::SaveOptions(TResourceLoader& writer)
{
    TMainSceneObject::SaveOptions(writer);
    writer.WriteString("VisualOptions", VisualOptionsToStr(VisualOptions));
    writer.WriteVector("Position", Position);
    writer.WriteVector("Scale", Scale);
    writer.WriteVector("Angles", Angles);
    writer.WriteReference("Visual", Visual);
}

void TMainVisualObject::LoadOptions(TResourceLoader& reader)
{
    TMainSceneObject::LoadOptions(reader);
    VisualOptions = StrToVisualOptions(reader.ReadString("VisualOptions", VisualOptionsToStr(VisualOptions)));
    Position = reader.ReadVector("Position", Position);
    Scale = reader.ReadVector("Scale", Scale);
    Angles = reader.ReadVector("Angles", Angles);
    Visual = reader.ReadReference("Visual", Visual);
}

// --- TMainVisualObjectList ---

TMainVisualObjectList::TMainVisualObjectList()
{
    SetVisible(true);
}

void TMainVisualObjectList::Animate(float deltaTime)
{
    if (Visual != nullptr && GetCount() > 0)
        Visual->Animate(deltaTime);
}

void TMainVisualObjectList::Render()
{
    Alpha = Visual != nullptr && Visual->Alpha;
    TMainItem::Render();
}

void TMainVisualObjectList::RenderOpaque()
{
    if (Visual == nullptr)
        return;
    for (int i = 0; i < GetCount(); ++i) {
        TMainItem* item = GetItem(i);
        item->BeginRender();
        Visual->RenderOpaque();
        item->EndRender();
    }
}

void TMainVisualObjectList::RenderAlpha()
{
    if (Visual == nullptr || !Visual->Alpha)
        return;
    for (int i = 0; i < GetCount(); ++i) {
        TMainItem* item = GetItem(i);
        item->BeginRender();
        Visual->RenderAlpha();
        item->EndRender();
    }
}

void TMainVisualObjectList::SetSorted(bool value)
{
    FNameIndex.SetSorted(value);
}

void TMainVisualObjectList::SaveOptions(TResourceLoader& writer)
{
    TResource::SaveOptions(writer);
    writer.WriteReference("Visual", Visual);
}

void TMainVisualObjectList::LoadOptions(TResourceLoader& reader)
{
    TResource::LoadOptions(reader);
    Visual = reader.ReadReference("Visual", Visual);
}
