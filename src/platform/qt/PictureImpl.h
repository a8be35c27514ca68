#pragma once

#include <QImage>

namespace platform::detail {
struct PictureImpl {
  QImage image;
};
}  // namespace platform::detail
