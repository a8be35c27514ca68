#pragma once

#include <QString>
#include <QStringList>

// A printed PDF as poppler's command-line tools read it.
namespace velmora_test {

// Runs a command-line tool and gives its standard output; a failure fails the test.
QString Tool(const QString& program, const QStringList& arguments);

// The number of pages, or -1 when pdfinfo tells none.
int PdfPages(const QString& pdf);
// The text of one page, counted from 1.
QString PdfText(const QString& pdf, int page);

}  // namespace velmora_test
