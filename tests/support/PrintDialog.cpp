#include "support/PrintDialog.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDialogButtonBox>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPushButton>
#include <QTimer>

namespace velmora_test {
namespace {

// How long the dialog may take to refuse the file it was accepted with.
constexpr int kRefusalWaitMs = 1000;

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
