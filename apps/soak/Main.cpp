// varnelo-soak: hours of desktop life in minutes. A repeatable random mix of what a person
// and macOS do, with injected faults, against Varnelo on the simulated desktop; every
// invariant is checked after each step.
#include <charconv>
#include <iostream>
#include <string>
#include <string_view>

#include "SoakRun.h"

namespace {

constexpr const char* kUsage =
    "usage: varnelo-soak [--seed N] [--steps N] [--faults SHARE] [--trace]\n"
    "  --seed N        where the random mix starts; the same seed replays the same run (1)\n"
    "  --steps N       how many steps to run (1000)\n"
    "  --faults SHARE  the part of steps, 0 to 1, that inject a fault (0.2)\n"
    "  --trace         print every scenario line as it runs\n"
    "Exit status 0 when every invariant held, 1 when one broke (the report names the step\n"
    "to replay), 2 for bad arguments.\n";

template <class Number>
bool parse(std::string_view text, Number& value) {
  auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  return error == std::errc() && end == text.data() + text.size();
}

}  // namespace

int main(int argc, char** argv) {
  varnelo::soak::SoakOptions options;
  for (int at = 1; at < argc; ++at) {
    const std::string_view word = argv[at];
    const bool hasValue = at + 1 < argc;
    bool understood = true;
    if (word == "--trace") {
      options.trace = true;
    } else if (word == "--seed" && hasValue) {
      understood = parse(argv[++at], options.seed);
    } else if (word == "--steps" && hasValue) {
      understood = parse(argv[++at], options.steps) && options.steps >= 0;
    } else if (word == "--faults" && hasValue) {
      understood = parse(argv[++at], options.faultShare) && options.faultShare >= 0 &&
                   options.faultShare <= 1;
    } else {
      understood = word == "-h" || word == "--help";
      (understood ? std::cout : std::cerr) << kUsage;
      return understood ? 0 : 2;
    }
    if (!understood) {
      std::cerr << "varnelo-soak: bad value for " << word << "\n" << kUsage;
      return 2;
    }
  }
  return varnelo::soak::runSoak(options, std::cout);
}
