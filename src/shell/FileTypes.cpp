#include "shell/FileTypes.h"

#include <string>

namespace velmora::FileTypes {

std::shared_ptr<platform::FileType> pText;
std::shared_ptr<platform::FileType> pUntitledType;

// Converting a file type to text is what registers it; the text itself is not needed.
void Initialize() {
  pText = std::make_shared<platform::FileType>();
  pText->SetName("text");
  pText->SetExtensions("");
  pText->SetMacType("TEXT");
  pText->SetMacCreator("R*ch");
  (void)static_cast<std::string>(*pText);

  pUntitledType = std::make_shared<platform::FileType>();
  pUntitledType->SetName("");
  pUntitledType->SetExtensions("");
  pUntitledType->SetMacType("");
  pUntitledType->SetMacCreator("");
  (void)static_cast<std::string>(*pUntitledType);
}

}  // namespace velmora::FileTypes
