#include "platform/Picture.h"

#include "platform/qt/PictureImpl.h"

namespace platform {

Picture::Picture(std::unique_ptr<detail::PictureImpl> impl) : impl_(std::move(impl)) {
  if (!impl_) impl_ = std::make_unique<detail::PictureImpl>();
}

Picture::~Picture() = default;

std::int32_t Picture::Width() const { return impl_->image.width(); }

std::int32_t Picture::Height() const { return impl_->image.height(); }

}  // namespace platform
