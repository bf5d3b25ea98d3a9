// T3DMMeshLoader: builds a mesh's groups from a text mesh file.
//
// The loader reads the file (TextMesh.h), creates the scene materials and
// textures the file names in the material and texture lists of the mesh's
// TSceneMeshList, and turns every object of the file into mesh groups: one
// group per face material id, with its own vertices (a file vertex used
// with two texture coordinates becomes two), texture coordinates, colours,
// vertex frames and smooth normals per frame, placed by the object's
// transform turned from the modelling tool's z-up into the GL's y-up.
//
// Values a sub-material gets from the file's standard material (colours
// are 0..255 in the file):
//   alpha      1 when Opacity >= 99, else Opacity / 100
//   ambient, diffuse, emission (selfIllumColor)   colour / 255, that alpha
//   specular   (Specular * s + Diffuse * (1 - s)) / 255 with
//              s = SpecularLevel / 100, that alpha
//   shininess  Glossiness * 0.128 * 7
//   faces      front, and back when TwoSided
// Textures: with an opacity map an alpha texture (diffuse map, opacity
// map); else, with Opacity exactly 99, a sprite texture of the diffuse map;
// else a plain texture. Textures are found by the file part of their map.
// The file's mirror flags are not used: the meshes carry no negative scale.
#pragma once

#include <string>

#include "classlib/core/Components.h"
#include "scene/core/TextMesh.h"

class TSceneMesh;
class TSceneMeshList;

class T3DMMeshLoader : public TObject {
public:
    T3DMMeshLoader() = default;
    T3DMMeshLoader(const T3DMMeshLoader&) = delete;
    T3DMMeshLoader& operator=(const T3DMMeshLoader&) = delete;

    std::string ClassName() const override { return "T3DMMeshLoader"; }

    // Reads JoinSourcePath(Path, sourceName) - the RCDATA resource of that
    // name with FromResource - into MeshFile. When it holds an object:
    // mesh.SetSourceName(sourceName), the materials and textures are
    // created in the lists of the mesh's TSceneMeshList (EInvalidCast
    // "Invalid class typecast" when the mesh is held by anything else; a
    // list that is not set gets nothing), and every object is added
    // (AddMesh). Reading errors propagate (TextMesh.h).
    void Load(const std::string& sourceName, TSceneMesh& mesh);
    // Adds one object of MeshFile to mesh: Material := the scene material
    // named by the object; one group per face material id in order of first
    // use (sub-material id - 1, the last sub-material for ids beyond the
    // material's count). Raises Exception "T3DMMeshLoader.AddMesh:
    // FaceID>1000" for an id above 1000 (before any group is added), and
    // the mesh's AddGroup errors.
    void AddMesh(const T3DMObject& object, TSceneMesh& mesh, TSceneMeshList& meshList);

    // Folder that relative file names are joined to.
    std::string Path = ".\\";
    // Read the file from the program's RCDATA resources.
    bool FromResource = false;
    T3DMFile MeshFile;

private:
    void CreateMaterials(TSceneMeshList& meshList);
};
