#include "support/PointerList.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

struct Tracked {
  Tracked(int id, std::vector<int>* log) : id(id), log(log) {}
  ~Tracked() { log->push_back(id); }
  int id;
  std::vector<int>* log;
};

TEST(PointerList, OwningListDeletesLastToFirst) {
  std::vector<int> deleted;
  {
    PointerList<Tracked> list;
    for (int i = 0; i < 3; ++i)
      list.Add(new Tracked(i, &deleted));
    EXPECT_EQ(list.Count(), 3);
    EXPECT_EQ(list.Get(1)->id, 1);
    EXPECT_EQ(list.Get(-1), nullptr);
    EXPECT_EQ(list.Get(3), nullptr);
  }
  EXPECT_EQ(deleted, (std::vector<int>{2, 1, 0}));
}

TEST(PointerList, RemoveKeepsOrderAndDeletesOnlyWhenOwning) {
  std::vector<int> deleted;
  Tracked a(10, &deleted), b(11, &deleted), c(12, &deleted);
  {
    PointerList<Tracked> borrowed(ListOwnership::Borrows);
    borrowed.Add(&a);
    borrowed.Add(&b);
    borrowed.Add(&c);
    borrowed.Remove(0);
    ASSERT_EQ(borrowed.Count(), 2);
    EXPECT_EQ(borrowed.Get(0), &b);
    EXPECT_EQ(borrowed.Get(1), &c);
  }
  EXPECT_TRUE(deleted.empty());

  PointerList<Tracked> owned;
  owned.Add(new Tracked(1, &deleted));
  owned.Add(new Tracked(2, &deleted));
  owned.Remove(0);
  EXPECT_EQ(deleted, (std::vector<int>{1}));
  EXPECT_EQ(owned.Get(0)->id, 2);
}

TEST(PointerList, InsertPlacesBeforeTheIndexAndRefusesOutsideTheEnds) {
  PointerList<int> list(ListOwnership::Borrows);
  int a = 0, b = 1, c = 2, d = 3;
  EXPECT_EQ(list.Insert(0, &b), &b);  // into an empty list
  EXPECT_EQ(list.Insert(0, &a), &a);  // in front
  EXPECT_EQ(list.Insert(2, &d), &d);  // at the end
  EXPECT_EQ(list.Insert(2, &c), &c);  // in between
  EXPECT_EQ(list.Insert(5, &c), nullptr);
  EXPECT_EQ(list.Insert(-1, &c), nullptr);
  ASSERT_EQ(list.Count(), 4);
  for (int i = 0; i < 4; ++i)
    EXPECT_EQ(*list.Get(i), i);
}

TEST(PointerList, ManyEntriesSurviveGrowth) {
  PointerList<int> list(ListOwnership::Borrows);
  std::vector<int> values(5000);
  for (int& v : values)
    list.Add(&v);
  ASSERT_EQ(list.Count(), 5000);
  for (int i = 0; i < 5000; i += 499)
    EXPECT_EQ(list.Get(i), &values[i]);
}

}  // namespace
