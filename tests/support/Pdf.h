#pragma once

#include <QSizeF>
#include <QString>
#include <QStringList>
#include <vector>

// A printed PDF as poppler's command-line tools read it.
namespace velmora_test {

// Runs a command-line tool and gives its standard output; a failure fails the test.
QString Tool(const QString& program, const QStringList& arguments);

// The number of pages, or -1 when pdfinfo tells none.
int PdfPages(const QString& pdf);
// The text of one page, counted from 1.
QString PdfText(const QString& pdf, int page);

// One word of a page with its box in points from the page's top-left corner.
struct PdfWord {
  QString word;
  double xMin, yMin, xMax, yMax;
};

// The words of one page, from pdftotext's bounding-box output.
std::vector<PdfWord> PdfWords(const QString& pdf, int page);

// The size of one page in points.
QSizeF PdfPageSize(const QString& pdf, int page);

}  // namespace velmora_test
