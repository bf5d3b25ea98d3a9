#include "SkinGen.h"

#include <algorithm>
#include <cmath>
#include <fstream>
#include <ostream>

namespace {

// The palette.
const TRgb Dialog = Rgb(DialogColourR, DialogColourG, DialogColourB);
const TRgb Navy = Rgb(6, 40, 74);
const TRgb Ocean = Rgb(14, 90, 150);
const TRgb Teal = Rgb(28, 143, 196);
const TRgb Aqua = Rgb(95, 208, 245);
const TRgb Foam = Rgb(230, 248, 255);
const TRgb Coral = Rgb(242, 107, 91);
const TRgb White = Rgb(255, 255, 255);

using TDistance = TSkinPainter::TDistance;

// A shape's distance moved inward by `inset` pixels: the shape shrunk by it.
TDistance Inset(TDistance d, double inset)
{
    return [d, inset](double x, double y) { return d(x, y) + inset; };
}

TPixelRect Clip(int l, int t, int r, int b)
{
    return {l, t, r, b};
}

// The colour of the title band at picture row y (0 to 23): navy at the top
// to teal at the bottom, a function of the row alone.
TRgb TitleBand(double y)
{
    const double t = std::clamp((y - 1) / 22, 0.0, 1.0);
    return t < 0.55 ? Mix(Navy, Ocean, t / 0.55) : Mix(Ocean, Teal, (t - 0.55) / 0.45);
}

TRgb VerticalGradient(double y, double top, double bottom, const TRgb& a, const TRgb& b)
{
    return Mix(a, b, std::clamp((y - top) / (bottom - top), 0.0, 1.0));
}

// A glass bubble: a tinted body, a bright rim and a highlight up left.
void Bubble(TSkinPainter& p, const TPixelRect& clip, double cx, double cy, double r, const TRgb& body,
            double bodyOpacity, const TRgb& rim, double rimOpacity)
{
    const TDistance disc = [=](double x, double y) { return SdCircle(x, y, cx, cy, r); };
    const double rimWidth = std::min(1.0, r * 0.4);
    p.Fill(clip, disc, body, bodyOpacity);
    p.Fill(clip, [=](double x, double y) { return std::fabs(disc(x, y) + rimWidth / 2) - rimWidth / 2; }, rim,
           rimOpacity);
    p.Fill(clip, [=](double x, double y) { return SdCircle(x, y, cx - r * 0.38, cy - r * 0.38, r * 0.3); },
           White, 0.85);
}

// The close button's look in the 16 x 16 cell at (l, t), on the title band
// whose row is bandTop at the cell's top: a bubble with a white cross.
void CloseLook(TSkinPainter& p, int l, int t, int bandTop, bool hot)
{
    const TPixelRect cell = Clip(l, t, l + 16, t + 16);
    p.Fill(cell, [](double, double) { return -1.0; }, [=](double, double y) { return TitleBand(y - t + bandTop); });
    const double cx = l + 8, cy = t + 8, r = 7.25;
    const TDistance disc = [=](double x, double y) { return SdCircle(x, y, cx, cy, r); };
    const TRgb top = hot ? Mix(Coral, White, 0.35) : Mix(Teal, Aqua, 0.5);
    const TRgb bottom = hot ? Mix(Coral, Rgb(180, 50, 40), 0.45) : Ocean;
    p.Fill(cell, disc, Navy);
    p.Fill(cell, Inset(disc, 1), [=](double, double y) { return VerticalGradient(y, t + 1, t + 15, top, bottom); });
    p.Fill(cell, [=](double x, double y) { return SdRoundRect(x, y, cx - 4.5, t + 2, cx + 4.5, t + 7, 2.5, 2.5); },
           White, 0.35);
    const double a = 2.75;
    p.Fill(cell, [=](double x, double y) {
        return std::min(SdSegment(x, y, cx - a, cy - a, cx + a, cy + a, 0.95),
                        SdSegment(x, y, cx - a, cy + a, cx + a, cy - a, 0.95));
    }, White);
}

// The system-menu emblem in the 16 x 16 cell at (l, t): a bubble and a small
// one beside it, brighter when hot.
void EmblemLook(TSkinPainter& p, int l, int t, int bandTop, bool hot)
{
    const TPixelRect cell = Clip(l, t, l + 16, t + 16);
    p.Fill(cell, [](double, double) { return -1.0; }, [=](double, double y) { return TitleBand(y - t + bandTop); });
    Bubble(p, cell, l + 7, t + 9, 6, hot ? Aqua : Teal, hot ? 0.75 : 0.45, Foam, hot ? 1.0 : 0.8);
    Bubble(p, cell, l + 13.2, t + 2.8, 2.2, hot ? Aqua : Teal, hot ? 0.75 : 0.45, Foam, hot ? 1.0 : 0.8);
}

enum class TButtonLook { Normal, Hot, Down, Disabled };

// A 64 x 24 button look at (l, t): a pill of radius 10 with an outline, a
// vertical gradient and (except down) a gloss band; the ends are 10 pixels
// wide and everything between them is uniform along the rows.
void ButtonLook(TSkinPainter& p, int l, int t, TButtonLook look)
{
    const TPixelRect cell = Clip(l, t, l + 64, t + 24);
    const TDistance pill = [=](double x, double y) { return SdRoundRect(x, y, l, t, l + 64, t + 24, 10, 10); };
    const TDistance gloss = [=](double x, double y) {
        return SdRoundRect(x, y, l + 4, t + 2, l + 60, t + 11, 6, 4);
    };
    const auto gradient = [=](const TRgb& top, const TRgb& bottom) {
        return [=](double, double y) { return VerticalGradient(y, t + 1, t + 23, top, bottom); };
    };
    // The gloss band lightens the body below it, strongest at its top.
    const auto glossOver = [=](const TSkinPainter::TShade& body, double strength) {
        return [=](double x, double y) {
            return Mix(body(x, y), White, strength * (1 - 0.75 * std::clamp((y - t - 2) / 9, 0.0, 1.0)));
        };
    };
    switch (look) {
    case TButtonLook::Normal: {
        const TSkinPainter::TShade body = gradient(Rgb(168, 228, 250), Teal);
        p.Fill(cell, pill, Ocean);
        p.Fill(cell, Inset(pill, 1), body);
        p.Fill(cell, gloss, glossOver(body, 0.55));
        break;
    }
    case TButtonLook::Hot: {
        const TSkinPainter::TShade body = gradient(Foam, Mix(Teal, Aqua, 0.55));
        p.Fill(cell, pill, Ocean);
        p.Fill(cell, Inset(pill, 1), Aqua);
        p.Fill(cell, Inset(pill, 2), body);
        p.Fill(cell, gloss, glossOver(body, 0.65));
        break;
    }
    case TButtonLook::Down:
        p.Fill(cell, pill, Navy);
        p.Fill(cell, Inset(pill, 1), gradient(Mix(Navy, Ocean, 0.6), Mix(Teal, Ocean, 0.3)));
        p.Fill(cell, [=](double x, double y) { return std::max(Inset(pill, 1)(x, y), y - (t + 3)); }, Navy, 0.35);
        break;
    case TButtonLook::Disabled: {
        const TSkinPainter::TShade body = gradient(Rgb(206, 216, 224), Rgb(156, 174, 190));
        p.Fill(cell, pill, Rgb(118, 140, 160));
        p.Fill(cell, Inset(pill, 1), body);
        p.Fill(cell, gloss, glossOver(body, 0.3));
        break;
    }
    }
}

// The panel look (40 x 40 at (l, t)): a 5-pixel glass rim of radius 4
// around a flat client.
void PanelLook(TSkinPainter& p, int l, int t)
{
    const TPixelRect cell = Clip(l, t, l + 40, t + 40);
    const TDistance outer = [=](double x, double y) { return SdRoundRect(x, y, l, t, l + 40, t + 40, 4, 4); };
    const TRgb rings[] = {Navy, Teal, Aqua, Mix(Aqua, Foam, 0.6), Ocean};
    for (int k = 0; k < 5; ++k)
        p.Fill(cell, Inset(outer, k), rings[k]);
    p.Rect(Clip(l + 5, t + 5, l + 35, t + 35), Dialog);
}

// The group box look (72 x 64 at (l, t)): a caption band (rows 0-17) with
// rounded top corners, a navy and an aqua line under it, a 3-pixel rim and a
// cluster of bubbles at the right end of the band.
void GroupBoxLook(TSkinPainter& p, int l, int t)
{
    const TPixelRect cell = Clip(l, t, l + 72, t + 64);
    const TDistance outer = [=](double x, double y) { return SdRoundRect(x, y, l, t, l + 72, t + 64, 6, 4); };
    p.Fill(cell, outer, Navy);
    p.Fill(Clip(l, t, l + 72, t + 18), Inset(outer, 1),
           [=](double, double y) { return VerticalGradient(y, t + 1, t + 17, Mix(Ocean, Teal, 0.55), Ocean); });
    p.Fill(Clip(l, t + 1, l + 72, t + 2), Inset(outer, 1), Aqua, 0.55);
    p.Fill(Clip(l, t + 18, l + 72, t + 64), Inset(outer, 1), Teal);
    p.Fill(Clip(l, t + 18, l + 72, t + 64), Inset(outer, 2), Aqua);
    p.Rect(Clip(l + 1, t + 18, l + 71, t + 19), Navy);
    p.Rect(Clip(l + 2, t + 19, l + 70, t + 20), Aqua);
    p.Rect(Clip(l + 3, t + 20, l + 69, t + 61), Dialog);
    const TPixelRect cluster = Clip(l + 63, t + 1, l + 70, t + 17);
    Bubble(p, cluster, l + 66.5, t + 12, 3.2, Aqua, 0.3, Foam, 0.9);
    Bubble(p, cluster, l + 64.9, t + 6.2, 1.8, Aqua, 0.3, Foam, 0.9);
    Bubble(p, cluster, l + 67.9, t + 3.2, 1.3, Aqua, 0.3, Foam, 0.9);
}

// The frame's outline: the window's shape, top corners rounded with radius 6.
double FrameShape(double x, double y)
{
    return SdRoundRect(x, y, 0, 0, 128, 96, 6, 0);
}

}  // namespace

TDibImage PaintFramePicture()
{
    TSkinPainter p(128, 96, Dialog);
    const TPixelRect all = Clip(0, 0, 128, 96);
    p.Fill(all, FrameShape, Navy);
    p.Fill(Clip(0, 0, 128, 24), Inset(FrameShape, 1), [](double, double y) { return TitleBand(y); });
    p.Fill(Clip(0, 1, 128, 2), Inset(FrameShape, 1), Aqua, 0.6);
    const TRgb rings[] = {Teal, Aqua, Ocean};
    for (int k = 0; k < 3; ++k)
        p.Fill(Clip(0, 24, 128, 96), Inset(FrameShape, k + 1), rings[k]);
    p.Rect(Clip(4, 24, 124, 92), Dialog);
    EmblemLook(p, 5, 4, 4, false);
    CloseLook(p, 104, 4, 4, false);
    return p.ToDib();
}

TDibImage PaintFrameMask()
{
    TSkinPainter p(128, 96, Dialog);
    return p.ToMask([](int x, int y) { return FrameShape(x + 0.5, y + 0.5) <= 0; });
}

TDibImage PaintControlsPicture()
{
    TSkinPainter p(128, 112, Dialog);
    ButtonLook(p, 0, 0, TButtonLook::Normal);
    ButtonLook(p, 64, 0, TButtonLook::Hot);
    ButtonLook(p, 0, 24, TButtonLook::Down);
    ButtonLook(p, 64, 24, TButtonLook::Disabled);
    CloseLook(p, 0, 48, 4, true);
    EmblemLook(p, 0, 64, 4, true);
    PanelLook(p, 16, 48);
    GroupBoxLook(p, 56, 48);
    return p.ToDib();
}

std::string SkinIniText()
{
    return R"([VERSION]
skinname=Corvalen Deep Water
[PICTURES]
picture=frame.bmp
mask=mask.bmp
rolluppicture=
rollupmask=
activepicturescount=1
0=controls.bmp
[FORMINFO]
clientrect=4,24,124,92
lefttoppoint=32,24
righttoppoint=96,24
leftbottompoint=32,92
rightbottompoint=96,92
maskrectarea=0,6,128,96
bgpictureindex=-1
borderwidth=0
autorenderinginactiveimage=0
[POPUPWINDOW]
windowpictureindex=-1
itemsrect=2,2,59,38
scrollmarkercolor=0
scrollmarkeractivecolor=16777215
[HINTWINDOW]
fontname=Arial
fontheight=14
fontstyle=
fontcolor=16777215
[SKINOBJECTS]
count=3
0=closebutton:stdbutton
1=caption:caption
2=sysmenubutton:stdbutton
[closebutton]
command=cmclose
skinrect=104,4,120,20
activepictureindex=0
activeskinrect=0,48,16,64
morphing=1
morphkind=mkdefault
[caption]
skinrect=24,2,100,22
textrect=0,0,76,20
defaultcaption=1
fontname=Arial
fontheight=14
fontstyle=fsbold
fontcolor=15257513
activefontcolor=16777215
shadow=1
shadowcolor=4859910
activeshadowcolor=4859910
alignment=taleftjustify
[sysmenubutton]
command=cmsysmenu
skinrect=5,4,21,20
activepictureindex=0
activeskinrect=0,64,16,80
morphing=1
morphkind=mkdefault
[SKINCONTROLS]
count=3
0=button:button
1=panel:panel
2=groupbox:panel
[button]
pictureindex=0
skinrect=0,0,64,24
lefttoppoint=10,0
righttoppoint=54,0
clientrect=6,3,58,21
activeskinrect=64,0,128,24
downskinrect=0,24,64,48
disabledskinrect=64,24,128,48
fontname=Arial
fontheight=14
fontstyle=fsbold
fontcolor=4859910
activefontcolor=4859910
downfontcolor=16777215
disabledfontcolor=9207662
morphing=1
morphkind=mkdefault
[panel]
pictureindex=0
skinrect=16,48,56,88
lefttoppoint=8,8
righttoppoint=32,8
leftbottompoint=8,32
rightbottompoint=32,32
clientrect=5,5,35,35
bgpictureindex=-1
[groupbox]
pictureindex=0
skinrect=56,48,128,112
lefttoppoint=12,24
righttoppoint=60,24
leftbottompoint=12,56
rightbottompoint=60,56
clientrect=3,20,69,61
captionrect=8,2,62,18
alignment=taleftjustify
fontname=Arial
fontheight=14
fontstyle=fsbold
fontcolor=16777215
bgpictureindex=-1
)";
}

std::vector<TSkinFile> GenerateSkin()
{
    const std::string ini = SkinIniText();
    return {{"frame.bmp", WriteBmpFile(PaintFramePicture())},
            {"mask.bmp", WriteBmpFile(PaintFrameMask())},
            {"controls.bmp", WriteBmpFile(PaintControlsPicture())},
            {"Skin.ini", std::vector<uint8_t>(ini.begin(), ini.end())}};
}

int RunSkinGen(const std::vector<std::string>& args, std::ostream& err)
{
    if (args.size() != 1) {
        err << "usage: skingen <folder>\n";
        return 1;
    }
    for (const TSkinFile& file : GenerateSkin()) {
        const std::string name = args[0] + "/" + file.Name;
        std::ofstream out(name, std::ios::binary);
        out.write(reinterpret_cast<const char*>(file.Bytes.data()), static_cast<std::streamsize>(file.Bytes.size()));
        if (!out.flush()) {
            err << "skingen: cannot write " << name << "\n";
            return 1;
        }
    }
    return 0;
}
