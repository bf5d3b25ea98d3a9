#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <sstream>

#include "SkinGen.h"
#include "SkinPack.h"
#include "classlib/core/BmpCodec.h"
#include "classlib/core/IniFiles.h"
#include "skin/controls/core/SkinControlGeometry.h"
#include "skin/core/SkinControlRecords.h"
#include "skin/core/SkinObjectRecords.h"

namespace {

const std::string SkinFolder = std::string(RESOURCES_DIR) + "/skin/";

std::vector<uint8_t> ReadBytes(const std::string& fileName)
{
    std::ifstream in(fileName, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TDibImage ReadPicture(const std::string& name)
{
    const std::vector<uint8_t> bytes = ReadBytes(SkinFolder + name);
    return ReadBmpFile(bytes.data(), bytes.size());
}

// 0x00RRGGBB of a 24-bit pixel.
uint32_t Pixel(const TDibImage& image, int x, int y)
{
    const uint8_t* p = image.ScanLine(y) + x * 3;
    return p[2] << 16 | p[1] << 8 | p[0];
}

bool MaskInside(const TDibImage& mask, int x, int y)
{
    return (mask.ScanLine(y)[x / 8] & (0x80 >> (x % 8))) == 0;
}

constexpr uint32_t DialogColour = DialogColourR << 16 | DialogColourG << 8 | DialogColourB;

struct TOwnSkin {
    TMemIniFile Ini{SkinFolder + "Skin.ini"};
    TDibImage Frame = ReadPicture("frame.bmp");
    TDibImage Mask = ReadPicture("mask.bmp");
    TDibImage Controls = ReadPicture("controls.bmp");
    // The frame's client area and corner points as the skin states them.
    TRect Client = ReadRect(Ini, "FORMINFO", "clientrect");
    TPoint LT = ReadPoint(Ini, "FORMINFO", "lefttoppoint");
    TPoint RT = ReadPoint(Ini, "FORMINFO", "righttoppoint");
    TPoint LB = ReadPoint(Ini, "FORMINFO", "leftbottompoint");
    TPoint RB = ReadPoint(Ini, "FORMINFO", "rightbottompoint");

    // The record loaded from the skin; null when it is not a Record.
    template <class Record, class Base>
    std::unique_ptr<Record> Load(std::unique_ptr<Base> record)
    {
        record->LoadFromFile(Ini);
        if (dynamic_cast<Record*>(record.get()) == nullptr)
            return nullptr;
        return std::unique_ptr<Record>(static_cast<Record*>(record.release()));
    }
};

TspSkinGeometry Geometry(const TspDataSkinCustomControl& record)
{
    TspSkinGeometry g;
    g.SkinRect = record.SkinRect;
    g.LTPoint = record.LeftTopPoint;
    g.RTPoint = record.RightTopPoint;
    g.LBPoint = record.LeftBottomPoint;
    g.RBPoint = record.RightBottomPoint;
    g.ClRect = record.ClientRect;
    g.ResizeMode = g.GetResizeMode();
    return g;
}

bool Inside(const TRect& r, const TDibImage& image)
{
    return r.Left >= 0 && r.Top >= 0 && r.Left < r.Right && r.Top < r.Bottom && r.Right <= image.Width &&
           r.Bottom <= image.Height;
}

TRect Size(const TRect& r)
{
    return {0, 0, r.Right - r.Left, r.Bottom - r.Top};
}

// Pixels of `area` (picture coordinates) that are not the dialog colour.
int OffColour(const TDibImage& image, const TRect& area)
{
    int count = 0;
    for (int y = area.Top; y < area.Bottom; ++y)
        for (int x = area.Left; x < area.Right; ++x)
            count += Pixel(image, x, y) != DialogColour;
    return count;
}

// True when every row of [x0, x1) x [y0, y1) is one colour along x (every
// column along y when vertical): such a span stretches seamlessly.
bool Uniform(const TDibImage& image, int x0, int y0, int x1, int y1, bool vertical)
{
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x)
            if (Pixel(image, x, y) != (vertical ? Pixel(image, x, y0) : Pixel(image, x0, y)))
                return false;
    return true;
}

// The stretched spans of a nine-part image at `origin`: top and bottom
// strips between the corners are uniform along the rows, left and right
// strips along the columns.
void ExpectNinePartsTile(const TDibImage& image, const TRect& skinRect, TPoint lt, TPoint rt, TPoint lb, TPoint rb,
                         const std::string& what)
{
    const int x = skinRect.Left, y = skinRect.Top, w = skinRect.Right - x, h = skinRect.Bottom - y;
    EXPECT_TRUE(Uniform(image, x + lt.X, y, x + rt.X, y + lt.Y, false)) << what << " top";
    EXPECT_TRUE(Uniform(image, x + lb.X, y + lb.Y, x + rb.X, y + h, false)) << what << " bottom";
    EXPECT_TRUE(Uniform(image, x, y + lt.Y, x + lt.X, y + lb.Y, true)) << what << " left";
    EXPECT_TRUE(Uniform(image, x + rt.X, y + rt.Y, x + w, y + rb.Y, true)) << what << " right";
}

}  // namespace

// `make skin` was run after the generator last changed: the committed files
// are what it draws now, byte for byte.
TEST(OwnSkin, GeneratorReproducesTheCommittedFiles)
{
    for (const TSkinFile& file : GenerateSkin())
        EXPECT_TRUE(file.Bytes == ReadBytes(SkinFolder + file.Name)) << file.Name << " differs: run make skin";
}

// The records fit the pictures and stretch as the design needs at any size:
// client areas are exactly the dialog colour (the plain controls on them
// paint their ground in it), and every stretched span is uniform along its
// stretching direction, so any size is seamless. The sizes themselves (the
// button's 24 pixels, its 10-pixel ends, the frame's corners and close
// button) are proven on screen by the program's own dialog (ProgramSkinTest).
TEST(OwnSkin, RecordsFitThePicturesAndStretchSeamlessly)
{
    TOwnSkin skin;
    ASSERT_EQ(skin.Mask.BitCount, 1);

    // The button stretches across only; its four looks share one size, and
    // their corners are drawn against the dialog colour (no mask is applied).
    auto button = skin.Load<TspDataSkinButtonControl>(CreateSkinControl("button", "button"));
    ASSERT_TRUE(button);
    EXPECT_EQ(Geometry(*button).ResizeMode, 2);
    for (const TRect& r : {button->SkinRect, button->ActiveSkinRect, button->DownSkinRect, button->DisabledSkinRect}) {
        EXPECT_TRUE(Inside(r, skin.Controls));
        EXPECT_EQ(Size(r), Size(button->SkinRect));
        const int left = r.Left + button->LeftTopPoint.X, right = r.Left + button->RightTopPoint.X;
        EXPECT_TRUE(Uniform(skin.Controls, left, r.Top, right, r.Bottom, false));
        EXPECT_EQ(Pixel(skin.Controls, r.Left, r.Top), DialogColour);
    }

    // Panels and group boxes stretch in nine parts; the group box's caption
    // starts in its left-top corner and ends in the right-top one, so it
    // widens with the box.
    for (const char* name : {"panel", "groupbox"}) {
        auto record = skin.Load<TspDataSkinPanelControl>(CreateSkinControl("panel", name));
        ASSERT_TRUE(record) << name;
        const TspSkinGeometry g = Geometry(*record);
        EXPECT_EQ(g.ResizeMode, 1) << name;
        const TRect& s = record->SkinRect;
        const TRect& c = record->ClientRect;
        const TRect client{s.Left + c.Left, s.Top + c.Top, s.Left + c.Right, s.Top + c.Bottom};
        EXPECT_TRUE(Inside(s, skin.Controls) && Inside(client, skin.Controls)) << name;
        EXPECT_EQ(OffColour(skin.Controls, client), 0) << name;
        ExpectNinePartsTile(skin.Controls, s, record->LeftTopPoint, record->RightTopPoint, record->LeftBottomPoint,
                            record->RightBottomPoint, name);
        if (std::string(name) == "groupbox") {
            EXPECT_EQ(g.MoveSkinRect(record->CaptionRect, 272, 100).Right, record->CaptionRect.Right + 200);
        }
    }

    // The frame: the caption object widens with the window and ends before
    // the close button, which lies wholly in the right-top area; the
    // system-menu emblem lies in the left-top area.
    auto close = skin.Load<TspDataSkinStdButton>(CreateSkinObject("stdbutton", "closebutton"));
    auto sysMenu = skin.Load<TspDataSkinStdButton>(CreateSkinObject("stdbutton", "sysmenubutton"));
    auto caption = skin.Load<TspDataSkinCaption>(CreateSkinObject("caption", "caption"));
    ASSERT_TRUE(close && sysMenu && caption);
    EXPECT_EQ(sysMenu->Command, cmSysMenu);
    EXPECT_LT(caption->SkinRect.Left, skin.LT.X);
    EXPECT_GE(caption->SkinRect.Right, skin.RT.X);
    EXPECT_LE(caption->SkinRect.Bottom, skin.LT.Y);
    EXPECT_LE(caption->SkinRect.Right, close->SkinRect.Left);
    EXPECT_GE(close->SkinRect.Left, skin.RT.X);
    EXPECT_LE(close->SkinRect.Bottom, skin.RT.Y);
    EXPECT_LE(sysMenu->SkinRect.Right, skin.LT.X);
    EXPECT_LE(sysMenu->SkinRect.Bottom, skin.LT.Y);
    for (const auto* object : {close.get(), sysMenu.get()}) {
        EXPECT_TRUE(Inside(object->SkinRect, skin.Frame));
        EXPECT_TRUE(Inside(object->ActiveSkinRect, skin.Controls));
        EXPECT_EQ(Size(object->ActiveSkinRect), Size(object->SkinRect));
    }
    // The corner points lie in the client area, so clamping them to it
    // changes nothing, and every strip has a span to repeat.
    const TRect& c = skin.Client;
    for (const TPoint& p : {skin.LT, skin.RT, skin.LB, skin.RB})
        EXPECT_TRUE(p.X >= c.Left && p.X <= c.Right && p.Y >= c.Top && p.Y <= c.Bottom);
    EXPECT_GE(skin.RT.X - skin.LT.X, 1);
    EXPECT_GE(skin.LB.Y - skin.LT.Y, 1);
    EXPECT_EQ(OffColour(skin.Frame, skin.Client), 0);
    const TRect frame{0, 0, skin.Frame.Width, skin.Frame.Height};
    ExpectNinePartsTile(skin.Frame, frame, skin.LT, skin.RT, skin.LB, skin.RB, "frame");
    // The stretched caption band is solid in the mask; the right-top corner
    // is cut like the left-top one the program's run sees.
    for (int y = 0; y < skin.LT.Y; ++y)
        for (int x = skin.LT.X; x < skin.RT.X; ++x)
            ASSERT_TRUE(MaskInside(skin.Mask, x, y)) << x << "," << y;
    EXPECT_FALSE(MaskInside(skin.Mask, skin.Mask.Width - 1, 0));
}

// The settings form carries the skin as the packer makes it of the folder.
TEST(OwnSkin, SettingsFormStoresTheCurrentSkin)
{
    std::ostringstream errors;
    EXPECT_EQ(RunSkinPack({SkinFolder, "--replace", std::string(RESOURCES_DIR) + "/settings.form", "--check"}, errors), 0)
        << errors.str() << "run make skin";
}
