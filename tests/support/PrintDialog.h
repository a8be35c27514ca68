#pragma once

#include <QString>

class QWidget;

// Answers for the print dialog, to hand to a ModalAnswerer.
namespace velmora_test {

// Accepts the dialog as a user would: with the file it proposes, by its Print button.
// A refusal of that file by the dialog fails the test rather than waiting on it.
void PressPrint(QWidget* modal);

// Chooses the paper by its name in the dialog's printer properties (and landscape there
// if asked), as a user would, and leaves the print dialog open.
void ChoosePaper(QWidget* modal, const QString& paper, bool landscape);

// Cancels the dialog.
void CancelPrint(QWidget* modal);

}  // namespace velmora_test
