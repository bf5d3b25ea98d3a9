// TUnderWaterWorld: applies the user's aquarium options to the loaded scene
// and keeps them in the registry.
//
// It knows the scene only by object names and the aquarium classes: the
// fish groups are the scene's direct children "SaltWater" and "FreshWater"
// (TFishRender), their shoals the group's children that are particle lists,
// the bubbles the direct child "Bubbles", the backgrounds every TUnderWater
// of the scene's flat object list. The settings form creates it, sets FApp
// and FScene, calls its operations and reads its fields to fill its
// controls. The lists point at scene objects, which belong to the scene:
// the world must go before the scene does.
//
// Every setter but SetBubbleCount does nothing when the value equals the
// controller's own field. The fields start at false and Right before the
// first load, so a stored "SortAlpha" false or "FishDirection" "Right"
// leaves the groups as the scene description made them; the index setters
// always apply on a load, because Init makes both indices -1.
//
// Registry options, under HKEY_CURRENT_USER with plain names, all text:
// "EmulateDepth" (default true), one Boolean per shoal named after it
// (true), "SortAlpha" (true), "FishDirection" ("Right", "Left", "Both";
// "Both"), "FishTypeIndex" (0), "WaterBackgroundIndex" (0), "FishCount"
// (20), "BubbleCount" (50). A stored value that does not convert, a negative
// index and a count outside 0..MaxStoredCount read as the default: a
// corrupt registry value never stops the saver.
#pragma once

#include <cstdint>
#include <string>

#include "classlib/core/Components.h"
#include "classlib/core/StringList.h"

class TCustomApplicationPro;
class TFishRender;
class TMainScene;
class TSceneParticleList;

class TUnderWaterWorld : public TObject {
public:
    TUnderWaterWorld() = default;

    std::string ClassName() const override { return "TUnderWaterWorld"; }

    // Collects the groups and backgrounds afresh (the lists are emptied
    // first, so a second load does not repeat them) and makes both indices
    // -1. Raises Exception "TUnderWaterWorld.Init error: FScene=NIL" without
    // a scene, else "TUnderWaterWorld.Init error: FApp=NIL" without the
    // component, collecting nothing.
    void Init();
    // Init, then the options above applied in this order: "EmulateDepth"
    // into the field; each shoal's Boolean through its own SetVisible (its
    // count left alone); "SortAlpha", "FishDirection", "FishTypeIndex",
    // "WaterBackgroundIndex", "FishCount", "BubbleCount" through their
    // setters.
    void LoadOptions();
    // Each shoal's visibility, "SortAlpha", "FishDirection", "FishTypeIndex",
    // "WaterBackgroundIndex", "FishCount", "BubbleCount" (the live count),
    // "EmulateDepth".
    void SaveOptions();

    // The shoal's SetVisible; switched off, it also loses all its fish; then
    // every group is redistributed. An unknown name is ignored.
    void SetFishVisible(const std::string& name, bool on);
    // Whether the shoal exists and is visible.
    bool IsFishVisible(const std::string& name) const;
    // The first group child of that name that is a particle list, searching
    // the groups in order; null when there is none.
    TSceneParticleList* FindFishList(const std::string& name) const;

    // Stores the count and shares it out in every group, the hidden one too,
    // over its visible shoals (see FishShare); hidden shoals keep theirs.
    void SetFishCount(int count);
    // The count of "Bubbles", 0 without it.
    int GetBubbleCount() const;
    // Sets the count of "Bubbles", always.
    void SetBubbleCount(int count);
    // Stores it and gives it to the shown background; with no background
    // shown (index out of range) only stores it.
    void SetEmulateDepth(bool on);
    // Stores it and gives it to every group.
    void SetSortAlpha(bool on);
    void SetFishDirection(uint8_t direction);
    // Stores the index, an index above the last group lowered to it; shows
    // that group only and lists its shoals (visible or not) in FishNames. A
    // negative index is only stored.
    void SetFishTypeIndex(int index);
    // Stores the index, an index above the last background lowered to it;
    // shows that background only, and gives every background EmulateDepth.
    // A negative index hides them all.
    void SetWaterBackgroundIndex(int index);

    int FishTypeIndex = 0;
    int WaterBackgroundIndex = 0;
    int FishCount = 0;
    // The option store; set by the form.
    TCustomApplicationPro* FApp = nullptr;
    // Set by the form.
    TMainScene* FScene = nullptr;
    // Name -> TUnderWater.
    TStringList Backgrounds;
    // Name -> TFishRender.
    TStringList FishGroups;
    // The shoals of the shown group.
    TStringList FishNames;
    bool EmulateDepth = false;
    bool SortAlpha = false;
    // fdRight, fdLeft or fdBoth.
    uint8_t FishDirection = 0;

private:
    TFishRender* Group(int index) const;
    void Redistribute();
    void Redistribute(TFishRender* group);
};
