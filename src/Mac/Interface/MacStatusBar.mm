#include "Mac/Interface/MacStatusBar.h"

#include <AppKit/AppKit.h>

#include <optional>
#include <string>
#include <utility>

#include "Mac/Bridge/FoundationText.h"
#include "Mac/Interface/MacMenuImage.h"

namespace varnelo::mac {
class MacStatusItem;
}  // namespace varnelo::mac

// The menu's delegate and its items' target. AppKit holds both weakly, so the C++ item owns
// this object; it detaches it when destroyed, as AppKit may still send to it.
@interface VarneloStatusMenuController : NSObject <NSMenuDelegate>
- (instancetype)initWithItem:(varnelo::mac::MacStatusItem*)item;
- (void)detach;
- (void)choose:(NSMenuItem*)sender;
@end

namespace varnelo::mac {
namespace {

NSMenu* makeMenu(const Menu& values, VarneloStatusMenuController* target);

NSMenuItem* makeItem(const MenuItem& value, VarneloStatusMenuController* target) {
  if (value.isSeparator()) return [NSMenuItem separatorItem];
  NSMenuItem* item = [[NSMenuItem alloc] initWithTitle:nsStringOrEmpty(value.title)
                                                action:nil
                                         keyEquivalent:@""];
  item.state = value.checked ? NSControlStateValueOn : NSControlStateValueOff;
  item.image = menuImage(value.image);
  if (!value.submenu.empty()) {
    item.enabled = value.enabled;
    item.submenu = makeMenu(value.submenu, target);
    return item;
  }
  NSString* identifier = nsString(value.identifier);
  // An identifier Foundation refuses could not be handed back when chosen.
  item.enabled = value.enabled && identifier != nil;
  item.representedObject = identifier;
  item.target = target;
  item.action = @selector(choose:);
  return item;
}

void fill(NSMenu* menu, const Menu& values, VarneloStatusMenuController* target) {
  [menu removeAllItems];
  for (const auto& value : values) [menu addItem:makeItem(value, target)];
}

NSMenu* makeMenu(const Menu& values, VarneloStatusMenuController* target) {
  NSMenu* menu = [[NSMenu alloc] initWithTitle:@""];
  // The values decide what is enabled; AppKit's validation would enable any item with a target.
  menu.autoenablesItems = NO;
  fill(menu, values, target);
  return menu;
}

}  // namespace

class MacStatusItem final : public StatusItem {
 public:
  MacStatusItem();
  ~MacStatusItem() override;
  MacStatusItem(const MacStatusItem&) = delete;
  MacStatusItem& operator=(const MacStatusItem&) = delete;

  void setImage(const std::string& symbol, const std::string& description) override;
  void setMenu(Menu menu) override;

  void menuNeedsUpdate();
  void menuWillOpen() { open_ = true; }
  void menuDidClose();
  void choose(const std::string& identifier);

 private:
  NSStatusItem* item_;
  NSMenu* menu_;
  VarneloStatusMenuController* controller_;
  bool open_ = false;
  // The latest values set while the menu was open.
  std::optional<Menu> pending_;
};

MacStatusItem::MacStatusItem()
    : item_([NSStatusBar.systemStatusBar statusItemWithLength:NSVariableStatusItemLength]),
      menu_(makeMenu({}, nil)),
      controller_([[VarneloStatusMenuController alloc] initWithItem:this]) {
  menu_.delegate = controller_;
  item_.menu = menu_;
}

MacStatusItem::~MacStatusItem() {
  [controller_ detach];
  menu_.delegate = nil;
  [NSStatusBar.systemStatusBar removeStatusItem:item_];
}

void MacStatusItem::setImage(const std::string& symbol, const std::string& description) {
  NSString* name = nsString(symbol);
  NSImage* image = name ? [NSImage imageWithSystemSymbolName:name
                                    accessibilityDescription:nsString(description)]
                        : nil;
  [image setTemplate:YES];
  item_.button.image = image;
  item_.button.title = image ? @"" : nsStringOrEmpty(description.empty() ? symbol : description);
}

void MacStatusItem::setMenu(Menu menu) {
  if (open_) {
    pending_ = std::move(menu);
    return;
  }
  fill(menu_, menu, controller_);
}

void MacStatusItem::menuNeedsUpdate() {
  // A copy: the callback may destroy this item, and the member with it.
  const auto willOpen = onMenuWillOpen;
  if (willOpen) willOpen();
}

void MacStatusItem::menuDidClose() {
  open_ = false;
  if (!pending_) return;
  const Menu menu = std::move(*pending_);
  pending_.reset();
  fill(menu_, menu, controller_);
}

void MacStatusItem::choose(const std::string& identifier) {
  // A copy: the callback may destroy this item, and the member with it.
  const auto chosen = onChoose;
  if (chosen) chosen(identifier);
}

std::unique_ptr<StatusItem> MacStatusBar::createItem() { return std::make_unique<MacStatusItem>(); }

}  // namespace varnelo::mac

@implementation VarneloStatusMenuController {
  varnelo::mac::MacStatusItem* _item;
}

- (instancetype)initWithItem:(varnelo::mac::MacStatusItem*)item {
  if ((self = [super init])) _item = item;
  return self;
}

- (void)detach {
  _item = nullptr;
}

- (void)menuNeedsUpdate:(NSMenu*)menu {
  if (_item) _item->menuNeedsUpdate();
}

- (void)menuWillOpen:(NSMenu*)menu {
  if (_item) _item->menuWillOpen();
}

- (void)menuDidClose:(NSMenu*)menu {
  if (_item) _item->menuDidClose();
}

- (void)choose:(NSMenuItem*)sender {
  // AppKit sends no action for a disabled item; this keeps it so for any other sender.
  if (!_item || !sender.enabled) return;
  if (auto identifier = varnelo::mac::optionalText(sender.representedObject)) {
    _item->choose(*identifier);
  }
}

@end
