// The underwater background: grids, depth fades, the drawing sequence, the
// rebuild on every load and the caustic scroll.
#include "aquarium/core/UnderWater.h"

#include <memory>

#include "AquariumTestScene.h"
#include "gl/core/CustomOpenGL.h"
#include "gl/core/GLPrimitive.h"
#include "support/GLRecorder.h"
#include "support/GLStubPlatform.h"
#include "../../scene/core/SceneTestObjects.h"

namespace {

struct WaterScene : TAquariumTestScene {
    WaterScene()
    {
        Scene.GL = &GL;
        Water->SetName("Water");
        Scene.AddObject(Water, poRender | poAnimation);
    }
    ~WaterScene() { Scene.Clear(); }  // the primitives go before their context
    void Load(const std::string& keys)
    {
        auto reader = ReaderOf(keys, &Scene);
        Water->LoadOptions(*reader);
    }
    // The draws made at height y (the translations before them).
    int DrawsAt(const GLRecorder& gl, float y) const
    {
        int n = 0;
        for (const GLCall& call : gl.CallsOf("glTranslatef"))
            n += call.Args[1] == std::to_string(static_cast<int>(y));
        return n;
    }

    TCustomOpenGL GL{std::make_unique<TGLStubPlatform>()};
    TUnderWater* Water = new TUnderWater;
};

const std::string Keys = "FarPlane=6000\nFogStart=1000\nFogEnd=5000\nUpY=900\nBottomY=-900\n"
                        "UpColor=0,64,128,255\nBottomColor=0,32,64,255\nBottomAlpha=0.7\n";

}  // namespace

TEST(UnderWater, TheGridsReachTheFarPlaneFacingTheViewerAndLoadingAgainReplacesThem)
{
    WaterScene s;
    s.Load(Keys);
    EXPECT_EQ(s.GL.Primitives().Count(), 7);
    const TGLPrimitive& bottom = *s.Water->Bottom();
    ASSERT_EQ(bottom.Vertices().Count(), 35);
    const float width = 4 * 6000 * std::tan(37.5f * 3.14159265f / 180) * 4 / 3;
    EXPECT_NEAR(bottom.Vertices().GetVector(0).x, -width / 2, 0.5);
    EXPECT_EQ(bottom.Vertices().GetVector(0).z, -6000);
    EXPECT_EQ(bottom.Vertices().GetVector(34).z, 0);
    for (int i = 0; i < 35; ++i) {
        ASSERT_NEAR(bottom.Normals().GetVector(i).y, 1, 1e-5);
        ASSERT_NEAR(s.Water->Surface()->Normals().GetVector(i).y, -1, 1e-5);
    }

    s.Load("");
    EXPECT_EQ(s.GL.Primitives().Count(), 7);
    s.Load("FarPlane=0");
    EXPECT_EQ(s.GL.Primitives().Count(), 0) << "no far plane, nothing to build";
}

TEST(UnderWater, DepthFadesAreClearBeforeFogStartAndFullFromFogEnd)
{
    TGLPrimitive layer(nullptr);
    for (float z : {0.0f, -1000.0f, -2000.0f, -3000.0f, -5000.0f})
        layer.Vertices().SetCount(layer.Vertices().Count() + 1),
            layer.Vertices().SetVector(layer.Vertices().Count() - 1, 0, 0, z);
    const TGLColor color = MakeColorRGBA(10, 20, 30, 99);
    auto alphas = [&] {
        std::vector<int> result;
        for (int i = 0; i < layer.Colors().Count(); ++i)
            result.push_back(static_cast<int>(layer.Colors().GetColor(i) >> 24));
        return result;
    };
    TUnderWater::SetFadeColors(layer, color, 1000, 3000);
    EXPECT_EQ(alphas(), (std::vector<int>{0, 0, 128, 255, 255}));
    EXPECT_EQ(layer.Colors().GetColor(4), MakeColorRGBA(10, 20, 30, 255));
    TUnderWater::SetFadeColors(layer, color, 3000, 1000);  // reversed: clear far, full near
    EXPECT_EQ(alphas(), (std::vector<int>{255, 255, 128, 0, 0}));
    TUnderWater::SetFadeColors(layer, color, 1000, 1000.005f);
    EXPECT_EQ(alphas(), (std::vector<int>{0, 0, 0, 0, 0}));
}

TEST(UnderWater, LightLayersNeedAnAlphaAndEmulatedDepthNeverUsesFog)
{
    WaterScene s;
    s.Load(Keys);
    {
        GLRecorder gl;
        s.Water->RenderOpaque();
        EXPECT_EQ(s.DrawsAt(gl, 900), 1) << "the surface without its light layer";
        EXPECT_EQ(s.DrawsAt(gl, -900), 2);
        EXPECT_GT(gl.Count("glFogfv"), 0);
    }
    s.Water->EmulateDepth = true;
    GLRecorder gl;
    s.Water->RenderOpaque();
    EXPECT_EQ(s.DrawsAt(gl, 900), 2) << "the surface and its fade";
    EXPECT_EQ(s.DrawsAt(gl, -900), 3);
    for (const GLCall& call : gl.CallsOf("glEnable"))
        EXPECT_NE(call.Args[0], std::to_string(GL_FOG));
    EXPECT_FALSE(AlphaBlend());
}

TEST(UnderWater, TheCausticsDriftApartAndStayNearTheOriginForHours)
{
    WaterScene s;
    s.Load(Keys + "UpAlpha=0.5\n");
    auto coord = [](TGLPrimitive* p, int i) { return p->GetTextureCoords(0).GetCoord(i); };
    const TGLTextureCoord surface0 = coord(s.Water->SurfaceLight(), 0);
    const TGLTextureCoord bottom0 = coord(s.Water->BottomLight(), 0);
    const float span = coord(s.Water->BottomLight(), 6).s - bottom0.s;
    s.Water->Animate(0.5f);
    EXPECT_NEAR(coord(s.Water->SurfaceLight(), 0).s - surface0.s, -0.05f, 1e-5);
    EXPECT_NEAR(coord(s.Water->SurfaceLight(), 0).t - surface0.t, 0.05f, 1e-5);
    EXPECT_NEAR(coord(s.Water->BottomLight(), 0).s - bottom0.s, 0.05f, 1e-5);
    EXPECT_NEAR(coord(s.Water->BottomLight(), 0).t - bottom0.t, 0.05f, 1e-5);
    for (int i = 0; i < 36000; ++i)  // ten hours in 1 s steps
        s.Water->Animate(1.0f);
    EXPECT_LT(std::fabs(coord(s.Water->BottomLight(), 0).s - bottom0.s), 1.0f);
    EXPECT_NEAR(coord(s.Water->BottomLight(), 6).s - coord(s.Water->BottomLight(), 0).s, span, 1e-5);
}
