#include "montecarlo/uniform_random.h"

#include <gtest/gtest.h>

namespace tokshuf {

struct UniformRandomProbe {
  static int state1(const UniformRandom& g) { return g.state1; }
  static int state2(const UniformRandom& g) { return g.state2; }
  static int state3(const UniformRandom& g) { return g.state3; }
  static int entryAfterDraw(const UniformRandom& g) {
    return 1 + 97 * g.state3 / 243000;
  }
};

namespace {

using Probe = UniformRandomProbe;

TEST(UniformRandom, SeedingWithMinusOne) {
  UniformRandom g;
  int seed = -1;
  EXPECT_EQ(g.uniformRandom(&seed), 0.3900425136089325);
  EXPECT_EQ(seed, 1);
  EXPECT_EQ(Probe::state1(g), 94274);
  EXPECT_EQ(Probe::state2(g), 86921);
  EXPECT_EQ(Probe::state3(g), 57209);
  EXPECT_EQ(Probe::entryAfterDraw(g), 23);
}

TEST(UniformRandom, FirstFiveValuesAndTheirEntries) {
  UniformRandom g;
  int seed = -1;
  const double expected[] = {0.3900425136089325, 0.171148419380188,
                             0.6423839330673218, 0.8688522577285767,
                             0.17056703567504883};
  const int entries[] = {23, 97, 65};
  for (int i = 0; i < 5; ++i) {
    EXPECT_EQ(g.uniformRandom(&seed), expected[i]) << "draw " << i + 1;
    if (i < 3) {
      EXPECT_EQ(Probe::entryAfterDraw(g), entries[i]);
    }
  }
}

TEST(UniformRandom, NegativeSeedRestartsTheStream) {
  UniformRandom g;
  int seed = -1;
  const double first = g.uniformRandom(&seed);
  for (int i = 0; i < 1000; ++i) g.uniformRandom(&seed);
  seed = -1;
  EXPECT_EQ(g.uniformRandom(&seed), first);
}

TEST(UniformRandom, FirstCallInitialisesWhateverTheSeed) {
  UniformRandom a, b;
  int seedA = 7, seedB = 7;
  const double first = a.uniformRandom(&seedA);
  EXPECT_EQ(seedA, 1);
  EXPECT_EQ(b.uniformRandom(&seedB), first);
  // Later calls with a non-negative seed do not re-initialise.
  seedA = 7;
  const double second = a.uniformRandom(&seedA);
  EXPECT_EQ(seedA, 7);
  EXPECT_NE(second, first);
}

TEST(UniformRandom, ValuesStayInTheUnitInterval) {
  UniformRandom g;
  int seed = -1;
  for (int i = 0; i < 200000; ++i) {
    const double u = g.uniformRandom(&seed);
    ASSERT_GE(u, 0.0);
    ASSERT_LE(u, 1.0);
    ASSERT_EQ(u, double(float(u)));
  }
}

}  // namespace
}  // namespace tokshuf
