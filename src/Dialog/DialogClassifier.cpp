#include "Dialog/DialogClassifier.h"

#include <array>
#include <string_view>
#include <vector>

#include "AX/AXWin.h"

namespace varnelo::DialogClassifier {
namespace {

constexpr std::array<std::string_view, 5> kSaveTitles{"Save", "保存", "存储", "儲存", "储存"};
constexpr std::array<std::string_view, 3> kCancelTitles{"Cancel", "キャンセル", "取消"};

struct Features {
  bool browser = false;
  bool fileURL = false;
  bool nameField = false;
  bool popup = false;
  bool save = false;
  bool cancel = false;

  bool formComplete() const { return nameField && popup && save && cancel; }
};

// A: a sheet or dialog, recognised by its form; the file view is not entered.
// B: a standard window, recognised by a file view with file URLs in its rows.
// Full: everything, for the diagnostic summary.
enum class Walk { formOrBrowser, browserWithUrls, full };

bool contains(const auto& titles, std::string_view title) {
  for (auto candidate : titles)
    if (candidate == title) return true;
  return false;
}

std::string_view trimmed(std::string_view text) {
  constexpr std::string_view space = " \t\n\r\v\f";
  auto first = text.find_first_not_of(space);
  if (first == std::string_view::npos) return {};
  auto last = text.find_last_not_of(space);
  return text.substr(first, last - first + 1);
}

void note(Features& features, const AXWin::ElementFacts& facts) {
  const std::string& role = facts.role.value_or("");
  if (role == "AXOutline" || role == "AXBrowser") {
    features.browser = true;
  } else if (role == "AXTextField") {
    features.nameField = true;
  } else if (role == "AXPopUpButton") {
    features.popup = true;
  } else if (role == "AXButton" && facts.title) {
    auto title = trimmed(*facts.title);
    if (contains(kSaveTitles, title))
      features.save = true;
    else if (contains(kCancelTitles, title))
      features.cancel = true;
  }
  if (facts.url && facts.url->isFileUrl()) features.fileURL = true;
}

bool finished(const Features& features, Walk walk) {
  switch (walk) {
    case Walk::formOrBrowser:
      return features.browser || features.formComplete();
    case Walk::browserWithUrls:
      return features.browser && features.fileURL;
    case Walk::full:
      return false;
  }
  return false;
}

// Depth first in child order; the root's facts are already read.
Features collect(Accessibility& ax, const AXWin::ElementFacts& root, Walk walk) {
  Features features;
  int visited = 0;
  std::vector<std::vector<AXElement>> pending;
  auto visit = [&](const AXWin::ElementFacts& facts) {
    ++visited;
    note(features, facts);
    if (finished(features, walk)) return false;
    const bool fileView = facts.role == "AXOutline" || facts.role == "AXBrowser";
    if (!(walk == Walk::formOrBrowser && fileView) && !facts.children.empty()) {
      pending.emplace_back(facts.children.rbegin(), facts.children.rend());
    }
    return true;
  };
  if (!visit(root)) return features;
  while (!pending.empty() && visited < kFeatureVisitLimit) {
    auto& level = pending.back();
    if (level.empty()) {
      pending.pop_back();
      continue;
    }
    AXElement next = std::move(level.back());
    level.pop_back();
    if (!visit(AXWin::elementFacts(ax, next))) break;
  }
  return features;
}

bool isFileDialog(Accessibility& ax, const AXWin::ElementFacts& facts) {
  const std::string& role = facts.role.value_or("");
  const std::string& subrole = facts.subrole.value_or("");
  if (role == "AXSheet" || subrole == "AXDialog" || subrole == "AXSystemDialog") {
    Features features = collect(ax, facts, Walk::formOrBrowser);
    return features.browser || features.formComplete();
  }
  if (subrole == "AXStandardWindow") {
    Features features = collect(ax, facts, Walk::browserWithUrls);
    return features.browser && features.fileURL;
  }
  return false;
}

const char* text(bool value) { return value ? "true" : "false"; }

}  // namespace

bool isFileDialog(Accessibility& ax, const AXElement& element) {
  return isFileDialog(ax, AXWin::elementFacts(ax, element));
}

bool looksLikeDialog(Accessibility& ax, const AXElement& element) {
  auto facts = AXWin::elementFacts(ax, element);
  const std::string& subrole = facts.subrole.value_or("");
  return facts.role == "AXSheet" || subrole == "AXDialog" || subrole == "AXStandardWindow" ||
         subrole == "AXSystemDialog";
}

std::string diagnosticSummary(Accessibility& ax, const AXElement& element) {
  auto facts = AXWin::elementFacts(ax, element);
  std::string roles;
  std::string buttons;
  for (const auto& child : facts.children) {
    auto childFacts = AXWin::elementFacts(ax, child);
    if (!roles.empty()) roles += ",";
    roles += childFacts.role.value_or("?");
    if (childFacts.role == "AXButton" && childFacts.title) {
      if (!buttons.empty()) buttons += ",";
      buttons += *childFacts.title;
    }
  }
  Features features = collect(ax, facts, Walk::full);
  return "弾いた枠 role=" + facts.role.value_or("?") + " subrole=" + facts.subrole.value_or("-") +
         " children=[" + roles + "] buttons=[" + buttons +
         "] nameField=" + text(features.nameField) + " popup=" + text(features.popup) +
         " save=" + text(features.save) + " cancel=" + text(features.cancel) +
         " browser=" + text(features.browser) + " fileURL=" + text(features.fileURL);
}

}  // namespace varnelo::DialogClassifier
