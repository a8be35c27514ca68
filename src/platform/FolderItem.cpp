#include "platform/FolderItem.h"

#include <QFile>
#include <QImageReader>
#include <system_error>

#include "platform/NilObjectException.h"
#include "platform/Picture.h"
#include "platform/qt/PictureImpl.h"
#include "platform/qt/RuntimeState.h"

namespace platform {
namespace {

constexpr char kRunningExecutable[] = "/proc/self/exe";
constexpr char kResourcesFolder[] = "Resources";

// Caps what one decoded picture may take, so a file that claims huge dimensions is
// refused instead of exhausting memory. The bundle's pictures need a fraction of this.
constexpr int kPictureAllocationLimitMB = 64;

// The first bytes of every PNG file.
constexpr char kPngSignature[] = "\x89PNG\r\n\x1a\n";
constexpr qint64 kPngSignatureSize = sizeof(kPngSignature) - 1;

// The path made absolute and without a trailing separator, so that its parent is the
// folder that holds it.
std::filesystem::path Normalised(const std::filesystem::path& path) {
  std::error_code error;
  std::filesystem::path result = path.is_absolute() ? path : std::filesystem::absolute(path, error);
  if (error) result = path;
  result = result.lexically_normal();
  if (!result.has_filename() && result.has_relative_path()) result = result.parent_path();
  return result;
}

bool IsPlainName(std::string_view name) {
  return !name.empty() && name != "." && name != ".." && name.find('/') == std::string_view::npos &&
         name.find('\0') == std::string_view::npos;
}

}  // namespace

FolderItem::FolderItem(std::filesystem::path path) : path_(std::move(path)) {}

bool FolderItem::Exists() const {
  std::error_code error;
  return std::filesystem::exists(path_, error);
}

bool FolderItem::Directory() const {
  std::error_code error;
  return std::filesystem::is_directory(path_, error);
}

std::shared_ptr<FolderItem> FolderItem::Parent() const {
  const std::filesystem::path path = Normalised(path_);
  if (path.empty() || !path.has_relative_path()) return nullptr;  // the root holds nothing above it
  return std::make_shared<FolderItem>(path.parent_path());
}

std::shared_ptr<FolderItem> FolderItem::Child(std::string_view name) const {
  if (!IsPlainName(name) || !Directory()) return nullptr;
  return std::make_shared<FolderItem>(path_ / std::filesystem::path(name));
}

std::shared_ptr<Picture> FolderItem::OpenAsPicture() const {
  // Only a regular file: reading a pipe or a device could block for ever.
  std::error_code error;
  if (!std::filesystem::is_regular_file(path_, error)) return nullptr;

  QImageReader::setAllocationLimit(kPictureAllocationLimitMB);
  QFile file(QString::fromStdString(path_.string()));
  if (!file.open(QIODevice::ReadOnly)) return nullptr;
  // The content decides, so a picture file without an extension opens too. A PNG, the
  // bundle's format, goes straight to Qt's own reader: asking every image plug-in whether
  // the file is theirs would load them all during start-up.
  const bool png = file.peek(kPngSignatureSize) == QByteArrayView(kPngSignature, kPngSignatureSize);
  QImageReader reader(&file, png ? QByteArrayLiteral("png") : QByteArray());
  if (png) {
    reader.setAutoDetectImageFormat(false);
  } else {
    reader.setDecideFormatFromContent(true);
  }
  if (!reader.canRead()) return nullptr;
  auto impl = std::make_unique<detail::PictureImpl>();
  if (!reader.read(&impl->image) || impl->image.isNull()) return nullptr;
  return std::make_shared<Picture>(std::move(impl));
}

std::shared_ptr<FolderItem> RuntimeExecutableFile() {
  if (auto path = detail::ExecutableFileOverride()) return std::make_shared<FolderItem>(std::move(*path));
  std::error_code error;
  std::filesystem::path path = std::filesystem::canonical(kRunningExecutable, error);
  if (error || path.empty()) return nullptr;
  return std::make_shared<FolderItem>(std::move(path));
}

std::shared_ptr<FolderItem> GetApplicationBundleResources() {
  const std::shared_ptr<FolderItem> executable = RuntimeExecutableFile();
  const std::shared_ptr<FolderItem> folder = NotNil(executable).Parent();
  const std::shared_ptr<FolderItem> bundle = NotNil(folder).Parent();
  // A missing folder (an executable copied out on its own) is no folder: its pictures
  // are then missing, not an error.
  std::shared_ptr<FolderItem> resources = NotNil(bundle).Child(kResourcesFolder);
  return resources && resources->Directory() ? resources : nullptr;
}

}  // namespace platform
