#include "montecarlo/philox.h"

#include <gtest/gtest.h>

#include <vector>

namespace tokshuf {
namespace {

struct KnownAnswer {
  PhiloxCounter counter;
  PhiloxKey key;
  PhiloxCounter output;
};

// The known answers Salmon et al. publish for Philox4x32-10.
const KnownAnswer kKnownAnswers[] = {
    {{0, 0, 0, 0}, {0, 0}, {0x6627e8d5, 0xe169c58d, 0xbc57ac4c, 0x9b00dbd8}},
    {{0xffffffff, 0xffffffff, 0xffffffff, 0xffffffff},
     {0xffffffff, 0xffffffff},
     {0x408f276d, 0x41c83b0e, 0xa20bc7c6, 0x6d5451fd}},
    {{0x243f6a88, 0x85a308d3, 0x13198a2e, 0x03707344},
     {0xa4093822, 0x299f31d0},
     {0xd16cfe09, 0x94fdcceb, 0x5001e420, 0x24126ea1}},
};

TEST(Philox, PublishedKnownAnswers) {
  for (const KnownAnswer& answer : kKnownAnswers) {
    EXPECT_EQ(philox4x32(answer.counter, answer.key), answer.output);
  }
}

TEST(Philox, BlocksAreTheSingleCountersInOrder) {
  // The counters run across c0's wrap into c1; some counts end within a
  // group of counters computed together.
  const std::uint64_t first = 0xfffffff0u;
  const std::uint64_t high = 0x0000000500000007u;
  const PhiloxKey key = {0xa4093822, 0x299f31d0};
  for (int count : {0, 1, 17, 40}) {
    std::vector<std::uint32_t> out(4 * count);
    philox4x32Blocks(first, high, key, count, out.data());
    for (int j = 0; j < count; ++j) {
      const std::uint64_t b = first + j;
      const PhiloxCounter single =
          philox4x32({std::uint32_t(b), std::uint32_t(b >> 32), 7, 5}, key);
      for (int w = 0; w < 4; ++w) {
        ASSERT_EQ(out[4 * j + w], single[w]) << count << " " << j << " " << w;
      }
    }
  }
}

}  // namespace
}  // namespace tokshuf
