// The skinned labels: windowless text controls that take their font and
// colours from the skin record named SkinDataName ("stdlabel", a
// TspDataSkinStdLabelControl), or from DefaultFont (or their own Font)
// without one. Each follows skin changes through its own ChangeSkinData.
//
// Font choice, made again for every text drawing: without a record the font
// is DefaultFont when UseSkinFont, else the control's Font; with a record
// the skin's font name, style and height when UseSkinFont, else the
// control's Font, and always the skin's colour. The link label adds
// underline in every case and, under the mouse, takes the record's
// ActiveFontColor (DefaultActiveFontColor without a record).
//
// A disabled std, link or text label draws its text embossed: once at
// (+1, +1) in clBtnHighlight, then in place in clBtnShadow.
#pragma once

#include <memory>
#include <string>

#include "classlib/core/StringList.h"
#include "classlib/graphics/Bitmap.h"
#include "classlib/ui/StdCtrls.h"
#include "skin/controls/SkinButton.h"
#include "skin/controls/SkinControl.h"

// The record link and font copy every skinned label keeps.
class TspLabelSkin {
public:
    TspLabelSkin();

    int FIndex = -1;
    std::string SkinDataName = "stdlabel";
    bool UseSkinFont = true;
    std::unique_ptr<TFont> DefaultFont;
    TColor DefaultActiveFontColor = 0x00FF0000;
    // The copy of the record's font.
    std::string FontName;
    TFontStyles FontStyle = 0;
    int FontHeight = 0;
    TColor FontColor = 0;
    TColor ActiveFontColor = 0;

    // FIndex from `data` and SkinDataName (-1 without a skin, with an empty
    // one, or without a std-label record of that name) and the font copy.
    void GetSkinData(TspSkinData* data);
    // The font choice into `target`.
    void ChooseFont(TFont* target, TFont* controlFont) const;
};

// What the skinned labels share: the SkinData link, taken at once when it
// is set, and the record copy.
template <class Base>
class TspSkinLabelT : public TspSkinLinkT<Base> {
public:
    explicit TspSkinLabelT(TComponent* owner) : TspSkinLinkT<Base>(owner) {}

    void BeforeChangeSkinData() override { Skin.FIndex = -1; }

    TspLabelSkin Skin;

protected:
    void SkinDataChanged() override
    {
        if (this->SkinData() != nullptr)
            this->ChangeSkinData();
    }
    // Draws `text` with DrawTextA `flags` on `canvas` in its font; embossed
    // when the control is disabled and not measuring.
    void DrawSkinText(TCanvas* canvas, const std::string& text, RECT& rect, UINT flags);
};

class TspSkinStdLabel : public TspSkinLabelT<TCustomLabel> {
public:
    explicit TspSkinStdLabel(TComponent* owner);
    std::string ClassName() const override { return "TspSkinStdLabel"; }
    void ChangeSkinData() override;

protected:
    void DoDrawText(RECT& rect, UINT flags) override;
};

class TspSkinLinkLabel : public TspSkinLabelT<TCustomLabel> {
public:
    explicit TspSkinLinkLabel(TComponent* owner);
    std::string ClassName() const override { return "TspSkinLinkLabel"; }
    void ChangeSkinData() override;
    // The inherited click, then the shell opens URL (even an empty one).
    void Click() override;

    std::string URL;
    bool MouseIn() const { return FMouseIn; }

protected:
    void WndProc(TMessage& message) override;
    void DoDrawText(RECT& rect, UINT flags) override;

private:
    bool FMouseIn = false;
};

class TspSkinTextLabel : public TspSkinLabelT<TGraphicControl> {
public:
    explicit TspSkinTextLabel(TComponent* owner);
    std::string ClassName() const override { return "TspSkinTextLabel"; }
    void ChangeSkinData() override;
    void Loaded() override;

    TStrings* Lines() const { return FLines.get(); }
    void SetLines(TStrings* lines) { FLines->Assign(lines); }
    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment value);
    TTextLayout Layout() const { return FLayout; }
    void SetLayout(TTextLayout value);
    bool WordWrap() const { return FWordWrap; }
    void SetWordWrap(bool value);
    bool AutoSize() const { return FAutoSize; }
    void SetAutoSize(bool value);
    // With AutoSize (not while loading): the size of the text, measured on
    // the screen; a right-aligned label keeps its right edge.
    void AdjustBounds();

protected:
    void WndProc(TMessage& message) override;
    void Paint() override;

private:
    UINT TextFlags() const;

    std::unique_ptr<TStringList> FLines;
    TAlignment FAlignment = taLeftJustify;
    TTextLayout FLayout = tlTop;
    bool FWordWrap = false;
    bool FAutoSize = true;
};

class TspSkinButtonLabel : public TspSkinLabelT<TGraphicControl> {
public:
    explicit TspSkinButtonLabel(TComponent* owner);
    std::string ClassName() const override { return "TspSkinButtonLabel"; }
    void ChangeSkinData() override;

    TBitmap* Glyph() const { return FGlyph.get(); }
    void SetGlyph(TBitmap* value);
    // Held to 1..4.
    int NumGlyphs() const { return FNumGlyphs; }
    void SetNumGlyphs(int value);
    int Margin() const { return FMargin; }
    // Values below -1 are ignored.
    void SetMargin(int value);
    int Spacing() const { return FSpacing; }
    void SetSpacing(int value);
    TspButtonLayout Layout() const { return FLayout; }
    void SetLayout(TspButtonLayout value);

    bool Pressed() const { return FPressed; }
    bool MouseIn() const { return FMouseIn; }
    // The glyph cell (1-based) the current state shows.
    int GlyphNum() const;

protected:
    void WndProc(TMessage& message) override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    void Paint() override;

private:
    std::unique_ptr<TBitmap> FGlyph;
    int FNumGlyphs = 2;
    int FMargin = -1;
    int FSpacing = 1;
    TspButtonLayout FLayout = blGlyphLeft;
    bool FPressed = false;
    bool FMouseIn = false;
};

void RegisterSkinLabelClasses(TClassRegistry& classes);
