// Works out which folder another application's open or save dialog shows, from the file
// URLs in its file view (the parent most of them share) or else from its folder pop-up.
// No folder is an absent answer; unreadable elements count as absent.
// Stateless; any thread (it only reads accessibility attributes).
#pragma once

#include <optional>
#include <vector>

#include "Platform/Accessibility.h"
#include "Platform/Url.h"

namespace varnelo::DialogPathReader {

inline constexpr int kVisitLimit = 6000;
inline constexpr int kDepthLimit = 13;
// Outside column view the walk stops once it holds more than this many URLs.
inline constexpr std::size_t kUrlLimit = 39;

std::optional<Url> currentDirectory(Accessibility& ax, const AXElement& dialog);
// Looks into at most kVisitLimit elements.
std::optional<AXElement> firstPopUpButton(Accessibility& ax, const AXElement& element,
                                          int depth = 0);
// The parent folder most URLs share; ties go to the path that sorts first.
std::optional<Url> majorityParent(const std::vector<Url>& urls);

}  // namespace varnelo::DialogPathReader
