#include "support/TempHome.h"

#include <QDir>

namespace velmora_test {

TempHome::TempHome() : saved_(qgetenv("HOME")) { qputenv("HOME", dir_.path().toLocal8Bit()); }

TempHome::~TempHome() { qputenv("HOME", saved_); }

QString TempHome::ProposedPdf() const { return QDir(dir_.path()).filePath(kProposedFile); }

bool TempHome::Empty() const { return QDir(dir_.path()).isEmpty(); }

}  // namespace velmora_test
