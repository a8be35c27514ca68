#include "shell/Pictures.h"

#include <string_view>

#include "platform/FolderItem.h"
#include "platform/NilObjectException.h"
#include "resources/Texts.h"

namespace velmora {
namespace {

// One accessor's memory: whether it was ever called, and the picture once it was read.
struct KeptPicture {
  bool once = false;
  std::shared_ptr<platform::Picture> pic;
};

KeptPicture rbhzSm;
KeptPicture bmiMedium;
KeptPicture bmiSmall;

// Reads the file from the bundle's Resources until it succeeds, then keeps the picture.
std::shared_ptr<platform::Picture> BundlePicture(KeptPicture& kept, std::string_view fileName) {
  if (!kept.once) {
    kept.once = true;
    kept.pic.reset();
  }
  if (!kept.pic) {
    const auto resources = platform::GetApplicationBundleResources();
    if (resources) {
      const auto item = resources->Child(fileName);
      kept.pic = platform::NotNil(item).OpenAsPicture();
    }
  }
  return kept.pic;
}

}  // namespace

std::shared_ptr<platform::Picture> RBhzSm() { return BundlePicture(rbhzSm, kRBhzSmFile); }

std::shared_ptr<platform::Picture> BMImedium() { return BundlePicture(bmiMedium, kBMImediumFile); }

std::shared_ptr<platform::Picture> BMIsmall() { return BundlePicture(bmiSmall, kBMIsmallFile); }

}  // namespace velmora
