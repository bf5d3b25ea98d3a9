#include "scene/core/SceneLoader.h"

#include "scene/core/MainScene.h"
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
std::unique_ptr<TMainScene> SceneFromText(TStringResources& resources, const std::string& text,
                                          bool scrambled = false)
{
    resources.Add("TEST_GSC", text);
    auto scene = std::make_unique<TMainScene>();
    scene->SourceLocation = slResource;
    scene->SourceName = "test.gsc";
    scene->Scrambled = scrambled;
    scene->Load();
    return scene;
}

std::string Scrambled(const std::string& text)
{
    TStringList lines;
    lines.SetText(text);
    ScrambleLines(lines);
    return lines.Text();
}

TLoaderTestThing* Thing(TMainObjectList& list, const std::string& name)
{
    return dynamic_cast<TLoaderTestThing*>(list.FindObject(name));
}

bool InList(const TMainItemList& list, const TMainItem* item)
{
    for (int i = 0; i < list.GetCount(); ++i)
        if (list.GetItem(i) == item)
            return true;
    return false;
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
    auto* rock = new TLoaderTestThing;
    rock->SetName("Rock");
    textures->Add(rock);

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

// --- Round trips -------------------------------------------------------------------

class SceneRoundTrip : public ::testing::TestWithParam<bool> {};

TEST_P(SceneRoundTrip, SavedSceneLoadsBackWithTheSameObjectsAndKeys)
{
    const bool scrambled = GetParam();
    TTempFolder folder;
    SampleScene(folder, scrambled)->Save();

    // Once from the file, once from the same bytes as a program resource.
    TStringResources resources;
    // The resource is named after the file as the loader names it.
    resources.Add(ResourceNameOf(folder.Path() + "scene.gsc"), folder.Read("scene.gsc"));
    for (const TSourceLocations location : {slFile, slResource}) {
        SCOPED_TRACE(location);
        TMainScene scene;
        scene.Path = folder.Path();
        scene.SourceName = "scene.gsc";
        scene.Scrambled = scrambled;
        scene.SourceLocation = location;
        scene.Load();

        ASSERT_EQ(scene.GetCount(), 3);
        auto* textures = dynamic_cast<TResource*>(scene.FindObject("Textures"));
        ASSERT_NE(textures, nullptr);
        EXPECT_EQ(textures->ClassName(), "TResource");
        EXPECT_EQ(textures->GetCount(), 2);
        EXPECT_EQ(textures->Owner(), &scene);
        // A nested resource takes the scene's source location.
        EXPECT_EQ(textures->SourceLocation, location);
        TLoaderTestThing* sand = Thing(*textures, "Sand");
        ASSERT_NE(sand, nullptr);
        EXPECT_EQ(sand->Number, -3);
        EXPECT_EQ(sand->Scene, &scene);

        TLoaderTestThing* fish = Thing(scene, "Fish");
        ASSERT_NE(fish, nullptr);
        EXPECT_TRUE(fish->Flag);
        EXPECT_EQ(fish->Number, 0x7fffffff);
        EXPECT_EQ(fish->Text, "hello, world = 1");
        EXPECT_EQ((std::vector<float>{fish->Real, fish->Color.y, fish->Color.w}), (std::vector<float>{0.1f, 0.5f, 0.2f}));
        EXPECT_EQ(fish->Bytes, MakeColorRGBA(255, 0, 128, 7));
        EXPECT_EQ((std::vector<float>{fish->Position.x, fish->Position.y, fish->Position.z}),
                  (std::vector<float>{-1.5f, 1e-6f, 12345.67f}));
        EXPECT_EQ(fish->Link, sand);
        EXPECT_EQ(fish->File, ".\\Data\\fish.bmp");
        EXPECT_EQ(fish->ProcessOptions, poRender | poAnimation);
        EXPECT_TRUE(InList(*scene.RenderList(), fish) && InList(*scene.AnimationList(), fish));
        EXPECT_FALSE(InList(*scene.EventList(), fish));

        TLoaderTestThing* hidden = Thing(scene, "Hidden");
        ASSERT_NE(hidden, nullptr);
        EXPECT_FALSE(hidden->Visible());
        EXPECT_TRUE(hidden->Alpha);
        EXPECT_EQ(hidden->ProcessOptions, 0);
        EXPECT_FALSE(InList(*scene.RenderList(), hidden));
        EXPECT_EQ(hidden->File, "C:\\Other\\far.bmp");

        // The scene keeps the order of the description.
        EXPECT_EQ((std::vector<TMainItem*>{scene.GetItem(0), scene.GetItem(1), scene.GetItem(2)}),
                  (std::vector<TMainItem*>{textures, fish, hidden}));
    }
}

INSTANTIATE_TEST_SUITE_P(PlainAndScrambled, SceneRoundTrip, ::testing::Bool());

TEST(SceneLoader, DescriptionLayoutAndScrambling)
{
    TTempFolder folder;
    SampleScene(folder, false)->Save();
    TStringList plain;
    plain.SetText(folder.Read("scene.gsc"));
    TMemIniFile ini("");
    ini.SetStrings(plain);
    EXPECT_EQ(ini.ReadString("MainScene", "Type", ""), "TMainScene");
    EXPECT_EQ(ini.ReadString("MainScene", "Name", ""), "MainScene");
    EXPECT_EQ(ini.ReadString("MainScene", "Count", ""), "3");
    EXPECT_EQ(ini.ReadString("MainScene", "Path", ""), folder.Path());
    EXPECT_FALSE(ini.ValueExists("MainScene1", "Path"));  // written only when not ".\"
    EXPECT_FALSE(ini.ValueExists("MainScene1", "SourceLocation"));  // nor when [File]
    EXPECT_EQ(ini.ReadString("MainScene1", "Name", ""), "Textures");
    EXPECT_EQ(ini.ReadString("MainScene1", "Count", ""), "2");
    EXPECT_EQ(ini.ReadString("Textures1", "Name", ""), "Rock");  // a resource's index order
    EXPECT_EQ(ini.ReadString("MainScene2", "ProcessOptions", ""), "[Render,Animation]");
    EXPECT_EQ(ini.ReadString("MainScene2", "Link", ""), "Textures/Sand");
    EXPECT_EQ(ini.ReadString("MainScene2", "File", ""), "fish.bmp");  // inside the folder: bare
    EXPECT_EQ(ini.ReadString("MainScene2", "Real", ""), "0.1");
    EXPECT_FALSE(ini.ValueExists("MainScene3", "ProcessOptions"));  // [] is left out
    EXPECT_EQ(ini.ReadString("MainScene3", "Visible", ""), "0");
    EXPECT_FALSE(ini.ValueExists("MainScene2", "Visible"));

    // Scrambled: the same lines, every byte complemented, line breaks plain.
    SampleScene(folder, true)->Save();
    const std::string scrambled = folder.Read("scene.gsc");
    EXPECT_EQ(scrambled, Scrambled(plain.Text()));
    EXPECT_EQ(scrambled.find("MainScene"), std::string::npos);
}

TEST(SceneLoader, WriterRefusesTextThatIsNotAscii)
{
    for (const bool scrambled : {false, true}) {
        TTempFolder folder;
        auto scene = SampleScene(folder, scrambled);
        Thing(*scene, "Fish")->Text = "caf\xE9";
        EXPECT_NE(MessageOf([&] { scene->Save(); }).find("ASCII"), std::string::npos);
    }
}

TEST(SceneLoader, WriterWritesEachObjectOnceAfterRemovesAndDuplicates)
{
    TTempFolder folder;
    auto scene = SampleScene(folder, false);
    TMainObject* fish = scene->FindObject("Fish");
    scene->Remove(fish);  // leaves a hole in the flat list
    delete fish;
    TLoaderTestThing twin;  // a duplicate name is not taken
    twin.SetName("Hidden");
    scene->AddObject(&twin, poRender);
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

// --- Reading -----------------------------------------------------------------------

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

TEST(SceneLoader, ValueEncodings)
{
    TStringResources resources;
    const auto scene = SceneFromText(resources,
                                     "[MainScene]\nCount=4\n"
                                     "[MainScene1]\nType=TLoaderTestThing\nName=A\nProcessOptions=[Animation,Render]\n"
                                     "Text=\nColor=\nNumber=0x1F\nFlag=-2\nFile=sub\\x.bmp\n"
                                     "[MainScene2]\nType=tloadertestthing\nName=B\nProcessOptions=[render]\n"
                                     "Text=  two  words  \nFile=x.bmp\nLink=A\n"
                                     "[MainScene3]\nType=TLoaderTestThing\nName=C\nProcessOptions=Events+Render\n"
                                     "Link=Nobody/A\n"
                                     "[MainScene4]\nType=TLoaderTestThing\nName=D\nLink=Nobody\nNumber=-0\n");
    TLoaderTestThing* a = Thing(*scene, "A");
    TLoaderTestThing* b = Thing(*scene, "B");
    TLoaderTestThing* c = Thing(*scene, "C");
    TLoaderTestThing* d = Thing(*scene, "D");
    ASSERT_TRUE(a && b && c && d);
    EXPECT_EQ(a->ProcessOptions, poRender | poAnimation);
    EXPECT_EQ(b->ProcessOptions, 0);  // the words are case-sensitive
    EXPECT_EQ(c->ProcessOptions, poRender | poEvents);
    EXPECT_EQ(a->Text, " ");  // present but empty: a single blank
    EXPECT_EQ(b->Text, "two  words");
    EXPECT_EQ(a->Color.x, 0.25f);  // an empty colour keeps the default
    EXPECT_EQ(a->Number, 31);
    EXPECT_TRUE(a->Flag);
    EXPECT_EQ(d->Number, 0);
    EXPECT_EQ(a->File, "sub\\x.bmp");  // a folder part: taken as it is
    EXPECT_EQ(b->File, ".\\Data\\x.bmp");
    EXPECT_EQ(b->Link, a);
    EXPECT_EQ(c->Link, nullptr);  // its first part names no object
    EXPECT_EQ(d->Link, nullptr);
}

TEST(SceneLoader, ReferenceThroughAnObjectThatIsNoListIsAnInvalidCast)
{
    TStringResources resources;
    EXPECT_THROW(SceneFromText(resources,
                               "[MainScene]\nCount=2\n[MainScene1]\nType=TLoaderTestThing\nName=A\n"
                               "[MainScene2]\nType=TLoaderTestThing\nName=B\nLink=A/X\n"),
                 EInvalidCast);
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

TEST(SceneLoader, CountZeroOrAbsentCreatesNoChildren)
{
    TStringResources resources;
    const std::string child = "[MainScene1]\nType=TLoaderTestThing\nName=A\n";
    for (const std::string& head : {std::string("[MainScene]\nCount=0\n"), std::string("[MainScene]\n"),
                                    std::string("[MainScene]\nCount=-5\n"), std::string("[MainScene]\nCount=x\n")}) {
        EXPECT_EQ(SceneFromText(resources, head + child)->GetCount(), 0) << head;
    }
    // A capacity nobody meant is ignored.
    const auto scene = SceneFromText(resources, "[MainScene]\nCapacity=2000000000\nCount=1\n" + child);
    EXPECT_EQ(scene->GetCount(), 1);
}

TEST(SceneLoader, DuplicateNamesInADescriptionKeepTheFirstObject)
{
    TStringResources resources;
    const auto scene = SceneFromText(resources,
                                     "[MainScene]\nCount=2\n"
                                     "[MainScene1]\nType=TLoaderTestThing\nName=A\nNumber=1\nProcessOptions=[Render]\n"
                                     "[MainScene2]\nType=TLoaderTestThing\nName=A\nNumber=2\nProcessOptions=[Render]\n");
    EXPECT_EQ(scene->GetCount(), 1);
    EXPECT_EQ(Thing(*scene, "A")->Number, 1);
    EXPECT_EQ(scene->RenderList()->GetCount(), 1);

    // A scrambled description from a resource.
    const auto scrambled =
        SceneFromText(resources, Scrambled("[MainScene]\nCount=1\n[MainScene1]\nType=TLoaderTestThing\nName=A\n"), true);
    EXPECT_NE(scrambled->FindObject("A"), nullptr);
}

TEST(SceneLoader, SourceLocationDecidesWhatLoadDoes)
{
    TStringResources resources;
    // [File] with no source name: nothing happens, the children stay.
    TMainScene scene;
    auto* kept = new TLoaderTestThing;
    kept->SetName("Kept");
    scene.AddObject(kept, 0);
    scene.Load();
    EXPECT_EQ(scene.FindObject("Kept"), kept);

    // [Resource] with no source name: cleared, then the resource named
    // after an empty name is not found.
    scene.SourceLocation = slResource;
    EXPECT_THROW(scene.Load(), EResNotFound);
    EXPECT_EQ(scene.GetCount(), 0);

    // []: nothing.
    kept = new TLoaderTestThing;
    kept->SetName("Kept");
    scene.AddObject(kept, 0);
    scene.SourceLocation = 0;
    scene.SourceName = "test.gsc";
    scene.Load();
    EXPECT_EQ(scene.FindObject("Kept"), kept);
}

TEST(SceneLoader, FileKeysOverrideResourceKeysAndBothSetsOfChildrenAreAdded)
{
    TTempFolder folder;
    folder.Write("both.gsc", "[MainScene]\nVisible=0\nCount=2\n"
                             "[MainScene1]\nType=TLoaderTestThing\nName=FromFile\n"
                             "[MainScene2]\nType=TLoaderTestThing\nName=Shared\nNumber=1\n");
    TStringResources resources;
    resources.Add(ResourceNameOf(folder.Path() + "both.gsc"),
                  "[MainScene]\nVisible=1\nAlpha=0\nCount=2\n"
                  "[MainScene1]\nType=TLoaderTestThing\nName=FromResource\n"
                  "[MainScene2]\nType=TLoaderTestThing\nName=Shared\nNumber=2\n");
    TMainScene scene;
    scene.Path = folder.Path();
    scene.SourceName = "both.gsc";
    scene.SourceLocation = slFile | slResource;
    scene.Load();
    EXPECT_FALSE(scene.Visible());  // the file's value
    EXPECT_FALSE(scene.Alpha);      // the resource's, which the file does not set
    EXPECT_EQ(scene.GetCount(), 3);
    EXPECT_NE(scene.FindObject("FromFile"), nullptr);
    EXPECT_NE(scene.FindObject("FromResource"), nullptr);
    EXPECT_EQ(Thing(scene, "Shared")->Number, 1);  // the file's children come first
    EXPECT_EQ(scene.GetItem(0), scene.FindObject("FromFile"));
}

TEST(SceneLoader, SourceLocationReadFromTheDescriptionTakesEffectAtOnce)
{
    TStringResources resources;
    // The resource's own keys say [File]: its children are then not read
    // from it.
    const auto scene = SceneFromText(resources,
                                     "[MainScene]\nSourceLocation=[File]\nCount=1\n"
                                     "[MainScene1]\nType=TLoaderTestThing\nName=A\n");
    EXPECT_EQ(scene->SourceLocation, slFile);
    EXPECT_EQ(scene->GetCount(), 0);
}

TEST(SceneLoader, ChildResourceLoadsItsOwnDescription)
{
    TStringResources resources;
    resources.Add("LIST_GSC", "[Things]\nCount=1\n[Things1]\nType=TLoaderTestThing\nName=Inner\nNumber=5\n");
    const auto scene = SceneFromText(resources,
                                     "[MainScene]\nCount=1\n"
                                     "[MainScene1]\nType=TResource\nName=Things\nSourceName=list.gsc\n");
    auto* things = dynamic_cast<TResource*>(scene->FindObject("Things"));
    ASSERT_NE(things, nullptr);
    EXPECT_EQ(things->SourceName, ".\\list.gsc");
    EXPECT_EQ(things->SourceLocation, slResource);
    ASSERT_NE(Thing(*things, "Inner"), nullptr);
    EXPECT_EQ(Thing(*things, "Inner")->Number, 5);
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

TEST(SceneLoader, LoaderWithoutDescriptionReadsDefaultsAndWritesNothing)
{
    TResourceLoader loader;
    loader.Open();  // no file name, not a resource
    EXPECT_EQ(loader.IniFile, nullptr);
    EXPECT_EQ(loader.ReadInteger("Count", 4), 4);
    EXPECT_EQ(loader.ReadString("Name", "x"), "x");
    loader.WriteInteger("Count", 1);
    loader.Close();

    loader.FileName = "no such folder/none.gsc";
    EXPECT_THROW(loader.Open(), EFOpenError);
}

TEST(SceneLoader, OptionSetTexts)
{
    EXPECT_EQ(ProcessOptionsToStr(0), "[]");
    EXPECT_EQ(ProcessOptionsToStr(poEvents | poRender | poAnimation), "[Render,Animation,Events]");
    EXPECT_EQ(StrToProcessOptions("[Events,Animation]"), poEvents | poAnimation);
    EXPECT_EQ(StrToProcessOptions("[ANIMATION]"), 0);
    EXPECT_EQ(SourceLocationToStr(slFile | slResource), "[File,Resource]");
    EXPECT_EQ(StrToSourceLocation("[Resource]"), slResource);
    EXPECT_EQ(StrToSourceLocation("[file]"), 0);
}
