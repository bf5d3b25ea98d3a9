// The reader of the text mesh format (T3DMFile's loads).
#include <cfloat>
#include <cmath>
#include <memory>

#include "classlib/core/StringList.h"
#include "scene/core/SceneLoaderResources.h"
#include "scene/core/SceneRegistry.h"
#include "scene/core/TextMesh.h"

namespace {

// --- Values --------------------------------------------------------------------
// Each parser takes a trimmed text and raises EConvertError when the text is
// not what it expects; the reader adds where it was.

std::vector<std::string> Split(const std::string& text, char separator)
{
    std::vector<std::string> items;
    size_t start = 0;
    for (;;) {
        const size_t end = text.find(separator, start);
        items.push_back(Trim(text.substr(start, end == std::string::npos ? std::string::npos : end - start)));
        if (end == std::string::npos)
            return items;
        start = end + 1;
    }
}

[[noreturn]] void NotA(const std::string& text, const char* what)
{
    throw EConvertError("'" + text + "' is not " + what);
}

float ParseReal(const std::string& text)
{
    const long double value = StrToFloat(text);
    if (std::fabs(value) > FLT_MAX)
        NotA(text, "a single-precision number");
    return static_cast<float>(value);
}

// The three comma-separated items of "[a,b,c]".
std::vector<std::string> Bracketed(const std::string& text, const char* what)
{
    if (text.size() < 2 || text.front() != '[' || text.back() != ']')
        NotA(text, what);
    std::vector<std::string> items = Split(text.substr(1, text.size() - 2), ',');
    if (items.size() != 3)
        NotA(text, what);
    return items;
}

TGLVector ParseVector(const std::string& text)
{
    const std::vector<std::string> items = Bracketed(text, "a vector");
    return {ParseReal(items[0]), ParseReal(items[1]), ParseReal(items[2])};
}

TGLTextureCoord ParseTextureCoord(const std::string& text)
{
    const std::vector<std::string> items = Bracketed(text, "a texture coordinate");
    ParseReal(items[2]);  // w: checked, not kept
    return {ParseReal(items[0]), ParseReal(items[1])};
}

T3DMFace ParseFace(const std::string& text)
{
    const std::vector<std::string> items = Bracketed(text, "a face");
    return {{StrToInt(items[0]), StrToInt(items[1]), StrToInt(items[2])}};
}

T3DMColor ParseColor(const std::string& text)
{
    static const std::string opening = "(color";
    if (text.size() < opening.size() + 1 || text.compare(0, opening.size(), opening) != 0 || text.back() != ')')
        NotA(text, "a colour");
    std::vector<std::string> items;
    for (const std::string& item : Split(text.substr(opening.size(), text.size() - opening.size() - 1), ' '))
        if (!item.empty())
            items.push_back(item);
    if (items.size() != 3)
        NotA(text, "a colour");
    return {ParseReal(items[0]), ParseReal(items[1]), ParseReal(items[2])};
}

// "(matrix3 [..] [..] [..] [..])": three rotation-scale rows, then the
// translation row.
std::array<TGLVector, 4> ParseMatrix(const std::string& text)
{
    std::array<TGLVector, 4> rows{};
    size_t position = text.find("(matrix3");
    size_t count = 0;
    for (;;) {
        const size_t open = text.find('[', position);
        if (open == std::string::npos)
            break;
        const size_t close = text.find(']', open);
        if (close == std::string::npos || count == rows.size())
            NotA(text, "a matrix");
        rows[count++] = ParseVector(text.substr(open, close - open + 1));
        position = close + 1;
    }
    if (count != rows.size())
        NotA(text, "a matrix");
    return rows;
}

bool ParseBool(const std::string& text)
{
    return UpperCase(text).starts_with("T");
}

std::string ParseMap(const std::string& text)
{
    return SameText(text, "undefined") ? std::string() : text;
}

// A key line: the key up to the first blank, the value after it.
struct TKeyLine {
    std::string Key;
    std::string Value;
};

TKeyLine SplitKeyLine(const std::string& line)
{
    const size_t blank = line.find(' ');
    if (blank == std::string::npos)
        return {line, std::string()};
    return {line.substr(0, blank), Trim(line.substr(blank + 1))};
}

// --- The reader ------------------------------------------------------------------

struct TLine {
    int Number;  // 1-based, in the text as given
    std::string Text;
};

struct TChunk {
    std::string Name;
    int Count = 0;
};

class T3DMReader {
public:
    T3DMReader(const TStrings& lines, T3DMFile& file) : FFile(file)
    {
        for (int i = 0; i < lines.Count(); ++i) {
            std::string text = Trim(lines.Strings(i));
            if (!text.empty())
                FLines.push_back({i + 1, std::move(text)});
        }
    }

    void Read()
    {
        try {
            for (;;)
                Dispatch(NextHeader());
        } catch (const EAbort&) {
            // The end of the text: keep what was read.
        } catch (const EConvertError& e) {
            throw EConvertError(Where() + e.Message);
        }
        for (int i = 0; i < FFile.ObjectCount(); ++i)
            Validate(FFile.Objects(i));
    }

private:
    // The next non-blank line; the end of the text is the silent abort.
    const std::string& NextLine()
    {
        if (FPosition == FLines.size())
            throw EAbort("");
        return FLines[FPosition++].Text;
    }

    // Skips lines up to the next chunk header and opens that chunk.
    TChunk NextHeader()
    {
        std::string line;
        do
            line = NextLine();
        while (line[0] != '#');
        FChunkLine = FLines[FPosition - 1].Number;
        const size_t blank = line.find(' ');
        FChunkName = line.substr(1, blank == std::string::npos ? std::string::npos : blank - 1);
        if (blank == std::string::npos)
            Fail("the header has no count");
        const int count = StrToInt(Trim(line.substr(blank + 1)));
        if (count < 0)
            Fail("the count " + IntToStr(count) + " is negative");
        return {FChunkName, count};
    }

    // A line of the current chunk's body; a header here means the chunk has
    // fewer lines than its count says.
    const std::string& BodyLine(const TChunk& chunk, int index)
    {
        const std::string& line = NextLine();
        if (line[0] == '#')
            Fail("the chunk ends after " + IntToStr(index) + " of its " + IntToStr(chunk.Count) + " lines");
        return line;
    }

    template <class OnKey>
    void ReadKeys(const TChunk& chunk, OnKey onKey)
    {
        for (int i = 0; i < chunk.Count; ++i) {
            const TKeyLine line = SplitKeyLine(BodyLine(chunk, i));
            onKey(line.Key, line.Value);
        }
    }

    void Dispatch(const TChunk& chunk)
    {
        const std::string& name = chunk.Name;
        if (name == "Header")
            ReadKeys(chunk, [&](const std::string& key, const std::string& value) {
                if (key == "Version")
                    FFile.Version = StrToInt(value);
            });
        else if (name == "Object")
            ReadObject(chunk);
        else if (name == "Vertices")
            ReadLines(chunk, [&](const std::string& line) { Object().Vertices.Add(ParseVector(line)); });
        else if (name == "Normals")
            ReadLines(chunk, [&](const std::string& line) { Object().Normals.Add(ParseVector(line)); });
        else if (name == "TextureCoords")
            ReadLines(chunk, [&](const std::string& line) { Object().TextureCoords.Add(ParseTextureCoord(line)); });
        else if (name == "Colors")
            ReadLines(chunk, [&](const std::string& line) { Object().Colors.Add(ParseColor(line)); });
        else if (name == "VertexFaces")
            ReadFaces(chunk, Object().VertexFaces);
        else if (name == "TextureCoordFaces")
            ReadFaces(chunk, Object().TextureCoordFaces);
        else if (name == "ColorFaces")
            ReadFaces(chunk, Object().ColorFaces);
        else if (name == "FaceMatID")
            ReadLines(chunk, [&](const std::string& line) {
                const int id = StrToInt(line);
                if (id < 1)
                    Fail("the material id " + IntToStr(id) + " is not positive");
                Object().FaceMatIDs.Add(id);
            });
        else if (name == "Material")
            ReadKeys(chunk, [&](const std::string& key, const std::string& value) {
                if (key == "Name")
                    Object().MaterialName = value;
            });
        else if (name == "Transform")
            ReadTransform(chunk);
        else if (name == "MaterialStandard") {
            auto owned = std::make_unique<T3DMMaterialStandard>();
            FFile.Materials().Add(owned.get());
            ReadStandard(chunk, *owned.release());  // the file owns it now
        } else if (name == "MaterialMultiSubObject")
            ReadMultiSubObject(chunk);
        else if (name == "Animation")
            ReadAnimation(chunk);
        else if (name == "AnimMesh")
            ReadAnimMesh(chunk);
        else
            for (int i = 0; i < chunk.Count; ++i)
                BodyLine(chunk, i);  // an unknown chunk: skipped
    }

    template <class OnLine>
    void ReadLines(const TChunk& chunk, OnLine onLine)
    {
        Object();  // a data chunk needs its object before its lines
        for (int i = 0; i < chunk.Count; ++i)
            onLine(BodyLine(chunk, i));
    }

    // The object the current chunk belongs to.
    T3DMObject& Object()
    {
        if (FObject == nullptr)
            Fail("the chunk comes before any Object chunk");
        return *FObject;
    }

    void ReadObject(const TChunk& chunk)
    {
        FObject = &FFile.AddObject();
        FLengthRead = false;
        ReadKeys(chunk, [&](const std::string& key, const std::string& value) {
            if (key == "Name")
                FObject->Name = value;
        });
    }

    void ReadFaces(const TChunk& chunk, T3DMFaceList& faces)
    {
        ReadLines(chunk, [&](const std::string& line) {
            const T3DMFace face = ParseFace(line);
            for (const int index : face.Index)
                if (index < 1)
                    Fail("the face index " + IntToStr(index) + " is below 1");
            faces.Add(face);
        });
    }

    void ReadTransform(const TChunk& chunk)
    {
        T3DMObject& object = Object();
        ReadLines(chunk, [&](const std::string& line) {
            if (line.find("(matrix3") != std::string::npos) {
                object.Matrix = ParseMatrix(line);
                object.HasTransform = true;
            } else if (line.find("Scale") != std::string::npos) {
                const TGLVector scale = ParseVector(SplitKeyLine(line).Value);
                object.MirrorX = scale.x < 0;
                object.MirrorY = scale.y < 0;
                object.MirrorZ = scale.z < 0;
            }
            // "Position", "Rotation" and anything else: not used.
        });
    }

    void ReadStandard(const TChunk& chunk, T3DMMaterialStandard& material)
    {
        ReadKeys(chunk, [&](const std::string& key, const std::string& value) {
            if (key == "Name")
                material.SetName(value);
            else if (key == "ShaderType")
                material.ShaderType = StrToInt(SplitKeyLine(value).Key);
            else if (key == "Faceted")
                material.Faceted = ParseBool(value);
            else if (key == "TwoSided")
                material.TwoSided = ParseBool(value);
            else if (key == "WireSize")
                material.WireSize = ParseReal(value);
            else if (key == "OpacityType")
                material.OpacityType = ParseReal(value);
            else if (key == "Opacity")
                material.Opacity = ParseReal(value);
            else if (key == "selfIllumColor")
                material.SelfIllumColor = ParseColor(value);
            else if (key == "Ambient")
                material.Ambient = ParseColor(value);
            else if (key == "Diffuse")
                material.Diffuse = ParseColor(value);
            else if (key == "Specular")
                material.Specular = ParseColor(value);
            else if (key == "SpecularLevel")
                material.SpecularLevel = ParseReal(value);
            else if (key == "Glossiness")
                material.Glossiness = ParseReal(value);
            else if (key == "DiffuseMap")
                material.DiffuseMap = ParseMap(value);
            else if (key == "OpacityMap")
                material.OpacityMap = ParseMap(value);
            else if (key == "BumpMap")
                material.BumpMap = ParseMap(value);
            else if (key == "ReflectionMap")
                material.ReflectionMap = ParseMap(value);
        });
    }

    void ReadMultiSubObject(const TChunk& chunk)
    {
        auto owned = std::make_unique<T3DMMaterialMultiSubObject>();
        FFile.Materials().Add(owned.get());
        T3DMMaterialMultiSubObject* material = owned.release();  // the file owns it now
        int subCount = 0;
        ReadKeys(chunk, [&](const std::string& key, const std::string& value) {
            if (key == "Name")
                material->SetName(value);
            else if (key == "NumSubs")
                subCount = StrToInt(value);
        });
        if (subCount < 0)
            Fail("NumSubs " + IntToStr(subCount) + " is negative");
        for (int i = 0; i < subCount; ++i) {
            const TChunk sub = NextHeader();
            if (sub.Name != "MaterialStandard")
                throw Exception("T3DMFile error: SubMaterial is not Standard");
            ReadStandard(sub, *material->AddSubMaterial());
        }
    }

    void ReadAnimation(const TChunk& chunk)
    {
        T3DMVertexFrameList& frames = Object().VertexFrames;
        ReadKeys(chunk, [&](const std::string& key, const std::string& value) {
            if (key == "Length") {
                frames.Length = StrToInt(value);
                FLengthRead = true;
            } else if (key == "Loop") {
                frames.Loop = ParseBool(value);
            }
        });
        if (frames.Length < 0)
            Fail("the Length " + IntToStr(frames.Length) + " is negative");
        if (FLengthRead && frames.Count() > 0 && frames.Count() != frames.Length)
            Fail("the Length " + IntToStr(frames.Length) + " differs from the " + IntToStr(frames.Count()) +
                 " frames read");
    }

    // Every frame: "Frame n", then one vector per vertex of the object.
    void ReadAnimMesh(const TChunk& chunk)
    {
        T3DMObject& object = Object();
        const int vertexCount = object.Vertices.Count();
        const int64_t frameLines = int64_t{vertexCount} + 1;
        if (chunk.Count % frameLines != 0)
            Fail("the count " + IntToStr(chunk.Count) + " is not a whole number of frames of " +
                 IntToStr(frameLines) + " lines");
        const int frameCount = static_cast<int>(chunk.Count / frameLines);
        T3DMVertexFrameList& frames = object.VertexFrames;
        if (FLengthRead && frames.Count() + frameCount != frames.Length)
            Fail("the chunk holds " + IntToStr(frames.Count() + frameCount) + " frames, the animation's Length is " +
                 IntToStr(frames.Length));
        int line = 0;
        for (int f = 0; f < frameCount; ++f) {
            if (SplitKeyLine(BodyLine(chunk, line++)).Key != "Frame")
                throw Exception("T3DMFile.ReadAnimMesh error: It is not vertex frame animation!");
            T3DMVertexList& frame = frames.AddFrame();
            try {
                for (int v = 0; v < vertexCount; ++v)
                    frame.Add(ParseVector(BodyLine(chunk, line++)));
            } catch (const EAbort&) {
                frames.DeleteLast();  // an incomplete frame is of no use
                throw;
            }
        }
    }

    // --- After reading ---

    void Validate(const T3DMObject& object) const
    {
        const int faceCount = object.VertexFaces.Count();
        CheckFaces(object, object.VertexFaces, "VertexFaces", object.Vertices.Count(), "Vertices");
        CheckFaces(object, object.TextureCoordFaces, "TextureCoordFaces", object.TextureCoords.Count(),
                   "TextureCoords");
        CheckFaces(object, object.ColorFaces, "ColorFaces", object.Colors.Count(), "Colors");
        if (object.TextureCoords.Count() > 0 || object.TextureCoordFaces.Count() > 0)
            CheckCount(object, "TextureCoordFaces", object.TextureCoordFaces.Count(), faceCount);
        if (object.Colors.Count() > 0 || object.ColorFaces.Count() > 0)
            CheckCount(object, "ColorFaces", object.ColorFaces.Count(), faceCount);
        CheckCount(object, "FaceMatID", object.FaceMatIDs.Count(), faceCount);
        for (int f = 0; f < object.VertexFrames.Count(); ++f)
            if (object.VertexFrames.Frames(f).Count() != object.Vertices.Count())
                Invalid(object, "AnimMesh frame " + IntToStr(f) + " has " +
                                    IntToStr(object.VertexFrames.Frames(f).Count()) + " vertices, Vertices has " +
                                    IntToStr(object.Vertices.Count()));
    }

    static void CheckFaces(const T3DMObject& object, const T3DMFaceList& faces, const char* facesName, int itemCount,
                           const char* itemsName)
    {
        for (int f = 0; f < faces.Count(); ++f)
            for (const int index : faces.Items(f).Index)
                if (index > itemCount)
                    Invalid(object, std::string(facesName) + " index " + IntToStr(index) + " is beyond the " +
                                        IntToStr(itemCount) + " items of " + itemsName);
    }

    static void CheckCount(const T3DMObject& object, const char* chunkName, int count, int faceCount)
    {
        if (count != faceCount)
            Invalid(object, std::string(chunkName) + " has " + IntToStr(count) + " lines for " +
                                IntToStr(faceCount) + " VertexFaces");
    }

    [[noreturn]] static void Invalid(const T3DMObject& object, const std::string& what)
    {
        throw Exception("T3DMFile error: object \"" + object.Name + "\": " + what);
    }

    // --- Messages ---

    std::string Where() const
    {
        return "T3DMFile error: " + FChunkName + " chunk (line " + IntToStr(FChunkLine) + "), line " +
               IntToStr(FPosition > 0 ? FLines[FPosition - 1].Number : 0) + ": ";
    }

    [[noreturn]] void Fail(const std::string& what) const { throw Exception(Where() + what); }

    T3DMFile& FFile;
    std::vector<TLine> FLines;
    size_t FPosition = 0;
    std::string FChunkName;
    int FChunkLine = 0;
    T3DMObject* FObject = nullptr;
    bool FLengthRead = false;  // the current object's "Animation" gave a Length
};

}  // namespace

void T3DMFile::LoadFromStrings(const TStrings& lines)
{
    Clear();
    try {
        T3DMReader(lines, *this).Read();
    } catch (...) {
        Clear();
        throw;
    }
}

void T3DMFile::LoadFromText(const std::string& text)
{
    TStringList lines;
    lines.SetText(text);
    LoadFromStrings(lines);
}

void T3DMFile::LoadFromFile(const std::string& fileName)
{
    TStringList lines;
    lines.LoadFromFile(fileName);
    LoadFromStrings(lines);
}

void T3DMFile::LoadFromResource(const std::string& fileName)
{
    LoadFromText(SceneResources().ReadResource(ResourceNameOf(fileName)));
}
