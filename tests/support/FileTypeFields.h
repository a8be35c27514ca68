#pragma once

#include <array>
#include <string>
#include <vector>

namespace velmora_test {

// A registered file type's fields in the order the registration takes them: name,
// creator, type, extensions.
using FileTypeFields = std::array<std::string, 4>;

// Every registered file type, in the order of registration.
std::vector<FileTypeFields> RegisteredFileTypeFields();

}  // namespace velmora_test
