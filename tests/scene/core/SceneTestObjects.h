// Shared helpers of the scene tests: exception messages, description
// readers, resources from strings, a temporary folder, logging objects.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <map>
#include <memory>
#include <string>
#include <type_traits>
#include <vector>

#include "classlib/core/BmpCodec.h"
#include "classlib/core/Exceptions.h"
#include "classlib/core/IniFiles.h"
#include "classlib/core/StringList.h"
#include "classlib/core/SysUtils.h"
#include "gl/core/CustomOpenGL.h"
#include "scene/core/MainScene.h"
#include "scene/core/SceneLoader.h"
#include "scene/core/SceneFontRasterizer.h"
#include "scene/core/SceneLoaderResources.h"
#include "scene/core/SceneMaterial.h"
#include "scene/core/SceneMesh.h"
#include "scene/core/SceneMeshLoader.h"
#include "scene/core/SceneObjects.h"
#include "scene/core/SceneRenderState.h"
#include "scene/core/SceneTexture.h"
#include "scene/core/SceneTexturePicture.h"
#include "support/GLRecorder.h"
#include "support/GLStubPlatform.h"
#include "../../support/ExceptionMessage.h"
#include "../../support/TempFolder.h"

using testsupport::MessageOf;

// A reader over description text, the body of section "L", and a writer
// into that section.
inline std::unique_ptr<TResourceLoader> ReaderOf(const std::string& text, TMainObject* root)
{
    auto loader = std::make_unique<TResourceLoader>();
    loader->IniFile = std::make_unique<TMemIniFile>(std::string());
    TStringList lines;
    lines.SetText("[L]\n" + text);
    loader->IniFile->SetStrings(lines);
    loader->Section = std::string("L");
    loader->Root = root;
    return loader;
}
inline std::unique_ptr<TResourceLoader> Writer(TMainObject* root)
{
    auto loader = std::make_unique<TResourceLoader>();
    loader->BeginWrite();
    loader->Section = std::string("L");  // a literal assignment here trips GCC 12's bogus -Wrestrict
    loader->Root = root;
    return loader;
}

// Program resources, RCDATA and bitmaps (packed DIBs: BMP files without
// their 14-byte header), served from strings with names matched without
// case; installed while it lives. Requests lists the names asked for. A
// name joined to a native folder ("/tmp/...") keeps that folder, which a
// resource name never has: it is dropped.
class TStringResources : public TSceneResourceProvider, public TSceneBitmapResources {
public:
    TStringResources() { SetSceneResources(this); }
    ~TStringResources() override { SetSceneResources(nullptr); }

    void Add(const std::string& name, const std::string& bytes) { FResources[Key(name)] = bytes; }
    void AddBitmap(const std::string& name, const std::string& packedDib) { FBitmaps[Key(name)] = packedDib; }
    void Clear() { FResources.clear(); }
    std::string ReadResource(const std::string& name) override { return Find(FResources, name); }
    std::string ReadBitmapResource(const std::string& name) override { return Find(FBitmaps, name); }
    std::vector<std::string> Requests;

private:
    static std::string Key(const std::string& name) { return UpperCase(name.substr(name.find_last_of('/') + 1)); }
    std::string Find(const std::map<std::string, std::string>& resources, const std::string& path)
    {
        const std::string name = path.substr(path.find_last_of('/') + 1);
        Requests.push_back(name);
        const auto found = resources.find(Key(name));
        if (found == resources.end())
            throw EResNotFound("Resource " + name + " not found");
        return found->second;
    }
    std::map<std::string, std::string> FResources, FBitmaps;
};

// A picture of the given depth, zeroed (with a black colour table up to 8
// bits), whose top row starts with the given bytes.
inline TDibImage Blank(int width, int height, int bitCount, const std::vector<uint8_t>& topRow = {})
{
    TDibImage picture;
    picture.Width = width;
    picture.Height = height;
    picture.BitCount = bitCount;
    picture.Allocate();
    std::copy(topRow.begin(), topRow.end(), picture.ScanLine(0));
    return picture;
}

inline std::string BmpFile(const TDibImage& picture)
{
    const std::vector<uint8_t> bytes = WriteBmpFile(picture);
    return {bytes.begin(), bytes.end()};
}

// What an RT_BITMAP resource holds: the file without its 14-byte header.
inline std::string PackedDib(const TDibImage& picture)
{
    return BmpFile(picture).substr(14);
}

using testsupport::TTempFolder;

using TSceneLog = std::vector<std::string>;

// Logs "<name>.BeginRender", "<name>.EndRender" and, when freed, "~<name>".
template <class Base>
class TRecording : public Base {
public:
    TRecording(const std::string& name, TSceneLog& log) : Log(log) { this->SetName(name); }
    ~TRecording() override { Log.push_back("~" + this->Name()); }
    void BeginRender() override { Log.push_back(this->Name() + ".BeginRender"); }
    void EndRender() override { Log.push_back(this->Name() + ".EndRender"); }

protected:
    TSceneLog& Log;
};

// A resource (a list that owns what it holds) that logs so.
using TRecordingResource = TRecording<TResource>;

// Logs every frame operation; RenderOpaque makes Texture current when one
// is set.
class TRecordingObject : public TRecording<TMainSceneObject> {
public:
    using TRecording::TRecording;
    void DoEvents(float) override { Log.push_back(Name() + ".DoEvents"); }
    void Animate(float) override { Log.push_back(Name() + ".Animate"); }
    void RenderOpaque() override
    {
        Log.push_back(Name() + ".RenderOpaque");
        if (Texture != nullptr)
            SetCurrentTexture(Texture);
    }
    void RenderAlpha() override { Log.push_back(Name() + ".RenderAlpha"); }

    TRenderTexture* Texture = nullptr;
};

// A texture that counts its binds.
class TCountingTexture : public TMainSceneObject, public TRenderTexture {
public:
    explicit TCountingTexture(const std::string& name) { SetName(name); }
    void Bind() override { ++Binds; }
    int Binds = 0;
};

// Draws each glyph as a block of its measured size; a glyph measures
// Widths[c] (default 8) times the picture's scale wide and the cell height
// high, in grey of Level (white by default).
class TBlockRasterizer : public TGlyphRasterizer {
public:
    struct TDrawn {
        int X, Y;
        std::string Text;
    };

    void Begin(int size, const std::string&, TSceneFontStyles, int height) override
    {
        Size = size;
        Height = height;
        Scale = size / 256 > 0 ? size / 256 : 1;
        Picture.assign(static_cast<size_t>(size) * size * 3, 0);
        Drawn.clear();
        ++Begins;
    }
    TGlyphExtent Measure(const std::string& text) override
    {
        const auto found = Widths.find(text[0]);
        return {(found != Widths.end() ? found->second : 8) * Scale, Height};
    }
    void Draw(int x, int y, const std::string& text) override
    {
        Drawn.push_back({x, y, text});
        const TGlyphExtent extent = Measure(text);
        for (int py = y; py < y + extent.Height && py < Size; ++py)
            for (int px = x; px < x + extent.Width && px < Size; ++px)
                std::memset(&Picture[(static_cast<size_t>(py) * Size + px) * 3], Level, 3);
    }
    std::vector<uint8_t> End() override { return Picture; }

    std::map<char, int> Widths;
    int Size = 0, Height = 0, Scale = 1, Begins = 0;
    uint8_t Level = 255;  // the brightness of the blocks
    std::vector<uint8_t> Picture;
    std::vector<TDrawn> Drawn;
};

// A scene on an active context of the stub platform (the GL calls go to
// the recorder), its resources served from strings; the render-state
// caches start empty and are emptied again at the end.
struct TStubScene {
    TStubScene()
    {
        ResetRenderState();
        Scene.GL = &GL;
        Recorder.Clear();
    }
    ~TStubScene() { ResetRenderState(); }

    // object, named name, added to the scene; a resource reads from the
    // program's resources.
    template <class T>
    T* Add(T* object, const std::string& name, TProcessOptions options = 0)
    {
        object->SetName(name);
        if constexpr (std::is_base_of_v<TResource, T>)
            object->SourceLocation = slResource;
        Scene.AddObject(object, options);
        return object;
    }

    GLRecorder Recorder;
    TStringResources Resources;
    std::unique_ptr<TCustomOpenGL> Context = NewStubContext();  // outlives the scene
    TCustomOpenGL& GL = *Context;
    TMainScene Scene;
};

// A stub scene with the three lists a mesh needs. Texture maps of the test
// meshes have an extension no picture loader knows, so their textures are
// empty.
struct TMeshScene : TStubScene {
    TMeshScene()
    {
        Scene.SourceLocation = slResource;
        Materials = Add(new TSceneMaterialList, "Materials");
        Textures = Add(new TSceneTextureList, "Textures");
        Meshes = Add(new TSceneMeshList, "Meshes");
        Meshes->Materials = Materials;
        Meshes->Textures = Textures;
    }

    // A mesh of Meshes whose file "<name>.3dm" holds text.
    TSceneMesh* Mesh(const std::string& name, const std::string& text)
    {
        Resources.Add(name + "_3dm", text);
        auto* mesh = new TSceneMesh;
        mesh->SetName(name);
        mesh->SetSourceName(name + ".3dm");
        Meshes->Add(mesh);
        return mesh;
    }
    // The mesh built at once (the build of the first draw).
    TSceneMesh* Built(const std::string& name, const std::string& text)
    {
        TSceneMesh* mesh = Mesh(name, text);
        T3DMMeshLoader loader;
        loader.FromResource = true;
        loader.Load(mesh->SourceName(), *mesh);
        return mesh;
    }

    TSceneMaterialList* Materials;
    TSceneTextureList* Textures;
    TSceneMeshList* Meshes;
};

// A picture-font metrics text: the given codes enabled with their widths,
// every glyph 12 high.
inline std::string MetricsText(const std::map<int, int>& widths)
{
    std::string text = "picture font metrics\r\n";
    for (int code = 0; code < 256; ++code) {
        const auto found = widths.find(code);
        text += found != widths.end() ? "1 " + IntToStr(found->second) + " 12\r\n" : "0 0 0\r\n";
    }
    return text;
}
