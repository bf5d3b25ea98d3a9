// Loading and saving of the object model's own keys, and of a resource
// from its scene description.
#include <memory>

#include "scene/core/MainScene.h"
#include "scene/core/SceneLoader.h"
#include "scene/core/SceneObjects.h"
#include "scene/core/SceneRegistry.h"

void TMainObject::SaveOptions(TResourceLoader& writer)
{
    if (!Visible())
        writer.WriteBool("Visible", false);
    if (Alpha)
        writer.WriteBool("Alpha", true);
}

void TMainObject::LoadOptions(TResourceLoader& reader)
{
    SetVisible(reader.ReadBool("Visible", Visible()));
    Alpha = reader.ReadBool("Alpha", Alpha);
}

void TResource::SaveOptions(TResourceLoader& writer)
{
    TMainObjectList::SaveOptions(writer);
    if (SourceLocation != slFile)
        writer.WriteString("SourceLocation", SourceLocationToStr(SourceLocation));
    if (Path != ".\\")
        writer.WriteString("Path", Path);
}

void TResource::LoadOptions(TResourceLoader& reader)
{
    TMainObjectList::LoadOptions(reader);
    SourceLocation = StrToSourceLocation(reader.ReadString("SourceLocation", SourceLocationToStr(SourceLocation)));
    Path = reader.ReadString("Path", Path);
}

namespace {

std::unique_ptr<TResourceLoader> OpenLoader(TResource& resource, bool fromResource)
{
    auto loader = std::make_unique<TResourceLoader>();
    loader->FromResource = fromResource;
    loader->Scrambled = resource.Scrambled;
    // A resource loader finds its resource by the name of the file.
    loader->FileName = JoinSourcePath(resource.Path, resource.SourceName);
    loader->Section = resource.Name();
    loader->Root = resource.Scene;
    loader->Open();
    return loader;
}

}  // namespace

// The resource's keys come from the program resource first and then from
// the file, so that a file next to the program overrides what the program
// carries; the children of both are added, the file's first.
void TResource::Load()
{
    if (!Storable || SourceLocation == 0)
        return;
    if ((SourceLocation & slFile) && SourceName.empty())
        return;
    Clear();
    std::unique_ptr<TResourceLoader> fileLoader;
    std::unique_ptr<TResourceLoader> resourceLoader;
    if (SourceLocation & slFile)
        fileLoader = OpenLoader(*this, false);
    if (SourceLocation & slResource)
        resourceLoader = OpenLoader(*this, true);
    // A "SourceLocation" key read here takes effect at once.
    if (resourceLoader && (SourceLocation & slResource))
        LoadOptions(*resourceLoader);
    if (fileLoader && (SourceLocation & slFile))
        LoadOptions(*fileLoader);
    if (fileLoader && (SourceLocation & slFile))
        fileLoader->ReadItems(*this);
    if (resourceLoader && (SourceLocation & slResource))
        resourceLoader->ReadItems(*this);
}

void TResource::Save()
{
    if (!Storable || !(SourceLocation & slFile) || SourceName.empty())
        return;
    TResourceLoader writer;
    writer.FileName = JoinSourcePath(Path, SourceName);
    writer.Section = Name();
    writer.Root = Scene;
    writer.Scrambled = Scrambled;
    writer.BeginWrite();
    writer.WriteObjectHeader(*this);
    SaveOptions(writer);
    writer.WriteItems(*this);
    writer.Close();
}
