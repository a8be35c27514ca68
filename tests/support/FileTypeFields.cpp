#include "support/FileTypeFields.h"

#include "platform/FileType.h"

namespace velmora_test {

std::vector<FileTypeFields> RegisteredFileTypeFields() {
  std::vector<FileTypeFields> fields;
  for (const platform::RegisteredFileType& type : platform::RuntimeRegisteredFileTypes())
    fields.push_back({type.name, type.creator, type.type, type.extensions});
  return fields;
}

}  // namespace velmora_test
