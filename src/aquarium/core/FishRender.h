// TFishRender: a fish group - a scene layer whose children are shoals
// (TFishes) - with a table of depth slots along z.
//
// Every new fish claims the slot of its depth; the claim fails when a fish
// nearby in depth and height would collide with it, so the fish of all the
// group's shoals keep apart. The same table lets the group draw its
// transparent fish from far to near (SortAlpha). The group also holds the
// direction its shoals spawn fish in.
//
// A fish holds its slot index in its particle (DepthSlot, -1 for none) and
// the table holds the fish; both sides always change together. The table
// never outlives a fish it points at: shoals release their fish's slots on
// every path that frees them, a shoal taken out of the group releases its
// fish's slots, and the destructor frees the shoals before the table.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "scene/core/SceneLayer.h"

class TFishes;
class TSceneParticle;

// Swimming directions of a fish group.
enum : uint8_t { fdRight = 0, fdLeft = 1, fdBoth = 2 };

// "Right", "Left", "Both".
std::string FishDirectionToStr(uint8_t direction);
// Exactly "Right" -> 0, exactly "Left" -> 1, any other text -> 2.
uint8_t StrToFishDirection(const std::string& text);

class TFishRender : public TSceneLayer {
public:
    // Visible; the slot table made for the initial values (Init).
    TFishRender();
    // Frees the shoals (which release their slots), then the table.
    ~TFishRender() override;

    std::string ClassName() const override { return "TFishRender"; }

    // The plain list pass: each visible child's opaque pass in list order.
    void RenderOpaque() override;
    // SortAlpha off: the plain list pass. On: lighting on, then from the last
    // slot (farthest) to slot 0, each slotted fish of a visible shoal drawn
    // with its shoal's Visual's transparent pass inside the fish's transform.
    // Fish without a slot are not drawn in this pass.
    void RenderAlpha() override;
    // A shoal taken out of the group, or freed by it, releases its fish's
    // slots first.
    void Remove(TMainItem* item) override;
    void DeleteLast(int n) override;

    // The resource keys, then "StepZ", "SortAlpha", "FishDirection" (text);
    // reading ends with Init.
    void SaveOptions(TResourceLoader& writer) override;
    void LoadOptions(TResourceLoader& reader) override;

    // Sizes the table for StepZ: trunc(|far - near| / StepZ) + 1 slots, every
    // slot free (held slots are released first), and the half window
    // round(window / StepZ), made even, halved. A StepZ that is not positive
    // raises Exception "TFishRender.Init error: StepZ=0!" (with the value
    // for a negative one), and one that would make more than MaxSlots slots
    // raises it too; either way the table stays as it was.
    void Init();
    // min(trunc(|z - near| / StepZ), slot count - 1).
    int SlotOfDepth(float z) const;
    // Whether a freshly spawned fish may take the slot: the slot is free,
    // and every fish in the slots within the half window either swims at
    // least the vertical gap above or below it, or swims the same way and
    // will trail it by at least the horizontal gap when that fish leaves.
    bool IsSlotFree(int slot, const TSceneParticle* fish) const;
    // Releases the fish's slot, then takes the slot of its depth when it is
    // free; answers whether it did.
    bool ClaimSlot(TFishes* shoal, TSceneParticle* fish);
    // Frees the fish's slot, if it holds one.
    void ReleaseSlot(TSceneParticle* fish);
    // Frees the slot that item holds, found by its address: for an item on
    // its way out, which can no longer be asked for its slot.
    void ReleaseSlotOf(const TMainItem* item);

    int SlotCount() const { return static_cast<int>(FSlots.size()); }
    // The fish holding slot index, or null.
    TSceneParticle* SlotFish(int index) const;
    int HalfWindow() const { return FHalfWindow; }

    // The most slots a table may have.
    static constexpr int MaxSlots = 1000000;

    // Depth covered by one slot.
    float StepZ = 10;
    // Draw the transparent pass far to near.
    bool SortAlpha = false;
    // fdRight, fdLeft or fdBoth.
    uint8_t FishDirection = fdRight;

private:
    void ReleaseAllSlots();

    std::vector<TSceneParticle*> FSlots;
    float FFarZ = -10000;
    float FNearZ = 0;
    int FHalfWindow = 0;
    float FWindow = 300;
    float FVerticalGap = 800;
    float FHorizontalGap = 1000;
};
