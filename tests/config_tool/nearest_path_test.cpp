// The indexed search for the dump path nearest to a name against measuring
// the distance to every path, on generated paths and names.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "common/text.h"

namespace dravelquin {

namespace {

// Short texts over few letters, so that many paths tie for nearest.
class TextMaker {
 public:
  std::string Word(std::size_t longest) {
    const std::string letters = "abAB_1";
    std::string word(Below(longest) + 1, 'a');
    for (char& c : word) {
      c = letters[Below(letters.size())];
    }
    return word;
  }

  std::string Path() {
    const std::string asset = Word(6);
    return "blueprint'/Game/" + Word(4) + "/" + asset + "." + asset + "'";
  }

  // The text with up to three bytes inserted, deleted or replaced.
  std::string Edited(std::string text) {
    for (std::size_t edits = Below(4); edits > 0 && !text.empty(); --edits) {
      const std::size_t at = Below(text.size());
      switch (Below(3)) {
        case 0:
          text.insert(at, 1, 'b');
          break;
        case 1:
          text.erase(at, 1);
          break;
        default:
          text[at] = 'A';
      }
    }
    return text;
  }

  std::size_t Below(std::size_t bound) {
    return std::uniform_int_distribution<std::size_t>(0, bound - 1)(random_);
  }

 private:
  std::mt19937 random_{20261209};
};

}  // namespace

TEST(NearestPath, IndexPicksWhatMeasuringEveryPathPicks) {
  TextMaker maker;
  std::set<std::string> unique;
  while (unique.size() < 600) {
    unique.insert(maker.Path());
  }
  // Dump order is not byte order here, so that "the first" is tested apart
  // from the order by size the index walks in.
  std::vector<std::string> paths(unique.begin(), unique.end());
  std::shuffle(paths.begin(), paths.end(), std::mt19937(7));
  const NearestIndex index(paths);
  std::vector<std::string> names = {"", "Raptor_BP_C", "x", std::string(100, 'a')};
  for (int i = 0; i < 150; ++i) {
    names.push_back(maker.Edited(paths[maker.Below(paths.size())]));
    names.push_back(maker.Word(20));
  }
  for (const std::string& name : names) {
    const std::string expected = NearestOf(name, paths).value();
    const std::size_t at = index.NearestTo(name).value();
    EXPECT_EQ(expected, paths[at]) << name;
  }
  EXPECT_FALSE(NearestIndex({}).NearestTo("a").has_value());
}

TEST(NearestPath, BoundedDistanceIsExactUpToItsLimit) {
  TextMaker maker;
  for (int i = 0; i < 2000; ++i) {
    const std::string from = maker.Word(12);
    const std::string to = maker.Below(2) == 0 ? maker.Edited(from) : maker.Word(12);
    const std::size_t limit = maker.Below(8);
    EXPECT_EQ(std::min(EditDistance(from, to), limit + 1), EditDistanceWithin(from, to, limit))
        << from << " " << to << " " << limit;
  }
}

}  // namespace dravelquin
