#include "classlib/core/Components.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "classlib/core/Exceptions.h"
#include "../../support/ExceptionMessage.h"

namespace {

using testsupport::MessageOf;

using Log = std::vector<std::string>;

// Logs every notification as "<receiver> +<component>" or "<receiver>
// -<component>" ("!" when that one is being freed), the step before its end
// as "before <name>" and its end as "free <name>"; clears Link when the
// linked component is removed.
struct TProbe : TComponent {
    TProbe(TComponent* owner, const std::string& name, Log* log) : TComponent(owner), FLog(log) { SetName(name); }
    ~TProbe() override { FLog->push_back("free " + Name()); }
    void BeforeDestruction() override { FLog->push_back("before " + Name()); }
    void Notification(TComponent* aComponent, TOperation operation) override
    {
        const bool destroying = (aComponent->ComponentState() & csDestroying) != 0;
        FLog->push_back(Name() + (operation == opInsert ? " +" : " -") + aComponent->Name() + (destroying ? "!" : ""));
        if (operation == opRemove && aComponent == Link)
            Link = nullptr;
        TComponent::Notification(aComponent, operation);
    }
    TComponent* Link = nullptr;
    Log* FLog;
};

TEST(Components, OwnerFreesLastCreatedFirstAndTellsTheRemainingOnes)
{
    Log log;
    auto* owner = new TProbe(nullptr, "Owner", &log);
    for (const char* name : {"A", "B", "C"})
        new TProbe(owner, name, &log);
    log.clear();
    delete owner;
    // The owner's own override is gone by the time its components go; each
    // one, whole until then, gets BeforeDestruction, then, marked as being
    // freed and still listed, is announced to itself and to the ones created
    // before it.
    EXPECT_EQ(log, (Log{"free Owner", "before C", "C -C!", "B -C!", "A -C!", "free C", "before B", "B -B!", "A -B!",
                        "free B", "before A", "A -A!", "free A"}));
    FreeComponent(new TProbe(nullptr, "D", &log));
    EXPECT_EQ(Log(log.end() - 2, log.end()), (Log{"before D", "free D"}));
}

TEST(Components, HandlerMayTakeComponentsOutWhileTheOwnerForwards)
{
    // Told of Watch's removal, a leaver takes the components in Evict out of
    // the owner's list. The owner must go on with the ones that remain, each
    // told once, without reading past the end of its list.
    struct TLeaver : TComponent {
        using TComponent::TComponent;
        void Notification(TComponent* aComponent, TOperation operation) override
        {
            if (operation == opRemove && aComponent == Watch) {
                ++Told;
                TComponent* owner = Owner();
                for (TComponent* evicted : Evict)
                    owner->RemoveComponent(evicted);
            }
            TComponent::Notification(aComponent, operation);
        }
        TComponent* Watch = nullptr;
        std::vector<TComponent*> Evict;
        int Told = 0;
    };
    TComponent owner(nullptr);
    TLeaver* leavers[4];
    for (auto*& leaver : leavers)
        leaver = new TLeaver(&owner);
    for (auto* leaver : leavers)
        leaver->Watch = leavers[0];
    leavers[3]->Evict = {leavers[3], leavers[1]};  // itself and one not yet told

    owner.RemoveComponent(leavers[0]);
    EXPECT_EQ(owner.ComponentCount(), 1);
    EXPECT_EQ(owner.Components(0), leavers[2]);
    EXPECT_EQ(leavers[0]->Told + leavers[1]->Told + leavers[2]->Told + leavers[3]->Told, 3);
    EXPECT_EQ(leavers[1]->Told, 0);
    delete leavers[0];
    delete leavers[1];
    delete leavers[3];
}

TEST(Components, FreeNotificationClearsLinksAcrossOwnersBothWays)
{
    Log log;
    TProbe ownerA(nullptr, "OwnerA", &log);
    TProbe ownerB(nullptr, "OwnerB", &log);
    auto* x = new TProbe(&ownerA, "X", &log);
    auto* y = new TProbe(&ownerB, "Y", &log);
    x->Link = y;
    x->FreeNotification(y);
    log.clear();
    delete y;  // x hears of it although y is not its sibling
    EXPECT_EQ(log, (Log{"free Y", "X -Y!", "OwnerB -Y!"}));
    EXPECT_EQ(x->Link, nullptr);

    auto* z = new TProbe(&ownerB, "Z", &log);
    z->Link = x;
    x->FreeNotification(z);  // the link is told in both directions
    ownerA.DestroyComponents();
    EXPECT_EQ(z->Link, nullptr);
}

// The partner's record of the link is dropped before it is told, so freeing
// it later does not reach back to the component freed first (ASan watches).
TEST(Components, LinkSurvivesAnOverrideThatSkipsTheInheritedNotification)
{
    struct TForgetful : TComponent {
        using TComponent::TComponent;
        void Notification(TComponent*, TOperation) override { ++Told; }
        int Told = 0;
    };
    auto* forgetful = new TForgetful(nullptr);
    auto* other = new TComponent(nullptr);
    forgetful->FreeNotification(other);
    delete other;
    EXPECT_EQ(forgetful->Told, 1);
    delete forgetful;
}

TEST(Components, NamesAreUniqueWithinAnOwnerWithoutRegardToCase)
{
    TComponent owner(nullptr);
    auto* a = new TComponent(&owner);
    auto* b = new TComponent(&owner);
    a->SetName("Button1");
    EXPECT_EQ(MessageOf<Exception>([&] { b->SetName("BUTTON1"); }), "A component named BUTTON1 already exists");
    EXPECT_NO_THROW(a->SetName("BUTTON1"));  // its own name in another case
    a->SetName("Label1");  // renaming frees the old name
    b->SetName("Button1");
    EXPECT_EQ(owner.FindComponent("BUTTON1"), b);

    // Inserting a clashing name changes nothing.
    TComponent other(nullptr);
    auto* moving = new TComponent(&other);
    moving->SetName("button1");
    EXPECT_THROW(owner.InsertComponent(moving), Exception);
    EXPECT_EQ(moving->Owner(), &other);
}

}  // namespace
