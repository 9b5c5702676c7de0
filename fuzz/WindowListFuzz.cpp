// libFuzzer target: one input, made into the window server's list of entries (each field
// missing or of any type the platform bridges, numbers anywhere in their range, NaN and
// infinities included) and asked what Varnelo asks of it: the typed fields and whether a
// window is covered. Besides crashes and sanitizer reports it checks the typed reads'
// promises: a window number fits 32 bits and is the integer field, bounds are the four
// numbers read.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <set>
#include <string>
#include <vector>

#include "FuzzCheck.h"
#include "Support/WindowListFields.h"
#include "Support/WindowStack.h"

namespace {

using namespace varnelo;

using varnelo::fuzz::check;

const char* const kKeys[] = {WindowKey::number,    WindowKey::layer,     WindowKey::ownerPID,
                             WindowKey::ownerName, WindowKey::alpha,     WindowKey::bounds,
                             WindowKey::name,      WindowKey::isOnscreen};
const char* const kBoundsKeys[] = {"X", "Y", "Width", "Height"};

double anyNumber(FuzzedDataProvider& input) {
  switch (input.ConsumeIntegralInRange(0, 3)) {
    case 0:
      return input.ConsumeFloatingPoint<double>();
    case 1:
      return input.ConsumeFloatingPointInRange(-4000.0, 4000.0);
    case 2:
      return static_cast<double>(input.ConsumeIntegral<std::int64_t>());
    default:
      return input.PickValueInArray(
          {0.0, 1.0, -0.0, 1e300, -1e300, __builtin_nan(""), __builtin_inf(), -__builtin_inf()});
  }
}

WindowListValue anyValue(FuzzedDataProvider& input) {
  switch (input.ConsumeIntegralInRange(0, 4)) {
    case 0:
      return input.ConsumeIntegral<std::int64_t>();
    case 1:
      return anyNumber(input);
    case 2:
      return input.ConsumeRandomLengthString(16);
    case 3:
      return input.ConsumeBool();
    default: {
      WindowListDictionary bounds;
      for (const char* key : kBoundsKeys) {
        if (input.ConsumeBool()) bounds[key] = anyNumber(input);
      }
      return bounds;
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider input(data, size);
  std::vector<WindowListEntry> list(input.ConsumeIntegralInRange<std::size_t>(0, 6));
  for (auto& entry : list) {
    for (const char* key : kKeys) {
      if (input.ConsumeBool()) entry[key] = anyValue(input);
    }
  }
  for (const auto& entry : list) {
    if (auto number = WindowListFields::windowNumber(entry)) {
      check(
          WindowListFields::integer(entry, WindowKey::number) == static_cast<std::int64_t>(*number),
          "a window number is the integer field");
    }
    if (auto bounds = WindowListFields::bounds(entry)) {
      const auto& fields = std::get<WindowListDictionary>(entry.at(WindowKey::bounds));
      const double read[] = {bounds->x, bounds->y, bounds->width, bounds->height};
      for (int i = 0; i < 4; ++i) {
        const double stored = fields.at(kBoundsKeys[i]);
        check(read[i] == stored || (read[i] != read[i] && stored != stored),
              "bounds are the four numbers stored");
      }
    }
    WindowListFields::number(entry, WindowKey::alpha);
    WindowListFields::text(entry, WindowKey::ownerName);
  }
  const auto window = static_cast<WindowNumber>(input.ConsumeIntegral<std::uint32_t>());
  const Rect rect{anyNumber(input), anyNumber(input), anyNumber(input), anyNumber(input)};
  WindowStack::isOccluded(list, window, rect, {input.ConsumeIntegral<std::int64_t>()},
                          input.ConsumeIntegral<ProcessId>());
  return 0;
}
