#pragma once

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>
#include <string_view>

namespace velmora_test {

// A bundle of its own in a temporary folder: <tmp>/bin/velmora with <tmp>/Resources,
// which the system takes for its own while this lives. The Resources folder is not made:
// a test chooses whether it is there, missing, or a file.
class TempBundle {
 public:
  TempBundle();
  ~TempBundle();
  TempBundle(const TempBundle&) = delete;
  TempBundle& operator=(const TempBundle&) = delete;

  QString Root() const { return dir_.path(); }
  QString Resources() const;
  QString ResourceFile(std::string_view name) const;

  bool MakeResourcesFolder() const;
  // Copies a picture of the built bundle into this one, under its own name or another.
  bool CopyFromBuild(std::string_view name) const { return CopyFromBuild(name, name); }
  bool CopyFromBuild(std::string_view builtName, std::string_view name) const;
  bool Remove(std::string_view name) const;
  bool WriteFile(const QString& path, const QByteArray& bytes) const;

 private:
  QTemporaryDir dir_;
};

}  // namespace velmora_test
