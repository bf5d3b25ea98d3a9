#include "scene/core/TextMesh.h"

#include "SceneTestObjects.h"

namespace {

// A small mesh that uses every chunk: a multi-material with two
// sub-materials, one object with colours, texture coordinates, a mirrored
// transform and a two-frame animation of its three vertices.
const std::string SampleMesh = R"(#Header 2
Version 1
Exporter test
#MaterialCount 1
Count 2
#MaterialMultiSubObject 2
Name FishSkin
NumSubs 2
#MaterialStandard 17
Name Body
ShaderType 1 Blinn
Faceted false
TwoSided True
WireSize 1.0
OpacityType 0
Opacity 98.5
selfIllumColor (color 1 2 3)
Ambient (color 10 20 30)
Diffuse (color 200 150 100.5)
Specular (color 255 255 255)
SpecularLevel 40
Glossiness 25
DiffuseMap body.bmp
OpacityMap undefined
BumpMap UNDEFINED
ReflectionMap undefined
#MaterialStandard 3
Name Fins
Opacity 99
DiffuseMap fins map.bmp
#MaterialStandard 2
Name Glass
Unknown key
#Object 1
Name Tang
#Material 1
Name FishSkin
#Vertices 3
[0,0,0]
[1.5,0,-2]
[0,1,0]
#Normals 1
[0,0,1]
#TextureCoords 2
[0,0,0]
[0.25,0.75,0]
#Colors 2
(color 255 0 0)
(color 0 128 255)
#VertexFaces 2
[1,2,3]
[3,2,1]
#TextureCoordFaces 2
[1,2,2]
[2,1,1]
#ColorFaces 2
[1,1,2]
[2,2,1]
#FaceMatID 2
1
2
#Transform 4
Position [5,6,7]
Rotation (quat 0 0 0 1)
Scale [1,-1,1]
(matrix3 [1,0,0] [0,0,1] [0,-1,0] [5,6,7])
#Animation 2
Length 2
Loop true
#AnimMesh 8
Frame 0
[0,0,0]
[1,0,0]
[0,1,0]
Frame 1
[0,0,1]
[1,0,1]
[0,1,1]
#Object 1
Name Bubble
#Vertices 3
[0,0,0]
[1,0,0]
[0,1,0]
#VertexFaces 1
[1,2,3]
#FaceMatID 1
1
)";

std::unique_ptr<T3DMFile> Loaded(const std::string& text)
{
    auto file = std::make_unique<T3DMFile>();
    file->LoadFromText(text);
    return file;
}

// Replaces the first occurrence of from in text by to.
std::string Replaced(std::string text, const std::string& from, const std::string& to)
{
    const size_t at = text.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    if (at != std::string::npos)
        text.replace(at, from.size(), to);
    return text;
}

bool SameVector(const TGLVector& a, const TGLVector& b)
{
    return a.x == b.x && a.y == b.y && a.z == b.z;
}

// Everything of the two files that the reader sets, compared.
void ExpectSameContent(const T3DMFile& a, const T3DMFile& b)
{
    EXPECT_EQ(a.Version, b.Version);
    ASSERT_EQ(a.ObjectCount(), b.ObjectCount());
    for (int i = 0; i < a.ObjectCount(); ++i) {
        const T3DMObject& x = a.Objects(i);
        const T3DMObject& y = b.Objects(i);
        EXPECT_EQ(x.Name, y.Name);
        EXPECT_EQ(x.MaterialName, y.MaterialName);
        ASSERT_EQ(x.Vertices.Count(), y.Vertices.Count());
        for (int v = 0; v < x.Vertices.Count(); ++v)
            EXPECT_TRUE(SameVector(x.Vertices.Items(v), y.Vertices.Items(v)));
        EXPECT_EQ(x.Normals.Count(), y.Normals.Count());
        EXPECT_EQ(x.Colors.Count(), y.Colors.Count());
        EXPECT_EQ(x.TextureCoords.Count(), y.TextureCoords.Count());
        ASSERT_EQ(x.VertexFaces.Count(), y.VertexFaces.Count());
        for (int f = 0; f < x.VertexFaces.Count(); ++f)
            EXPECT_EQ(x.VertexFaces.Items(f).Index, y.VertexFaces.Items(f).Index);
        EXPECT_EQ(x.FaceMatIDs.Count(), y.FaceMatIDs.Count());
        EXPECT_EQ(x.HasTransform, y.HasTransform);
        EXPECT_EQ(x.MirrorY, y.MirrorY);
        EXPECT_EQ(x.VertexFrames.Count(), y.VertexFrames.Count());
    }
    ASSERT_EQ(a.Materials().Count(), b.Materials().Count());
    for (int i = 0; i < a.Materials().Count(); ++i)
        EXPECT_EQ(a.Materials().Items(i)->Name(), b.Materials().Items(i)->Name());
}

}  // namespace

// --- Valid meshes ---------------------------------------------------------------

TEST(TextMesh, ReadsObjectsWithEveryKindOfData)
{
    const auto loaded = Loaded(SampleMesh);
    const T3DMFile& file = *loaded;
    EXPECT_EQ(file.Version, 1);
    ASSERT_EQ(file.ObjectCount(), 2);

    const T3DMObject& tang = file.Objects(0);
    EXPECT_EQ(tang.Name, "Tang");
    EXPECT_EQ(tang.MaterialName, "FishSkin");
    ASSERT_EQ(tang.Vertices.Count(), 3);
    EXPECT_TRUE(SameVector(tang.Vertices.Items(1), {1.5f, 0, -2}));
    EXPECT_EQ(tang.Normals.Count(), 1);
    ASSERT_EQ(tang.TextureCoords.Count(), 2);
    ASSERT_EQ(tang.Colors.Count(), 2);
    EXPECT_EQ((std::vector<float>{tang.TextureCoords.Items(1).s, tang.TextureCoords.Items(1).t,
                                  tang.Colors.Items(1).Green, tang.Colors.Items(1).Blue}),
              (std::vector<float>{0.25f, 0.75f, 128, 255}));
    ASSERT_EQ(tang.VertexFaces.Count(), 2);
    EXPECT_EQ(tang.VertexFaces.Items(1).Index, (std::array<int, 3>{3, 2, 1}));
    EXPECT_EQ(tang.TextureCoordFaces.Items(0).Index, (std::array<int, 3>{1, 2, 2}));
    EXPECT_EQ(tang.ColorFaces.Items(1).Index, (std::array<int, 3>{2, 2, 1}));
    ASSERT_EQ(tang.FaceMatIDs.Count(), 2);
    EXPECT_EQ(tang.FaceMatIDs.Items(1), 2);

    EXPECT_TRUE(tang.HasTransform);
    EXPECT_TRUE(SameVector(tang.Matrix[1], {0, 0, 1}));
    EXPECT_TRUE(SameVector(tang.Matrix[2], {0, -1, 0}));
    EXPECT_TRUE(SameVector(tang.Matrix[3], {5, 6, 7}));
    EXPECT_EQ((std::vector<bool>{tang.MirrorX, tang.MirrorY, tang.MirrorZ}), (std::vector<bool>{false, true, false}));

    EXPECT_TRUE(tang.VertexFrames.Loop);
    EXPECT_EQ(tang.VertexFrames.Length, 2);
    ASSERT_EQ(tang.VertexFrames.Count(), 2);
    EXPECT_TRUE(SameVector(tang.VertexFrames.Frames(1).Items(2), {0, 1, 1}));

    const T3DMObject& bubble = file.Objects(1);
    EXPECT_EQ(bubble.Name, "Bubble");
    EXPECT_FALSE(bubble.HasTransform);
    EXPECT_TRUE(SameVector(bubble.Matrix[0], {1, 0, 0}));
    EXPECT_EQ(bubble.VertexFrames.Count(), 0);
    EXPECT_EQ(bubble.TextureCoordFaces.Count(), 0);
}

TEST(TextMesh, ReadsStandardAndMultiMaterials)
{
    const auto loaded = Loaded(SampleMesh);
    const T3DMFile& file = *loaded;
    ASSERT_EQ(file.Materials().Count(), 2);

    auto* multi = dynamic_cast<T3DMMaterialMultiSubObject*>(file.Materials().Items(0));
    ASSERT_NE(multi, nullptr);
    EXPECT_EQ(multi->Name(), "FishSkin");
    ASSERT_EQ(multi->SubCount(), 2);

    const T3DMMaterialStandard& body = *multi->SubMaterials(0);
    EXPECT_EQ(body.Name(), "Body");
    EXPECT_EQ(body.ShaderType, 1);
    EXPECT_FALSE(body.Faceted);
    EXPECT_TRUE(body.TwoSided);
    EXPECT_EQ((std::vector<float>{body.WireSize, body.Opacity, body.SelfIllumColor.Blue, body.Ambient.Green,
                                  body.Diffuse.Blue, body.Specular.Red, body.SpecularLevel, body.Glossiness}),
              (std::vector<float>{1, 98.5f, 3, 20, 100.5f, 255, 40, 25}));
    EXPECT_EQ(body.DiffuseMap, "body.bmp");
    // "undefined" in any case is no map.
    EXPECT_EQ(body.OpacityMap + body.BumpMap + body.ReflectionMap, "");

    const T3DMMaterialStandard& fins = *multi->SubMaterials(1);
    EXPECT_EQ(fins.Name(), "Fins");
    EXPECT_EQ(fins.Opacity, 99.0f);
    EXPECT_EQ(fins.DiffuseMap, "fins map.bmp");  // the value runs to the end of the line
    EXPECT_EQ(fins.Ambient.Red, 0.0f);           // keys left out keep their defaults

    auto* glass = dynamic_cast<T3DMMaterialStandard*>(file.Materials().Items(1));
    ASSERT_NE(glass, nullptr);
    EXPECT_EQ(glass->Name(), "Glass");
    EXPECT_EQ(glass->Opacity, 100.0f);

    // Material names are looked up without regard to case.
    EXPECT_EQ(file.Materials().Find("fishskin"), multi);
    EXPECT_EQ(file.Materials().Find("GLASS"), glass);
    EXPECT_EQ(file.Materials().Find("Body"), nullptr);  // sub-materials are not listed
}

TEST(TextMesh, BlankLinesAndBlanksAroundLinesChangeNothing)
{
    std::string spaced;
    size_t start = 0;
    while (start < SampleMesh.size()) {
        const size_t end = SampleMesh.find('\n', start);
        spaced += "  \t" + SampleMesh.substr(start, end - start) + "   \r\n\r\n \n";
        start = end + 1;
    }
    ExpectSameContent(*Loaded(SampleMesh), *Loaded(spaced));
}

TEST(TextMesh, UnknownChunksAndTextBeforeHeadersAreSkippedAndEmptyTextClears)
{
    const auto loaded = Loaded("exported by hand\n#MaterialCount 1\nCount 1\n#Extra 2\na\nb\n" + SampleMesh);
    EXPECT_EQ(loaded->ObjectCount(), 2);
    EXPECT_EQ(loaded->Materials().Count(), 2);
    loaded->LoadFromText("");
    EXPECT_EQ(loaded->ObjectCount() + loaded->Materials().Count() + loaded->Version, 0);
}

TEST(TextMesh, AnimMeshOfNineFramesOf264Vertices)
{
    std::string text = "#Object 1\nName Fish\n#Vertices 264\n";
    for (int v = 0; v < 264; ++v)
        text += Format("[%d,0,0]\n", v);
    text += "#Animation 2\nLength 9\nLoop false\n#AnimMesh 2385\n";
    for (int f = 0; f < 9; ++f) {
        text += Format("Frame %d\n", f);
        for (int v = 0; v < 264; ++v)
            text += Format("[%d,%d,0]\n", v, f);
    }
    const auto loaded = Loaded(text);
    const T3DMVertexFrameList& frames = loaded->Objects(0).VertexFrames;
    EXPECT_FALSE(frames.Loop);
    ASSERT_EQ(frames.Count(), 9);
    for (int f = 0; f < 9; ++f)
        ASSERT_EQ(frames.Frames(f).Count(), 264);
    EXPECT_TRUE(SameVector(frames.Frames(8).Items(263), {263, 8, 0}));
}

TEST(TextMesh, TextEndingInsideAChunkKeepsWhatWasRead)
{
    // Inside the vertices.
    auto loaded = Loaded("#Object 1\nName A\n#Vertices 5\n[1,0,0]\n[2,0,0]\n");
    T3DMFile& file = *loaded;
    ASSERT_EQ(file.ObjectCount(), 1);
    EXPECT_EQ(file.Objects(0).Name, "A");
    EXPECT_EQ(file.Objects(0).Vertices.Count(), 2);

    // Inside the second animation frame: the complete frame stays, the
    // incomplete one is dropped.
    const std::string cut = SampleMesh.substr(0, SampleMesh.find("[1,0,1]"));
    file.LoadFromText(cut);
    EXPECT_EQ(file.ObjectCount(), 1);
    EXPECT_EQ(file.Objects(0).VertexFrames.Count(), 1);
    EXPECT_EQ(file.Objects(0).VertexFrames.Frames(0).Count(), 3);

    // Inside a sub-material: the materials read so far stay.
    file.LoadFromText(SampleMesh.substr(0, SampleMesh.find("Glossiness")));
    ASSERT_EQ(file.Materials().Count(), 1);
    auto* multi = dynamic_cast<T3DMMaterialMultiSubObject*>(file.Materials().Items(0));
    ASSERT_NE(multi, nullptr);
    ASSERT_EQ(multi->SubCount(), 1);
    EXPECT_EQ(multi->SubMaterials(0)->SpecularLevel, 40.0f);
}

// --- Malformed meshes -------------------------------------------------------------

TEST(TextMesh, MalformedNumbersRaiseAConversionErrorNamingTheChunk)
{
    struct Case {
        const char* from;
        const char* to;
        const char* chunk;
    };
    const Case cases[] = {
        {"[1.5,0,-2]", "[1.5,x,-2]", "Vertices chunk"},
        {"[1.5,0,-2]", "[1.5,0]", "Vertices chunk"},
        {"[1.5,0,-2]", "1.5,0,-2", "Vertices chunk"},
        {"[1.5,0,-2]", "[1.5,0,1e39]", "Vertices chunk"},
        {"[0,0,1]", "[0,0,1,1]", "Normals chunk"},
        {"[0.25,0.75,0]", "[0.25,0.75]", "TextureCoords chunk"},
        {"(color 0 128 255)", "(color 0 128)", "Colors chunk"},
        {"(color 0 128 255)", "(colour 0 128 255)", "Colors chunk"},
        {"(color 0 128 255)", "(color 0 1x8 255)", "Colors chunk"},
        {"[3,2,1]", "[3,2.5,1]", "VertexFaces chunk"},
        {"[1,2,2]", "[1,,2]", "TextureCoordFaces chunk"},
        {"#FaceMatID 2\n1\n2", "#FaceMatID 2\n1\ntwo", "FaceMatID chunk"},
        {"(matrix3 [1,0,0] [0,0,1] [0,-1,0] [5,6,7])", "(matrix3 [1,0,0] [0,0,1] [0,-1,0])", "Transform chunk"},
        {"(matrix3 [1,0,0] [0,0,1] [0,-1,0] [5,6,7])", "(matrix3 [1,0,0] [0,0,1] [0,-1,0] [5,6,7] [1,1,1])",
         "Transform chunk"},
        {"Scale [1,-1,1]", "Scale 1", "Transform chunk"},
        {"Version 1", "Version one", "Header chunk"},
        {"Opacity 98.5", "Opacity 98,5", "MaterialStandard chunk"},
        {"ShaderType 1 Blinn", "ShaderType Blinn", "MaterialStandard chunk"},
        {"NumSubs 2", "NumSubs two", "MaterialMultiSubObject chunk"},
        {"Length 2", "Length 2.0", "Animation chunk"},
        {"#Vertices 3", "#Vertices three", "Vertices chunk"},
        {"#Vertices 3", "#Vertices 99999999999", "Vertices chunk"},
    };
    for (const Case& c : cases) {
        auto loaded = Loaded(SampleMesh);
        T3DMFile& file = *loaded;
        const std::string text = Replaced(SampleMesh, c.from, c.to);
        const std::string message = MessageOf<EConvertError>([&] { file.LoadFromText(text); });
        EXPECT_NE(message.find(c.chunk), std::string::npos) << c.to << " -> " << message;
        EXPECT_EQ(file.ObjectCount(), 0) << c.to;  // a failed load leaves nothing
        EXPECT_EQ(file.Materials().Count(), 0) << c.to;
    }
}

TEST(TextMesh, MalformedStructureRaisesAnErrorNamingTheChunk)
{
    struct Case {
        const char* from;
        const char* to;
        const char* expected;  // a part of the message
    };
    const Case cases[] = {
        // Face indices are 1-based and within their lists.
        {"[3,2,1]", "[3,0,1]", "VertexFaces chunk"},
        {"[3,2,1]", "[3,4,1]", "VertexFaces index 4 is beyond the 3 items of Vertices"},
        {"[1,2,2]", "[1,3,2]", "TextureCoordFaces index 3 is beyond the 2 items of TextureCoords"},
        {"[1,1,2]", "[1,1,-2]", "ColorFaces chunk"},
        {"[2,2,1]", "[2,2,3]", "ColorFaces index 3 is beyond the 2 items of Colors"},
        // Material ids are positive.
        {"#FaceMatID 2\n1\n2", "#FaceMatID 2\n1\n0", "FaceMatID chunk"},
        {"#FaceMatID 2\n1\n2", "#FaceMatID 2\n-1\n2", "the material id -1 is not positive"},
        // Counts that do not match.
        {"#Vertices 3", "#Vertices 4", "Vertices chunk (line 38), line 42: the chunk ends after 3 of its 4 lines"},
        {"#Material 1", "#Material 2", "Material chunk"},
        {"#FaceMatID 2\n1\n2", "#FaceMatID 1\n1", "FaceMatID has 1 lines for 2 VertexFaces"},
        {"#TextureCoordFaces 2\n[1,2,2]\n[2,1,1]", "#TextureCoordFaces 1\n[1,2,2]",
         "TextureCoordFaces has 1 lines for 2 VertexFaces"},
        {"#ColorFaces 2\n[1,1,2]\n[2,2,1]", "#Unused 2\n[1,1,2]\n[2,2,1]", "ColorFaces has 0 lines for 2 VertexFaces"},
        {"#AnimMesh 8", "#AnimMesh 7", "the count 7 is not a whole number of frames of 4 lines"},
        {"Length 2", "Length 3", "the chunk holds 2 frames, the animation's Length is 3"},
        {"Length 2", "Length -1", "Animation chunk"},
        {"#Vertices 3", "#Vertices -3", "the count -3 is negative"},
        {"#Vertices 3", "#Vertices", "the header has no count"},
        {"NumSubs 2", "NumSubs -2", "MaterialMultiSubObject chunk"},
        // A frame whose vertices differ from the object's.
        {"#Vertices 3\n[0,0,0]\n[1.5,0,-2]\n[0,1,0]\n#Normals", "#Vertices 2\n[0,0,0]\n[1.5,0,-2]\n#Normals",
         "AnimMesh"},
        // The exact texts.
        {"Frame 1", "Frames 1", "T3DMFile.ReadAnimMesh error: It is not vertex frame animation!"},
        {"#MaterialStandard 3\nName Fins", "#MaterialFancy 3\nName Fins", "T3DMFile error: SubMaterial is not Standard"},
    };
    for (const Case& c : cases) {
        const std::string text = Replaced(SampleMesh, c.from, c.to);
        T3DMFile file;
        const std::string message = MessageOf([&] { file.LoadFromText(text); });
        EXPECT_NE(message.find(c.expected), std::string::npos) << c.to << " -> " << message;
        EXPECT_EQ(file.ObjectCount(), 0) << c.to;
    }
}

TEST(TextMesh, ObjectChunksBeforeAnyObjectAreRefused)
{
    for (const char* text : {"#Vertices 1\n[0,0,0]\n", "#FaceMatID 0\n", "#Animation 1\nLength 1\n"}) {
        const std::string message = MessageOf([&] { Loaded(text); });
        EXPECT_NE(message.find("comes before any Object"), std::string::npos) << message;
    }
}

// What the mesh loader relies on after a successful load.
void ExpectConsistent(const T3DMFile& file, const std::string& text)
{
    for (int i = 0; i < file.ObjectCount(); ++i) {
        const T3DMObject& object = file.Objects(i);
        const int faces = object.VertexFaces.Count();
        for (int f = 0; f < faces; ++f) {
            for (const int index : object.VertexFaces.Items(f).Index)
                ASSERT_TRUE(index >= 1 && index <= object.Vertices.Count()) << text;
            if (object.TextureCoords.Count() > 0) {
                for (const int index : object.TextureCoordFaces.Items(f).Index)
                    ASSERT_TRUE(index >= 1 && index <= object.TextureCoords.Count()) << text;
            }
            if (object.Colors.Count() > 0) {
                for (const int index : object.ColorFaces.Items(f).Index)
                    ASSERT_TRUE(index >= 1 && index <= object.Colors.Count()) << text;
            }
            ASSERT_GE(object.FaceMatIDs.Items(f), 1) << text;
        }
        for (int f = 0; f < object.VertexFrames.Count(); ++f)
            ASSERT_EQ(object.VertexFrames.Frames(f).Count(), object.Vertices.Count()) << text;
    }
}

// Loads text, which may be broken: either it reads and is consistent, or it
// raises and leaves the file empty. Returns whether it read.
bool ReadsConsistentlyOrRaises(const std::string& text)
{
    T3DMFile file;
    try {
        file.LoadFromText(text);
    } catch (const Exception&) {
        EXPECT_EQ(file.ObjectCount(), 0);
        EXPECT_EQ(file.Materials().Count(), 0);
        return false;
    }
    ExpectConsistent(file, text);
    return true;
}

TEST(TextMesh, EveryTruncationReadsOrRaisesButNeverCrashes)
{
    int read = 0;
    for (size_t length = 0; length <= SampleMesh.size(); ++length)
        read += ReadsConsistentlyOrRaises(SampleMesh.substr(0, length));
    EXPECT_GT(read, 0);
}

TEST(TextMesh, EveryCorruptedCharacterReadsOrRaisesButNeverCrashes)
{
    for (size_t at = 0; at < SampleMesh.size(); ++at) {
        for (const char junk : {'#', '-'}) {
            std::string text = SampleMesh;
            text[at] = junk;
            ReadsConsistentlyOrRaises(text);
        }
    }
}

// --- Files -------------------------------------------------------------------------

TEST(TextMesh, LoadsFromAFileAndRefusesAMissingOne)
{
    TTempFolder folder;
    folder.Write("fish.3dm", SampleMesh);
    T3DMFile file;
    file.LoadFromFile(folder.Path() + "fish.3dm");
    ExpectSameContent(file, *Loaded(SampleMesh));
    EXPECT_THROW(file.LoadFromFile(folder.Path() + "none.3dm"), EFOpenError);
}

// --- Material lists ------------------------------------------------------------------

TEST(TextMeshMaterialList, AMaterialBelongsToOneListAtMost)
{
    T3DMMaterialList first;
    T3DMMaterialList second;
    auto* material = new T3DMMaterialStandard;
    material->SetName("Skin");
    first.Add(material);
    first.Add(material);  // already there: stays once
    EXPECT_EQ(first.Count(), 1);

    second.Add(material);
    EXPECT_EQ(first.Count(), 0);
    EXPECT_EQ(first.Find("Skin"), nullptr);
    EXPECT_EQ(second.Find("skin"), material);
    EXPECT_EQ(material->List(), &second);

    delete material;  // freeing it takes it out of its list
    EXPECT_EQ(second.Count(), 0);
    EXPECT_EQ(second.Find("Skin"), nullptr);

    EXPECT_EQ(MessageOf([&] { first.Add(nullptr); }), "T3DMMaterialList error: Add a NIL Material");
}

TEST(TextMeshMaterialList, RenamingReindexesAndOrderStays)
{
    T3DMMaterialList list;
    auto* a = new T3DMMaterialStandard;
    a->SetName("Alpha");
    auto* b = new T3DMMaterialMultiSubObject;
    b->SetName("Beta");
    list.Add(a);
    list.Add(b);

    a->SetName("Zeta");
    EXPECT_EQ(list.Find("Alpha"), nullptr);
    EXPECT_EQ(list.Find("zeta"), a);
    EXPECT_EQ(list.Items(0), a);  // the list keeps the order of addition
    EXPECT_EQ(list.Items(1), b);

    // Names may repeat: the earlier material is found.
    b->SetName("ZETA");
    EXPECT_EQ(list.Find("Zeta"), a);
    list.Remove(a);
    EXPECT_EQ(list.Find("Zeta"), b);
    EXPECT_EQ(a->List(), nullptr);
    delete a;  // the caller owns it again
    EXPECT_THROW(list.Items(1), EListError);
}
