// The one process-wide list of folder bookmarks, kept in the user defaults under
// "Bookmarks" and written back whole after every change. Nothing is reported to callers:
// an empty path or one already bookmarked changes nothing. A stored value that cannot be
// read is logged once and kept under "Bookmarks.unreadable" (if that key is free) before
// it is first written over. Main thread only.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "Bookmarks/Bookmark.h"
#include "Platform/UserDefaults.h"
#include "Platform/Workspace.h"
#include "Support/ChangeOnlyObservable.h"

namespace varnelo {

inline constexpr const char* kBookmarksKey = "Bookmarks";
inline constexpr const char* kUnreadableBookmarksKey = "Bookmarks.unreadable";

class BookmarkStore {
 public:
  // Reads the stored list once; a missing key is an empty list, silently. Borrows both
  // ports, which must outlive the store; the workspace names new bookmarks.
  BookmarkStore(UserDefaults& defaults, const Workspace& workspace);
  BookmarkStore(const BookmarkStore&) = delete;
  BookmarkStore& operator=(const BookmarkStore&) = delete;

  // The installed instance; installing one is a precondition of calling this.
  static BookmarkStore& shared();
  // Installs the process-wide instance and answers the previous one (null if none).
  static std::shared_ptr<BookmarkStore> install(std::shared_ptr<BookmarkStore> store);

  // In the order the user added them.
  const std::vector<Bookmark>& items() const { return items_.get(); }
  // Called after each real change of the list.
  [[nodiscard]] Subscription subscribe(std::function<void(const std::vector<Bookmark>&)> observer);

  // Named by the folder's display name, or its last component when that is empty.
  void add(const std::string& path);
  // Removes the folder when bookmarked, else adds it.
  void toggle(const std::string& path);
  void remove(const std::string& path);

 private:
  void persist(std::vector<Bookmark> items);

  UserDefaults& defaults_;
  const Workspace& workspace_;
  ChangeOnlyObservable<std::vector<Bookmark>> items_{{}};
  // The stored value could not be read and has not been kept aside yet.
  bool keepUnreadableBeforeWriting_ = false;
};

}  // namespace varnelo
