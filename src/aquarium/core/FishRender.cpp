#include "aquarium/core/FishRender.h"

#include <cmath>

#include "aquarium/core/Fishes.h"
#include "app/core/MathPro.h"
#include "classlib/core/Exceptions.h"
#include "classlib/core/SysUtils.h"
#include "gl/core/GLBinding.h"
#include "scene/core/SceneLoader.h"
#include "scene/core/SceneParticle.h"

std::string FishDirectionToStr(uint8_t direction)
{
    switch (direction) {
    case fdRight:
        return "Right";
    case fdLeft:
        return "Left";
    default:
        return "Both";
    }
}

uint8_t StrToFishDirection(const std::string& text)
{
    if (text == "Right")
        return fdRight;
    if (text == "Left")
        return fdLeft;
    return fdBoth;
}

TFishRender::TFishRender()
{
    Init();
}

TFishRender::~TFishRender()
{
    // The shoals release their fish's slots as they go, into a table that
    // is still whole.
    Clear();
}

void TFishRender::RenderOpaque()
{
    TSceneLayer::RenderOpaque();
}

void TFishRender::RenderAlpha()
{
    if (!SortAlpha) {
        TSceneLayer::RenderAlpha();
        return;
    }
    glEnable(GL_LIGHTING);
    for (int slot = SlotCount() - 1; slot >= 0; --slot) {
        TSceneParticle* fish = FSlots[static_cast<size_t>(slot)];
        if (fish == nullptr)
            continue;
        const auto* shoal = dynamic_cast<const TFishes*>(fish->Owner());
        if (shoal == nullptr || !shoal->Visible() || shoal->Visual == nullptr || !shoal->Visual->Alpha)
            continue;
        fish->BeginRender();
        shoal->Visual->RenderAlpha();
        fish->EndRender();
    }
}

void TFishRender::Remove(TMainItem* item)
{
    if (auto* shoal = dynamic_cast<TFishes*>(item); shoal != nullptr && shoal->Owner() == this)
        shoal->ReleaseSlots();
    TSceneLayer::Remove(item);
}

void TFishRender::DeleteLast(int n)
{
    for (int i = GetCount() - 1; i >= 0 && i >= GetCount() - n; --i)
        if (auto* shoal = dynamic_cast<TFishes*>(GetItem(i)))
            shoal->ReleaseSlots();
    TSceneLayer::DeleteLast(n);
}

void TFishRender::SaveOptions(TResourceLoader& writer)
{
    TSceneLayer::SaveOptions(writer);
    writer.WriteFloat("StepZ", StepZ);
    writer.WriteBool("SortAlpha", SortAlpha);
    writer.WriteString("FishDirection", FishDirectionToStr(FishDirection));
}

void TFishRender::LoadOptions(TResourceLoader& reader)
{
    TSceneLayer::LoadOptions(reader);
    StepZ = reader.ReadFloat("StepZ", StepZ);
    SortAlpha = reader.ReadBool("SortAlpha", SortAlpha);
    FishDirection = StrToFishDirection(reader.ReadString("FishDirection", FishDirectionToStr(FishDirection)));
    Init();
}

void TFishRender::Init()
{
    const double slots = std::fabs(static_cast<double>(FFarZ) - FNearZ) / StepZ;
    if (!(StepZ > 0) || !(slots < MaxSlots))
        throw Exception("TFishRender.Init error: StepZ=" + FloatToStr(StepZ) + "!");
    // Held slot indexes may lie past a shrunk table: every fish lets go first.
    ReleaseAllSlots();
    FSlots.assign(static_cast<size_t>(TruncInt64(slots)) + 1, nullptr);
    int halfWindow = static_cast<int>(RoundInt64(FWindow / StepZ));
    if (halfWindow % 2 != 0)
        ++halfWindow;
    FHalfWindow = halfWindow / 2;
}

void TFishRender::ReleaseAllSlots()
{
    for (TSceneParticle*& fish : FSlots) {
        if (fish != nullptr)
            fish->DepthSlot = -1;
        fish = nullptr;
    }
}

int TFishRender::SlotOfDepth(float z) const
{
    const int64_t slot = TruncInt64(std::fabs(static_cast<double>(z) - FNearZ) / StepZ);
    const int64_t last = SlotCount() - 1;
    return static_cast<int>(slot < last && slot >= 0 ? slot : last);
}

TSceneParticle* TFishRender::SlotFish(int index) const
{
    if (index < 0 || index >= SlotCount())
        return nullptr;
    return FSlots[static_cast<size_t>(index)];
}

bool TFishRender::IsSlotFree(int slot, const TSceneParticle* fish) const
{
    if (slot < 0 || slot >= SlotCount() || FSlots[static_cast<size_t>(slot)] != nullptr)
        return false;
    const int lo = slot - FHalfWindow > 0 ? slot - FHalfWindow : 0;
    const int hi = slot + FHalfWindow < SlotCount() - 1 ? slot + FHalfWindow : SlotCount() - 1;
    for (int i = lo; i <= hi; ++i) {
        const TSceneParticle* other = FSlots[static_cast<size_t>(i)];
        if (other == nullptr || std::fabs(fish->Position.y - other->Position.y) >= FVerticalGap)
            continue;
        if (fish->Velocity.x * other->Velocity.x < 0)
            return false;
        // Both x positions at the moment the other fish leaves.
        const float remaining = other->LifeTime - other->Age;
        const float q = other->Position.x + other->Velocity.x * remaining;
        const float p = fish->Position.x + fish->Velocity.x * remaining;
        const float lead = fish->Velocity.x > 0 ? q - p : p - q;
        if (lead < FHorizontalGap)
            return false;
    }
    return true;
}

bool TFishRender::ClaimSlot(TFishes* /*shoal*/, TSceneParticle* fish)
{
    ReleaseSlot(fish);
    const int slot = SlotOfDepth(fish->Position.z);
    if (!IsSlotFree(slot, fish))
        return false;
    fish->DepthSlot = slot;
    FSlots[static_cast<size_t>(slot)] = fish;
    return true;
}

void TFishRender::ReleaseSlot(TSceneParticle* fish)
{
    const int slot = fish->DepthSlot;
    if (slot < 0)
        return;
    if (slot < SlotCount() && FSlots[static_cast<size_t>(slot)] == fish)
        FSlots[static_cast<size_t>(slot)] = nullptr;
    fish->DepthSlot = -1;
}

void TFishRender::ReleaseSlotOf(const TMainItem* item)
{
    for (TSceneParticle*& fish : FSlots)
        if (fish != nullptr && static_cast<const TMainItem*>(fish) == item) {
            fish = nullptr;
            return;
        }
}
