#include <gtest/gtest.h>

#include <QAction>
#include <QFile>
#include <QMenu>
#include <QRegularExpression>
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

QString Collapsed(const QString& text) { return text.simplified(); }

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

TEST_F(DescriptionPrintTest, PrintsTheHelpTextOnceWithItsBoldRun) {
  PrintFromMenu(velmora_test::PressPrint);
  const QString pdf = home_.ProposedPdf();
  ASSERT_TRUE(QFile::exists(pdf));

  // The help text's few dozen lines fit one block: one page, none blank after it.
  ASSERT_EQ(PdfPages(pdf), 1);
  const QString page = PdfText(pdf, 1);
  const QStringList lines = QString::fromStdString(std::string(velmora::kHelpText)).split(QChar(13));
  EXPECT_EQ(page.section('\n', 0, 0), lines[0]) << "the heading comes first";
  const QString printed = Collapsed(page);
  for (qsizetype i = 1; i < lines.size(); ++i) {
    if (lines[i].isEmpty()) continue;
    EXPECT_EQ(Occurrences(printed, Collapsed(lines[i])), 1) << "line " << i;
  }

  // The heading and the start of the first paragraph, 29 characters, are bold; no more.
  EXPECT_EQ(PdfBoldText(pdf, 1), QStringLiteral("Velmora The body mass index"));
  const QString fonts = Tool("pdffonts", {pdf});
  EXPECT_TRUE(fonts.contains("LiberationSerif-Bold")) << fonts.toStdString();
  EXPECT_TRUE(fonts.contains(QRegularExpression("LiberationSerif(-Regular)?\\s"))) << fonts.toStdString();
}

TEST_F(DescriptionPrintTest, CancelPrintsNothingAndChangesNothing) {
  const auto field = Field();
  PrintFromMenu(velmora_test::CancelPrint);
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
};

class DescriptionBlocksTest : public DescriptionPrintTest,
                              public ::testing::WithParamInterface<BlocksCase> {};

TEST_P(DescriptionBlocksTest, EachPageHoldsOneBlock) {
  const BlocksCase& c = GetParam();
  QStringList rows;
  const auto row = [](int n) { return QStringLiteral("Row%1").arg(n, 3, 10, QLatin1Char('0')); };
  for (int n = 1; n <= c.rows; ++n) rows << row(n);
  Field()->SetText(rows.join(QChar(13)).toStdString());

  PrintFromMenu(velmora_test::PressPrint);
  const QString pdf = home_.ProposedPdf();
  ASSERT_EQ(PdfPages(pdf), c.pages);
  for (int page = 1; page <= c.pages; ++page) {
    const QString text = PdfText(pdf, page);
    for (int n = 1; n <= c.rows; ++n)
      EXPECT_EQ(Occurrences(text, row(n) + '\n'), (n - 1) / kLinesPerBlock + 1 == page ? 1 : 0)
          << row(n).toStdString() << " on page " << page;
  }
}

INSTANTIATE_TEST_SUITE_P(DescriptionPrint, DescriptionBlocksTest, ::testing::ValuesIn(kBlocksCases),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
