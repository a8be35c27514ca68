#pragma once

#include <cstdint>
#include <memory>

namespace platform {

namespace detail {
struct PictureImpl;
}

// A decoded image.
class Picture {
 public:
  explicit Picture(std::unique_ptr<detail::PictureImpl> impl);
  ~Picture();

  std::int32_t Width() const;
  std::int32_t Height() const;

  detail::PictureImpl& Impl() const { return *impl_; }

 private:
  std::unique_ptr<detail::PictureImpl> impl_;
};

}  // namespace platform
