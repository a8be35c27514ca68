#include <gtest/gtest.h>

#include <QAction>
#include <QFile>
#include <QMenu>
#include <QRegularExpression>
#include <QSizeF>
#include <functional>
#include <ostream>
#include <string>

#include "infowindows/DescriptionWnd.h"
#include "platform/TextArea.h"
#include "resources/Texts.h"
#include "support/AppStart.h"
#include "support/MenuClicks.h"
#include "support/Modal.h"
#include "support/Pdf.h"
#include "support/PrintDialog.h"
#include "support/TempHome.h"
#include "support/WindowAccess.h"

namespace {

using velmora_test::PdfPages;
using velmora_test::PdfText;
using velmora_test::Tool;

// 12-pixel Liberation Serif lines lie 14 points apart: 51 of them fill a 720-point block.
constexpr int kLinesPerBlock = 51;
// A4 landscape with the dialog's 10-point margins leaves 575 points: 41 lines.
constexpr int kLinesPerA4LandscapeBlock = 41;

QString Collapsed(const QString& text) { return text.simplified(); }
QString WithoutBlanks(const QString& text) { return text.simplified().remove(QChar(' ')); }

// The bold text of a page, in reading order, as poppler's XML output marks it.
QString PdfBoldText(const QString& pdf, int page) {
  const QString xml = Tool(
      "pdftohtml", {"-xml", "-i", "-stdout", "-f", QString::number(page), "-l", QString::number(page), pdf});
  static const QRegularExpression bold(QStringLiteral("<b>(.*?)</b>"));
  QString text;
  for (auto it = bold.globalMatch(xml); it.hasNext();) text += it.next().captured(1) + ' ';
  return Collapsed(text);
}

int Occurrences(const QString& haystack, const QString& needle) {
  int count = 0;
  for (qsizetype at = haystack.indexOf(needle); at >= 0; at = haystack.indexOf(needle, at + 1)) ++count;
  return count;
}

class DescriptionPrintTest : public ::testing::Test {
 protected:
  void SetUp() override {
    velmora_test::StartApplication();
    window_ = velmora::DescriptionWnd();
    ASSERT_TRUE(window_);
    velmora_test::ShowActive(*window_);
  }

  // File > Print in the window's own menu bar, the dialog answered by `answer`.
  void PrintFromMenu(const std::function<void(QWidget*)>& answer) {
    QMenu* menu = nullptr;
    QAction* print = velmora_test::OpenEntry(*window_, "File", "Print", &menu);
    ASSERT_NE(print, nullptr);
    ASSERT_TRUE(print->isEnabled());
    velmora_test::ModalAnswerer answerer(answer);
    velmora_test::ClickEntry(*menu, *print);
    EXPECT_TRUE(answerer.Answered()) << "the print dialog did not open";
  }

  std::shared_ptr<platform::TextArea> Field() const {
    return window_->ControlAs<platform::TextArea>("DescribeFld2");
  }

  velmora_test::TempHome home_;
  std::shared_ptr<class velmora::DescriptionWnd> window_;
};

struct PaperCase {
  const char* name;
  const char* paper;  // as the dialog's printer properties name it; nothing keeps the dialog's own
  bool landscape;
  QSizeF size;  // of the printed page in points, when chosen
};

// Names the case in test listings.
void PrintTo(const PaperCase& c, std::ostream* os) { *os << c.name; }

// On small paper the lines wrap narrower and the blocks run shorter; nothing is cut off.
const PaperCase kPaperCases[] = {
    {"TheDialogsOwnPaper", nullptr, false, {}},
    {"A5", "A5", false, {419.53, 595.28}},
    {"A4Landscape", "A4", true, {841.89, 595.28}},
};

class DescriptionPaperTest : public DescriptionPrintTest, public ::testing::WithParamInterface<PaperCase> {};

TEST_P(DescriptionPaperTest, PrintsEveryLineOnceWithItsBoldRunWithinThePage) {
  const PaperCase& c = GetParam();
  PrintFromMenu([&c](QWidget* modal) {
    if (c.paper) velmora_test::ChoosePaper(modal, QString::fromLatin1(c.paper), c.landscape);
    velmora_test::PressPrint(modal);
  });
  const QString pdf = home_.ProposedPdf();
  ASSERT_TRUE(QFile::exists(pdf));

  // The help text's few dozen lines fit one block of the usual paper: one page, none blank
  // after it.
  const int pages = PdfPages(pdf);
  if (!c.paper) {
    ASSERT_EQ(pages, 1);
  }
  ASSERT_GE(pages, 1);
  QString printed;
  for (int page = 1; page <= pages; ++page) {
    // The paper chosen is the paper printed on, and every word lies on it.
    const QSizeF size = velmora_test::PdfPageSize(pdf, page);
    if (c.paper) {
      EXPECT_NEAR(size.width(), c.size.width(), 1.0) << "page " << page;
      EXPECT_NEAR(size.height(), c.size.height(), 1.0) << "page " << page;
    }
    const auto words = velmora_test::PdfWords(pdf, page);
    EXPECT_FALSE(words.empty()) << "page " << page << " is blank";
    for (const auto& word : words) {
      EXPECT_TRUE(word.xMin >= 0 && word.yMin >= 0 && word.xMax <= size.width() && word.yMax <= size.height())
          << word.word.toStdString() << " on page " << page;
    }
    printed += PdfText(pdf, page) + '\n';
  }

  const QStringList lines = QString::fromStdString(std::string(velmora::kHelpText)).split(QChar(13));
  EXPECT_EQ(printed.section('\n', 0, 0), lines[0]) << "the heading comes first";
  // Compared without blanks: on narrow paper a word wider than the line breaks where it must.
  printed = WithoutBlanks(printed);
  for (qsizetype i = 1; i < lines.size(); ++i) {
    if (lines[i].isEmpty()) continue;
    EXPECT_EQ(Occurrences(printed, WithoutBlanks(lines[i])), 1) << "line " << i;
  }

  // The heading and the start of the first paragraph, 29 characters, are bold; no more.
  EXPECT_EQ(PdfBoldText(pdf, 1), QStringLiteral("Velmora The body mass index"));
  for (int page = 2; page <= pages; ++page) EXPECT_EQ(PdfBoldText(pdf, page), QString()) << "page " << page;
  const QString fonts = Tool("pdffonts", {pdf});
  EXPECT_TRUE(fonts.contains("LiberationSerif-Bold")) << fonts.toStdString();
  EXPECT_TRUE(fonts.contains(QRegularExpression("LiberationSerif(-Regular)?\\s"))) << fonts.toStdString();
}

INSTANTIATE_TEST_SUITE_P(DescriptionPrint, DescriptionPaperTest, ::testing::ValuesIn(kPaperCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(DescriptionPrintTest, CancelPrintsNothingAndChangesNothing) {
  const auto field = Field();
  // The system names no owner: the dialog belongs to the window it was asked from.
  QWidget* parent = nullptr;
  PrintFromMenu([&parent](QWidget* modal) {
    parent = modal->parentWidget();
    velmora_test::CancelPrint(modal);
  });
  EXPECT_EQ(parent, velmora_test::FrameOf(*window_));
  EXPECT_TRUE(home_.Empty());

  velmora_test::ModalAnswerer answerer(velmora_test::CancelPrint);
  EXPECT_FALSE(window_->Print_Action());
  EXPECT_TRUE(answerer.Answered());
  EXPECT_TRUE(home_.Empty());

  EXPECT_EQ(field->Text(), velmora::kHelpText);
  EXPECT_EQ(field->SelStart(), 0);
  EXPECT_EQ(field->SelLength(), 29);
  EXPECT_TRUE(window_->Visible());
}

TEST_F(DescriptionPrintTest, AcceptedPrintAnswersFalse) {
  velmora_test::ModalAnswerer answerer(velmora_test::PressPrint);
  EXPECT_FALSE(window_->Print_Action());
  EXPECT_TRUE(answerer.Answered());
  EXPECT_TRUE(QFile::exists(home_.ProposedPdf()));
}

struct BlocksCase {
  const char* name;
  int rows;
  int pages;
  const char* paper = nullptr;  // chosen in the dialog; nothing keeps the dialog's own
  bool landscape = false;
  int linesPerBlock = kLinesPerBlock;
};

// Names the case in test listings.
void PrintTo(const BlocksCase& c, std::ostream* os) { *os << c.name; }

// A page ends only while text remains: a text that fills its last block exactly adds no
// blank page.
const BlocksCase kBlocksCases[] = {
    {"OneFullBlock", kLinesPerBlock, 1},
    {"OneLineOver", kLinesPerBlock + 1, 2},
    {"TwoFullBlocks", 2 * kLinesPerBlock, 2},
    {"ThreeBlocks", 130, 3},
    {"ShorterBlocksOnLandscapePaper", kLinesPerBlock, 2, "A4", true, kLinesPerA4LandscapeBlock},
};

class DescriptionBlocksTest : public DescriptionPrintTest,
                              public ::testing::WithParamInterface<BlocksCase> {};

TEST_P(DescriptionBlocksTest, EachPageHoldsOneBlock) {
  const BlocksCase& c = GetParam();
  QStringList rows;
  const auto row = [](int n) { return QStringLiteral("Row%1").arg(n, 3, 10, QLatin1Char('0')); };
  for (int n = 1; n <= c.rows; ++n) rows << row(n);
  Field()->SetText(rows.join(QChar(13)).toStdString());

  PrintFromMenu([&c](QWidget* modal) {
    if (c.paper) velmora_test::ChoosePaper(modal, QString::fromLatin1(c.paper), c.landscape);
    velmora_test::PressPrint(modal);
  });
  const QString pdf = home_.ProposedPdf();
  ASSERT_EQ(PdfPages(pdf), c.pages);
  for (int page = 1; page <= c.pages; ++page) {
    const QString text = PdfText(pdf, page);
    for (int n = 1; n <= c.rows; ++n)
      EXPECT_EQ(Occurrences(text, row(n) + '\n'), (n - 1) / c.linesPerBlock + 1 == page ? 1 : 0)
          << row(n).toStdString() << " on page " << page;
  }
}

INSTANTIATE_TEST_SUITE_P(DescriptionPrint, DescriptionBlocksTest, ::testing::ValuesIn(kBlocksCases),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
