#include "support/PrintDialog.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QDeadlineTimer>
#include <QDialogButtonBox>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

#include "support/Modal.h"
#include "support/QtWarnings.h"

namespace velmora_test {
namespace {

// How long the dialog may take to refuse the file it was accepted with.
constexpr int kRefusalWaitMs = 1000;
// How long the properties may take to open.
constexpr int kPropertiesWaitMs = 5000;

}  // namespace

void PressPrint(QWidget* modal) {
  auto* dialog = qobject_cast<QPrintDialog*>(modal);
  if (!dialog) {
    ADD_FAILURE() << "the modal dialog is not the print dialog";
    modal->close();
    return;
  }
  QTimer::singleShot(kRefusalWaitMs, dialog, [dialog] {
    if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
      ADD_FAILURE() << "the print dialog refused: " << box->text().toStdString();
      box->reject();
      dialog->reject();
    }
  });
  dialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
}

void ChoosePaper(QWidget* modal, const QString& paper, bool landscape) {
  auto* dialog = qobject_cast<QPrintDialog*>(modal);
  auto* properties = dialog ? dialog->findChild<QPushButton*>(QStringLiteral("properties")) : nullptr;
  if (!properties) {
    ADD_FAILURE() << "the modal dialog is not the print dialog with its properties";
    return;
  }
  // The properties open modally over the print dialog; they are answered from their own loop.
  // Neither they nor their page preview may warn.
  QtWarnings warnings;
  bool chosen = false;
  QTimer poll;
  const QDeadlineTimer deadline(kPropertiesWaitMs);
  poll.setInterval(10);
  QObject::connect(&poll, &QTimer::timeout, [&] {
    QWidget* open = QApplication::activeModalWidget();
    if (open && open != dialog) {
      poll.stop();
      auto* sizes = open->findChild<QComboBox*>(QStringLiteral("pageSizeCombo"));
      const int index = sizes ? sizes->findText(paper) : -1;
      auto* orientation = open->findChild<QRadioButton*>(landscape ? QStringLiteral("landscape")
                                                                   : QStringLiteral("portrait"));
      if (index >= 0 && orientation) {
        sizes->setCurrentIndex(index);
        orientation->click();
        chosen = true;
      } else {
        ADD_FAILURE() << "the printer properties offer no paper " << paper.toStdString();
      }
      open->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
    } else if (deadline.hasExpired()) {
      poll.stop();
      ADD_FAILURE() << "the printer properties did not open";
    }
  });
  poll.start();
  properties->click();
  WaitFor([&poll] { return !poll.isActive(); }, kPropertiesWaitMs);
  EXPECT_TRUE(chosen);
  EXPECT_EQ(warnings.Take(), std::vector<std::string>{});
}

void CancelPrint(QWidget* modal) {
  auto* dialog = qobject_cast<QPrintDialog*>(modal);
  EXPECT_TRUE(dialog) << "the modal dialog is not the print dialog";
  if (dialog) {
    dialog->reject();
  } else {
    modal->close();
  }
}

}  // namespace velmora_test
