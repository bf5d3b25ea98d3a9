#include "scene/core/TextMesh.h"

const T3DMVertexList& T3DMVertexFrameList::Frames(int index) const
{
    if (index < 0 || index >= Count())
        throw EListError("List index out of bounds (" + IntToStr(index) + ")");
    return *FFrames[static_cast<size_t>(index)];
}

T3DMVertexList& T3DMVertexFrameList::AddFrame()
{
    FFrames.push_back(std::make_unique<T3DMVertexList>());
    return *FFrames.back();
}

void T3DMVertexFrameList::DeleteLast()
{
    if (!FFrames.empty())
        FFrames.pop_back();
}

const T3DMObject& T3DMFile::Objects(int index) const
{
    if (index < 0 || index >= ObjectCount())
        throw EListError("List index out of bounds (" + IntToStr(index) + ")");
    return *FObjects[static_cast<size_t>(index)];
}

T3DMObject& T3DMFile::AddObject()
{
    FObjects.push_back(std::make_unique<T3DMObject>());
    return *FObjects.back();
}

void T3DMFile::Clear()
{
    Version = 0;
    FObjects.clear();
    FMaterials.Clear();
}
