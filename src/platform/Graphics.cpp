#include "platform/Graphics.h"

#include <QDir>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinterInfo>
#include <cmath>

#include "platform/Window.h"
#include "platform/qt/DialogOwner.h"
#include "platform/qt/GraphicsImpl.h"
#include "platform/qt/WindowImpl.h"

namespace platform {

namespace {

// The print job's name, and the base name of the file proposed when printing to a file.
constexpr char kDocumentName[] = "Velmora";
constexpr char kPrintFailedTitle[] = "Print";
constexpr char kPrintFailedText[] = "The document could not be printed.";
constexpr char kWriteFailedText[] = "The document could not be written to %1.";

constexpr double kPointsPerInch = 72.0;

// With no printer installed the dialog can only print to a file. Qt proposes a file
// named after the document only on X11; elsewhere (Wayland, offscreen) it proposes
// the bare home folder, which the dialog then refuses. Propose the same file everywhere.
void ProposeOutputFile(QPrinter& printer) {
  if (!printer.outputFileName().isEmpty() || !QPrinterInfo::availablePrinterNames().isEmpty()) return;
  printer.setOutputFileName(QDir(QDir::homePath()).filePath(QString::fromLatin1(kDocumentName) + ".pdf"));
}

}  // namespace

namespace detail {

GraphicsImpl::GraphicsImpl(std::unique_ptr<QPrinter> chosen) : printer(std::move(chosen)) {}

GraphicsImpl::~GraphicsImpl() { End(); }

bool GraphicsImpl::Begin() {
  if (!painter.begin(printer.get())) return false;
  const double scale = printer->resolution() / kPointsPerInch;
  painter.scale(scale, scale);
  return true;
}

void GraphicsImpl::End() {
  if (painter.isActive()) painter.end();
}

}  // namespace detail

Graphics::Graphics(std::unique_ptr<detail::GraphicsImpl> impl) : impl_(std::move(impl)) {}

// The painter's end hands the job to the printer.
Graphics::~Graphics() = default;

void Graphics::NextPage() { impl_->printer->newPage(); }

std::int32_t Graphics::Width() const {
  return static_cast<std::int32_t>(std::floor(impl_->printer->pageRect(QPrinter::Point).width()));
}

std::int32_t Graphics::Height() const {
  return static_cast<std::int32_t>(std::floor(impl_->printer->pageRect(QPrinter::Point).height()));
}

std::shared_ptr<Graphics> OpenPrinterDialog(const std::shared_ptr<PrinterSetup>& setup,
                                            const std::shared_ptr<Window>& owner) {
  // This platform keeps no page set-up of its own: the dialog holds paper and margins.
  (void)setup;
  // The system gives no owner: the dialog then belongs to the active window.
  const detail::DialogOwner dialogOwner(owner ? owner->Impl().frame.data() : nullptr);
  QWidget* parent = dialogOwner.Parent();

  // Made only now: the first printer loads the print system.
  auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
  printer->setDocName(QString::fromLatin1(kDocumentName));
  ProposeOutputFile(*printer);

  QPrintDialog dialog(printer.get(), parent);
  // Every page is always drawn, so the dialog offers no page range it could not keep.
  dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
  if (dialog.exec() != QDialog::Accepted) return nullptr;

  auto impl = std::make_unique<detail::GraphicsImpl>(std::move(printer));
  if (!impl->Begin()) {
    // Accepted, yet the printer cannot be opened: say so rather than print nothing silently.
    const QString file = impl->printer->outputFileName();
    QMessageBox::warning(parent, QString::fromLatin1(kPrintFailedTitle),
                         file.isEmpty()
                             ? QString::fromLatin1(kPrintFailedText)
                             : QString::fromLatin1(kWriteFailedText).arg(QDir::toNativeSeparators(file)));
    return nullptr;
  }
  return std::make_shared<Graphics>(std::move(impl));
}

}  // namespace platform
