#include "platform/toolkit/Component.h"

#include "platform/base/Exceptions.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace xe::tk;

namespace {

// Records its destruction and the notifications it hears into a shared log.
class TProbe : public TComponent {
public:
    TProbe(TComponent* owner, std::string tag, std::vector<std::string>& log)
        : TComponent(owner)
        , FTag(std::move(tag))
        , FLog(log)
    {
    }
    ~TProbe() override { FLog.push_back("free " + FTag); }
    void Notification(TComponent* c, TOperation op) override
    {
        if (op == opRemove && c == Watched)
            Watched = nullptr;
        if (op == opRemove) {
            auto* probe = dynamic_cast<TProbe*>(c);
            FLog.push_back(FTag + " hears remove " + (probe ? probe->FTag : "?"));
        }
        TComponent::Notification(c, op);
    }

    TComponent* Watched = nullptr;
    std::string FTag;

protected:
    void BeforeDestruction() override
    {
        FLog.push_back("before " + FTag);
        TComponent::BeforeDestruction();
    }

private:
    std::vector<std::string>& FLog;
};

} // namespace

TEST(ComponentTest, OwnerFreesComponentsInReverseOrderOfCreation)
{
    std::vector<std::string> log;
    auto* owner = new TProbe(nullptr, "owner", log);
    new TProbe(owner, "a", log);
    auto* b = new TProbe(owner, "b", log);
    new TProbe(b, "b1", log);
    new TProbe(owner, "c", log);
    ASSERT_EQ(owner->ComponentCount(), 3);
    log.clear();
    TComponent::Free(owner);
    // Children go last-created first; each child's own components go with it.
    std::vector<std::string> frees;
    for (auto& line : log)
        if (line.rfind("free ", 0) == 0)
            frees.push_back(line);
    EXPECT_EQ(frees, (std::vector<std::string> { "free c", "free b1", "free b", "free a", "free owner" }));
    // The owner's hook runs before anything is freed.
    EXPECT_EQ(log.front(), "before owner");
}

TEST(ComponentTest, FreeingAComponentRemovesItFromItsOwnerAndTellsSiblings)
{
    std::vector<std::string> log;
    TComponentPtr<TProbe> owner(new TProbe(nullptr, "owner", log));
    auto* a = new TProbe(owner.get(), "a", log);
    auto* b = new TProbe(owner.get(), "b", log);
    a->Watched = b;
    TComponent::Free(b);
    EXPECT_EQ(owner->ComponentCount(), 1);
    EXPECT_EQ(a->Watched, nullptr);
    EXPECT_EQ(a->ComponentIndex(), 0);
}

TEST(ComponentTest, FreeNotificationWorksAcrossOwnersAndBothWays)
{
    std::vector<std::string> log;
    TComponentPtr<TProbe> form1(new TProbe(nullptr, "form1", log));
    TComponentPtr<TProbe> form2(new TProbe(nullptr, "form2", log));
    auto* user = new TProbe(form1.get(), "user", log);
    auto* data = new TProbe(form2.get(), "data", log);
    user->Watched = data;
    user->FreeNotification(data);
    TComponent::Free(data);
    EXPECT_EQ(user->Watched, nullptr);

    // The subscriber going first leaves no dangling entry behind.
    auto* data2 = new TProbe(form2.get(), "data2", log);
    user->FreeNotification(data2);
    TComponent::Free(user);
    log.clear();
    TComponent::Free(data2);
    EXPECT_EQ(log, (std::vector<std::string> { "before data2", "form2 hears remove data2", "free data2" }));

    // Removing the subscription stops the notice.
    auto* u2 = new TProbe(form1.get(), "u2", log);
    auto* d3 = new TProbe(form2.get(), "d3", log);
    u2->FreeNotification(d3);
    u2->RemoveFreeNotification(d3);
    u2->Watched = d3;
    TComponent::Free(d3);
    EXPECT_EQ(u2->Watched, d3); // not told
}

TEST(ComponentTest, ReferencesForgetTheirComponentEachOnItsOwn)
{
    std::vector<std::string> log;
    TComponentPtr<TProbe> store(new TProbe(nullptr, "store", log));
    auto* data = new TProbe(store.get(), "data", log);
    auto* other = new TProbe(store.get(), "other", log);
    // Two references to one component: moving one elsewhere leaves the other following it.
    TComponentRef<TProbe> first(data);
    TComponentRef<TProbe> second(data);
    TProbe* seenOnFree = data;
    second.SetOnFree([&] { seenOnFree = second.Get(); });
    first = other;
    TComponent::Free(data);
    EXPECT_EQ(second.Get(), nullptr);
    EXPECT_EQ(seenOnFree, nullptr); // cleared before OnFree runs
    EXPECT_EQ(first.Get(), other);

    // A moved reference still follows; one that went first leaves nothing behind.
    TComponentRef<TProbe> moved(std::move(first));
    {
        TComponentRef<TProbe> shortLived(other);
    }
    TComponent::Free(other);
    EXPECT_EQ(moved.Get(), nullptr);
}

TEST(ComponentTest, NamesAreIdentifiersUniqueWithinTheOwner)
{
    std::vector<std::string> log;
    TComponentPtr<TProbe> owner(new TProbe(nullptr, "owner", log));
    auto* a = new TProbe(owner.get(), "a", log);
    auto* b = new TProbe(owner.get(), "b", log);
    a->SetName("Image1");
    EXPECT_THROW(b->SetName("image1"), xe::base::EInvalidOperation);
    EXPECT_THROW(b->SetName("1abc"), xe::base::EInvalidOperation);
    EXPECT_THROW(b->SetName("a b"), xe::base::EInvalidOperation);
    b->SetName("Image2");
    EXPECT_EQ(owner->FindComponent("IMAGE2"), b);
    EXPECT_EQ(owner->FindComponent("nope"), nullptr);
    a->SetName("Image1"); // the same name again is fine
}

TEST(ComponentTest, DesigningSpreadsToOwnedComponentsAndNewOnes)
{
    std::vector<std::string> log;
    TComponentPtr<TProbe> owner(new TProbe(nullptr, "owner", log));
    auto* a = new TProbe(owner.get(), "a", log);
    owner->SetDesigning(true);
    EXPECT_TRUE(a->IsDesigning());
    auto* b = new TProbe(owner.get(), "b", log);
    EXPECT_TRUE(b->ComponentState() & csDesigning);
    owner->SetDesigning(false);
    EXPECT_FALSE(b->IsDesigning());
}

TEST(ComponentTest, InsertMovesOwnershipAndRemoveGivesItUp)
{
    std::vector<std::string> log;
    TComponentPtr<TProbe> first(new TProbe(nullptr, "first", log));
    TComponentPtr<TProbe> second(new TProbe(nullptr, "second", log));
    auto* c = new TProbe(first.get(), "c", log);
    second->InsertComponent(c);
    EXPECT_EQ(first->ComponentCount(), 0);
    EXPECT_EQ(c->Owner(), second.get());
    second->RemoveComponent(c);
    EXPECT_EQ(c->Owner(), nullptr);
    TComponentPtr<TProbe> holder(c); // now ours
    second.reset();
    EXPECT_EQ(holder->Owner(), nullptr);
}
