#include "classlib/core/Lists.h"

#include <gtest/gtest.h>

namespace {

int Values[8];

void* P(int i) {
    return &Values[i];
}

// The items of list, as indices into Values (-1 for nullptr).
std::vector<int> Contents(const TList& list) {
    std::vector<int> result;
    for (int i = 0; i < list.Count(); ++i)
        result.push_back(list[i] ? static_cast<int*>(list[i]) - Values : -1);
    return result;
}

template <class Action>
std::string ListErrorOf(Action action) {
    try {
        action();
    } catch (const EListError& e) {
        return e.Message;
    }
    return "no EListError";
}

}  // namespace

TEST(TList, AddInsertDeleteKeepOrder) {
    TList list;
    EXPECT_EQ(list.Add(P(1)), 0);
    EXPECT_EQ(list.Add(P(3)), 1);
    list.Insert(1, P(2));
    list.Insert(0, P(0));
    list.Insert(4, P(4));
    EXPECT_EQ(Contents(list), (std::vector<int>{0, 1, 2, 3, 4}));
    list.Delete(0);
    list.Delete(3);
    EXPECT_EQ(Contents(list), (std::vector<int>{1, 2, 3}));
    EXPECT_EQ(list.First(), P(1));
    EXPECT_EQ(list.Last(), P(3));
    list.SetItem(1, nullptr);
    EXPECT_EQ(Contents(list), (std::vector<int>{1, -1, 3}));
}

TEST(TList, RemoveAndExtractTakeTheFirstOccurrence) {
    TList list;
    list.Add(P(1));
    list.Add(P(2));
    list.Add(P(1));
    EXPECT_EQ(list.IndexOf(P(1)), 0);
    EXPECT_EQ(list.Remove(P(1)), 0);
    EXPECT_EQ(Contents(list), (std::vector<int>{2, 1}));
    EXPECT_EQ(list.Remove(P(5)), -1);
    EXPECT_EQ(list.Extract(P(1)), P(1));
    EXPECT_EQ(list.Extract(P(1)), nullptr);
    EXPECT_EQ(Contents(list), (std::vector<int>{2}));
    EXPECT_EQ(list.IndexOf(P(1)), -1);
}

TEST(TList, IndexOutOfBoundsNamesTheIndex) {
    TList list;
    EXPECT_EQ(ListErrorOf([&] { list.First(); }), "List index out of bounds (0)");
    EXPECT_EQ(ListErrorOf([&] { list.Last(); }), "List index out of bounds (-1)");
    list.Add(P(0));
    list.Add(P(1));
    EXPECT_EQ(ListErrorOf([&] { list.Items(2); }), "List index out of bounds (2)");
    EXPECT_EQ(ListErrorOf([&] { list.Items(-1); }), "List index out of bounds (-1)");
    EXPECT_EQ(ListErrorOf([&] { list.SetItem(2, nullptr); }), "List index out of bounds (2)");
    EXPECT_EQ(ListErrorOf([&] { list.Insert(3, nullptr); }), "List index out of bounds (3)");
    EXPECT_EQ(ListErrorOf([&] { list.Delete(2); }), "List index out of bounds (2)");
    EXPECT_EQ(ListErrorOf([&] { list.Exchange(0, 5); }), "List index out of bounds (5)");
    EXPECT_EQ(ListErrorOf([&] { list.Move(0, 2); }), "List index out of bounds (2)");
    EXPECT_EQ(ListErrorOf([&] { list.Move(7, 0); }), "List index out of bounds (7)");
    EXPECT_EQ(Contents(list), (std::vector<int>{0, 1}));
}

TEST(TList, CountAndCapacity) {
    TList list;
    EXPECT_EQ(list.Capacity(), 0);
    list.Add(P(0));
    EXPECT_GE(list.Capacity(), 1);
    list.SetCount(3);
    EXPECT_EQ(Contents(list), (std::vector<int>{0, -1, -1}));
    list.SetCount(10);
    EXPECT_EQ(list.Count(), 10);
    EXPECT_EQ(list[9], nullptr);
    EXPECT_GE(list.Capacity(), 10);
    list.SetCount(1);
    EXPECT_EQ(Contents(list), (std::vector<int>{0}));
    EXPECT_EQ(ListErrorOf([&] { list.SetCount(-1); }), "List count out of bounds (-1)");

    list.SetCapacity(100);
    EXPECT_EQ(list.Capacity(), 100);
    for (int i = 0; i < 100; ++i)
        list.Add(nullptr);
    EXPECT_GE(list.Capacity(), 101);
    EXPECT_EQ(ListErrorOf([&] { list.SetCapacity(5); }), "List capacity out of bounds (5)");
    list.Clear();
    EXPECT_EQ(list.Count(), 0);
    EXPECT_EQ(list.Capacity(), 0);
}

TEST(TList, ExchangeMoveAndPack) {
    TList list;
    for (int i = 0; i < 5; ++i)
        list.Add(P(i));
    list.Exchange(0, 4);
    EXPECT_EQ(Contents(list), (std::vector<int>{4, 1, 2, 3, 0}));
    list.Move(0, 3);  // forward: the item ends at index 3
    EXPECT_EQ(Contents(list), (std::vector<int>{1, 2, 3, 4, 0}));
    list.Move(4, 1);  // backward
    EXPECT_EQ(Contents(list), (std::vector<int>{1, 0, 2, 3, 4}));
    list.Move(2, 2);
    EXPECT_EQ(Contents(list), (std::vector<int>{1, 0, 2, 3, 4}));

    list.SetItem(0, nullptr);
    list.SetItem(3, nullptr);
    list.Add(nullptr);
    list.Pack();
    EXPECT_EQ(Contents(list), (std::vector<int>{0, 2, 4}));
}
