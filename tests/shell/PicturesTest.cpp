#include <gtest/gtest.h>

#include <QFile>
#include <memory>
#include <string_view>

#include "platform/Picture.h"
#include "resources/Texts.h"
#include "shell/Pictures.h"
#include "support/TempBundle.h"

namespace {

using velmora_test::TempBundle;
using Accessor = std::shared_ptr<platform::Picture> (*)();

struct PictureRow {
  const char* accessor;
  Accessor load;
  std::string_view file;
  int width;  // the canvas the picture is drawn for
  int height;
};

const PictureRow kPictures[] = {
    {"RBhzSm", velmora::RBhzSm, velmora::kRBhzSmFile, 148, 22},
    {"BMImedium", velmora::BMImedium, velmora::kBMImediumFile, 207, 78},
    {"BMIsmall", velmora::BMIsmall, velmora::kBMIsmallFile, 106, 45},
};

TEST(Pictures, TheBuiltBundleHoldsEachPictureAtItsCanvasSize) {
  for (const PictureRow& row : kPictures) {
    const auto picture = row.load();
    ASSERT_TRUE(picture) << row.accessor;
    EXPECT_EQ(picture->Width(), row.width) << row.accessor;
    EXPECT_EQ(picture->Height(), row.height) << row.accessor;
  }
}

TEST(Pictures, AreReadOnceAndKeptForTheRun) {
  TempBundle bundle;
  ASSERT_TRUE(bundle.MakeResourcesFolder());
  for (const PictureRow& row : kPictures) ASSERT_TRUE(bundle.CopyFromBuild(row.file));
  for (const PictureRow& row : kPictures) {
    const auto first = row.load();
    ASSERT_TRUE(first) << row.accessor;
    // Gone from the disk: a kept picture does not go back to the file.
    ASSERT_TRUE(bundle.Remove(row.file));
    EXPECT_EQ(row.load(), first) << row.accessor;
    EXPECT_EQ(row.load(), first) << row.accessor;
  }
}

TEST(Pictures, AMissingOrUnreadableFileGivesNothingUntilAPictureAppears) {
  TempBundle bundle;
  ASSERT_TRUE(bundle.MakeResourcesFolder());
  for (const PictureRow& row : kPictures) {
    EXPECT_FALSE(row.load()) << row.accessor << ": missing";
    EXPECT_FALSE(row.load()) << row.accessor << ": still missing";
    ASSERT_TRUE(bundle.WriteFile(bundle.ResourceFile(row.file), "not a picture"));
    EXPECT_FALSE(row.load()) << row.accessor << ": unreadable";
    ASSERT_TRUE(bundle.CopyFromBuild(row.file));
    const auto picture = row.load();
    ASSERT_TRUE(picture) << row.accessor << ": picked up once it is there";
    EXPECT_EQ(picture->Width(), row.width) << row.accessor;
  }
}

TEST(Pictures, AreLookedUpUnderTheirExactFileNames) {
  TempBundle bundle;
  ASSERT_TRUE(bundle.MakeResourcesFolder());
  // The small logo has no extension; a file that adds one is another file.
  ASSERT_TRUE(bundle.CopyFromBuild(velmora::kRBhzSmFile, "RBhzSm.png"));
  ASSERT_TRUE(bundle.CopyFromBuild(velmora::kBMImediumFile, "bmimedium.png"));
  ASSERT_TRUE(bundle.CopyFromBuild(velmora::kBMIsmallFile, "BMIsmall"));
  for (const PictureRow& row : kPictures) EXPECT_FALSE(row.load()) << row.accessor;
}

TEST(Pictures, AMissingResourcesFolderGivesNothingUntilTheFolderAppears) {
  TempBundle bundle;
  for (const PictureRow& row : kPictures) {
    EXPECT_FALSE(row.load()) << row.accessor << ": no folder";
    EXPECT_FALSE(row.load()) << row.accessor << ": still no folder";
  }
  // A file where the folder belongs is no folder either.
  ASSERT_TRUE(bundle.WriteFile(bundle.Resources(), "a file, not a folder"));
  for (const PictureRow& row : kPictures) EXPECT_FALSE(row.load()) << row.accessor << ": a file";

  // Nothing was kept from the calls that found no folder: once it is there, it is read.
  ASSERT_TRUE(QFile::remove(bundle.Resources()));
  ASSERT_TRUE(bundle.MakeResourcesFolder());
  for (const PictureRow& row : kPictures) {
    ASSERT_TRUE(bundle.CopyFromBuild(row.file));
    EXPECT_TRUE(row.load()) << row.accessor;
  }
}

}  // namespace
