// The calculator's key filter on arbitrary bytes as the key. Told by the bytes alone: a
// key passes exactly when it sorts from "0" to "9" or its first byte is an ASCII control
// character or delete (the empty key counts as code 0). A non-ASCII first character,
// valid or not, never passes: overlong forms of control characters included.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "calculator/KeyFilter.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string key(reinterpret_cast<const char*>(data), size);
  const bool accepted = velmora::KeyFilterAccepts(key);

  // std::string compares its chars as unsigned: the order of the code points.
  const std::string_view text(key);
  const bool sortsAsDigit = text >= "0" && text <= "9";
  const int first = text.empty() ? 0 : data[0];
  const bool control = first < 32 || first == 127;
  if (accepted != (sortsAsDigit || control)) std::abort();

  // What a user types: a lone digit passes; a digit other than 9 passes whatever follows
  // it (several characters from an input method); a 9 with anything after it sorts past "9".
  if (size >= 1 && data[0] >= '0' && data[0] <= '8' && !accepted) std::abort();
  if (size == 1 && data[0] == '9' && !accepted) std::abort();
  if (size > 1 && data[0] == '9' && accepted) std::abort();
  if (first >= 0x80 && accepted) std::abort();
  return 0;
}
