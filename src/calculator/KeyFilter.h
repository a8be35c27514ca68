#pragma once

#include <string>

namespace velmora {

// The calculator fields' key filter: whether a key the user typed may reach the field.
// Digits pass (the key sorts, by character code, from "0" to "9"), and so do control
// characters and delete; anything else is refused. Reads no window and sounds nothing.
bool KeyFilterAccepts(const std::string& key);

}  // namespace velmora
