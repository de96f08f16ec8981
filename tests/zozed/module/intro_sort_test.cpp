#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <random>
#include <string>
#include <vector>

#include "zozed/module/intro_sort.h"

namespace {

struct Item {
  int key;
  int tag;  // the position before sorting
  bool operator==(const Item&) const = default;
};

bool key_less(const Item& a, const Item& b) { return a.key < b.key; }

std::vector<Item> items(const std::vector<int>& keys) {
  std::vector<Item> v;
  for (std::size_t i = 0; i < keys.size(); ++i) v.push_back({keys[i], static_cast<int>(i)});
  return v;
}

// Up to 32 elements the result is exactly a stable sort's, for every length and many
// arrangements of few distinct keys.
TEST(IntroSort, ListsOfAtMost32KeepEqualKeysInOrder) {
  std::mt19937 random(7);
  for (int n = 0; n <= 32; ++n) {
    for (int round = 0; round < 50; ++round) {
      std::vector<int> keys(static_cast<std::size_t>(n));
      for (int& k : keys) k = static_cast<int>(random() % 4);
      std::vector<Item> sorted = items(keys);
      std::vector<Item> expected = sorted;
      zozed::intro_sort(sorted.begin(), sorted.end(), key_less);
      std::stable_sort(expected.begin(), expected.end(), key_less);
      ASSERT_EQ(sorted, expected) << "length " << n << ", round " << round;
    }
  }
}

// Longer lists, and the heap sort a too deep partitioning falls back to, give sorted
// permutations of what they were given.
TEST(IntroSort, LongListsAreSortedPermutations) {
  struct Row {
    int line;
    std::string pattern;
    int n;
    int depth_limit;
  };
  const Row rows[] = {
      {__LINE__, "random", 33, INT_MAX},          {__LINE__, "random", 10000, INT_MAX},
      {__LINE__, "few keys", 5000, INT_MAX},      {__LINE__, "all equal", 5000, INT_MAX},
      {__LINE__, "descending", 5000, INT_MAX},    {__LINE__, "organ pipe", 5000, INT_MAX},
      {__LINE__, "few keys", 2000, 0},            {__LINE__, "random", 2000, 1},
  };
  std::mt19937 random(11);
  for (const Row& row : rows) {
    SCOPED_TRACE("row at line " + std::to_string(row.line));
    std::vector<int> keys(static_cast<std::size_t>(row.n));
    for (int i = 0; i < row.n; ++i) {
      int& k = keys[static_cast<std::size_t>(i)];
      if (row.pattern == "random") k = static_cast<int>(random());
      if (row.pattern == "few keys") k = static_cast<int>(random() % 3);
      if (row.pattern == "all equal") k = 0x3FFFFFFF;
      if (row.pattern == "descending") k = -i;
      if (row.pattern == "organ pipe") k = std::min(i, row.n - i);
    }
    std::vector<Item> sorted = items(keys);
    if (row.depth_limit == INT_MAX)
      zozed::intro_sort(sorted.begin(), sorted.end(), key_less);
    else
      zozed::intro_sort(sorted.begin(), sorted.end(), key_less, row.depth_limit);
    EXPECT_TRUE(std::is_sorted(sorted.begin(), sorted.end(), key_less));
    std::vector<Item> by_tag = sorted;
    std::sort(by_tag.begin(), by_tag.end(), [](const Item& a, const Item& b) { return a.tag < b.tag; });
    EXPECT_EQ(by_tag, items(keys));
  }
}

}  // namespace
