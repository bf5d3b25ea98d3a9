#include "skin/controls/SkinLabels.h"

#include <algorithm>

#include <shellapi.h>

#include "classlib/graphics/GdiHandles.h"
#include "classlib/ui/Application.h"
#include "classlib/ui/ControlsRegistration.h"

// --- TspLabelSkin ------------------------------------------------------------------

TspLabelSkin::TspLabelSkin() : DefaultFont(std::make_unique<TFont>()) {}

void TspLabelSkin::GetSkinData(TspSkinData* data)
{
    const auto* record = FindSkinRecord<TspDataSkinStdLabelControl>(data, SkinDataName, FIndex);
    if (record == nullptr)
        return;
    FontName = record->FontName;
    FontStyle = record->FontStyle;
    FontHeight = record->FontHeight;
    FontColor = record->FontColor;
    ActiveFontColor = record->ActiveFontColor;
}

void TspLabelSkin::ChooseFont(TFont* target, TFont* controlFont) const
{
    if (FIndex == -1) {
        target->Assign(UseSkinFont ? DefaultFont.get() : controlFont);
        return;
    }
    if (UseSkinFont) {
        target->SetName(FontName);
        target->SetStyle(FontStyle);
        target->SetHeight(FontHeight);
    } else {
        target->Assign(controlFont);
    }
    target->SetColor(FontColor);
}

// --- TspSkinLabelT -------------------------------------------------------------------

template <class Base>
void TspSkinLabelT<Base>::DrawSkinText(TCanvas* canvas, const std::string& text, RECT& rect, UINT flags)
{
    canvas->Brush()->SetStyle(bsClear);
    if ((flags & DT_CALCRECT) != 0 || this->Enabled()) {
        canvas->DrawText(text, rect, flags);
        return;
    }
    const TColor color = canvas->Font()->Color();
    RECT shifted{rect.left + 1, rect.top + 1, rect.right + 1, rect.bottom + 1};
    canvas->Font()->SetColor(clBtnHighlight);
    canvas->DrawText(text, shifted, flags);
    canvas->Font()->SetColor(clBtnShadow);
    canvas->DrawText(text, rect, flags);
    canvas->Font()->SetColor(color);
}

template class TspSkinLabelT<TCustomLabel>;
template class TspSkinLabelT<TGraphicControl>;

// --- TspSkinStdLabel ----------------------------------------------------------------

TspSkinStdLabel::TspSkinStdLabel(TComponent* owner) : TspSkinLabelT(owner)
{
    SetTransparent(true);
}

void TspSkinStdLabel::ChangeSkinData()
{
    Skin.GetSkinData(SkinData());
    AdjustBounds();
    Repaint();
}

void TspSkinStdLabel::DoDrawText(RECT& rect, UINT flags)
{
    Skin.GetSkinData(SkinData());
    Skin.ChooseFont(Canvas()->Font(), Font());
    std::string text = Caption();
    if ((flags & DT_CALCRECT) != 0 && (text.empty() || (ShowAccelChar() && text == "&")))
        text = " ";
    if (!ShowAccelChar())
        flags |= DT_NOPREFIX;
    DrawSkinText(Canvas(), text, rect, flags);
}

// --- TspSkinLinkLabel ----------------------------------------------------------------

TspSkinLinkLabel::TspSkinLinkLabel(TComponent* owner) : TspSkinLabelT(owner)
{
    SetTransparent(true);
    Skin.DefaultFont->SetName("Arial");
    Skin.DefaultFont->SetHeight(14);
    Skin.DefaultFont->SetStyle(fsUnderline);
    SetFont(Skin.DefaultFont.get());
    SetCursor(crHandPoint);
}

void TspSkinLinkLabel::ChangeSkinData()
{
    Skin.GetSkinData(SkinData());
    AdjustBounds();
    Repaint();
}

void TspSkinLinkLabel::Click()
{
    TspSkinLabelT::Click();
    Application->ShellExecuteFile(nullptr, "open", URL, SW_SHOWNORMAL);
}

void TspSkinLinkLabel::WndProc(TMessage& message)
{
    if (message.Msg == CM_MOUSEENTER || message.Msg == CM_MOUSELEAVE) {
        FMouseIn = message.Msg == CM_MOUSEENTER;
        Repaint();
    }
    TspSkinLabelT::WndProc(message);
}

void TspSkinLinkLabel::DoDrawText(RECT& rect, UINT flags)
{
    Skin.GetSkinData(SkinData());
    TFont* font = Canvas()->Font();
    Skin.ChooseFont(font, Font());
    font->SetStyle(font->Style() | fsUnderline);
    if (FMouseIn)
        font->SetColor(Skin.FIndex != -1 ? Skin.ActiveFontColor : Skin.DefaultActiveFontColor);
    std::string text = Caption();
    if ((flags & DT_CALCRECT) != 0 && (text.empty() || (ShowAccelChar() && text == "&")))
        text = " ";
    if (!ShowAccelChar())
        flags |= DT_NOPREFIX;
    DrawSkinText(Canvas(), text, rect, flags);
}

// --- TspSkinTextLabel ------------------------------------------------------------------

TspSkinTextLabel::TspSkinTextLabel(TComponent* owner)
    : TspSkinLabelT(owner), FLines(std::make_unique<TStringList>())
{
    SetControlStyle(ControlStyle() & ~csOpaque);
    SetBounds(0, 0, 65, 65);
    FLines->OnChange = [this](TObject*) {
        AdjustBounds();
        Invalidate();
    };
}

void TspSkinTextLabel::ChangeSkinData()
{
    Skin.GetSkinData(SkinData());
    AdjustBounds();
    Repaint();
}

void TspSkinTextLabel::Loaded()
{
    TspSkinLabelT::Loaded();
    AdjustBounds();
}

void TspSkinTextLabel::SetAlignment(TAlignment value)
{
    if (value == FAlignment)
        return;
    FAlignment = value;
    Invalidate();
}

void TspSkinTextLabel::SetLayout(TTextLayout value)
{
    if (value == FLayout)
        return;
    FLayout = value;
    Invalidate();
}

void TspSkinTextLabel::SetWordWrap(bool value)
{
    if (value == FWordWrap)
        return;
    FWordWrap = value;
    AdjustBounds();
    Invalidate();
}

void TspSkinTextLabel::SetAutoSize(bool value)
{
    if (value == FAutoSize)
        return;
    FAutoSize = value;
    AdjustBounds();
}

UINT TspSkinTextLabel::TextFlags() const
{
    UINT flags = DT_EXPANDTABS | (FWordWrap ? DT_WORDBREAK : 0u);
    if (FAlignment == taRightJustify)
        flags |= DT_RIGHT;
    else if (FAlignment == taCenter)
        flags |= DT_CENTER;
    return flags;
}

void TspSkinTextLabel::AdjustBounds()
{
    if (!FAutoSize || (ComponentState() & csLoading) != 0)
        return;
    RECT rect{0, 0, Width(), 0};
    {
        const TScreenDC screen;
        const TPaintCanvasScope scope(Canvas(), screen.Get(), Font());
        Skin.GetSkinData(SkinData());
        Skin.ChooseFont(Canvas()->Font(), Font());
        Canvas()->DrawText(FLines->Text(), rect, DT_EXPANDTABS | DT_CALCRECT | (FWordWrap ? DT_WORDBREAK : 0u));
    }
    const int left = FAlignment == taRightJustify ? Left() + Width() - rect.right : Left();
    SetBounds(left, Top(), rect.right, rect.bottom);
}

void TspSkinTextLabel::WndProc(TMessage& message)
{
    if (message.Msg == CM_FONTCHANGED)
        AdjustBounds();
    TspSkinLabelT::WndProc(message);
}

void TspSkinTextLabel::Paint()
{
    Skin.GetSkinData(SkinData());
    Skin.ChooseFont(Canvas()->Font(), Font());
    const std::string text = FLines->Text();
    RECT rect{0, 0, Width(), Height()};
    const UINT flags = TextFlags();
    if (FLayout != tlTop) {
        RECT measured = rect;
        Canvas()->DrawText(text, measured, flags | DT_CALCRECT);
        const int room = Height() - (measured.bottom - measured.top);
        OffsetRect(&rect, 0, FLayout == tlBottom ? room : room / 2);
    }
    DrawSkinText(Canvas(), text, rect, flags);
}

// --- TspSkinButtonLabel -----------------------------------------------------------------

TspSkinButtonLabel::TspSkinButtonLabel(TComponent* owner)
    : TspSkinLabelT(owner), FGlyph(std::make_unique<TBitmap>())
{
    SetControlStyle((ControlStyle() | csSetCaption) & ~csOpaque);
    Skin.DefaultFont->SetName("Arial");
    Skin.DefaultFont->SetHeight(14);
    Skin.DefaultFont->SetStyle(0);
    // Drawn with DefaultFont without a record (and with one unless
    // UseSkinFont): a change shows at once.
    Skin.DefaultFont->OnChange = [this](TObject*) { Repaint(); };
    SetBounds(0, 0, 100, 50);
}

void TspSkinButtonLabel::ChangeSkinData()
{
    Skin.GetSkinData(SkinData());
    Repaint();
}

void TspSkinButtonLabel::SetGlyph(TBitmap* value)
{
    FGlyph->Assign(value);
    Repaint();
}

void TspSkinButtonLabel::SetNumGlyphs(int value)
{
    // The cell width is the glyph's width divided by this.
    FNumGlyphs = std::clamp(value, 1, 4);
    Repaint();
}

void TspSkinButtonLabel::SetMargin(int value)
{
    if (value < -1 || value == FMargin)
        return;
    FMargin = value;
    Repaint();
}

void TspSkinButtonLabel::SetSpacing(int value)
{
    if (value == FSpacing)
        return;
    FSpacing = value;
    Repaint();
}

void TspSkinButtonLabel::SetLayout(TspButtonLayout value)
{
    if (value == FLayout)
        return;
    FLayout = value;
    Repaint();
}

int TspSkinButtonLabel::GlyphNum() const
{
    if (FPressed && FMouseIn && FNumGlyphs > 2)
        return 3;
    if (FMouseIn && FNumGlyphs > 3)
        return 4;
    if (Enabled() || FNumGlyphs < 2)
        return 1;
    return 2;
}

void TspSkinButtonLabel::MouseDown(TMouseButton button, TShiftState shift, int x, int y)
{
    FPressed = true;
    Repaint();
    TspSkinLabelT::MouseDown(button, shift, x, y);
}

void TspSkinButtonLabel::MouseUp(TMouseButton button, TShiftState shift, int x, int y)
{
    FPressed = false;
    Repaint();
    TspSkinLabelT::MouseUp(button, shift, x, y);
}

void TspSkinButtonLabel::WndProc(TMessage& message)
{
    if (message.Msg == CM_MOUSEENTER || message.Msg == CM_MOUSELEAVE) {
        FMouseIn = message.Msg == CM_MOUSEENTER;
        Repaint();
    }
    TspSkinLabelT::WndProc(message);
}

void TspSkinButtonLabel::Paint()
{
    Skin.GetSkinData(SkinData());
    TFont* font = Canvas()->Font();
    if (Skin.FIndex == -1) {
        font->Assign(Skin.DefaultFont.get());
        if (FMouseIn)
            font->SetColor(Skin.DefaultActiveFontColor);
    } else {
        if (Skin.UseSkinFont) {
            font->SetName(Skin.FontName);
            font->SetStyle(Skin.FontStyle);
            font->SetHeight(Skin.FontHeight);
        } else {
            font->Assign(Skin.DefaultFont.get());
        }
        font->SetColor(FMouseIn ? Skin.ActiveFontColor : Skin.FontColor);
    }
    Canvas()->Brush()->SetStyle(bsClear);
    DrawImageAndText(Canvas(), RECT{0, 0, Width(), Height()}, FMargin, FPressed, GlyphNum(), FNumGlyphs,
                     FGlyph.get(), Caption(), FLayout, FSpacing);
}

// --- Registration ----------------------------------------------------------------------

namespace {

template <class T, class R>
void RegisterLabelSkin(R&& registration)
{
    registration.template Component<TspSkinData>("SkinData", &T::SetSkinData)
        .String("SkinDataName", [](T* label, const std::string& value) { label->Skin.SkinDataName = value; })
        .Bool("UseSkinFont", [](T* label, bool value) { label->Skin.UseSkinFont = value; })
        .Object("DefaultFont", [](T* label) { return label->Skin.DefaultFont.get(); });
}

}  // namespace

void RegisterSkinLabelClasses(TClassRegistry& classes)
{
    RegisterLabelSkin<TspSkinStdLabel>(classes.Register<TspSkinStdLabel>("TspSkinStdLabel", "TCustomLabel"));
    RegisterLabelSkin<TspSkinLinkLabel>(
        classes.Register<TspSkinLinkLabel>("TspSkinLinkLabel", "TCustomLabel")
            .String("URL", &TspSkinLinkLabel::URL)
            .Value("DefaultActiveFontColor",
                   [](TspSkinLinkLabel* l, const TFormValue& v) { l->Skin.DefaultActiveFontColor = FormValueToColor(v); }));
    RegisterLabelSkin<TspSkinTextLabel>(classes.Register<TspSkinTextLabel>("TspSkinTextLabel", "TGraphicControl")
                                            .Object("Lines", &TspSkinTextLabel::Lines)
                                            .Enum("Alignment", &TspSkinTextLabel::SetAlignment, AlignmentNames)
                                            .Enum("Layout", &TspSkinTextLabel::SetLayout, TextLayoutNames)
                                            .Bool("WordWrap", &TspSkinTextLabel::SetWordWrap)
                                            .Bool("AutoSize", &TspSkinTextLabel::SetAutoSize));
    RegisterLabelSkin<TspSkinButtonLabel>(
        classes.Register<TspSkinButtonLabel>("TspSkinButtonLabel", "TGraphicControl")
            .Binary("Glyph",
                    [](TspSkinButtonLabel* label, TStream& stream) {
                        label->Glyph()->LoadFromStream(stream);
                        label->Repaint();
                    })
            .Int("NumGlyphs", &TspSkinButtonLabel::SetNumGlyphs)
            .Int("Margin", &TspSkinButtonLabel::SetMargin)
            .Int("Spacing", &TspSkinButtonLabel::SetSpacing)
            .Enum("Layout", &TspSkinButtonLabel::SetLayout, ButtonLayoutNames)
            .Value("DefaultActiveFontColor",
                   [](TspSkinButtonLabel* l, const TFormValue& v) { l->Skin.DefaultActiveFontColor = FormValueToColor(v); }));
}
