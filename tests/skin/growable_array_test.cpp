#include "skin/growable_array.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

struct Item {
  int value;
  char pad[12];
};

TEST(GrowableArray, NewArrayHoldsNoBlockAndRemoveAllIsHarmless) {
  GrowableArray a(sizeof(Item), 3);
  EXPECT_EQ(a.count, 0);
  EXPECT_EQ(a.capacity, 0);
  EXPECT_EQ(a.data, nullptr);
  a.RemoveAll();
  a.RemoveAll();
  EXPECT_EQ(a.data, nullptr);
}

TEST(GrowableArray, GrowsByItsStepOnFirstFourthAndSeventhAdd) {
  GrowableArray a(sizeof(Item), 3);
  int capacities[7];
  for (int i = 0; i < 7; ++i) {
    Item item{i * 10, {}};
    EXPECT_EQ(a.Add(&item), i);
    capacities[i] = a.capacity;
  }
  int expected[7] = {3, 3, 3, 6, 6, 6, 9};
  for (int i = 0; i < 7; ++i) EXPECT_EQ(capacities[i], expected[i]) << "after add " << i + 1;
  for (int i = 0; i < 7; ++i) EXPECT_EQ(static_cast<Item*>(a.At(i))->value, i * 10);
}

TEST(GrowableArray, ElementsSurviveGrowthAndNewSlotsAreZero) {
  GrowableArray a(sizeof(Item), 2);
  Item filled;
  memset(&filled, 0xAB, sizeof(filled));
  a.Add(&filled);
  a.Add(&filled);
  a.Add(&filled);  // grows to 4: slot 3 must read as zero
  const unsigned char* slot3 = static_cast<const unsigned char*>(a.At(3));
  for (size_t i = 0; i < sizeof(Item); ++i) EXPECT_EQ(slot3[i], 0) << i;
  for (int i = 0; i < 3; ++i) EXPECT_EQ(memcmp(a.At(i), &filled, sizeof(Item)), 0);
}

TEST(GrowableArray, RemoveAllStartsOverAtIndexZero) {
  GrowableArray a(4, 10);
  int v = 7;
  a.Add(&v);
  a.Add(&v);
  a.RemoveAll();
  EXPECT_EQ(a.data, nullptr);
  EXPECT_EQ(a.capacity, 0);
  EXPECT_EQ(a.Add(&v), 0);
  EXPECT_EQ(a.capacity, 10);
}

TEST(GrowableArray, SetAtReplacesOneElementAndToleratesItself) {
  GrowableArray a(sizeof(int), 4);
  int values[3] = {1, 2, 3};
  for (int v : values) a.Add(&v);
  int replacement = 42;
  a.SetAt(1, &replacement);
  a.SetAt(2, a.At(2));
  EXPECT_EQ(*static_cast<int*>(a.At(0)), 1);
  EXPECT_EQ(*static_cast<int*>(a.At(1)), 42);
  EXPECT_EQ(*static_cast<int*>(a.At(2)), 3);
}

TEST(GrowableArray, ManyGrowthsKeepEveryElement) {
  GrowableArray a(sizeof(int), 3);
  for (int i = 0; i < 3000; ++i) ASSERT_EQ(a.Add(&i), i);
  EXPECT_EQ(a.capacity, 3000);
  for (int i = 0; i < 3000; ++i) ASSERT_EQ(*static_cast<int*>(a.At(i)), i);
}

TEST(GrowableArray, ImpossibleSizeFailsAndLeavesTheArrayAsItWas) {
  GrowableArray a(0x40000000u, 4);  // 4 GiB per step cannot be allocated
  char byte = 1;
  EXPECT_EQ(a.Add(&byte), -1);
  EXPECT_EQ(a.count, 0);
  EXPECT_EQ(a.capacity, 0);
  EXPECT_EQ(a.data, nullptr);
}

}  // namespace
