// The diagnostic report's text, byte for byte: its header, one line per mechanism, the
// supplement and the suspected causes. (Copied to the pasteboard with the coordinator's
// supplement: diagnostics.scn.)
#include <gtest/gtest.h>

#include "Diagnostics/HealthMonitor.h"
#include "Sim/SimDesktop.h"

namespace varnelo {
namespace {

using Dependency = HealthMonitor::Dependency;

class DiagnosticReportTest : public ::testing::Test {
 protected:
  std::shared_ptr<HealthMonitor> makeMonitor() {
    return std::make_shared<HealthMonitor>(desktop_.scheduler(), desktop_.systemInfo(),
                                           desktop_.defaults());
  }
  void report(HealthMonitor& monitor, Dependency dependency, int successes, int failures,
              const char* error = nullptr) {
    for (int i = 0; i < successes; ++i) monitor.record(dependency, true);
    for (int i = 0; i < failures; ++i) {
      monitor.record(dependency, false, error ? std::optional<std::string>(error) : std::nullopt);
    }
  }

  sim::SimDesktop desktop_;
};

TEST_F(DiagnosticReportTest, unreportedMechanismsAreWhiteAndNothingIsSuspected) {
  // Catches a report that counts an unused mechanism as failing or healthy, blames one, adds
  // empty sections, or ends with a line feed.
  auto monitor = makeMonitor();
  EXPECT_EQ(
      monitor->diagnosticReport({}, desktop_.accessibilityTrust()),
      "Varnelo 診断情報\n"
      "生成: 2026-01-05T09:00:00Z\n"
      "macOS: 15.4.1\n"
      "アプリ: 0.1.0\n"
      "アクセシビリティ許可: なし\n"
      "\n"
      "--- 依存の健全性 ---\n"
      "  ⚪️ AX 監視: 未実行（この機能をまだ使っていない）\n"
      "  ⚪️ Finder スクリプティング: "
      "未実行（この機能をまだ使っていない）\n"
      "  ⚪️ ウィンドウ同定: 未実行（この機能をまだ使っていない）\n"
      "  ⚪️ 私有API: 未実行（この機能をまだ使っていない）\n"
      "  ⚪️ パス移動: 未実行（この機能をまだ使っていない）");
  EXPECT_EQ(desktop_.accessibilityTrust().promptCount(), 0);
}

TEST_F(DiagnosticReportTest, countsMarksErrorsSupplementAndCausesAfterAnUpdate) {
  // Catches a rounded rate (2/7 is 28, not 29), a mark or failure count off by the threshold,
  // a last error dropped or shown for a failure without text, the supplement out of order,
  // causes in report order instead of the labels' order, and the time rounded up.
  desktop_.defaults().setText(kLastSeenOSVersionKey, "15.3.0");
  desktop_.accessibilityTrust().setTrusted(true);
  auto monitor = makeMonitor();
  report(*monitor, Dependency::identity, 2, 5, "CGWindowID を解決できない");
  report(*monitor, Dependency::privateAX, 3, 0);
  report(*monitor, Dependency::navigation, 1, 2);
  report(*monitor, Dependency::axObserver, 0, 6, "AX追跡 3 件 vs 実際 1 件");
  desktop_.virtualClock()->advanceBy(seconds(3723.9));
  EXPECT_EQ(monitor->diagnosticReport({{"ペア状態", "未ペア"}, {"NSFileViewer登録", "なし"}},
                                      desktop_.accessibilityTrust()),
            "Varnelo 診断情報\n"
            "生成: 2026-01-05T10:02:03Z\n"
            "macOS: 15.4.1  ← 前回起動時から更新されています\n"
            "アプリ: 0.1.0\n"
            "アクセシビリティ許可: あり\n"
            "\n"
            "--- 依存の健全性 ---\n"
            "  🔴 AX 監視: 0/6 成功 (0%) 連続失敗 6\n"
            "      最後のエラー: AX追跡 3 件 vs 実際 1 件\n"
            "  ⚪️ Finder スクリプティング: "
            "未実行（この機能をまだ使っていない）\n"
            "  🔴 ウィンドウ同定: 2/7 成功 (28%) 連続失敗 5\n"
            "      最後のエラー: CGWindowID を解決できない\n"
            "  🟢 私有API: 3/3 成功 (100%)\n"
            "  🟡 パス移動: 1/3 成功 (33%) 連続失敗 2\n"
            "\n"
            "--- 補足 ---\n"
            "  ペア状態: 未ペア\n"
            "  NSFileViewer登録: なし\n"
            "\n"
            "--- 疑わしい原因 ---\n"
            "  AX 監視: AXObserver が機能していない（許可の失効、または AX 実装の変更）\n"
            "  ウィンドウ同定: AX と CGWindowID の対応付けが崩れた可能性");
}

}  // namespace
}  // namespace varnelo
