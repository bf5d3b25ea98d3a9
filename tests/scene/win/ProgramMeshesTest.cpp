// The program's fish and bubble meshes, read from Corvalen.scr through the
// scene engine's mesh loader and drawn on a real context under Wine.
#include <windows.h>

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstdlib>
#include <memory>
#include <string>

#include "../../gl/win/GLTestWindow.h"
#include "../../support/ProgramPath.h"
#include "gl/core/CustomOpenGL.h"
#include "gl/core/GLBinding.h"
#include "gl/core/GLTexture.h"
#include "scene/SceneTextureResources.h"
#include "scene/core/MainScene.h"
#include "scene/core/SceneMaterial.h"
#include "scene/core/SceneMesh.h"
#include "scene/core/SceneRenderState.h"
#include "scene/core/SceneTexture.h"

namespace {

const char* const Fish[] = {"bluetang", "yellowtang", "copperbandedbutterfly", "angelfish", "neontetra", "discus"};

// The program's resources as the scene's, a context on a window cleared to
// a blue the fish do not show, a perspective view down -z and a white
// directional light from the viewer's upper left.
struct ProgramMeshes : ::testing::Test {
    static constexpr int Width = 960;
    static constexpr int Height = 600;
    TestWindow window{Width, Height};
    std::unique_ptr<TCustomOpenGL> context = NewContext();
    HMODULE program = nullptr;
    std::unique_ptr<TRCDataBitmapResourceProvider> resources;
    std::unique_ptr<TMainScene> scene = std::make_unique<TMainScene>();
    TSceneMeshList* meshes = nullptr;
    TSceneTextureList* textures = nullptr;

    void SetUp() override
    {
        program = LoadLibraryExA(testsupport::ProgramPath().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
        ASSERT_NE(program, nullptr) << testsupport::ProgramPath();
        resources = std::make_unique<TRCDataBitmapResourceProvider>(program);
        SetSceneResources(resources.get());
        context->CreateRC(window.DC());
        ASSERT_TRUE(context->Active());
        scene->GL = context.get();
        meshes = Add(new TSceneMeshList, "Meshes");
        meshes->Materials = Add(new TSceneMaterialList, "Materials");
        meshes->Textures = textures = Add(new TSceneTextureList, "Textures");

        glViewport(0, 0, Width, Height);
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        const double top = 100 * std::tan(37.5 * 3.14159265358979 / 180);
        glFrustum(-top * Width / Height, top * Width / Height, -top, top, 100, 5000);
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        glEnable(GL_DEPTH_TEST);
        glEnable(GL_CULL_FACE);
        glEnable(GL_LIGHTING);
        glEnable(GL_LIGHT0);
        const GLfloat white[4] = {1, 1, 1, 1};
        const GLfloat ambient[4] = {0.35f, 0.35f, 0.4f, 1};
        const GLfloat direction[4] = {-0.3f, 0.6f, 1, 0};
        glLightfv(GL_LIGHT0, GL_DIFFUSE, white);
        glLightfv(GL_LIGHT0, GL_SPECULAR, white);
        glLightfv(GL_LIGHT0, GL_POSITION, direction);
        glLightModelfv(GL_LIGHT_MODEL_AMBIENT, ambient);
        glClearColor(0.1f, 0.3f, 0.6f, 1);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    }
    void TearDown() override
    {
        scene.reset();
        ResetTextureCache();
        ResetMaterialCache();
        SetAlphaBlend(false);
        SetSceneResources(nullptr);
        if (program != nullptr)
            FreeLibrary(program);
    }

    template <class T>
    T* Add(T* object, const std::string& name)
    {
        object->SetName(name);
        object->SourceLocation = slResource;
        scene->AddObject(object, 0);
        return object;
    }

    TSceneMesh* Mesh(const std::string& stem)
    {
        auto* mesh = new TSceneMesh;
        mesh->SetName(stem);
        mesh->SetSourceName(stem + ".3dm");
        meshes->Add(mesh);
        return mesh;
    }

    // Both passes at a place, turned about y by yaw degrees.
    static void Draw(TSceneMesh& mesh, float x, float y, float z, float yaw)
    {
        glPushMatrix();
        glTranslatef(x, y, z);
        glRotatef(yaw, 0, 1, 0);
        mesh.RenderOpaque();
        mesh.RenderAlpha();
        glPopMatrix();
    }

    static std::array<int, 3> Pixel(int x, int y)
    {
        GLubyte rgba[4] = {};
        glReadPixels(x, y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, rgba);
        return {rgba[0], rgba[1], rgba[2]};
    }
};

}  // namespace

TEST_F(ProgramMeshes, EveryFishLoadsWithItsSwimCycleMaterialsAndTexturesAndDrawsFromBothSides)
{
    for (const std::string stem : Fish) {
        SCOPED_TRACE(stem);
        TSceneMesh* mesh = Mesh(stem);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        Draw(*mesh, 0, 0, -400, 0);
        // An opaque body, translucent fins, one swim cycle of frames.
        ASSERT_EQ(mesh->OpaqueGroups.Count(), 1);
        ASSERT_EQ(mesh->AlphaGroups.Count(), 1);
        EXPECT_GE(mesh->OpaqueGroups.Items(0)->VertexFrames.Count(), 9);
        EXPECT_EQ(mesh->AlphaGroups.Items(0)->VertexFrames.Count(),
                  mesh->OpaqueGroups.Items(0)->VertexFrames.Count());
        ASSERT_NE(mesh->Material, nullptr);
        EXPECT_EQ(mesh->Material->GetGroupCount(), 2);
        for (const std::string& name : {stem + ".jpg", stem + "_alpha.jpg"}) {
            const TSceneTexture* texture = textures->FindTexture(name);
            ASSERT_NE(texture, nullptr) << name;
            EXPECT_NE(texture->GLTexture(), nullptr) << name;  // made: its sides are powers of two
        }
        // From the side the body covers the middle of the view, from either
        // side and in mid-stroke; the corners keep the clear colour.
        const std::array<int, 3> clear = Pixel(2, 2);
        for (const float yaw : {0.0f, 180.0f}) {
            mesh->SetFramePosition(yaw == 0 ? 0.0f : 4.5f);
            glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
            Draw(*mesh, 0, 0, -400, yaw);
            const std::array<int, 3> centre = Pixel(Width / 2, Height / 2);
            EXPECT_NE(centre, clear) << "yaw " << yaw;
            EXPECT_EQ(Pixel(2, 2), clear);
        }
    }
}

TEST_F(ProgramMeshes, TheBubbleIsDrawnInTheTransparentPassAndClearInItsMiddle)
{
    TSceneMesh* mesh = Mesh("bubble");
    // Near, in the middle of the view: the clear colour shows through its
    // middle, its rim is brighter. The bubble's radius is 10.
    const float distance = 110;
    Draw(*mesh, 0, 0, -distance, 0);
    EXPECT_EQ(mesh->OpaqueGroups.Count(), 0);
    ASSERT_EQ(mesh->AlphaGroups.Count(), 1);
    const std::array<int, 3> clear = Pixel(2, 2);
    const std::array<int, 3> middle = Pixel(Width / 2, Height / 2);
    const double radiusPixels = 10 / (distance * std::tan(37.5 * 3.14159265358979 / 180)) * Height / 2;
    const std::array<int, 3> rim = Pixel(Width / 2 + static_cast<int>(0.75 * radiusPixels), Height / 2);
    EXPECT_LT(std::abs(middle[2] - clear[2]) + std::abs(middle[0] - clear[0]), 60);
    EXPECT_GT(rim[0] + rim[1] + rim[2], middle[0] + middle[1] + middle[2]);
}
