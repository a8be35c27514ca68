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

std::vector<PdfWord> PdfWords(const QString& pdf, int page) {
  const QString html =
      Tool("pdftotext", {"-bbox", "-f", QString::number(page), "-l", QString::number(page), pdf, "-"});
  static const QRegularExpression word(QStringLiteral(
      R"re(<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">([^<]*)</word>)re"));
  std::vector<PdfWord> words;
  for (auto it = word.globalMatch(html); it.hasNext();) {
    const auto m = it.next();
    words.push_back({m.captured(5), m.captured(1).toDouble(), m.captured(2).toDouble(),
                     m.captured(3).toDouble(), m.captured(4).toDouble()});
  }
  return words;
}

QSizeF PdfPageSize(const QString& pdf, int page) {
  const QString info = Tool("pdfinfo", {"-f", QString::number(page), "-l", QString::number(page), pdf});
  const QRegularExpression size(QStringLiteral("Page\\s+%1 size:\\s+([\\d.]+) x ([\\d.]+) pts").arg(page));
  const auto match = size.match(info);
  return match.hasMatch() ? QSizeF(match.captured(1).toDouble(), match.captured(2).toDouble()) : QSizeF();
}

}  // namespace velmora_test
