// The scene on its GL context: one owner for every GL object whichever goes
// first, lights that hand their GL light back, render-state caches that
// start over with each context.
#include <gtest/gtest.h>

#include <memory>

#include "gl/core/CustomOpenGL.h"
#include "scene/core/MainScene.h"
#include "scene/core/SceneFont.h"
#include "scene/core/SceneLight.h"
#include "scene/core/SceneMaterial.h"
#include "scene/core/SceneMesh.h"
#include "scene/core/SceneMeshLoader.h"
#include "scene/core/SceneTexture.h"
#include "support/GLRecorder.h"
#include "support/GLStubPlatform.h"
#include "SceneTestObjects.h"

namespace {

std::unique_ptr<TCustomOpenGL> NewContext() { return NewStubContext(); }

template <class T>
T* Add(TMainScene& scene, T* object, const std::string& name, TProcessOptions options = 0)
{
    object->SetName(name);
    scene.AddObject(object, options);
    return object;
}

TMainLight* AddLight(TMainScene& scene)
{
    TMainLight* light = Add(scene, new TMainLight, "Light", poRender);
    light->LoadOptions(*ReaderOf("LightStyle=Point\n", &scene));
    return light;
}

// A scene holding one of each kind of GL object: a light, a mesh (its
// primitive) with a textured material, and a picture font (its lists).
std::unique_ptr<TMainScene> NewScene(TCustomOpenGL& gl, TStringResources& resources)
{
    auto scene = std::make_unique<TMainScene>();
    scene->GL = &gl;
    scene->SourceLocation = slResource;
    AddLight(*scene);
    auto* materials = Add(*scene, new TSceneMaterialList, "Materials");
    auto* textures = Add(*scene, new TSceneTextureList, "Textures");
    auto* meshes = Add(*scene, new TSceneMeshList, "Meshes");
    for (TResource* list : std::initializer_list<TResource*>{materials, textures, meshes})
        list->SourceLocation = slResource;
    meshes->Materials = materials;
    meshes->Textures = textures;
    resources.Add("tri_3dm", "#MaterialStandard 2\nName M\nDiffuseMap skin.tga\n#Object 1\nName O\n#Material 1\n"
                             "Name M\n#Vertices 3\n[0,0,0]\n[1,0,0]\n[0,1,0]\n#VertexFaces 1\n[1,2,3]\n#FaceMatID 1\n1\n");
    auto* mesh = new TSceneMesh;
    mesh->SetName("Tri");
    mesh->SetSourceName("tri.3dm");
    meshes->Add(mesh);
    T3DMMeshLoader loader;
    loader.FromResource = true;
    loader.Load(mesh->SourceName(), *mesh);

    std::string metrics = "picture font metrics\r\n";
    for (int code = 0; code < 256; ++code)
        metrics += code == 'A' ? "1 8 12\r\n" : "0 0 0\r\n";
    resources.Add("font_txt", metrics);
    auto* font = Add(*scene, new TSceneFont, "Font");
    font->FileName = "font.txt";
    font->FontOptions &= ~foBuildFromFont;
    font->Build();
    return scene;
}

int ItemsOf(TCustomOpenGL& gl)
{
    return gl.Lights().Count() + gl.Materials().Count() + gl.Primitives().Count() + gl.Textures().Count() +
           gl.DisplayLists().Count();
}

}  // namespace

TEST(SceneOnContext, EveryGLObjectIsFreedOnceWhicheverGoesFirst)
{
    GLRecorder recorder;
    TStringResources resources;
    for (const bool contextFirst : {true, false}) {
        SCOPED_TRACE(contextFirst ? "context first" : "scene first");
        auto gl = NewContext();
        auto scene = NewScene(*gl, resources);
        ASSERT_EQ(ItemsOf(*gl), 5);
        scene->Render();
        if (contextFirst) {
            gl.reset();  // a form that made its scene before its saver frees them so
            scene.reset();
        } else {
            scene.reset();
            EXPECT_EQ(ItemsOf(*gl), 0) << "the scene took its GL objects with it";
            gl.reset();
        }
    }
    ResetRenderState();
}

TEST(SceneOnContext, ManyLoadsOnOneContextStayLitAndLeaveNoLightOn)
{
    GLRecorder recorder;
    auto gl = NewContext();
    for (int round = 0; round < 12; ++round) {
        auto scene = std::make_unique<TMainScene>();
        scene->GL = gl.get();
        TMainLight* light = AddLight(*scene);
        scene->Render();
        ASSERT_EQ(light->GLLight()->Index(), 0) << "round " << round;
        recorder.Clear();
        scene.reset();
        EXPECT_EQ(recorder.Text(), "glDisable(16384)\n") << "round " << round;
    }
    ResetRenderState();
}

TEST(SceneOnContext, TheRenderStateCachesStartOverWithEachContext)
{
    GLRecorder recorder;
    // A full-screen run and the dialog's preview one after the other, both
    // alive for a while: each context has its own light indices.
    auto fullScreen = NewContext();
    TMainScene first;
    first.GL = fullScreen.get();
    TMainLight* firstLight = AddLight(first);
    first.Render();
    SetAlphaBlend(true);
    CurrentColor = {1, 0, 0, 0.5f};

    auto preview = NewContext();
    TMainScene second;
    second.GL = preview.get();
    EXPECT_EQ(AddLight(second)->GLLight()->Index(), firstLight->GLLight()->Index());
    recorder.Clear();
    SetCurrentMaterial(nullptr);
    EXPECT_EQ(recorder.Text(), "glColor4fv({1,1,1,1})\n") << "the new context's colour is white";

    // Each new context starts with blending off: the cache must send it again.
    for (TCustomOpenGL* context : {preview.get(), fullScreen.get()}) {
        context->DestroyRC();
        context->CreateRC(StubDC());
        recorder.Clear();
        SetAlphaBlend(true);
        EXPECT_EQ(recorder.CallsOf("glEnable").size(), 2u) << "alpha test and blending";
    }
    ResetRenderState();
}
