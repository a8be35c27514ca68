#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QMessageBox>
#include <QRegularExpression>
#include <optional>
#include <string>
#include <vector>

#include "platform/Builtins.h"
#include "platform/DesignRecord.h"
#include "platform/Graphics.h"
#include "platform/NilObjectException.h"
#include "platform/StyledTextPrinter.h"
#include "platform/TextArea.h"
#include "platform/Window.h"
#include "support/Modal.h"
#include "support/Pdf.h"
#include "support/PrintDialog.h"
#include "support/TempHome.h"

namespace {

using platform::Graphics;
using platform::RecordEntry;
using platform::TextArea;
using velmora_test::PdfPages;
using velmora_test::PdfText;
using velmora_test::PdfWords;
using velmora_test::PressPrint;
using velmora_test::TempHome;
using velmora_test::Tool;

constexpr std::string_view kFieldName = "PrintFld";
constexpr std::int32_t kPrintWidth = 540;
constexpr std::int32_t kBlockHeight = 720;
constexpr std::int32_t kBoldRun = 29;
// 12-pixel Liberation Serif lines lie 14 points apart: 51 of them fill a 720-point block.
constexpr double kLinePitch = 14.0;
constexpr int kLinesPerFullBlock = 51;

const RecordEntry kFieldRecord[] = {
    {"Name", std::string_view("PrintFld")},
    {"Index", platform::kNoControlIndex},
    {"Left", 0},
    {"Top", 0},
    {"Width", 300},
    {"Height", 200},
    {"Multiline", true},
    {"ScrollbarVertical", true},
    {"Styled", true},
    {"TextFont", std::string_view("Times")},
    {"TextSize", 12},
    {"Bold", false},
    {"ReadOnly", true},
};

// A window with one styled, read-only text area, made the way the system makes controls.
class PrintWindow : public platform::Window {
 public:
  static constexpr char kClassName[] = "PrintWindow.PrintWindow";
  PrintWindow() : Window(kClassName) {}

  void CreateControls() override {
    auto field = New<TextArea>();
    field->Constructor();
    AddControl(kFieldName, field);
    platform::SetProperties(*ControlByName(kFieldName), platform::WriteRecord(kFieldRecord));
  }
};

struct PrintRun {
  std::shared_ptr<Graphics> graphics;
  int drawBlocks = 0;
  int nextPages = 0;
};

QString RowText(int row) {
  return QStringLiteral("Row %1 lorem ipsum dolor").arg(row, 3, 10, QLatin1Char('0'));
}

// Rows of one short line each, separated by carriage returns.
std::string Rows(int count, bool trailingBreak) {
  QStringList rows;
  for (int row = 1; row <= count; ++row) rows << RowText(row);
  return (rows.join(QChar(13)) + (trailingBreak ? QString(QChar(13)) : QString())).toStdString();
}

int Occurrences(const QString& haystack, const QString& needle) {
  return static_cast<int>(
      haystack.count(QRegularExpression(QStringLiteral("\\b%1\\b").arg(QRegularExpression::escape(needle)))));
}

class PrintingTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(home_.Valid());
    window_ = std::make_shared<PrintWindow>();
    window_->Constructor();
    field_ = window_->ControlAs<TextArea>(kFieldName);
    ASSERT_TRUE(field_);
  }

  void TearDown() override {
    if (window_) window_->Close();
  }

  void SetText(const std::string& text, bool boldRun) {
    field_->SetText(text);
    if (!boldRun) return;
    field_->SetSelStart(0);
    field_->SetSelLength(kBoldRun);
    field_->SetSelBold(true);
  }

  // Prints the field as the system does: the dialog, then block after block.
  PrintRun Print(std::int32_t blockHeight, const std::function<void()>& afterPrinterMade = {}) {
    PrintRun run;
    {
      velmora_test::ModalAnswerer answerer(PressPrint);
      run.graphics = platform::OpenPrinterDialog(nullptr, nullptr);
      EXPECT_TRUE(answerer.Answered());
    }
    if (!run.graphics) return run;
    auto printer = field_->StyledTextPrinter(run.graphics, kPrintWidth);
    if (afterPrinterMade) afterPrinterMade();
    while (!printer->Eof()) {
      printer->DrawBlock(0, 0, blockHeight);
      ++run.drawBlocks;
      if (!printer->Eof()) {
        run.graphics->NextPage();
        ++run.nextPages;
      }
      platform::RuntimeBackgroundTask();
    }
    return run;
  }

  TempHome home_;
  std::shared_ptr<PrintWindow> window_;
  std::shared_ptr<TextArea> field_;
};

struct RowsCase {
  const char* name;
  int rows;
  bool trailingBreak;
  bool boldRun;
  std::int32_t blockHeight;
  int pages;
};

void PrintTo(const RowsCase& c, std::ostream* out) { *out << c.name; }

const RowsCase kRowsCases[] = {
    {"SeveralBlocks", 130, false, true, kBlockHeight, 3},
    {"OneBlockNeedsNoNextPage", 5, false, true, kBlockHeight, 1},
    {"TrailingBreakAddsNoBlankPage", 2 * kLinesPerFullBlock, true, false, kBlockHeight, 2},
    {"LineTallerThanBlockStillPrints", 4, false, false, 5, 4},
};

class PrintingRowsTest : public PrintingTest, public ::testing::WithParamInterface<RowsCase> {};

TEST_P(PrintingRowsTest, EveryRowOnceOnItsPage) {
  const RowsCase& c = GetParam();
  SetText(Rows(c.rows, c.trailingBreak), c.boldRun);

  PrintRun run = Print(c.blockHeight);
  ASSERT_TRUE(run.graphics);
  EXPECT_EQ(run.drawBlocks, c.pages);
  EXPECT_EQ(run.nextPages, c.pages - 1);
  run.graphics.reset();  // the job goes out

  const QString pdf = home_.ProposedPdf();
  ASSERT_TRUE(QFile::exists(pdf)) << "no file at the proposed " << pdf.toStdString();
  ASSERT_EQ(PdfPages(pdf), c.pages);

  const int perPage = c.blockHeight >= kBlockHeight ? kLinesPerFullBlock : 1;
  std::vector<QString> pageTexts;
  for (int page = 1; page <= c.pages; ++page) {
    pageTexts.push_back(PdfText(pdf, page));
    EXPECT_FALSE(pageTexts.back().trimmed().isEmpty()) << "page " << page << " is blank";
    // One unit of the surface is one point: the rows lie a 12-pixel line apart in points.
    std::vector<double> rowTops;
    for (const auto& word : PdfWords(pdf, page))
      if (word.word == "Row") rowTops.push_back(word.yMin);
    for (std::size_t i = 1; i < rowTops.size(); ++i)
      EXPECT_NEAR(rowTops[i] - rowTops[i - 1], kLinePitch, 0.5) << "page " << page << " row " << i;
  }
  for (int row = 1; row <= c.rows; ++row) {
    const int expectedPage = (row - 1) / perPage;
    for (int page = 0; page < c.pages; ++page) {
      EXPECT_EQ(Occurrences(pageTexts[page], RowText(row)), page == expectedPage ? 1 : 0)
          << RowText(row).toStdString() << " on page " << page + 1;
    }
  }

  const QString fonts = Tool("pdffonts", {pdf});
  EXPECT_TRUE(fonts.contains(QRegularExpression(QStringLiteral("LiberationSerif\\s"))))
      << fonts.toStdString();
  EXPECT_EQ(fonts.contains(QStringLiteral("LiberationSerif-Bold")), c.boldRun) << fonts.toStdString();
}

INSTANTIATE_TEST_SUITE_P(Printing, PrintingRowsTest, ::testing::ValuesIn(kRowsCases),
                         [](const auto& info) { return std::string(info.param.name); });

// Long paragraphs wrap into many lines; each word is unique, so a line drawn twice or lost
// at a block boundary shows as a word counted twice or not at all.
TEST_F(PrintingTest, WrappedParagraphsPrintEveryWordOnceWithinTheBlock) {
  constexpr int kParagraphs = 6;
  constexpr int kWordsPerParagraph = 400;
  QStringList paragraphs;
  QStringList allWords;
  for (int p = 0; p < kParagraphs; ++p) {
    QStringList words;
    for (int w = 0; w < kWordsPerParagraph; ++w)
      words << QStringLiteral("w%1x%2").arg(p).arg(w, 3, 10, QLatin1Char('0'));
    allWords << words;
    paragraphs << words.join(' ') << QString();
  }
  paragraphs.removeLast();
  SetText(paragraphs.join(QChar(13)).toStdString(), true);

  // The printer works on a copy: what the field shows afterwards is not printed.
  PrintRun run = Print(kBlockHeight, [this] { field_->SetText("Replaced afterwards"); });
  ASSERT_TRUE(run.graphics);
  ASSERT_GT(run.drawBlocks, 1);
  run.graphics.reset();

  const QString pdf = home_.ProposedPdf();
  ASSERT_EQ(PdfPages(pdf), run.drawBlocks);
  QString text;
  for (int page = 1; page <= run.drawBlocks; ++page) {
    const auto words = PdfWords(pdf, page);
    ASSERT_FALSE(words.empty()) << "page " << page << " is blank";
    double left = words.front().xMin, right = left, top = words.front().yMin, bottom = top;
    for (const auto& w : words) {
      left = std::min(left, w.xMin);
      right = std::max(right, w.xMax);
      top = std::min(top, w.yMin);
      bottom = std::max(bottom, w.yMax);
    }
    EXPECT_LE(right - left, kPrintWidth) << "page " << page;
    EXPECT_LE(bottom - top, kBlockHeight) << "page " << page;
    text += PdfText(pdf, page);
  }
  for (const QString& word : allWords) EXPECT_EQ(Occurrences(text, word), 1) << word.toStdString();
  EXPECT_EQ(Occurrences(text, "Replaced"), 0);
  EXPECT_TRUE(Tool("pdffonts", {pdf}).contains(QStringLiteral("LiberationSerif-Bold")));
}

TEST_F(PrintingTest, CancellingTheDialogWritesNothing) {
  SetText(Rows(3, false), false);
  std::shared_ptr<Graphics> graphics;
  {
    velmora_test::ModalAnswerer answerer(velmora_test::CancelPrint);
    graphics = platform::OpenPrinterDialog(nullptr, nullptr);
    EXPECT_TRUE(answerer.Answered());
  }
  EXPECT_FALSE(graphics);
  velmora_test::WaitFor([] { return false; }, 50);  // a late write would show by now
  EXPECT_TRUE(home_.Empty())
      << QDir(home_.Path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries).join(", ").toStdString();
}

TEST_F(PrintingTest, NoSurfaceRaisesNilObject) {
  SetText(Rows(3, false), false);
  EXPECT_THROW(field_->StyledTextPrinter(nullptr, kPrintWidth), platform::NilObjectException);
}

// The dialog accepted a file that can no longer be written when the job starts: the user
// is told, and no surface is handed out that would print nothing.
TEST_F(PrintingTest, UnwritableFileIsReportedNotPrinted) {
  const QString folder = QDir(home_.Path()).filePath("home");
  ASSERT_TRUE(QDir().mkpath(folder));
  qputenv("HOME", folder.toLocal8Bit());

  QString warning;
  std::optional<velmora_test::ModalAnswerer> messageAnswerer;
  std::shared_ptr<Graphics> graphics;
  {
    velmora_test::ModalAnswerer dialogAnswerer([&](QWidget* modal) {
      PressPrint(modal);
      QDir(folder).removeRecursively();
      messageAnswerer.emplace([&warning](QWidget* box) {
        auto* message = qobject_cast<QMessageBox*>(box);
        if (!message) {
          ADD_FAILURE() << "no message box after the failed start";
          box->close();
          return;
        }
        warning = message->text();
        message->accept();
      });
    });
    graphics = platform::OpenPrinterDialog(nullptr, nullptr);
  }
  EXPECT_FALSE(graphics);
  ASSERT_TRUE(messageAnswerer && messageAnswerer->Answered());
  EXPECT_TRUE(warning.contains(QDir(folder).filePath(TempHome::kProposedFile))) << warning.toStdString();
  messageAnswerer.reset();
}

}  // namespace
