#include "platform/FileType.h"

#include <algorithm>

#include "platform/Diagnostics.h"

namespace platform {
namespace {

constexpr std::string_view kRegisterTrace = "RegisterFileType ";
constexpr std::string_view kDeregisterTrace = "DeregisterFileType ";

// The file types registered in this process, oldest first. Nothing outside the process
// learns of them. Never destroyed, so a file type that ends during the process's own
// teardown still finds it.
std::vector<RegisteredFileType>& Registry() {
  static auto* registry = new std::vector<RegisteredFileType>();
  return *registry;
}

// The name in double quotes, so an empty name still shows in a trace line.
std::string Quoted(std::string_view name) {
  std::string result = "\"";
  for (const char c : name) {
    if (c == '"' || c == '\\') result += '\\';
    result += c;
  }
  return result + '"';
}

}  // namespace

FileType::~FileType() {
  try {
    Withdraw();
  } catch (...) {
    // An ending file type has nobody to report to; its registration is gone either way.
  }
}

void FileType::SetName(std::string_view name) {
  Withdraw();
  name_ = name;
}

void FileType::SetExtensions(std::string_view extensions) {
  Withdraw();
  extensions_ = extensions;
}

void FileType::SetMacType(std::string_view macType) {
  Withdraw();
  macType_ = macType;
}

void FileType::SetMacCreator(std::string_view macCreator) {
  Withdraw();
  macCreator_ = macCreator;
}

FileType::operator std::string() {
  if (!registered_) {
    RuntimeRegisterFileType(name_, macCreator_, macType_, extensions_);
    registered_ = true;
  }
  return name_;
}

void FileType::Withdraw() {
  if (!registered_) return;
  registered_ = false;
  RuntimeDeregisterFileType(name_);
}

void RuntimeRegisterFileType(std::string_view name, std::string_view creator, std::string_view type,
                             std::string_view extensions) {
  Registry().push_back({std::string(name), std::string(creator), std::string(type), std::string(extensions)});
  RuntimeTrace(std::string(kRegisterTrace) + Quoted(name));
}

// Withdraws the oldest registration under the name; an unknown name changes nothing.
void RuntimeDeregisterFileType(std::string_view name) {
  auto& registry = Registry();
  const auto found = std::find_if(registry.begin(), registry.end(),
                                  [name](const RegisteredFileType& type) { return type.name == name; });
  if (found != registry.end()) registry.erase(found);
  RuntimeTrace(std::string(kDeregisterTrace) + Quoted(name));
}

std::vector<RegisteredFileType> RuntimeRegisteredFileTypes() { return Registry(); }

}  // namespace platform
