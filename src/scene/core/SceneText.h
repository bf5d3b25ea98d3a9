// Texts drawn with a scene font in the transparent pass: one line
// (TSceneString) or several lines with one highlighted line that pulses
// between 80 % and 100 % of its colour once a second (TSceneText).
// Positions are pixels from the bottom left of the view.
#pragma once

#include <string>

#include "classlib/core/StringList.h"
#include "gl/core/VectorTypes.h"
#include "scene/core/SceneObjects.h"

class TSceneFont;

class TSceneBaseText : public TMainSceneObject {
public:
    // Visible, with a transparent pass, white, at (0, 0), no font.
    TSceneBaseText();

    std::string ClassName() const override { return "TSceneBaseText"; }

    void SetPosition(int x, int y);

    // The TMainObject keys, "Color", "X", "Y", "Font" (a reference to a
    // font; EInvalidCast for any other object) and "Enable3D".
    void SaveOptions(TResourceLoader& writer) override;
    void LoadOptions(TResourceLoader& reader) override;

    int X = 0;
    int Y = 0;
    TGLColor Color = MakeColorRGBA(255, 255, 255, 255);
    // Not owned.
    TSceneFont* Font = nullptr;
    // Kept in the description; the texts always draw in the font's view.
    bool Enable3D = false;
};

class TSceneString : public TSceneBaseText {
public:
    TSceneString() = default;

    std::string ClassName() const override { return "TSceneString"; }

    // With a font: BeginText, the font's colour := Color, DrawText at
    // (X, Y), EndText.
    void RenderAlpha() override;

    // The base keys and "Text".
    void SaveOptions(TResourceLoader& writer) override;
    void LoadOptions(TResourceLoader& reader) override;

    std::string Text;
};

// The colour of a highlighted line at blink phase p (0 <= p < 1): each
// byte c (alpha too) becomes trunc(c * 0.4 * p + c * 0.8) below 0.5, else
// trunc(c - c * 0.4 * (p - 0.5)).
TGLColor BlinkColor(TGLColor color, float phase);

class TSceneText : public TSceneBaseText {
public:
    // No lines, none highlighted, StringColor = Color.
    TSceneText();

    std::string ClassName() const override { return "TSceneText"; }

    // BlinkPhase += deltaTime, keeping only its fractional part from 1 up.
    void Animate(float deltaTime) override;
    // With a font: between BeginText and EndText every line i is drawn at
    // (X, Y - i * the line height), line StringIndex in the blinking
    // StringColor and the others in Color. The line height is FontCellSize,
    // or round(FontCellSize * ScaleY) with a Scaled font.
    void RenderAlpha() override;

    // The base keys, "StringColor", "StringIndex" and "Text1", "Text2" ...
    // one per line; reading replaces the lines and stops at the first
    // missing number.
    void SaveOptions(TResourceLoader& writer) override;
    void LoadOptions(TResourceLoader& reader) override;

    TStringList Lines;
    // The highlighted line; -1: none.
    int StringIndex = -1;
    TGLColor StringColor;
    float BlinkPhase = 0;
};
