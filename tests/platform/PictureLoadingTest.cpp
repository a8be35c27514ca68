#include <gtest/gtest.h>

#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <filesystem>
#include <fstream>
#include <string>

#include "platform/FolderItem.h"
#include "platform/Picture.h"

namespace {

// Every image plug-in mapped into this process.
std::string LoadedImagePlugins() {
  std::ifstream maps("/proc/self/maps");
  std::string found;
  for (std::string line; std::getline(maps, line);)
    if (line.find("/imageformats/") != std::string::npos) found += line.substr(line.rfind(' ') + 1) + '\n';
  return found;
}

// The bundle's pictures are PNGs, one without an extension: reading them must not load
// the image plug-ins, which would only cost start-up time and memory.
TEST(PictureLoading, TheBundlesPicturesLoadNoImagePlugin) {
  ASSERT_EQ(LoadedImagePlugins(), "") << "a plug-in was loaded before the pictures were read";
  struct Row {
    const char* name;
    int width;
  };
  constexpr Row kRows[] = {{"RBhzSm", 148}, {"BMImedium.png", 207}, {"BMIsmall.png", 106}};
  for (const Row& row : kRows) {
    SCOPED_TRACE(row.name);
    const auto picture =
        platform::FolderItem(std::filesystem::path(VELMORA_RESOURCES_DIR) / row.name).OpenAsPicture();
    ASSERT_NE(picture, nullptr);
    EXPECT_EQ(picture->Width(), row.width);
  }
  EXPECT_EQ(LoadedImagePlugins(), "");
}

// Any other format is still found by its content, whatever the file's name.
TEST(PictureLoading, OtherFormatsStillFoundByContent) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  QImage image(30, 20, QImage::Format_RGB32);
  image.fill(Qt::blue);
  for (const char* format : {"BMP", "JPEG", "GIF"}) {
    SCOPED_TRACE(format);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, format)) continue;  // no writer for it here
    QFile file(dir.filePath(QStringLiteral("picture-%1.png").arg(QString::fromLatin1(format))));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
    file.close();
    const auto picture = platform::FolderItem(file.fileName().toStdString()).OpenAsPicture();
    ASSERT_NE(picture, nullptr);
    EXPECT_EQ(picture->Width(), 30);
    EXPECT_EQ(picture->Height(), 20);
  }
}

}  // namespace
