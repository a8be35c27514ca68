#pragma once

#include <filesystem>
#include <memory>
#include <string_view>

namespace platform {

class Picture;

// A file or folder by path; it need not exist.
class FolderItem {
 public:
  explicit FolderItem(std::filesystem::path path);

  const std::filesystem::path& Path() const { return path_; }
  bool Exists() const;
  bool Directory() const;

  // The folder that holds this item, or nothing at the root.
  std::shared_ptr<FolderItem> Parent() const;
  // An item for any name inside this folder, or nothing when this item is not an
  // existing folder (or the name is not a plain name).
  std::shared_ptr<FolderItem> Child(std::string_view name) const;
  // The picture in the file, recognised by content; nothing when the item is missing,
  // not a file, unreadable or not a picture.
  std::shared_ptr<Picture> OpenAsPicture() const;

 private:
  std::filesystem::path path_;
};

// The running executable's file, links resolved.
std::shared_ptr<FolderItem> RuntimeExecutableFile();

// The executable's folder's parent's child "Resources" when that is an existing folder,
// otherwise nothing. Raises the nil-object exception when the executable's file or
// either parent is nothing.
std::shared_ptr<FolderItem> GetApplicationBundleResources();

}  // namespace platform
