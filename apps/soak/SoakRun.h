// One soak run: the desktop set up, then step after step of the script, Varnelo's state
// checked after each, the files after each transfer and every 50 steps, the log every
// 100. A broken invariant may first heal for a few seconds of quiet (a
// dropped notification is made good by the next poll); one that stays stops the run
// with the seed and step that replay it.
#pragma once

#include <cstdint>
#include <ostream>

namespace varnelo::soak {

struct SoakOptions {
  std::uint64_t seed = 1;
  std::int64_t steps = 1000;
  double faultShare = 0.2;
  // Every scenario line as it runs goes to the output too.
  bool trace = false;
};

// 0 when every step kept every invariant; 1 when one broke (the report says which, where
// and how to replay it); 2 when the soak itself wrote a line the runner refuses.
int runSoak(const SoakOptions& options, std::ostream& out);

}  // namespace varnelo::soak
