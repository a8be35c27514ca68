#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QBuffer>
#include <QCoreApplication>
#include <QFileInfo>
#include <QImage>
#include <QTemporaryDir>
#include <array>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>

#include "platform/Diagnostics.h"
#include "platform/FolderItem.h"
#include "platform/NilObjectException.h"
#include "platform/Picture.h"
#include "platform/qt/PictureImpl.h"

namespace {

namespace fs = std::filesystem;

constexpr QRgb kFill = qRgb(12, 140, 200);

fs::path FolderOf(const QTemporaryDir& dir) { return fs::path(dir.path().toStdString()); }

std::string PngBytes(int width, int height) {
  QImage image(width, height, QImage::Format_RGB32);
  image.fill(kFill);
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  image.save(&buffer, "PNG");
  return bytes.toStdString();
}

void WriteFile(const fs::path& path, std::string_view bytes) {
  std::ofstream out(path, std::ios::binary);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::uint32_t Crc32(std::string_view bytes) {
  std::uint32_t crc = 0xFFFFFFFFu;
  for (const char c : bytes) {
    crc ^= static_cast<unsigned char>(c);
    for (int bit = 0; bit < 8; ++bit) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
  }
  return ~crc;
}

void PutBigEndian(std::string& bytes, std::size_t at, std::uint32_t value) {
  for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<char>((value >> (24 - 8 * i)) & 0xFF);
}

// A well-formed PNG whose header claims a picture far too big to decode.
std::string HugePngBytes() {
  std::string bytes = PngBytes(4, 4);
  constexpr std::size_t kIhdrData = 16;  // 8 signature bytes, then length and "IHDR"
  PutBigEndian(bytes, kIhdrData, 60000);
  PutBigEndian(bytes, kIhdrData + 4, 60000);
  PutBigEndian(bytes, kIhdrData + 13, Crc32(std::string_view(bytes).substr(kIhdrData - 4, 17)));
  return bytes;
}

std::shared_ptr<platform::Picture> Open(const fs::path& path) {
  return platform::FolderItem(path).OpenAsPicture();
}

TEST(FolderItemPicture, OpensPicturesByContent) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  const std::string png = PngBytes(207, 78);
  struct Row {
    const char* name;
    std::string bytes;
  };
  QByteArray bmp;
  QBuffer buffer(&bmp);
  buffer.open(QIODevice::WriteOnly);
  QImage(207, 78, QImage::Format_RGB32).save(&buffer, "BMP");
  const Row kRows[] = {
      {"BMImedium.png", png},
      {"RBhzSm", png},                    // no extension
      {"picture.txt", png},               // a misleading extension
      {"bitmap.png", bmp.toStdString()},  // another format under a PNG name
  };
  for (const Row& row : kRows) {
    SCOPED_TRACE(row.name);
    WriteFile(FolderOf(dir) / row.name, row.bytes);
    const auto picture = Open(FolderOf(dir) / row.name);
    ASSERT_NE(picture, nullptr);
    EXPECT_EQ(picture->Width(), 207);
    EXPECT_EQ(picture->Height(), 78);
  }
  EXPECT_EQ(Open(FolderOf(dir) / "RBhzSm")->Impl().image.pixel(100, 40), kFill);
}

TEST(FolderItemPicture, GivesNothingForWhatIsNotAPicture) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  const std::string png = PngBytes(64, 64);
  std::string corrupt = png;
  for (std::size_t i = 40; i < corrupt.size() - 12; ++i) corrupt[i] = static_cast<char>(corrupt[i] ^ 0x5A);
  std::string garbage(4096, '\0');
  for (std::size_t i = 0; i < garbage.size(); ++i) garbage[i] = static_cast<char>((i * 7919 + 13) % 251);
  struct Row {
    const char* name;
    std::optional<std::string> bytes;  // nothing: the file is not written
  };
  const Row kRows[] = {
      {"missing.png", std::nullopt},
      {"empty.png", std::string()},
      {"signature-only.png", png.substr(0, 8)},
      {"header-only.png", png.substr(0, 33)},
      {"truncated.png", png.substr(0, png.size() / 2)},
      {"end-cut-off.png", png.substr(0, png.size() - 12)},
      {"corrupt-data.png", corrupt},
      {"garbage", garbage},
      {"text.png", std::string("Velmora\n")},
      {"huge.png", HugePngBytes()},
  };
  for (const Row& row : kRows) {
    SCOPED_TRACE(row.name);
    if (row.bytes) WriteFile(FolderOf(dir) / row.name, *row.bytes);
    EXPECT_EQ(Open(FolderOf(dir) / row.name), nullptr);
  }
}

TEST(FolderItemPicture, GivesNothingForAFolderOrAPipe) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  fs::create_directory(FolderOf(dir) / "folder.png");
  EXPECT_EQ(Open(FolderOf(dir) / "folder.png"), nullptr);
  // A pipe nobody writes to would block a reader for ever.
  const fs::path pipe = FolderOf(dir) / "pipe.png";
  ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
  EXPECT_EQ(Open(pipe), nullptr);
}

TEST(FolderItemPicture, GivesNothingForAnUnreadableFile) {
  if (geteuid() == 0) GTEST_SKIP() << "root reads every file";
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  const fs::path path = FolderOf(dir) / "locked.png";
  WriteFile(path, PngBytes(8, 8));
  fs::permissions(path, fs::perms::none);
  EXPECT_EQ(Open(path), nullptr);
}

TEST(FolderItemChild, OnlyPlainNamesInsideAnExistingFolder) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  const fs::path root = FolderOf(dir);
  WriteFile(root / "file", "x");
  fs::create_directory(root / "sub");
  const platform::FolderItem folder(root);

  for (std::string_view name : {"", ".", "..", "sub/file", "/etc", "sub/"}) {
    SCOPED_TRACE(name);
    EXPECT_EQ(folder.Child(name), nullptr);
  }
  EXPECT_EQ(folder.Child(std::string_view("a\0b", 3)), nullptr);
  EXPECT_EQ(platform::FolderItem(root / "file").Child("x"), nullptr);
  EXPECT_EQ(platform::FolderItem(root / "missing").Child("x"), nullptr);

  const auto missing = folder.Child("Resources");
  ASSERT_NE(missing, nullptr);
  EXPECT_EQ(missing->Path(), root / "Resources");
  EXPECT_FALSE(missing->Exists());
  const auto sub = folder.Child("sub");
  ASSERT_NE(sub, nullptr);
  EXPECT_TRUE(sub->Exists());
  EXPECT_TRUE(sub->Directory());
  const auto file = folder.Child("file");
  ASSERT_NE(file, nullptr);
  EXPECT_TRUE(file->Exists());
  EXPECT_FALSE(file->Directory());
}

TEST(FolderItemParent, TheHoldingFolderOrNothingAtTheRoot) {
  struct Row {
    fs::path path;
    std::optional<fs::path> parent;
  };
  const Row kRows[] = {
      {"/", std::nullopt},
      {"/a", fs::path("/")},
      {"/a/b", fs::path("/a")},
      {"/a/b/", fs::path("/a")},
      {"/a/b/../c", fs::path("/a")},
      {"/a/..", std::nullopt},
      {"relative", fs::current_path()},
  };
  for (const Row& row : kRows) {
    SCOPED_TRACE(row.path.string());
    const auto parent = platform::FolderItem(row.path).Parent();
    if (!row.parent) {
      EXPECT_EQ(parent, nullptr);
    } else {
      ASSERT_NE(parent, nullptr);
      EXPECT_EQ(parent->Path(), *row.parent);
    }
  }
}

TEST(FolderItemExecutable, TheRunningExecutableUnlessOverridden) {
  const auto overridden = platform::RuntimeExecutableFile();
  ASSERT_NE(overridden, nullptr);
  EXPECT_EQ(overridden->Path(), fs::path(VELMORA_BUNDLE_EXECUTABLE));

  platform::RuntimeSetExecutableFileOverride(std::nullopt);
  const auto running = platform::RuntimeExecutableFile();
  ASSERT_NE(running, nullptr);
  EXPECT_EQ(running->Path().string(),
            QFileInfo(QCoreApplication::applicationFilePath()).canonicalFilePath().toStdString());
  EXPECT_TRUE(running->Exists());
  EXPECT_FALSE(running->Directory());
}

TEST(FolderItemBundle, ResourcesBesideTheExecutablesFolder) {
  const auto resources = platform::GetApplicationBundleResources();
  ASSERT_NE(resources, nullptr);
  EXPECT_EQ(fs::weakly_canonical(resources->Path()), fs::weakly_canonical(VELMORA_RESOURCES_DIR));
  for (std::string_view name : {"RBhzSm", "BMImedium.png", "BMIsmall.png"}) {
    SCOPED_TRACE(name);
    const auto item = resources->Child(name);
    ASSERT_NE(item, nullptr);
    EXPECT_NE(item->OpenAsPicture(), nullptr);
  }

  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  fs::create_directories(FolderOf(dir) / "bin");
  fs::create_directories(FolderOf(dir) / "Resources");
  platform::RuntimeSetExecutableFileOverride(FolderOf(dir) / "bin" / "velmora");
  const auto made = platform::GetApplicationBundleResources();
  ASSERT_NE(made, nullptr);
  EXPECT_EQ(made->Path(), FolderOf(dir) / "Resources");
}

TEST(FolderItemBundle, MissingFolderGivesNothingAndMissingParentsRaise) {
  // The folder above the executable's does not exist: no item, and no exception.
  platform::RuntimeSetExecutableFileOverride(fs::path("/velmora-nowhere/bin/velmora"));
  EXPECT_EQ(platform::GetApplicationBundleResources(), nullptr);

  // The executable copied out on its own, and a file where the folder belongs: no folder.
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  fs::create_directories(FolderOf(dir) / "bin");
  platform::RuntimeSetExecutableFileOverride(FolderOf(dir) / "bin" / "velmora");
  EXPECT_EQ(platform::GetApplicationBundleResources(), nullptr);
  WriteFile(FolderOf(dir) / "Resources", "a file, not a folder");
  EXPECT_EQ(platform::GetApplicationBundleResources(), nullptr);

  for (const char* executable : {"/velmora", "/"}) {
    SCOPED_TRACE(executable);
    platform::RuntimeSetExecutableFileOverride(fs::path(executable));
    EXPECT_THROW(platform::GetApplicationBundleResources(), platform::NilObjectException);
  }
}

}  // namespace
