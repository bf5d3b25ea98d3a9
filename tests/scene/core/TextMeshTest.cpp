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
#MaterialStandard 11
Name Body
ShaderType 1 Blinn
TwoSided True
Opacity 98.5
Ambient (color 10 20 30)
Diffuse (color 200 150 100.5)
SpecularLevel 40
Glossiness 25
DiffuseMap body.bmp
OpacityMap undefined
BumpMap UNDEFINED
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

// What the mesh loader relies on after a successful load.
void ExpectConsistent(const T3DMFile& file, const std::string& text)
{
    for (int i = 0; i < file.ObjectCount(); ++i) {
        const T3DMObject& object = file.Objects(i);
        for (int f = 0; f < object.VertexFaces.Count(); ++f) {
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

}  // namespace

TEST(TextMesh, ReadsObjectsAndMaterialsWithEveryKindOfData)
{
    const auto loaded = Loaded(SampleMesh);
    ASSERT_EQ(loaded->ObjectCount(), 1);
    const T3DMObject& tang = loaded->Objects(0);
    EXPECT_EQ(tang.Name + " " + tang.MaterialName, "Tang FishSkin");
    ASSERT_EQ(tang.Vertices.Count(), 3);
    EXPECT_TRUE(SameVector(tang.Vertices.Items(1), {1.5f, 0, -2}));
    ASSERT_EQ(tang.TextureCoords.Count(), 2);
    ASSERT_EQ(tang.Colors.Count(), 2);
    EXPECT_EQ((std::vector<float>{tang.TextureCoords.Items(1).t, tang.Colors.Items(1).Green}),
              (std::vector<float>{0.75f, 128}));
    ASSERT_EQ(tang.VertexFaces.Count(), 2);
    EXPECT_EQ(tang.VertexFaces.Items(1).Index, (std::array<int, 3>{3, 2, 1}));
    EXPECT_EQ(tang.TextureCoordFaces.Items(0).Index, (std::array<int, 3>{1, 2, 2}));
    EXPECT_EQ(tang.ColorFaces.Items(1).Index, (std::array<int, 3>{2, 2, 1}));
    EXPECT_EQ(tang.FaceMatIDs.Items(1), 2);
    EXPECT_TRUE(tang.HasTransform && tang.MirrorY && !tang.MirrorX);
    EXPECT_TRUE(SameVector(tang.Matrix[3], {5, 6, 7}));
    ASSERT_EQ(tang.VertexFrames.Count(), 2);
    EXPECT_TRUE(SameVector(tang.VertexFrames.Frames(1).Items(2), {0, 1, 1}));

    ASSERT_EQ(loaded->Materials().Count(), 2);
    auto* multi = dynamic_cast<T3DMMaterialMultiSubObject*>(loaded->Materials().Items(0));
    ASSERT_TRUE(multi != nullptr && multi->SubCount() == 2);
    const T3DMMaterialStandard& body = *multi->SubMaterials(0);
    EXPECT_TRUE(body.TwoSided);
    EXPECT_EQ((std::vector<float>{body.Opacity, body.Diffuse.Blue, body.Glossiness}),
              (std::vector<float>{98.5f, 100.5f, 25}));
    EXPECT_EQ(body.OpacityMap + body.BumpMap, "");                  // "undefined" in any case is no map
    EXPECT_EQ(multi->SubMaterials(1)->DiffuseMap, "fins map.bmp");  // the value runs to the end of the line
    // Names are looked up without regard to case; sub-materials are not listed.
    EXPECT_EQ(loaded->Materials().Find("fishskin"), multi);
    EXPECT_EQ(loaded->Materials().Find("Body"), nullptr);
}

TEST(TextMesh, TextEndingInsideAChunkKeepsWhatWasRead)
{
    auto loaded = Loaded("#Object 1\nName A\n#Vertices 5\n[1,0,0]\n[2,0,0]\n");
    ASSERT_EQ(loaded->ObjectCount(), 1);
    EXPECT_EQ(loaded->Objects(0).Vertices.Count(), 2);
    // Inside the second animation frame: the complete frame stays, the
    // incomplete one is dropped.
    loaded->LoadFromText(SampleMesh.substr(0, SampleMesh.find("[1,0,1]")));
    ASSERT_EQ(loaded->ObjectCount(), 1);
    EXPECT_EQ(loaded->Objects(0).VertexFrames.Count(), 1);
    EXPECT_EQ(loaded->Objects(0).VertexFrames.Frames(0).Count(), 3);
}

TEST(TextMesh, MalformedInputRaisesAnErrorNamingTheChunkAndLeavesNothing)
{
    // Numbers that do not convert raise EConvertError.
    const char* const numbers[][3] = {
        {"[1.5,0,-2]", "[1.5,x,-2]", "Vertices chunk"},
        {"[1.5,0,-2]", "[1.5,0]", "Vertices chunk"},
        {"[1.5,0,-2]", "[1.5,0,1e39]", "Vertices chunk"},
        {"[3,2,1]", "[3,2.5,1]", "VertexFaces chunk"},
        {"Opacity 98.5", "Opacity 98,5", "MaterialStandard chunk"},
        {"#Vertices 3", "#Vertices 99999999999", "Vertices chunk"},
    };
    // Broken structure.
    const char* const structure[][3] = {
        // Face indices are 1-based and within their lists.
        {"[3,2,1]", "[3,0,1]", "VertexFaces chunk"},
        {"[3,2,1]", "[3,4,1]", "VertexFaces index 4 is beyond the 3 items of Vertices"},
        {"[1,2,2]", "[1,3,2]", "TextureCoordFaces index 3 is beyond the 2 items of TextureCoords"},
        {"#FaceMatID 2\n1\n2", "#FaceMatID 2\n-1\n2", "the material id -1 is not positive"},
        // Counts that do not match.
        {"#Vertices 3", "#Vertices 4", "Vertices chunk (line 32), line 36: the chunk ends after 3 of its 4 lines"},
        {"#FaceMatID 2\n1\n2", "#FaceMatID 1\n1", "FaceMatID has 1 lines for 2 VertexFaces"},
        {"#AnimMesh 8", "#AnimMesh 7", "the count 7 is not a whole number of frames of 4 lines"},
        {"Length 2", "Length 3", "the chunk holds 2 frames, the animation's Length is 3"},
        {"#Vertices 3", "#Vertices -3", "the count -3 is negative"},
        {"#Vertices 3", "#Vertices", "the header has no count"},
        // A frame whose vertices differ from the object's.
        {"#Vertices 3\n[0,0,0]\n[1.5,0,-2]\n[0,1,0]\n#Normals", "#Vertices 2\n[0,0,0]\n[1.5,0,-2]\n#Normals",
         "AnimMesh"},
        {"Frame 1", "Frames 1", "T3DMFile.ReadAnimMesh error: It is not vertex frame animation!"},
        {"#MaterialStandard 3\nName Fins", "#MaterialFancy 3\nName Fins", "T3DMFile error: SubMaterial is not Standard"},
    };
    for (const auto& c : numbers)
        EXPECT_NE(MessageOf<EConvertError>([&] { Loaded(Replaced(SampleMesh, c[0], c[1])); }).find(c[2]),
                  std::string::npos)
            << c[1];
    for (const auto& c : structure) {
        auto loaded = Loaded(SampleMesh);
        const std::string message = MessageOf([&] { loaded->LoadFromText(Replaced(SampleMesh, c[0], c[1])); });
        EXPECT_NE(message.find(c[2]), std::string::npos) << c[1] << " -> " << message;
        EXPECT_EQ(loaded->ObjectCount() + loaded->Materials().Count(), 0) << c[1];  // a failed load leaves nothing
    }
    const std::string message = MessageOf([&] { Loaded("#Vertices 1\n[0,0,0]\n"); });
    EXPECT_NE(message.find("comes before any Object"), std::string::npos) << message;
}

// Cut anywhere, the sample either reads and is consistent, or raises and
// leaves the file empty.
TEST(TextMesh, EveryTruncationReadsOrRaisesButNeverCrashes)
{
    int read = 0;
    for (size_t length = 0; length <= SampleMesh.size(); ++length) {
        const std::string text = SampleMesh.substr(0, length);
        T3DMFile file;
        try {
            file.LoadFromText(text);
        } catch (const Exception&) {
            EXPECT_EQ(file.ObjectCount() + file.Materials().Count(), 0) << text;
            continue;
        }
        ExpectConsistent(file, text);
        ++read;
    }
    EXPECT_GT(read, 0);
}

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
    EXPECT_EQ(second.Find("skin"), material);
    EXPECT_EQ(material->List(), &second);

    delete material;  // freeing it takes it out of its list
    EXPECT_EQ(second.Count(), 0);
    EXPECT_EQ(MessageOf([&] { first.Add(nullptr); }), "T3DMMaterialList error: Add a NIL Material");
}
