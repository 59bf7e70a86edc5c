#include "framework/core/PtrList.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

std::vector<int> Walk(PtrList<int>& list) {
    std::vector<int> seen;
    list.ForEach([&](int* item) {
        seen.push_back(*item);
        return true;
    });
    return seen;
}

TEST(PtrList, NewestFirstAndUniqueAdds) {
    int a = 1, b = 2, c = 3;
    PtrList<int> list;
    list.PushFront(&a);
    list.PushFront(&b);
    EXPECT_TRUE(list.PushFrontUnique(&c));
    EXPECT_FALSE(list.PushFrontUnique(&a));
    list.PushFront(nullptr);
    EXPECT_EQ(Walk(list), (std::vector<int>{3, 2, 1}));
    EXPECT_EQ(list.Count(), 3u);
    EXPECT_TRUE(list.Remove(&b));
    EXPECT_FALSE(list.Remove(&b));
    EXPECT_EQ(Walk(list), (std::vector<int>{3, 1}));
    EXPECT_EQ(list.FindFirst([](int* item) { return *item < 3; }), &a);
}

TEST(PtrList, RemovalsDuringAWalkAreSkippedAndAddsAreNotVisited) {
    int a = 1, b = 2, c = 3, d = 4;
    PtrList<int> list;
    list.PushFront(&a);
    list.PushFront(&b);
    list.PushFront(&c);
    std::vector<int> seen;
    list.ForEach([&](int* item) {
        seen.push_back(*item);
        if (*item == 3) {
            list.Remove(&c);  // the node being visited
            list.Remove(&b);  // one not yet visited
            list.PushFront(&d);
        }
        return true;
    });
    EXPECT_EQ(seen, (std::vector<int>{3, 1}));
    EXPECT_EQ(Walk(list), (std::vector<int>{4, 1}));
    EXPECT_EQ(list.Count(), 2u);
}

TEST(PtrList, NestedWalksAndClearInsideAWalk) {
    int a = 1, b = 2;
    PtrList<int> list;
    list.PushFront(&a);
    list.PushFront(&b);
    int visits = 0;
    list.ForEach([&](int*) {
        list.ForEach([&](int* inner) {
            ++visits;
            if (*inner == 1) list.Clear();
            return true;
        });
        return true;
    });
    EXPECT_EQ(visits, 2);
    EXPECT_TRUE(list.IsEmpty());
    EXPECT_TRUE(Walk(list).empty());
    list.PushFront(&a);
    EXPECT_EQ(Walk(list), (std::vector<int>{1}));
}

}  // namespace
