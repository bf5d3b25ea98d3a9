#include "scene/core/SceneLoader.h"

#include "scene/core/SceneFont.h"
#include "scene/core/SceneParticle.h"
#include "scene/core/SceneRegistry.h"
#include "SceneTestObjects.h"

namespace {

// A scene class with a key of every kind.
class TLoaderTestThing : public TMainSceneObject {
public:
    std::string ClassName() const override { return "TLoaderTestThing"; }

    void LoadOptions(TResourceLoader& reader) override
    {
        TMainSceneObject::LoadOptions(reader);
        Flag = reader.ReadBool("Flag", Flag);
        Number = reader.ReadInteger("Number", Number);
        Real = reader.ReadFloat("Real", Real);
        Text = reader.ReadString("Text", Text);
        Color = reader.ReadColor("Color", Color);
        Bytes = reader.ReadByteColor("Bytes", Bytes);
        Position = reader.ReadVector("Position", Position);
        Link = reader.ReadReference("Link", Link);
        File = reader.ReadFileName("File", ".\\Data\\", File);
    }

    void SaveOptions(TResourceLoader& writer) override
    {
        TMainSceneObject::SaveOptions(writer);
        writer.WriteBool("Flag", Flag);
        writer.WriteInteger("Number", Number);
        writer.WriteFloat("Real", Real);
        writer.WriteString("Text", Text);
        writer.WriteColor("Color", Color);
        writer.WriteByteColor("Bytes", Bytes);
        writer.WriteVector("Position", Position);
        writer.WriteReference("Link", Link);
        writer.WriteFileName("File", ".\\Data\\", File);
    }

    bool Flag = false;
    int Number = 7;
    float Real = 0.5f;
    std::string Text = "text";
    TGLColorFloat Color{0.25f, 0.5f, 0.75f, 1};
    TGLColor Bytes = MakeColorRGBA(1, 2, 3, 4);
    TGLVector Position{1, 2, 3};
    TMainObject* Link = nullptr;
    std::string File = ".\\Data\\default.bmp";
};

const bool Registered = (RegisterSceneClass("TLoaderTestThing", NewSceneObject<TLoaderTestThing>), true);

// A scene loaded from text as the program resource "test.gsc".
std::unique_ptr<TMainScene> SceneFromText(TStringResources& resources, const std::string& text)
{
    resources.Add("TEST_GSC", text);
    auto scene = std::make_unique<TMainScene>();
    scene->SourceLocation = slResource;
    scene->SourceName = "test.gsc";
    scene->Load();
    return scene;
}

TLoaderTestThing* Thing(TMainObjectList& list, const std::string& name)
{
    return dynamic_cast<TLoaderTestThing*>(list.FindObject(name));
}

// A scene with a nested list, references, every kind of key and process
// options, saved to folder.
std::unique_ptr<TMainScene> SampleScene(const TTempFolder& folder, bool scrambled)
{
    auto scene = std::make_unique<TMainScene>();
    scene->Path = folder.Path();
    scene->SourceName = "scene.gsc";
    scene->Scrambled = scrambled;

    auto* textures = new TResource;
    textures->SetName("Textures");
    scene->AddObject(textures, 0);
    auto* sand = new TLoaderTestThing;
    sand->SetName("Sand");
    sand->Number = -3;
    textures->Add(sand);

    auto* fish = new TLoaderTestThing;
    fish->SetName("Fish");
    fish->Flag = true;
    fish->Number = 0x7fffffff;
    fish->Real = 0.1f;
    fish->Text = "hello, world = 1";
    fish->Color = {1, 0.5f, 0.125f, 0.2f};
    fish->Bytes = MakeColorRGBA(255, 0, 128, 7);
    fish->Position = {-1.5f, 1e-6f, 12345.67f};
    fish->Link = sand;
    fish->File = ".\\Data\\fish.bmp";
    scene->AddObject(fish, poAnimation | poRender);

    auto* hidden = new TLoaderTestThing;
    hidden->SetName("Hidden");
    hidden->SetVisible(false);
    hidden->Alpha = true;
    hidden->File = "C:\\Other\\far.bmp";
    scene->AddObject(hidden, 0);
    return scene;
}

}  // namespace

class SceneRoundTrip : public ::testing::TestWithParam<bool> {};

TEST_P(SceneRoundTrip, SavedSceneLoadsBackWithTheSameObjectsAndKeys)
{
    const bool scrambled = GetParam();
    TTempFolder folder;
    SampleScene(folder, scrambled)->Save();

    // (Descrambling follows the read whatever the source: the resource read
    // is the one of the tests below.)
    TMainScene scene;
    scene.Path = folder.Path();
    scene.SourceName = "scene.gsc";
    scene.Scrambled = scrambled;
    scene.Load();

    ASSERT_EQ(scene.GetCount(), 3);
    auto* textures = dynamic_cast<TResource*>(scene.FindObject("Textures"));
    ASSERT_NE(textures, nullptr);
    TLoaderTestThing* sand = Thing(*textures, "Sand");
    ASSERT_NE(sand, nullptr);
    EXPECT_EQ(sand->Number, -3);

    TLoaderTestThing* fish = Thing(scene, "Fish");
    ASSERT_NE(fish, nullptr);
    EXPECT_TRUE(fish->Flag);
    EXPECT_EQ(scene.RenderList()->GetItem(0), fish);  // the one object of the render and animation lists
    EXPECT_EQ(scene.AnimationList()->GetItem(0), fish);
    EXPECT_EQ(fish->Number, 0x7fffffff);
    EXPECT_EQ(fish->Text, "hello, world = 1");
    EXPECT_EQ((std::vector<float>{fish->Real, fish->Color.w, fish->Position.y, fish->Position.z}),
              (std::vector<float>{0.1f, 0.2f, 1e-6f, 12345.67f}));
    EXPECT_EQ(fish->Bytes, MakeColorRGBA(255, 0, 128, 7));
    EXPECT_EQ(fish->Link, sand);
    EXPECT_EQ(fish->File, ".\\Data\\fish.bmp");
    EXPECT_EQ(fish->ProcessOptions, poRender | poAnimation);

    TLoaderTestThing* hidden = Thing(scene, "Hidden");
    ASSERT_TRUE(hidden != nullptr && !hidden->Visible() && hidden->Alpha);
    EXPECT_EQ(hidden->File, "C:\\Other\\far.bmp");
    EXPECT_EQ((std::vector<TMainItem*>{scene.GetItem(0), scene.GetItem(1), scene.GetItem(2)}),
              (std::vector<TMainItem*>{textures, fish, hidden}));
}

INSTANTIATE_TEST_SUITE_P(PlainAndScrambled, SceneRoundTrip, ::testing::Bool());

// (Checked before the text is scrambled or not.)
TEST(SceneLoader, WriterRefusesTextThatIsNotAscii)
{
    TTempFolder folder;
    auto scene = SampleScene(folder, true);
    Thing(*scene, "Fish")->Text = "caf\xE9";
    EXPECT_EQ(MessageOf([&] { scene->Save(); }), "TResourceLoader.Flush error: Not an ASCII text: Text=caf\xE9");
}

TEST(SceneLoader, WriterWritesEachObjectOnceAfterRemovesAndDuplicates)
{
    TTempFolder folder;
    auto scene = SampleScene(folder, false);
    TMainObject* fish = scene->FindObject("Fish");
    scene->Remove(fish);  // leaves a hole in the flat list
    delete fish;
    TLoaderTestThing twin;  // a duplicate name is refused
    twin.SetName("Hidden");
    EXPECT_THROW(scene->AddObject(&twin, poRender), Exception);
    auto* last = new TLoaderTestThing;
    last->SetName("Last");
    scene->AddObject(last, poEvents);
    scene->Save();

    TMainScene loaded;
    loaded.Path = folder.Path();
    loaded.SourceName = "scene.gsc";
    loaded.Load();
    EXPECT_EQ(loaded.GetCount(), 3);
    EXPECT_EQ(loaded.FindObject("Fish"), nullptr);
    ASSERT_NE(Thing(loaded, "Last"), nullptr);
    EXPECT_EQ(Thing(loaded, "Last")->ProcessOptions, poEvents);
    EXPECT_EQ(loaded.GetItem(2), loaded.FindObject("Last"));
}

TEST(SceneLoader, MissingAndMalformedValuesGiveTheDefaults)
{
    TStringResources resources;
    const TLoaderTestThing defaults;
    for (const std::string keys : {"", "Visible=no\nAlpha=yes\nFlag=1.5\nNumber=12x\nReal=1.2.3\n"
                                       "Color=1,red\nBytes=1,2,300\nPosition=a,b\nFile=  \n"}) {
        const auto scene = SceneFromText(resources, "[MainScene]\nCount=1\n"
                                                    "[MainScene1]\nType=TLoaderTestThing\nName=A\n" + keys);
        TLoaderTestThing* a = Thing(*scene, "A");
        ASSERT_NE(a, nullptr);
        EXPECT_TRUE(a->Visible());
        EXPECT_FALSE(a->Alpha || a->Flag);
        EXPECT_EQ(a->ProcessOptions, 0);
        EXPECT_EQ(a->Number, defaults.Number);
        EXPECT_EQ(a->Bytes, defaults.Bytes);
        EXPECT_EQ(a->Text + "|" + a->File, defaults.Text + "|" + defaults.File);  // a blank file name is no file name
        EXPECT_EQ((std::vector<float>{a->Real, a->Color.x, a->Color.y, a->Position.x, a->Position.z}),
                  (std::vector<float>{defaults.Real, defaults.Color.x, defaults.Color.y, defaults.Position.x,
                                      defaults.Position.z}));
    }
}

TEST(SceneLoader, SizesOutOfRangeKeepTheCurrentValues)
{
    // A font texture or a particle count that no allocation could hold, or
    // a texture side that is not a power of two.
    TSceneFont font;
    TSceneParticleList particles;
    particles.SetCount(3);
    for (const char* size : {"1073741824", "4096", "0", "-16", "100", "2047"}) {
        font.LoadOptions(*ReaderOf(std::string("TextureSize=") + size + "\n", nullptr));
        EXPECT_EQ(font.TextureSize, 256) << size;
    }
    for (const char* count : {"2147483647", "10001", "-1"}) {
        particles.LoadOptions(*ReaderOf(std::string("ParticleCount=") + count + "\n", nullptr));
        EXPECT_EQ(particles.GetCount(), 3) << count;
    }
    font.LoadOptions(*ReaderOf("TextureSize=2048\n", nullptr));
    EXPECT_EQ(font.TextureSize, 2048);
    particles.LoadOptions(*ReaderOf("ParticleCount=50\n", nullptr));
    EXPECT_EQ(particles.GetCount(), 50);
}

TEST(SceneLoader, CreateObjectFailuresNameTheSection)
{
    TStringResources resources;
    const std::string first = "[MainScene]\nCount=2\n[MainScene1]\nType=TLoaderTestThing\nName=Kept\n";
    EXPECT_EQ(MessageOf([&] { SceneFromText(resources, first + "[MainScene2]\nName=X\n"); }),
              "TResourceLoader.CreateObject error: Unknown Object Type! for MainScene2");
    EXPECT_EQ(MessageOf([&] { SceneFromText(resources, first + "[MainScene2]\nType=TLoaderTestThing\nName=\n"); }),
              "TResourceLoader.CreateObject error: Empty Object Name! for MainScene2");
    EXPECT_EQ(MessageOf([&] { SceneFromText(resources, first + "[MainScene2]\nType=TNoSuchThing\nName=X\n"); }),
              "TResourceLoader.CreateObject error: Object not created! for MainScene2 Type: TNoSuchThing Name: X");

    // Loading stops at the failure; the objects made before it stay.
    TMainScene scene;
    scene.SourceLocation = slResource;
    scene.SourceName = "test.gsc";
    EXPECT_THROW(scene.Load(), Exception);
    EXPECT_NE(scene.FindObject("Kept"), nullptr);
}

TEST(SceneLoader, SelfNestingDescriptionIsRefused)
{
    TStringResources resources;
    // Section A1 describes a resource named A, whose first child is A1 again.
    EXPECT_NE(MessageOf([&] {
                  SceneFromText(resources, "[MainScene]\nCount=1\n[MainScene1]\nType=TResource\nName=A\nCount=1\n"
                                           "[A1]\nType=TResource\nName=A\nCount=1\n");
              }).find("nested too deep"),
              std::string::npos);
    // The same through descriptions of their own.
    resources.Add("SELF_GSC", "[Self]\nCount=1\n[Self1]\nType=TResource\nName=Self\nSourceName=self.gsc\n");
    EXPECT_NE(MessageOf([&] {
                  SceneFromText(resources, "[MainScene]\nCount=1\n"
                                           "[MainScene1]\nType=TResource\nName=Self\nSourceName=self.gsc\n");
              }).find("nested too deep"),
              std::string::npos);
}

TEST(SceneLoader, EveryTruncatedDescriptionLoadsOrRaisesButNeverCrashes)
{
    TTempFolder folder;
    SampleScene(folder, false)->Save();
    const std::string text = folder.Read("scene.gsc");
    TStringResources resources;
    int loaded = 0;
    for (size_t length = 0; length <= text.size(); ++length) {
        try {
            const auto scene = SceneFromText(resources, text.substr(0, length));
            EXPECT_LE(scene->GetCount(), 3);
            loaded += scene->GetCount() == 3;
        } catch (const Exception&) {
            // A description cut inside a child's header: CreateObject's errors.
        }
    }
    EXPECT_GT(loaded, 0);
}
