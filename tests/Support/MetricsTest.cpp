#include "Support/Metrics.h"

#include <gtest/gtest.h>

namespace varnelo {
namespace {

using Metrics::chromeFor;
using Metrics::WindowChrome;

TEST(MetricsTest, modernChromeStartsAtExactly26) {
  // Catches a bound other than 26.0.0, or a minor version that outweighs the major. (The
  // running system's version choosing the chrome: pair-modern-chrome.scn.)
  EXPECT_EQ(chromeFor({25, 99, 99}), WindowChrome::classic);
  EXPECT_EQ(chromeFor({26, 0, 0}), WindowChrome::modern);
}

}  // namespace
}  // namespace varnelo
