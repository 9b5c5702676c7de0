// Decides whether an accessibility element of another application is an open or save
// dialog, from its role and the features of its subtree (file view, name field, folder
// pop-up, save and cancel buttons, file URLs). Unreadable attributes count as absent, so a
// failing element is simply no dialog. Stateless; any thread.
#pragma once

#include <string>

#include "Platform/Accessibility.h"

namespace varnelo::DialogClassifier {

inline constexpr int kFeatureVisitLimit = 2500;

bool isFileDialog(Accessibility& ax, const AXElement& element);
// A sheet, or a dialog, standard or system-dialog window.
bool looksLikeDialog(Accessibility& ax, const AXElement& element);
// Why an element was turned down, for the debug log.
std::string diagnosticSummary(Accessibility& ax, const AXElement& element);

}  // namespace varnelo::DialogClassifier
