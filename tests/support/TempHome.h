#pragma once

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

namespace velmora_test {

// Points HOME at a fresh folder, where the print dialog proposes its file, while it lives.
class TempHome {
 public:
  // The name of the file the print dialog proposes: the document's name.
  static constexpr char kProposedFile[] = "Velmora.pdf";

  TempHome();
  ~TempHome();
  TempHome(const TempHome&) = delete;
  TempHome& operator=(const TempHome&) = delete;

  bool Valid() const { return dir_.isValid(); }
  QString Path() const { return dir_.path(); }
  // Where the print dialog proposes its file.
  QString ProposedPdf() const;
  bool Empty() const;

 private:
  QTemporaryDir dir_;
  QByteArray saved_;
};

}  // namespace velmora_test
