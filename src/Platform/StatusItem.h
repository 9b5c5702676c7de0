// Varnelo's item in the menu bar: a template image and a menu described as values. The
// platform draws the menu; just before it opens it calls onMenuWillOpen, which may hand it
// fresh values, and a chosen item comes back by its identifier. A disabled item cannot
// be chosen. Nothing fails. Main thread only; callbacks come on the main thread.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace varnelo {

struct MenuImage {
  enum class Kind {
    none,
    symbol,           // `name`: a platform symbol ("rectangle.split.2x1")
    swatch,           // `name`: an accent preset's raw value, drawn as a rounded swatch
    applicationIcon,  // `name`: the application bundle's path
  };
  Kind kind = Kind::none;
  std::string name;
  double points = 0;  // the image's side
  bool operator==(const MenuImage&) const = default;
};

struct MenuItem {
  std::string identifier;  // what onChoose receives; empty for a separator
  std::string title;
  bool enabled = true;
  bool checked = false;
  MenuImage image;
  std::vector<MenuItem> submenu;

  static MenuItem separator() { return {}; }
  bool isSeparator() const { return identifier.empty() && title.empty(); }
  bool operator==(const MenuItem&) const = default;
};

using Menu = std::vector<MenuItem>;

class StatusItem {
 public:
  virtual ~StatusItem() = default;
  // Shown as a template image, so that it follows the menu bar's appearance.
  virtual void setImage(const std::string& symbol, const std::string& accessibilityDescription) = 0;
  virtual void setMenu(Menu menu) = 0;

  std::function<void()> onMenuWillOpen;
  std::function<void(const std::string& identifier)> onChoose;
};

class StatusBar {
 public:
  virtual ~StatusBar() = default;
  // An item of variable length; destroying it removes it from the menu bar.
  virtual std::unique_ptr<StatusItem> createItem() = 0;
};

}  // namespace varnelo
