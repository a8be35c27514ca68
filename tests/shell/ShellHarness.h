#pragma once

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Diagnostics.h"

namespace shell_test {

// Collects the framework's trace lines while it lives; `onLine` sees each line as it
// comes, so a test can look at the system's state at that very moment.
class TraceRecorder {
 public:
  explicit TraceRecorder(std::function<void(std::string_view)> onLine = {}) : onLine_(std::move(onLine)) {
    platform::RuntimeSetTraceListener([this](std::string_view line) {
      lines_.emplace_back(line);
      if (onLine_) onLine_(line);
    });
  }
  ~TraceRecorder() { platform::RuntimeSetTraceListener(nullptr); }
  TraceRecorder(const TraceRecorder&) = delete;
  TraceRecorder& operator=(const TraceRecorder&) = delete;

  const std::vector<std::string>& Lines() const { return lines_; }
  void Clear() { lines_.clear(); }

  // The lines that begin with one of the prefixes, in order.
  std::vector<std::string> Starting(std::initializer_list<std::string_view> prefixes) const {
    std::vector<std::string> found;
    for (const std::string& line : lines_)
      if (std::any_of(prefixes.begin(), prefixes.end(),
                      [&line](std::string_view prefix) { return line.starts_with(prefix); }))
        found.push_back(line);
    return found;
  }

  long Count(std::string_view line) const { return std::count(lines_.begin(), lines_.end(), line); }

 private:
  std::function<void(std::string_view)> onLine_;
  std::vector<std::string> lines_;
};

// A bundle of its own in a temporary folder: <tmp>/bin/velmora with <tmp>/Resources,
// which the system takes for its own while this lives.
class TempBundle {
 public:
  TempBundle() {
    QDir(Root()).mkpath(QStringLiteral("bin"));
    platform::RuntimeSetExecutableFileOverride(std::filesystem::path(Root().toStdString()) / "bin" /
                                               "velmora");
  }
  ~TempBundle() {
    platform::RuntimeSetExecutableFileOverride(std::filesystem::path(VELMORA_BUNDLE_EXECUTABLE));
  }
  TempBundle(const TempBundle&) = delete;
  TempBundle& operator=(const TempBundle&) = delete;

  QString Root() const { return dir_.path(); }
  QString Resources() const { return Root() + QStringLiteral("/Resources"); }
  QString ResourceFile(std::string_view name) const {
    return Resources() + '/' + QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size()));
  }

  bool MakeResourcesFolder() const { return QDir(Root()).mkpath(QStringLiteral("Resources")); }

  // Copies a picture of the built bundle into this one, under a name of its own.
  bool CopyPicture(std::string_view builtName, std::string_view name) const {
    const QString source = QStringLiteral(VELMORA_RESOURCES_DIR) + '/' +
                           QString::fromUtf8(builtName.data(), static_cast<qsizetype>(builtName.size()));
    QFile::remove(ResourceFile(name));
    return QFile::copy(source, ResourceFile(name));
  }

  bool WriteFile(const QString& path, const QByteArray& bytes) const {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
  }

 private:
  QTemporaryDir dir_;
};

}  // namespace shell_test
