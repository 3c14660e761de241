// The generator behind generated runs: the reference sequence, and the
// draws built on it.

#include "sim/world.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <set>
#include <vector>

namespace dravelquin {

TEST(SplitMix64, GivesTheReferenceSequence) {
  sim::SplitMix64 random(1234567);
  std::vector<std::uint64_t> drawn;
  drawn.reserve(5);
  for (int i = 0; i < 5; ++i) {
    drawn.push_back(random.Next());
  }
  EXPECT_EQ(
      (std::vector<std::uint64_t>{6457827717110365317u, 3203168211198807973u, 9817491932198370423u,
                                  4593380528125082431u, 16408922859458223821u}),
      drawn);
}

TEST(SplitMix64, BelowReachesEveryValueAndNoOther) {
  sim::SplitMix64 random(1);
  std::set<std::uint64_t> seen;
  for (int i = 0; i < 300; ++i) {
    seen.insert(random.Below(3));
  }
  EXPECT_EQ((std::set<std::uint64_t>{0, 1, 2}), seen);
}

TEST(SplitMix64, ChanceOfZeroNeverAndOfOneAlways) {
  sim::SplitMix64 random(9);
  int zero_hits = 0;
  int one_hits = 0;
  for (int i = 0; i < 1000; ++i) {
    zero_hits += random.Chance(0.0) ? 1 : 0;
    one_hits += random.Chance(1.0) ? 1 : 0;
  }
  EXPECT_EQ(0, zero_hits);
  EXPECT_EQ(1000, one_hits);
}

TEST(SplitMix64, RoundRandomlyKeepsWholeAmounts) {
  sim::SplitMix64 random(3);
  for (int i = 0; i < 100; ++i) {
    EXPECT_EQ(2, random.RoundRandomly(2.0));
  }
}

TEST(SplitMix64, RoundRandomlyAveragesToTheAmount) {
  sim::SplitMix64 random(5);
  std::int64_t total = 0;
  for (int i = 0; i < 10000; ++i) {
    total += random.RoundRandomly(1.25);
  }
  EXPECT_GE(total, 12300);
  EXPECT_LE(total, 12700);
}

TEST(SplitMix64, BinomialEdgesNeedNoDraw) {
  sim::SplitMix64 random(8);
  EXPECT_EQ(0, random.Binomial(0, 0.5));
  EXPECT_EQ(0, random.Binomial(10, 0.0));
  EXPECT_EQ(0, random.Binomial(10, -1.0));
  EXPECT_EQ(10, random.Binomial(10, 1.0));
  EXPECT_EQ(10, random.Binomial(10, 2.0));
  // None of the above drew: the generator is where it started.
  EXPECT_EQ(sim::SplitMix64(8).Next(), random.Next());
}

TEST(SplitMix64, BinomialHasTheMeanAndVarianceOfIndependentEvents) {
  struct Case {
    std::int64_t trials;
    double probability;
    int draws;
  };
  // One part; p above 1/2, counted by its complement; p small enough that
  // (1 - p)^trials underflows unless the trials are drawn in parts.
  for (const Case& c : {Case{20, 0.1, 4000}, Case{1000, 0.7, 2000}, Case{200000, 0.01, 300}}) {
    SCOPED_TRACE(c.trials);
    sim::SplitMix64 random(static_cast<std::uint64_t>(c.trials));
    double sum = 0;
    double squares = 0;
    for (int i = 0; i < c.draws; ++i) {
      const auto events = static_cast<double>(random.Binomial(c.trials, c.probability));
      ASSERT_GE(events, 0);
      ASSERT_LE(events, c.trials);
      sum += events;
      squares += events * events;
    }
    const double mean = static_cast<double>(c.trials) * c.probability;
    const double variance = mean * (1 - c.probability);
    const double sample_mean = sum / c.draws;
    const double sample_variance = squares / c.draws - sample_mean * sample_mean;
    EXPECT_LE(std::fabs(sample_mean - mean), 4 * std::sqrt(variance / c.draws));
    EXPECT_NEAR(1.0, sample_variance / variance, 0.25);
  }
}

}  // namespace dravelquin
