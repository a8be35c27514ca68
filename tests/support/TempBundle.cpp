#include "support/TempBundle.h"

#include <QDir>
#include <QFile>
#include <filesystem>

#include "platform/Diagnostics.h"

namespace velmora_test {
namespace {

QString FromUtf8(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

TempBundle::TempBundle() {
  QDir(Root()).mkpath(QStringLiteral("bin"));
  platform::RuntimeSetExecutableFileOverride(std::filesystem::path(Root().toStdString()) / "bin" / "velmora");
}

TempBundle::~TempBundle() {
  platform::RuntimeSetExecutableFileOverride(std::filesystem::path(VELMORA_BUNDLE_EXECUTABLE));
}

QString TempBundle::Resources() const { return Root() + QStringLiteral("/Resources"); }

QString TempBundle::ResourceFile(std::string_view name) const { return Resources() + '/' + FromUtf8(name); }

bool TempBundle::MakeResourcesFolder() const { return QDir(Root()).mkpath(QStringLiteral("Resources")); }

bool TempBundle::CopyFromBuild(std::string_view builtName, std::string_view name) const {
  const QString source = QStringLiteral(VELMORA_RESOURCES_DIR) + '/' + FromUtf8(builtName);
  QFile::remove(ResourceFile(name));
  return QFile::copy(source, ResourceFile(name));
}

bool TempBundle::Remove(std::string_view name) const { return QFile::remove(ResourceFile(name)); }

bool TempBundle::WriteFile(const QString& path, const QByteArray& bytes) const {
  QFile file(path);
  return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

}  // namespace velmora_test
