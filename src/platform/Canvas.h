#pragma once

#include <memory>

#include "platform/RectControl.h"

namespace platform {

class Picture;

// A canvas that shows its backdrop picture from its top-left corner, or nothing.
class Canvas : public RectControl {
 public:
  Canvas();

  std::shared_ptr<Picture> Backdrop() const;
  void SetBackdrop(std::shared_ptr<Picture> picture);

  const PropertyTable& Properties() const override;
  void SetProperty(std::string_view name, const PropertyValue& value) override;

 private:
  std::shared_ptr<Picture> backdrop_;
};

}  // namespace platform
