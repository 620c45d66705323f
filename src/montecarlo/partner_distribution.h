#pragma once

#include <cstdint>
#include <vector>

namespace tokshuf {

// How evenly the shuffle's first step chooses its partner, counted exactly
// over the values UniformRandom can return.
//
// Generators 1 and 2 step together and their periods (259200 and 134456)
// share the factor 8, so along one stream the difference of their cycle
// positions mod 8 never changes: the stream's phase. Each pair of states
// with that difference occurs exactly once in a joint cycle of kJointPeriod
// steps, and over a long stream the generator returns each stored value as
// often as it is stored, so the draws are distributed like the values
// stored for those pairs.
constexpr std::int64_t kJointPeriod = 259200LL * 134456 / 8;

// Phase (0..7) of the stream in which generators 1 and 2 have these states
// together: their cycle positions' difference mod 8, as GeneratorCycles
// numbers the positions. Both moduli are multiples of 8, so a state's
// residue mod 8 fixes its position mod 8, and the phase follows from the
// states' residues alone.
int pairPhase(std::int32_t state1, std::int32_t state2);

// How many of the pairs of one joint cycle of the given phase store exactly
// the value v.
std::int64_t storedValueCount(float v, int phase);

// Over one joint cycle of the given phase, how many pairs store a value
// that makes the first step over n tokens (n >= 1) exchange position 1 with
// partner k, for k = 1..n; entry 0 is unused. Partner k has probability
// count / kJointPeriod. The second form counts only the pairs whose
// generator 1 state lies in firstState1..endState1 - 1.
std::vector<std::int64_t> firstStepPartnerCounts(int n, int phase);
std::vector<std::int64_t> firstStepPartnerCounts(int n, int phase,
                                                 std::int32_t firstState1,
                                                 std::int32_t endState1);

// The most and the fewest pairs of one joint cycle that any partner of the
// first step gets, the first partner that gets them and how many do; for
// texts too long to hold the counts of every partner at once.
struct PartnerExtremes {
  std::int64_t largest = 0;
  int largestAt = 0;
  int largestPartners = 0;
  std::int64_t smallest = 0;
  int smallestAt = 0;
  int smallestPartners = 0;
};
PartnerExtremes firstStepPartnerExtremes(int n, int phase);

}  // namespace tokshuf
