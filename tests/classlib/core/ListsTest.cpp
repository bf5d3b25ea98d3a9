#include "classlib/core/Lists.h"

#include <gtest/gtest.h>
#include "../../support/ExceptionMessage.h"

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

}  // namespace

TEST(TList, EditingKeepsOrderAndTakesTheFirstOccurrence) {
    TList list;
    list.Add(P(1));
    list.Add(P(3));
    list.Insert(1, P(2));
    list.Insert(0, P(1));
    list.Delete(0);
    list.Add(P(1));
    EXPECT_EQ(list.Remove(P(1)), 0);
    EXPECT_EQ(Contents(list), (std::vector<int>{2, 3, 1}));
}

TEST(TList, BoundsAreCheckedAndNamed) {
    TList list;
    EXPECT_EQ(testsupport::MessageOf<EListError>([&] { list.First(); }), "List index out of bounds (0)");
    list.Add(P(0));
    list.Add(P(1));
    EXPECT_EQ(testsupport::MessageOf<EListError>([&] { list.Insert(3, nullptr); }), "List index out of bounds (3)");
    EXPECT_EQ(testsupport::MessageOf<EListError>([&] { list.SetCount(-1); }), "List count out of bounds (-1)");
    EXPECT_EQ(testsupport::MessageOf<EListError>([&] { list.SetCapacity(1); }), "List capacity out of bounds (1)");
    EXPECT_EQ(Contents(list), (std::vector<int>{0, 1}));
    list.SetCount(10);  // grows with nullptr
    EXPECT_EQ(list[9], nullptr);
    list.SetCount(1);
    EXPECT_EQ(Contents(list), (std::vector<int>{0}));
}
