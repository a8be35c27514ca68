#include "support/Pdf.h"

#include <gtest/gtest.h>

#include <QProcess>
#include <QRegularExpression>

namespace velmora_test {

QString Tool(const QString& program, const QStringList& arguments) {
  QProcess process;
  process.start(program, arguments);
  if (!process.waitForFinished(20000) || process.exitStatus() != QProcess::NormalExit ||
      process.exitCode() != 0) {
    ADD_FAILURE() << program.toStdString() << " failed: " << process.readAllStandardError().toStdString();
    return {};
  }
  return QString::fromUtf8(process.readAllStandardOutput());
}

int PdfPages(const QString& pdf) {
  const auto match = QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)")).match(Tool("pdfinfo", {pdf}));
  return match.hasMatch() ? match.captured(1).toInt() : -1;
}

QString PdfText(const QString& pdf, int page) {
  return Tool("pdftotext", {"-f", QString::number(page), "-l", QString::number(page), pdf, "-"});
}

}  // namespace velmora_test
