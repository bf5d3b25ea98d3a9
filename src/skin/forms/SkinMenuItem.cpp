#include "skin/forms/SkinMenuItem.h"

#include "classlib/core/ShortCuts.h"
#include "classlib/graphics/Colors.h"
#include "skin/EffectBmp.h"
#include "skin/SkinData.h"
#include "skin/SkinDraw.h"
#include "skin/SkinImages.h"
#include "skin/core/SkinMenuLayout.h"
#include "skin/forms/SkinMenu.h"
#include "skin/forms/SkinPopupWindow.h"

namespace {

constexpr TColor DefaultActiveFrame = 0x800000;
constexpr TColor DefaultActiveFill = 0xD2BDB6;

struct TGlyphName {
    const char* Name;
    void (*Draw)(TCanvas* canvas, int x, int y, TColor color);
};

// Items of the system menu are known by their names.
const TGlyphName GlyphNames[] = {
    {"DSF_CLOSE", DrawCloseGlyph},       {"TRAY_DSF_CLOSE", DrawCloseGlyph},
    {"DSF_MINITEM", DrawMinimizeGlyph},  {"DSF_MAXITEM", DrawMaximizeGlyph},
    {"DSF_RESTORE", DrawRestoreGlyph},   {"TRAY_DSF_RESTORE", DrawRestoreGlyph},
    {"DSF_ROLLUP", DrawRollDownGlyph},   {"DSF_MINTOTRAY", DrawMinToTrayGlyph},
};

const TGlyphName* FindGlyph(const std::string& name)
{
    for (const TGlyphName& glyph : GlyphNames)
        if (name == glyph.Name)
            return &glyph;
    return nullptr;
}

void Line(TCanvas* canvas, int x1, int y1, int x2, int y2)
{
    canvas->MoveTo(x1, y1);
    canvas->LineTo(x2, y2);
}

// The submenu arrow: four vertical lines narrowing to the right.
void DrawSubMenuArrow(TCanvas* canvas, int x, int y)
{
    for (int i = 0; i <= 3; ++i)
        Line(canvas, x + i, y + i, x + i, y + 7 - i);
}

void DrawCheckMark(TCanvas* canvas, int x, int y)
{
    for (int i = 0; i <= 2; ++i) {
        canvas->MoveTo(x, y + 5 - i);
        canvas->LineTo(x + 2, y + 7 - i);
        canvas->LineTo(x + 7, y + 2 - i);
    }
}

void DrawRadioBullet(TCanvas* canvas, int x, int y, TColor color)
{
    canvas->Brush()->SetColor(color);
    canvas->Brush()->SetStyle(bsSolid);
    canvas->Ellipse(x, y, x + 6, y + 6);
}

// The mark left of the caption: the item's image (framed when checked),
// else its system-menu glyph, else a checked item's radio bullet or check.
// `imageAt` and `markAt` are the image's and the marks' left edge and the
// text band's middle.
void DrawItemMark(TCanvas* canvas, TMenuItem* item, TCustomImageList* images, int imageX, int glyphX, int checkX,
                  int middle, TColor color)
{
    canvas->Pen()->SetColor(color);
    if (images != nullptr && item->ImageIndex() >= 0 && item->ImageIndex() < images->Count()) {
        const int y = middle - images->Height() / 2;
        images->Draw(canvas, imageX, y, item->ImageIndex(), item->Enabled());
        if (item->Checked()) {
            canvas->Brush()->SetColor(color);
            canvas->FrameRect({imageX - 1, y - 1, imageX + images->Width() + 1, y + images->Height() + 1});
        }
        return;
    }
    if (const TGlyphName* glyph = FindGlyph(item->Name())) {
        glyph->Draw(canvas, glyphX, middle - 4, color);
        return;
    }
    if (!item->Checked())
        return;
    if (item->RadioItem())
        DrawRadioBullet(canvas, checkX, middle - 3, color);
    else
        DrawCheckMark(canvas, checkX, middle - 4);
}

// Caption and shortcut, over what is drawn: the caption measured in
// (left, 0, right, 0), centred on `middle`, and the shortcut's text ending at
// `right`.
void DrawItemTexts(TCanvas* canvas, TMenuItem* item, int left, int right, int middle)
{
    canvas->Brush()->SetStyle(bsClear);
    RECT r{left, 0, right, 0};
    canvas->DrawText(item->Caption(), r, DT_CALCRECT);
    const int height = r.bottom - r.top;
    r.top = middle - height / 2;
    r.bottom = r.top + height;
    r.right += 2;
    canvas->DrawText(item->Caption(), r, DT_CENTER | DT_VCENTER);
    const std::string keys = ShortCutToText(item->ShortCut());
    if (!keys.empty()) {
        RECT k{0, 0, 0, 0};
        canvas->DrawText(keys, k, DT_CALCRECT);
        const int width = k.right - k.left;
        k = RECT{right - width, r.top, right, r.top + height};
        canvas->DrawText(keys, k, DT_RIGHT);
    }
    canvas->Brush()->SetStyle(bsSolid);
}

// The horizontal stretch of `source` of `picture` to `width`, drawn at (x, y).
void DrawHImage(TCanvas* canvas, TBitmap* picture, const TRect& source, int leftOffset, int rightOffset, int x, int y,
                int width)
{
    TBitmap image;
    CreateHSkinImage(leftOffset, rightOffset, &image, picture, source, width, source.Bottom - source.Top);
    canvas->Draw(x, y, &image);
}

}  // namespace

TspSkinMenuItem::TspSkinMenuItem(TspSkinPopupWindow* parent, TspDataSkinMenuItem* data, TMenuItem* menuItem)
    : Parent(parent), Data(data), MenuItem(menuItem)
{
    if (Data == nullptr)
        return;
    TspSkinData* skin = parent->SkinData();
    const int index = Data->ActivePictureIndex;
    if (skin != nullptr && index >= 0 && index < static_cast<int>(skin->ActivePictures.size())) {
        Picture = skin->ActivePictures[static_cast<size_t>(index)].get();
    } else {
        Picture = nullptr;
        Data->SkinRect = TRect{};
        Data->ActiveSkinRect = TRect{};
    }
}

bool TspSkinMenuItem::CanMorphing()
{
    if (!Visible) {
        MorphTenths = 0;
        MouseIn = false;
        Down = false;
        return false;
    }
    return Data != nullptr && Data->Morphing && Picture != nullptr && !IsSeparator();
}

void TspSkinMenuItem::MouseEnter(bool byKey)
{
    MouseIn = true;
    for (int i = 0; i < Parent->ItemCount(); ++i) {
        TspSkinMenuItem* other = Parent->Items(i);
        if (other != this && other->Down) {
            other->Down = false;
            other->Redraw();
        }
    }
    TspSkinMenu* menu = Parent->Menu();
    const int level = menu->LevelOf(Parent);
    const int deeper = static_cast<int>(menu->Levels().size()) - level - 1;
    if (Down && deeper >= 2) {
        menu->Levels()[static_cast<size_t>(level + 1)]->CloseSubLevels();
        return;
    }
    Redraw();
    menu->CheckItem(Parent, this, byKey, false);
}

void TspSkinMenuItem::MouseLeave()
{
    MouseIn = false;
    if (!Down)
        Redraw();
    TspSkinMenu* menu = Parent->Menu();
    if (menu->PendingItem == this) {
        menu->SubMenuTimer()->SetEnabled(false);
        menu->PendingItem = nullptr;
    }
}

void TspSkinMenuItem::Activate()
{
    if (!Down && MenuItem->Enabled())
        Parent->Menu()->CheckItem(Parent, this, false, true);
}

void TspSkinMenuItem::Redraw()
{
    if (CanMorphing())
        Parent->MorphTimer()->SetEnabled(true);
    else
        Parent->DrawItemNow(this);
}

bool TspSkinMenuItem::DoMorph()
{
    return SkinMenuMorphStep(MorphTenths, Active());
}

void TspSkinMenuItem::Draw(TCanvas* canvas)
{
    if (!Visible)
        return;
    if (Data != nullptr)
        DrawSkinItem(canvas, ItemRect);
    else
        DrawDefaultItem(canvas, ItemRect);
}

void TspSkinMenuItem::DrawDefaultItem(TCanvas* canvas, const TRect& r)
{
    const int w = r.Right - r.Left;
    const int h = r.Bottom - r.Top;
    const int x = r.Left;
    const int y = r.Top;
    TCustomImageList* images = Parent->Images();
    const int stripe = images != nullptr ? Parent->ImageColumnWidth() : SkinMenuDefaultStripeWidth;
    TColor textColor = MenuItem->Enabled() ? clWindowText : clBtnShadow;
    canvas->Brush()->SetStyle(bsSolid);
    if (Active()) {
        canvas->Pen()->SetColor(DefaultActiveFrame);
        canvas->Brush()->SetColor(DefaultActiveFill);
        canvas->Rectangle(x, y, x + w, y + h);
    } else {
        canvas->Brush()->SetColor(clBtnFace);
        canvas->FillRect({x, y, x + stripe, y + h});
        canvas->Brush()->SetColor(clWindow);
        canvas->FillRect({x + stripe, y, x + w, y + h});
    }
    if (IsSeparator()) {
        canvas->Pen()->SetColor(clBtnShadow);
        Line(canvas, x + stripe, y + h / 2, x + w, y + h / 2);
        return;
    }
    const int border = SkinMenuDefaultItemBorder;
    const TRect ir{x + border, y + border, x + w - border, y + h - border};
    const int middle = (ir.Top + ir.Bottom) / 2;
    canvas->Font()->Assign(Parent->Menu()->DefaultFont());
    canvas->Font()->SetColor(textColor);
    DrawItemTexts(canvas, MenuItem, ir.Left + stripe, ir.Right - SkinMenuDefaultTextRightMargin, middle);
    canvas->Pen()->SetColor(textColor);
    if (MenuItem->Count() > 0)
        DrawSubMenuArrow(canvas, ir.Right - 7, middle - 4);
    DrawItemMark(canvas, MenuItem, images, ir.Left, ir.Left + 2, ir.Left + 3, middle, textColor);
}

void TspSkinMenuItem::DrawSkinItem(TCanvas* canvas, const TRect& r)
{
    const int w = r.Right - r.Left;
    const int h = r.Bottom - r.Top;
    if (Picture == nullptr)
        return;
    if (IsSeparator()) {
        DrawHImage(canvas, Picture, Data->DividerRect, Data->DividerLeftOffset, Data->DividerRightOffset, r.Left,
                   r.Top, w);
        return;
    }
    const int tenths = CanMorphing() ? MorphTenths : (Active() ? 10 : 0);
    if (tenths == 0 || tenths == 10) {
        DrawHImage(canvas, Picture, tenths == 10 ? Data->ActiveSkinRect : Data->SkinRect, Data->ItemLeftOffset,
                   Data->ItemRightOffset, r.Left, r.Top, w);
    } else {
        // Between the looks: both stretched, then blended by the record's kind.
        TBitmap normal;
        TBitmap active;
        CreateHSkinImage(Data->ItemLeftOffset, Data->ItemRightOffset, &normal, Picture, Data->SkinRect, w, h);
        CreateHSkinImage(Data->ItemLeftOffset, Data->ItemRightOffset, &active, Picture, Data->ActiveSkinRect, w, h);
        TspEffectBmp normalImage(normal.Handle());
        const TspEffectBmp activeImage(active.Handle());
        normalImage.MorphByKind(activeImage, Data->MorphKind, MorphKf());
        normalImage.Draw(canvas->Handle(), r.Left, r.Top);
    }
    const TRect& tr = Data->TextRect;
    const int rm = w - ((Data->SkinRect.Right - Data->SkinRect.Left) - tr.Right);
    const int ic = Parent->ImageColumnWidth();
    const int middle = r.Top + (tr.Top + tr.Bottom) / 2;
    TColor color = Data->FontColor;
    if (!MenuItem->Enabled())
        color = Data->UnEnabledFontColor;
    else if (Active())
        color = Data->ActiveFontColor;
    canvas->Font()->SetName(Data->FontName);
    canvas->Font()->SetHeight(Data->FontHeight);
    canvas->Font()->SetStyle(Data->FontStyle);
    canvas->Font()->SetColor(color);
    DrawItemTexts(canvas, MenuItem, r.Left + tr.Left + ic, r.Left + rm - 16, middle);
    canvas->Pen()->SetColor(color);
    if (MenuItem->Count() > 0)
        DrawSubMenuArrow(canvas, r.Left + rm - 7, middle - 4);
    const int markX = r.Left + tr.Left + 2;
    DrawItemMark(canvas, MenuItem, Parent->Images(), markX, markX, markX, middle, color);
}
