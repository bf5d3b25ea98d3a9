// Materials of a text mesh file: what the modelling tool exported, kept as
// read (colours 0..255, opacity in percent, map file names) for the mesh
// loader to turn into scene materials and textures.
//
// T3DMMaterialList owns its materials and keeps them in the order they were
// added, with a sorted name index (ASCII case-insensitive) for lookups. A
// material belongs to at most one list: adding it to another list takes it
// out of the first, freeing it takes it out of its list, and renaming it
// re-indexes it.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "classlib/core/Components.h"
#include "classlib/core/StringList.h"

// A colour of the file: red, green and blue as written, nominally 0..255.
struct T3DMColor {
    float Red = 0, Green = 0, Blue = 0;
};

class T3DMMaterialList;

class T3DMMaterial : public TObject {
public:
    T3DMMaterial() = default;
    // Takes the material out of its list, if it is in one.
    ~T3DMMaterial() override;
    T3DMMaterial(const T3DMMaterial&) = delete;
    T3DMMaterial& operator=(const T3DMMaterial&) = delete;

    std::string ClassName() const override { return "T3DMMaterial"; }

    const std::string& Name() const { return FName; }
    // Stores the name; a listed material moves to its new place in the
    // list's name index.
    void SetName(const std::string& name);
    // The list that holds (and owns) the material; null when none does.
    T3DMMaterialList* List() const { return FList; }

private:
    friend class T3DMMaterialList;
    std::string FName;
    T3DMMaterialList* FList = nullptr;
};

// A standard material: the keys of a "MaterialStandard" chunk. Missing keys
// keep these defaults (an opaque, black material without maps).
class T3DMMaterialStandard : public T3DMMaterial {
public:
    std::string ClassName() const override { return "T3DMMaterialStandard"; }

    int ShaderType = 0;
    bool Faceted = false;
    bool TwoSided = false;
    float WireSize = 0;
    float OpacityType = 0;
    float Opacity = 100;  // percent
    T3DMColor SelfIllumColor;
    T3DMColor Ambient;
    T3DMColor Diffuse;
    T3DMColor Specular;
    float SpecularLevel = 0;
    float Glossiness = 0;
    // File names; empty for "undefined".
    std::string DiffuseMap;
    std::string OpacityMap;
    std::string BumpMap;
    std::string ReflectionMap;
};

// A material made of standard sub-materials, addressed by the faces'
// 1-based material ids. The sub-materials belong to it alone.
class T3DMMaterialMultiSubObject : public T3DMMaterial {
public:
    std::string ClassName() const override { return "T3DMMaterialMultiSubObject"; }

    int SubCount() const { return static_cast<int>(FSubMaterials.size()); }
    // 0-based; raises EListError outside 0..SubCount-1.
    T3DMMaterialStandard* SubMaterials(int index) const;
    // Appends a new, empty sub-material and returns it.
    T3DMMaterialStandard* AddSubMaterial();

private:
    std::vector<std::unique_ptr<T3DMMaterialStandard>> FSubMaterials;
};

class T3DMMaterialList : public TObject {
public:
    T3DMMaterialList();
    // Frees every material.
    ~T3DMMaterialList() override;
    T3DMMaterialList(const T3DMMaterialList&) = delete;
    T3DMMaterialList& operator=(const T3DMMaterialList&) = delete;

    std::string ClassName() const override { return "T3DMMaterialList"; }

    int Count() const { return static_cast<int>(FItems.size()); }
    // In the order of addition; raises EListError outside 0..Count-1.
    T3DMMaterial* Items(int index) const;
    // The first material added under name (ASCII case-insensitive); null
    // when there is none.
    T3DMMaterial* Find(const std::string& name) const;

    // Appends material and takes ownership of it; a material of another
    // list leaves that list first, one already here stays where it is. A
    // null material raises "T3DMMaterialList error: Add a NIL Material".
    void Add(T3DMMaterial* material);
    // Takes material out without freeing it: the caller owns it again.
    // Nothing for a material of another list.
    void Remove(T3DMMaterial* material);
    // Frees every material.
    void Clear();

private:
    friend class T3DMMaterial;
    int IndexEntryOf(const T3DMMaterial* material) const;
    void Rename(T3DMMaterial* material, const std::string& name);

    std::vector<T3DMMaterial*> FItems;  // owned
    TStringList FIndex;                 // name -> material
};
