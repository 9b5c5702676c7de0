// libFuzzer target: one input, made into another application's accessibility tree (any
// roles, children that may point anywhere, cycles included, URLs of every kind, values of
// the wrong type and unreadable attributes) and read as the dialog bar reads a dialog.
// Besides crashes, hangs and sanitizer reports it checks the reader's promises: a folder
// read is a file URL, and a classified dialog's pop-up is an element of the tree.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "AX/CannedAccessibility.h"
#include "Dialog/DialogClassifier.h"
#include "Dialog/DialogPathReader.h"
#include "FuzzCheck.h"
#include "Platform/AXNames.h"

namespace {

using namespace varnelo;

using varnelo::fuzz::check;

const char* const kRoles[] = {"AXSheet",      "AXWindow",  "AXGroup",      "AXSplitGroup",
                              "AXScrollArea", "AXOutline", "AXList",       "AXBrowser",
                              "AXRow",        "AXCell",    "AXStaticText", "AXPopUpButton",
                              "AXTextField",  "AXButton",  "AXImage",      "AXComboBox"};
const char* const kFolders[] = {"/Users/ann", "/Users/ann/Documents", "/", "/Volumes/External",
                                "/Users/ann/Documents/Projects"};

std::string anyPath(FuzzedDataProvider& input) {
  std::string path = input.PickValueInArray(kFolders);
  if (input.ConsumeBool())
    path += (path.ends_with('/') ? "" : "/") + input.ConsumeRandomLengthString(12);
  return path;
}

AXReadResult anyUrl(FuzzedDataProvider& input) {
  switch (input.ConsumeIntegralInRange(0, 5)) {
    case 0:
      return AXValue{Url::fileUrl(anyPath(input))};
    case 1:
      return AXValue{Url{input.ConsumeRandomLengthString(24)}};
    case 2:
      return AXValue{FileReferenceUrl{
          Url{"file:///.file/id=6571367.2"},
          input.ConsumeBool() ? std::optional<Url>(Url::fileUrl(anyPath(input))) : std::nullopt}};
    case 3:
      return AXValue{input.ConsumeRandomLengthString(24)};
    case 4:
      return AXValue{input.ConsumeFloatingPoint<double>()};
    default:
      return input.PickValueInArray({AXError::cannotComplete, AXError::invalidUIElement,
                                     AXError::attributeUnsupported, AXError::noValue});
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider input(data, size);
  test::CannedAccessibility ax;
  const int count = input.ConsumeIntegralInRange(1, 48);
  for (int id = 1; id <= count; ++id) {
    ax.set(id, AXName::role, AXValue{std::string(input.PickValueInArray(kRoles))});
    if (input.ConsumeBool())
      ax.set(id, AXName::title, AXValue{input.ConsumeRandomLengthString(12)});
    if (input.ConsumeBool()) ax.set(id, AXName::url, anyUrl(input));
    AXValueList children;
    const int fanOut = input.ConsumeIntegralInRange(0, 6);
    for (int i = 0; i < fanOut; ++i) {
      children.push_back(AXValue{test::cannedElement(input.ConsumeIntegralInRange(1, count))});
    }
    if (input.ConsumeBool()) children.push_back(AXValue{input.ConsumeRandomLengthString(4)});
    ax.set(id, AXName::children, AXValue{std::move(children)});
  }
  const AXElement root = test::cannedElement(1);
  const bool dialog = DialogClassifier::isFileDialog(ax, root);
  if (auto folder = DialogPathReader::currentDirectory(ax, root)) {
    check(folder->isFileUrl(), "a folder read is a file URL");
  }
  if (dialog) {
    if (auto popUp = DialogPathReader::firstPopUpButton(ax, root)) {
      bool known = false;
      for (int id = 1; id <= count; ++id) known = known || *popUp == test::cannedElement(id);
      check(known, "a pop-up found is an element of the tree");
    }
  }
  return 0;
}
