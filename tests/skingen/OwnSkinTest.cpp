#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <sstream>

#include "SkinGen.h"
#include "SkinPack.h"
#include "classlib/core/FormParser.h"
#include "classlib/core/IniFiles.h"
#include "skin/controls/core/SkinControlGeometry.h"
#include "skin/core/SkinControlRecords.h"
#include "skin/core/SkinObjectRecords.h"
#include "skin/core/StoredSkinFormat.h"

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

    template <class Record>
    std::unique_ptr<Record> Control(const std::string& keyword, const std::string& name)
    {
        std::unique_ptr<TspDataSkinControl> record = CreateSkinControl(keyword, name);
        record->LoadFromFile(Ini);
        auto* typed = dynamic_cast<Record*>(record.get());
        EXPECT_NE(typed, nullptr) << name;
        record.release();
        return std::unique_ptr<Record>(typed);
    }
    template <class Record>
    std::unique_ptr<Record> Object(const std::string& keyword, const std::string& name)
    {
        std::unique_ptr<TspDataSkinObject> record = CreateSkinObject(keyword, name);
        record->LoadFromFile(Ini);
        auto* typed = dynamic_cast<Record*>(record.get());
        EXPECT_NE(typed, nullptr) << name;
        record.release();
        return std::unique_ptr<Record>(typed);
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

// Rows of the strip [x0, x1) x [y0, y1) that are not uniform along x, plus
// columns of [x0, x1) x [y0, y1) not uniform along y when vertical.
int NonUniform(const TDibImage& image, int x0, int y0, int x1, int y1, bool vertical)
{
    int count = 0;
    if (!vertical) {
        for (int y = y0; y < y1; ++y)
            for (int x = x0 + 1; x < x1; ++x)
                if (Pixel(image, x, y) != Pixel(image, x0, y)) {
                    ++count;
                    break;
                }
    } else {
        for (int x = x0; x < x1; ++x)
            for (int y = y0 + 1; y < y1; ++y)
                if (Pixel(image, x, y) != Pixel(image, x, y0)) {
                    ++count;
                    break;
                }
    }
    return count;
}

// The stretched spans of a nine-part image at `origin`: top and bottom
// strips between the corners are uniform along the rows, left and right
// strips along the columns.
void ExpectNinePartsTile(const TDibImage& image, const TRect& skinRect, TPoint lt, TPoint rt, TPoint lb, TPoint rb,
                         const std::string& what)
{
    const int x = skinRect.Left, y = skinRect.Top, w = skinRect.Right - x, h = skinRect.Bottom - y;
    EXPECT_EQ(NonUniform(image, x + lt.X, y, x + rt.X, y + lt.Y, false), 0) << what << " top";
    EXPECT_EQ(NonUniform(image, x + lb.X, y + lb.Y, x + rb.X, y + h, false), 0) << what << " bottom";
    EXPECT_EQ(NonUniform(image, x, y + lt.Y, x + lt.X, y + lb.Y, true), 0) << what << " left";
    EXPECT_EQ(NonUniform(image, x + rt.X, y + rt.Y, x + w, y + rb.Y, true), 0) << what << " right";
}

}  // namespace

// `make skin` was run after the generator last changed: the committed files
// are what it draws now, byte for byte.
TEST(OwnSkin, GeneratorReproducesTheCommittedFiles)
{
    for (const TSkinFile& file : GenerateSkin())
        EXPECT_TRUE(file.Bytes == ReadBytes(SkinFolder + file.Name)) << file.Name << " differs: run make skin";
}

TEST(OwnSkin, RecordsAndTheirGeometry)
{
    TOwnSkin skin;
    ASSERT_EQ(skin.Frame.Width, 128);
    ASSERT_EQ(skin.Frame.Height, 96);
    ASSERT_EQ(skin.Mask.BitCount, 1);

    auto button = skin.Control<TspDataSkinButtonControl>("button", "button");
    auto panel = skin.Control<TspDataSkinPanelControl>("panel", "panel");
    auto groupBox = skin.Control<TspDataSkinPanelControl>("panel", "groupbox");
    ASSERT_TRUE(button && panel && groupBox);

    // The button keeps the skin's height of 24 and fixed ends of 10 pixels;
    // its four looks share one size.
    const TspSkinGeometry b = Geometry(*button);
    EXPECT_EQ(b.ResizeMode, 2);
    EXPECT_EQ(b.SkinRect.Bottom - b.SkinRect.Top, 24);
    EXPECT_EQ(b.LTPoint.X, 10);
    EXPECT_EQ(b.SkinRect.Right - b.SkinRect.Left - b.RTPoint.X, 10);
    for (const TRect& r : {button->SkinRect, button->ActiveSkinRect, button->DownSkinRect, button->DisabledSkinRect}) {
        EXPECT_TRUE(Inside(r, skin.Controls));
        EXPECT_EQ(Size(r), Size(button->SkinRect));
    }

    // Panels and group boxes stretch in nine parts; the group box's caption
    // starts in its left-top corner and ends in the right-top one, so it
    // widens with the box.
    EXPECT_EQ(Geometry(*panel).ResizeMode, 1);
    const TspSkinGeometry g = Geometry(*groupBox);
    EXPECT_EQ(g.ResizeMode, 1);
    EXPECT_EQ(g.MoveSkinRect(groupBox->CaptionRect, 272, 100).Right, groupBox->CaptionRect.Right + 200);
    EXPECT_EQ(groupBox->BgPictureIndex, -1);
    for (const auto* record : {static_cast<TspDataSkinCustomControl*>(panel.get()), static_cast<TspDataSkinCustomControl*>(groupBox.get())}) {
        EXPECT_TRUE(Inside(record->SkinRect, skin.Controls)) << record->IDName;
        const TRect& c = record->ClientRect;
        EXPECT_TRUE(c.Left >= 0 && c.Top >= 0 && c.Right <= record->SkinRect.Right - record->SkinRect.Left &&
                    c.Bottom <= record->SkinRect.Bottom - record->SkinRect.Top)
            << record->IDName;
    }

    // The frame: the caption object widens with the window and ends before
    // the close button, which lies wholly in the right-top area; the
    // system-menu emblem lies in the left-top area.
    const TRect client = ReadRect(skin.Ini, "FORMINFO", "clientrect");
    const TPoint lt = ReadPoint(skin.Ini, "FORMINFO", "lefttoppoint");
    const TPoint rt = ReadPoint(skin.Ini, "FORMINFO", "righttoppoint");
    const TPoint lb = ReadPoint(skin.Ini, "FORMINFO", "leftbottompoint");
    const TPoint rb = ReadPoint(skin.Ini, "FORMINFO", "rightbottompoint");
    auto close = skin.Object<TspDataSkinStdButton>("stdbutton", "closebutton");
    auto sysMenu = skin.Object<TspDataSkinStdButton>("stdbutton", "sysmenubutton");
    auto caption = skin.Object<TspDataSkinCaption>("caption", "caption");
    ASSERT_TRUE(close && sysMenu && caption);
    EXPECT_EQ(close->Command, cmClose);
    EXPECT_EQ(sysMenu->Command, cmSysMenu);
    EXPECT_LT(caption->SkinRect.Left, lt.X);
    EXPECT_GE(caption->SkinRect.Right, rt.X);
    EXPECT_LE(caption->SkinRect.Bottom, lt.Y);
    EXPECT_LE(caption->SkinRect.Right, close->SkinRect.Left);
    EXPECT_GE(close->SkinRect.Left, rt.X);
    EXPECT_LE(close->SkinRect.Bottom, rt.Y);
    EXPECT_LE(sysMenu->SkinRect.Right, lt.X);
    EXPECT_LE(sysMenu->SkinRect.Bottom, lt.Y);
    for (const auto* object : {close.get(), sysMenu.get()}) {
        EXPECT_TRUE(Inside(object->SkinRect, skin.Frame));
        EXPECT_TRUE(Inside(object->ActiveSkinRect, skin.Controls));
        EXPECT_EQ(Size(object->ActiveSkinRect), Size(object->SkinRect));
    }
    // The corner points lie in the client area, so clamping them to it
    // changes nothing, and every strip has a span to repeat.
    for (const TPoint& p : {lt, rt, lb, rb})
        EXPECT_TRUE(p.X >= client.Left && p.X <= client.Right && p.Y >= client.Top && p.Y <= client.Bottom);
    EXPECT_GE(rt.X - lt.X, 1);
    EXPECT_GE(lb.Y - lt.Y, 1);
    for (int y = 0; y < lt.Y; ++y)
        for (int x = lt.X; x < rt.X; ++x)
            ASSERT_TRUE(MaskInside(skin.Mask, x, y)) << x << "," << y;
    EXPECT_FALSE(MaskInside(skin.Mask, 0, 0));
    EXPECT_FALSE(MaskInside(skin.Mask, 127, 0));
    EXPECT_TRUE(MaskInside(skin.Mask, 0, 95));
}

// Client areas are exactly the dialog colour (the plain controls on them
// paint their ground in it), and every stretched span is uniform along its
// stretching direction, so any size is seamless.
TEST(OwnSkin, ClientAreasAndStretchedSpans)
{
    TOwnSkin skin;
    const TRect client = ReadRect(skin.Ini, "FORMINFO", "clientrect");
    EXPECT_EQ(OffColour(skin.Frame, client), 0);
    ExpectNinePartsTile(skin.Frame, {0, 0, 128, 96}, ReadPoint(skin.Ini, "FORMINFO", "lefttoppoint"),
                        ReadPoint(skin.Ini, "FORMINFO", "righttoppoint"),
                        ReadPoint(skin.Ini, "FORMINFO", "leftbottompoint"),
                        ReadPoint(skin.Ini, "FORMINFO", "rightbottompoint"), "frame");

    for (const char* name : {"panel", "groupbox"}) {
        auto record = skin.Control<TspDataSkinPanelControl>("panel", name);
        const TRect& s = record->SkinRect;
        const TRect& c = record->ClientRect;
        EXPECT_EQ(OffColour(skin.Controls, {s.Left + c.Left, s.Top + c.Top, s.Left + c.Right, s.Top + c.Bottom}), 0)
            << name;
        ExpectNinePartsTile(skin.Controls, s, record->LeftTopPoint, record->RightTopPoint, record->LeftBottomPoint, record->RightBottomPoint, name);
    }
    auto button = skin.Control<TspDataSkinButtonControl>("button", "button");
    for (const TRect& r : {button->SkinRect, button->ActiveSkinRect, button->DownSkinRect, button->DisabledSkinRect}) {
        EXPECT_EQ(NonUniform(skin.Controls, r.Left + button->LeftTopPoint.X, r.Top, r.Left + button->RightTopPoint.X, r.Bottom,
                             false),
                  0);
        // Corners are drawn against the dialog colour: no mask is applied.
        EXPECT_EQ(Pixel(skin.Controls, r.Left, r.Top), DialogColour);
    }
}

// What the packer stores for the skin parses back to our pictures and ends
// exactly at the end of its data.
TEST(OwnSkin, StoredPicturesParseToTheSkinsSizes)
{
    const TFormObject block = ParseFormDescription(PackSkin(SkinFolder + "Skin.ini", {}));
    const TFormProperty* pictures = nullptr;
    for (const TFormProperty& property : block.Properties)
        if (property.Name == "Pictures")
            pictures = &property;
    ASSERT_NE(pictures, nullptr);
    TMemoryStream stream;
    stream.WriteBuffer(pictures->Value.Text.data(), static_cast<int64_t>(pictures->Value.Text.size()));
    stream.SetPosition(0);
    const TspSkinPictures read = ReadSkinPictures(stream);
    EXPECT_EQ(stream.Position(), stream.Size());
    EXPECT_EQ(read.Picture.Width, 128);
    EXPECT_EQ(read.Picture.Height, 96);
    EXPECT_EQ(read.Mask.BitCount, 1);
    EXPECT_EQ(read.RollupPicture.Width, 0);
    ASSERT_EQ(read.ActivePictures.size(), 1u);
    EXPECT_EQ(read.ActivePictures[0].Width, 128);
    EXPECT_EQ(read.ActivePictures[0].Height, 112);
}

// The settings form carries the skin as the packer makes it of the folder.
TEST(OwnSkin, SettingsFormStoresTheCurrentSkin)
{
    std::ostringstream errors;
    EXPECT_EQ(RunSkinPack({SkinFolder, "--replace", std::string(RESOURCES_DIR) + "/settings.form", "--check"}, errors), 0)
        << errors.str() << "run make skin";
}
