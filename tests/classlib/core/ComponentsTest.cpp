#include "classlib/core/Components.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "classlib/core/Exceptions.h"

namespace {

using Log = std::vector<std::string>;

// Logs every notification as "<receiver> +<component>" or "<receiver>
// -<component>" ("!" when that one is being freed) and its own end as "free
// <name>"; clears Link when the linked component is removed.
class TProbe : public TComponent {
public:
    TProbe(TComponent* owner, const std::string& name, Log* log) : TComponent(owner), FLog(log) { SetName(name); }
    ~TProbe() override { FLog->push_back("free " + Name()); }

    void Notification(TComponent* aComponent, TOperation operation) override
    {
        const bool destroying = (aComponent->ComponentState() & csDestroying) != 0;
        FLog->push_back(Name() + (operation == opInsert ? " +" : " -") + aComponent->Name() + (destroying ? "!" : ""));
        if (operation == opRemove && aComponent == Link)
            Link = nullptr;
        TComponent::Notification(aComponent, operation);
    }

    TComponent* Link = nullptr;

private:
    Log* FLog;
};

// A Notification override that forgets to call the inherited one.
class TForgetful : public TComponent {
public:
    using TComponent::TComponent;
    void Notification(TComponent*, TOperation) override { ++Told; }
    int Told = 0;
};

template <class E, class F>
std::string MessageOf(F&& action)
{
    try {
        action();
    } catch (const E& e) {
        return e.Message;
    }
    return "(no exception)";
}

TEST(Components, OwnerFreesLastCreatedFirstAndTellsTheRemainingOnes)
{
    Log log;
    auto* owner = new TProbe(nullptr, "Owner", &log);
    for (const char* name : {"A", "B", "C"})
        new TProbe(owner, name, &log);
    log.clear();
    delete owner;
    // The owner's own override is gone by the time its components go; each
    // one, marked as being freed and still listed, is announced to itself and
    // to the ones created before it.
    EXPECT_EQ(log, (Log{"free Owner", "C -C!", "B -C!", "A -C!", "free C", "B -B!", "A -B!", "free B", "A -A!",
                        "free A"}));

    // From a live owner its override is reached.
    TProbe live(nullptr, "Owner", &log);
    auto* a = new TProbe(&live, "A", &log);
    a->Link = new TProbe(&live, "B", &log);
    log.clear();
    live.DestroyComponents();
    EXPECT_EQ(log, (Log{"Owner -B!", "B -B!", "A -B!", "free B", "Owner -A!", "A -A!", "free A"}));
    EXPECT_EQ(live.ComponentCount(), 0);
}

TEST(Components, InsertRemoveAndExplicitFreeTellTheOwnerAndItsComponents)
{
    Log log;
    TProbe owner(nullptr, "Owner", &log);
    TProbe other(nullptr, "Other", &log);
    auto* a = new TProbe(&owner, "A", &log);
    auto* x = new TProbe(nullptr, "X", &log);
    log.clear();

    owner.InsertComponent(x);
    EXPECT_EQ(log, (Log{"Owner +X", "X +X", "A +X"}));
    EXPECT_EQ(x->Owner(), &owner);
    EXPECT_EQ(owner.Components(1), x);
    EXPECT_EQ(x->ComponentIndex(), 1);

    auto* b = new TProbe(&owner, "B", &log);
    auto* c = new TProbe(&owner, "C", &log);
    a->Link = b;
    a->FreeNotification(b);  // siblings need no link: told once, through the owner
    log.clear();
    delete b;  // its own override is gone by the time it leaves its owner
    EXPECT_EQ(log, (Log{"free B", "Owner -B!", "C -B!", "X -B!", "A -B!"}));
    EXPECT_EQ(a->Link, nullptr);
    ASSERT_EQ(owner.ComponentCount(), 3);
    EXPECT_EQ(owner.Components(2), c);
    EXPECT_EQ(c->ComponentIndex(), 2);
    EXPECT_EQ(owner.FindComponent("B"), nullptr);
    EXPECT_NO_THROW(c->SetName("B")) << "the name is free again";

    log.clear();
    TProbe loose(nullptr, "Loose", &log);
    owner.RemoveComponent(&loose);  // not held: ignored
    EXPECT_TRUE(log.empty());
    // Moving to another owner takes it out of the first one.
    other.InsertComponent(x);
    EXPECT_EQ(log, (Log{"Owner -X", "B -X", "X -X", "A -X", "Other +X", "X +X"}));
    EXPECT_EQ(owner.ComponentCount(), 2);
    other.RemoveComponent(x);
    EXPECT_EQ(x->Owner(), nullptr);
    EXPECT_EQ(x->ComponentIndex(), -1);
    EXPECT_EQ(other.ComponentCount(), 0);
    delete x;
}

TEST(Components, HandlerMayTakeComponentsOutWhileTheOwnerForwards)
{
    // Told of Watch's removal, a leaver takes the components in Evict out of
    // the owner's list. The owner must go on with the ones that remain, each
    // told once, without reading past the end of its list.
    class TLeaver : public TComponent {
    public:
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
    const int told[] = {1, 0, 1, 1};
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(leavers[i]->Told, told[i]) << i;
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
    log.clear();
    delete x;
    EXPECT_EQ(log, (Log{"free X", "Z -X!", "OwnerA -X!"}));
    EXPECT_EQ(z->Link, nullptr);

    // Freeing a whole owner tells the partners of every component it frees.
    auto* w = new TProbe(&ownerA, "W", &log);
    w->Link = z;
    w->FreeNotification(z);
    ownerB.DestroyComponents();
    EXPECT_EQ(w->Link, nullptr);

    // A removed link is no longer told; linking twice is one link.
    auto* v = new TProbe(nullptr, "V", &log);
    w->Link = v;
    w->FreeNotification(v);
    w->FreeNotification(v);
    w->RemoveFreeNotification(v);
    log.clear();
    delete v;
    EXPECT_EQ(log, Log{"free V"});
    EXPECT_EQ(w->Link, v);
}

TEST(Components, LinkSurvivesAnOverrideThatSkipsTheInheritedNotification)
{
    // The partner's record of the link is dropped before it is told, so
    // freeing it later does not reach back to the component freed first
    // (AddressSanitizer reports it if it does).
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
    EXPECT_EQ(b->Name(), "");

    // Empty names may repeat; a component may change the case of its own name.
    new TComponent(&owner);
    EXPECT_NO_THROW(a->SetName("BUTTON1"));
    EXPECT_EQ(owner.FindComponent("button1"), a);
    EXPECT_EQ(owner.FindComponent(""), nullptr);

    // Renaming frees the old name.
    a->SetName("Label1");
    EXPECT_EQ(owner.FindComponent("Button1"), nullptr);
    b->SetName("Button1");
    EXPECT_EQ(owner.FindComponent("BUTTON1"), b);

    // Components without an owner, or of different owners, may share a name.
    TComponent loose1(nullptr), loose2(nullptr), other(nullptr);
    loose1.SetName("Same");
    EXPECT_NO_THROW(loose2.SetName("Same"));
    EXPECT_NO_THROW((new TComponent(&other))->SetName("label1"));

    // Inserting a clashing name changes nothing.
    auto* moving = new TComponent(&other);
    moving->SetName("button1");
    EXPECT_THROW(owner.InsertComponent(moving), Exception);
    EXPECT_EQ(moving->Owner(), &other);
    EXPECT_EQ(other.ComponentCount(), 2);
    EXPECT_EQ(owner.ComponentCount(), 3);
}

TEST(Components, IndexAndStateAccess)
{
    TComponent owner(nullptr);
    new TComponent(&owner);
    EXPECT_THROW(owner.Components(1), EListError);
    EXPECT_THROW(owner.Components(-1), EListError);
    owner.Loading();
    owner.SetReading(true);
    EXPECT_EQ(owner.ComponentState(), csLoading | csReading);
    owner.SetReading(false);
    owner.Loaded();
    EXPECT_EQ(owner.ComponentState(), 0u);
}

class TSource : public TPersistent {
public:
    std::string ClassName() const override { return "TSource"; }
    void AssignTo(TPersistent* dest) override;
    int Value = 7;
};

class TTarget : public TPersistent {
public:
    std::string ClassName() const override { return "TTarget"; }
    int Value = 0;
};

void TSource::AssignTo(TPersistent* dest)
{
    if (auto* target = dynamic_cast<TTarget*>(dest))
        target->Value = Value;
    else
        TPersistent::AssignTo(dest);
}

TEST(Components, AssignAsksTheSourceAndRaisesWhenNeitherSideKnowsHow)
{
    TSource source, other;
    TTarget target;
    target.Assign(&source);  // the source knows how to give to a TTarget
    EXPECT_EQ(target.Value, 7);
    EXPECT_EQ(MessageOf<EConvertError>([&] { source.Assign(&target); }), "Cannot assign a TTarget to a TSource");
    EXPECT_EQ(MessageOf<EConvertError>([&] { other.Assign(&source); }), "Cannot assign a TSource to a TSource");
    EXPECT_EQ(MessageOf<EConvertError>([&] { target.Assign(nullptr); }), "Cannot assign a nil to a TTarget");
}

}  // namespace
