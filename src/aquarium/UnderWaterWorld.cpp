#include "aquarium/UnderWaterWorld.h"

#include "app/ApplicationPro.h"
#include "aquarium/core/FishRender.h"
#include "aquarium/core/UnderWater.h"
#include "aquarium/core/WorldRules.h"
#include "classlib/core/Exceptions.h"
#include "scene/core/MainScene.h"
#include "scene/core/SceneParticle.h"

namespace {

constexpr bool DefaultEmulateDepth = true;
constexpr bool DefaultFishVisible = true;
constexpr bool DefaultSortAlpha = true;
const char* const DefaultFishDirection = "Both";
constexpr int DefaultFishTypeIndex = 0;
constexpr int DefaultWaterBackgroundIndex = 0;
constexpr int DefaultFishCount = 20;
constexpr int DefaultBubbleCount = 50;

// The shoals of a group: its children that are particle lists, in list order.
template <typename Visit>
void ForEachShoal(TFishRender* group, Visit visit)
{
    for (int i = 0; i < group->Count(); ++i)
        if (auto* shoal = dynamic_cast<TSceneParticleList*>(group->GetItems(i)))
            visit(shoal);
}

// A stored index; a negative one reads as the default.
int StoredIndex(int value, int defaultValue) { return value >= 0 ? value : defaultValue; }

}  // namespace

TFishRender* TUnderWaterWorld::Group(int index) const { return static_cast<TFishRender*>(FishGroups.Objects(index)); }

void TUnderWaterWorld::Init()
{
    if (FScene == nullptr)
        throw Exception("TUnderWaterWorld.Init error: FScene=NIL");
    if (FApp == nullptr)
        throw Exception("TUnderWaterWorld.Init error: FApp=NIL");
    Backgrounds.Clear();
    FishGroups.Clear();
    FishNames.Clear();
    for (const char* name : {"SaltWater", "FreshWater"})
        if (auto* group = dynamic_cast<TFishRender*>(FScene->FindObject(name)))
            FishGroups.AddObject(name, group);
    const TList& objects = FScene->Objects();
    for (int i = 0; i < objects.Count(); ++i)
        if (auto* background = dynamic_cast<TUnderWater*>(static_cast<TMainItem*>(objects.Items(i))))
            Backgrounds.AddObject(background->Name(), background);
    FishTypeIndex = -1;
    WaterBackgroundIndex = -1;
}

void TUnderWaterWorld::LoadOptions()
{
    Init();
    FApp->SetLocalMachine(false);
    FApp->ScrambleNames = false;
    EmulateDepth = FApp->ReadBool("EmulateDepth", DefaultEmulateDepth);
    for (int i = 0; i < FishGroups.Count(); ++i)
        ForEachShoal(Group(i), [this](TSceneParticleList* shoal) {
            shoal->SetVisible(FApp->ReadBool(shoal->Name(), DefaultFishVisible));
        });
    SetSortAlpha(FApp->ReadBool("SortAlpha", DefaultSortAlpha));
    SetFishDirection(StrToFishDirection(FApp->ReadString("FishDirection", DefaultFishDirection)));
    SetFishTypeIndex(StoredIndex(FApp->ReadInteger("FishTypeIndex", DefaultFishTypeIndex), DefaultFishTypeIndex));
    SetWaterBackgroundIndex(StoredIndex(FApp->ReadInteger("WaterBackgroundIndex", DefaultWaterBackgroundIndex),
                                        DefaultWaterBackgroundIndex));
    SetFishCount(StoredCount(FApp->ReadInteger("FishCount", DefaultFishCount), DefaultFishCount));
    SetBubbleCount(StoredCount(FApp->ReadInteger("BubbleCount", DefaultBubbleCount), DefaultBubbleCount));
}

void TUnderWaterWorld::SaveOptions()
{
    FApp->SetLocalMachine(false);
    FApp->ScrambleNames = false;
    for (int i = 0; i < FishGroups.Count(); ++i)
        ForEachShoal(Group(i), [this](TSceneParticleList* shoal) { FApp->WriteBool(shoal->Name(), shoal->Visible()); });
    FApp->WriteBool("SortAlpha", SortAlpha);
    FApp->WriteString("FishDirection", FishDirectionToStr(FishDirection));
    FApp->WriteInteger("FishTypeIndex", FishTypeIndex);
    FApp->WriteInteger("WaterBackgroundIndex", WaterBackgroundIndex);
    FApp->WriteInteger("FishCount", FishCount);
    FApp->WriteInteger("BubbleCount", GetBubbleCount());
    FApp->WriteBool("EmulateDepth", EmulateDepth);
}

TSceneParticleList* TUnderWaterWorld::FindFishList(const std::string& name) const
{
    for (int i = 0; i < FishGroups.Count(); ++i)
        if (auto* shoal = dynamic_cast<TSceneParticleList*>(Group(i)->FindObject(name)))
            return shoal;
    return nullptr;
}

void TUnderWaterWorld::SetFishVisible(const std::string& name, bool on)
{
    TSceneParticleList* shoal = FindFishList(name);
    if (shoal == nullptr)
        return;
    shoal->SetVisible(on);
    if (!on)
        shoal->SetCount(0);
    Redistribute();
}

bool TUnderWaterWorld::IsFishVisible(const std::string& name) const
{
    const TSceneParticleList* shoal = FindFishList(name);
    return shoal != nullptr && shoal->Visible();
}

void TUnderWaterWorld::Redistribute(TFishRender* group)
{
    int visible = 0;
    ForEachShoal(group, [&visible](TSceneParticleList* shoal) { visible += shoal->Visible() ? 1 : 0; });
    if (visible == 0)
        return;
    int index = 0;
    ForEachShoal(group, [&](TSceneParticleList* shoal) {
        if (shoal->Visible())
            shoal->SetCount(FishShare(FishCount, visible, index++));
    });
}

void TUnderWaterWorld::Redistribute()
{
    for (int i = 0; i < FishGroups.Count(); ++i)
        Redistribute(Group(i));
}

void TUnderWaterWorld::SetFishCount(int count)
{
    if (count == FishCount)
        return;
    FishCount = count;
    Redistribute();
}

int TUnderWaterWorld::GetBubbleCount() const
{
    const auto* bubbles = FScene ? dynamic_cast<TSceneParticleList*>(FScene->FindObject("Bubbles")) : nullptr;
    return bubbles ? bubbles->Count() : 0;
}

void TUnderWaterWorld::SetBubbleCount(int count)
{
    if (auto* bubbles = FScene ? dynamic_cast<TSceneParticleList*>(FScene->FindObject("Bubbles")) : nullptr)
        bubbles->SetCount(count);
}

void TUnderWaterWorld::SetEmulateDepth(bool on)
{
    if (on == EmulateDepth)
        return;
    EmulateDepth = on;
    // The combo box reports -1 for no choice, and there may be no background.
    if (WaterBackgroundIndex >= 0 && WaterBackgroundIndex < Backgrounds.Count())
        static_cast<TUnderWater*>(Backgrounds.Objects(WaterBackgroundIndex))->EmulateDepth = on;
}

void TUnderWaterWorld::SetSortAlpha(bool on)
{
    if (on == SortAlpha)
        return;
    SortAlpha = on;
    for (int i = 0; i < FishGroups.Count(); ++i)
        Group(i)->SortAlpha = on;
}

void TUnderWaterWorld::SetFishDirection(uint8_t direction)
{
    if (direction == FishDirection)
        return;
    FishDirection = direction;
    for (int i = 0; i < FishGroups.Count(); ++i)
        Group(i)->FishDirection = direction;
}

void TUnderWaterWorld::SetFishTypeIndex(int index)
{
    if (index == FishTypeIndex)
        return;
    FishTypeIndex = index;
    if (index < 0)
        return;
    FishTypeIndex = ClampToLast(index, FishGroups.Count());
    FishNames.Clear();
    for (int i = 0; i < FishGroups.Count(); ++i) {
        TFishRender* group = Group(i);
        group->SetVisible(i == FishTypeIndex);
        if (i == FishTypeIndex)
            ForEachShoal(group, [this](TSceneParticleList* shoal) { FishNames.Add(shoal->Name()); });
    }
}

void TUnderWaterWorld::SetWaterBackgroundIndex(int index)
{
    if (index == WaterBackgroundIndex)
        return;
    // A stored index beyond the list would hide every background, and the
    // colour buffer would then never be repainted.
    WaterBackgroundIndex = ClampToLast(index, Backgrounds.Count());
    for (int i = 0; i < Backgrounds.Count(); ++i) {
        auto* background = static_cast<TUnderWater*>(Backgrounds.Objects(i));
        background->SetVisible(i == WaterBackgroundIndex);
        background->EmulateDepth = EmulateDepth;
    }
}
