#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace platform {

// A document type made known to the framework. Converting it to text registers it
// (once) and yields its name; changing a field withdraws the registration, and a file
// type that ends withdraws itself.
class FileType {
 public:
  FileType() = default;
  ~FileType();
  FileType(const FileType&) = delete;
  FileType& operator=(const FileType&) = delete;

  const std::string& Name() const { return name_; }
  void SetName(std::string_view name);
  const std::string& Extensions() const { return extensions_; }
  void SetExtensions(std::string_view extensions);
  const std::string& MacType() const { return macType_; }
  void SetMacType(std::string_view macType);
  const std::string& MacCreator() const { return macCreator_; }
  void SetMacCreator(std::string_view macCreator);

  bool Registered() const { return registered_; }
  explicit operator std::string();

 private:
  void Withdraw();

  std::string name_;
  std::string extensions_;
  std::string macType_;
  std::string macCreator_;
  bool registered_ = false;
};

struct RegisteredFileType {
  std::string name;
  std::string creator;
  std::string type;
  std::string extensions;
};

void RuntimeRegisterFileType(std::string_view name, std::string_view creator, std::string_view type,
                             std::string_view extensions);
void RuntimeDeregisterFileType(std::string_view name);
// The file types registered now, in the order they were registered.
std::vector<RegisteredFileType> RuntimeRegisteredFileTypes();

}  // namespace platform
