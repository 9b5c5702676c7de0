#include "Support/Metrics.h"

#include <gtest/gtest.h>

#include "Sim/Process/SimSystemInfo.h"

namespace varnelo {
namespace {

using Metrics::chromeFor;
using Metrics::WindowChrome;

TEST(MetricsTest, modernChromeStartsAtExactly26) {
  // Catches a bound other than 26.0.0, or a minor version that outweighs the major.
  EXPECT_EQ(chromeFor({15, 7, 3}), WindowChrome::classic);
  EXPECT_EQ(chromeFor({25, 9, 0}), WindowChrome::classic);
  EXPECT_EQ(chromeFor({25, 99, 99}), WindowChrome::classic);
  EXPECT_EQ(chromeFor({26, 0, 0}), WindowChrome::modern);
  EXPECT_EQ(chromeFor({27, 0, 0}), WindowChrome::modern);
}

TEST(MetricsTest, initialiseTakesTheRunningSystemsVersionAndAScopePutsItBack) {
  // Catches initialise() ignoring the system, or a scope that leaks its value.
  Metrics::ScopedWindowChrome restoreAtEnd(WindowChrome::classic);
  sim::SystemFacts facts;
  facts.osVersion = {26, 0, 0};

  Metrics::initialise(sim::SimSystemInfo(facts));
  {
    Metrics::ScopedWindowChrome classic(WindowChrome::classic);
    EXPECT_EQ(Metrics::currentWindowChrome(), WindowChrome::classic);
  }
  EXPECT_EQ(Metrics::currentWindowChrome(), WindowChrome::modern);
}

}  // namespace
}  // namespace varnelo
