#include "scene/core/SceneFontRasterizer.h"

#include "classlib/core/Exceptions.h"

namespace {

class TNoRasterizer : public TGlyphRasterizer {
public:
    void Begin(int, const std::string&, TSceneFontStyles, int) override { Fail(); }
    TGlyphExtent Measure(const std::string&) override { Fail(); }
    void Draw(int, int, const std::string&) override { Fail(); }
    std::vector<uint8_t> End() override { Fail(); }

private:
    [[noreturn]] static void Fail() { throw Exception("TGlyphRasterizer error: no rasterizer is installed!"); }
};

TNoRasterizer NoRasterizer;
TGlyphRasterizer* CurrentRasterizer = &NoRasterizer;

}  // namespace

TGlyphRasterizer& SceneGlyphRasterizer()
{
    return *CurrentRasterizer;
}

void SetSceneGlyphRasterizer(TGlyphRasterizer* rasterizer)
{
    CurrentRasterizer = rasterizer != nullptr ? rasterizer : &NoRasterizer;
}
