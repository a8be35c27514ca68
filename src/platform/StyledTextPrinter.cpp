#include "platform/StyledTextPrinter.h"

#include <QAbstractTextDocumentLayout>
#include <QTextEdit>
#include <QTextLayout>
#include <algorithm>

#include "platform/Graphics.h"
#include "platform/NilObjectException.h"
#include "platform/TextArea.h"
#include "platform/qt/GraphicsImpl.h"
#include "platform/qt/RectControlImpl.h"
#include "platform/qt/StyledTextPrinterImpl.h"

namespace platform {

namespace detail {

namespace {

bool IsBlank(const StyledTextPrinterImpl::Line& line) {
  const QTextLine textLine = line.block.layout()->lineAt(line.number);
  return line.block.text().mid(textLine.textStart(), textLine.textLength()).trimmed().isEmpty();
}

}  // namespace

StyledTextPrinterImpl::StyledTextPrinterImpl(const QTextDocument& source, std::shared_ptr<Graphics> surface,
                                             std::int32_t width)
    : document(source.clone()), graphics(std::move(surface)) {
  // The layout keeps no paint device: the text's pixel sizes stay layout units, and the
  // surface's painter makes each unit a point.
  document->setDocumentMargin(0);
  // Never wider than the page's printable area: on small paper the lines wrap narrower
  // rather than run off the page.
  document->setTextWidth(std::max(std::min(width, graphics->Width()), 1));
  document->documentLayout()->documentSize();  // lays out the whole text now

  for (QTextBlock block = document->begin(); block.isValid(); block = block.next()) {
    const QTextLayout* layout = block.layout();
    if (!layout) continue;
    const qreal blockTop = layout->position().y();
    for (int number = 0; number < layout->lineCount(); ++number) {
      const QTextLine line = layout->lineAt(number);
      lines.push_back({block, number, blockTop + line.y(), blockTop + line.y() + line.height()});
    }
  }
  while (!lines.empty() && IsBlank(lines.back())) lines.pop_back();
}

}  // namespace detail

StyledTextPrinter::StyledTextPrinter(std::unique_ptr<detail::StyledTextPrinterImpl> impl)
    : impl_(std::move(impl)) {}

StyledTextPrinter::~StyledTextPrinter() = default;

bool StyledTextPrinter::Eof() const { return impl_->next >= impl_->lines.size(); }

void StyledTextPrinter::DrawBlock(std::int32_t x, std::int32_t y, std::int32_t height) {
  auto& lines = impl_->lines;
  if (impl_->next >= lines.size()) return;
  // Nor taller than what is left of the printable area below y: a shorter block leaves
  // the rest of the text to the next page instead of cutting lines off at its foot.
  height = std::min(height, impl_->graphics->Height() - y);

  // The block takes whole lines while they fit; the first line always goes in, so a line
  // taller than the block still moves the text on.
  const qreal blockTop = lines[impl_->next].top;
  std::size_t end = impl_->next + 1;
  while (end < lines.size() && lines[end].bottom - blockTop <= height) ++end;

  // Only the chosen lines are drawn: a line outside the block leaves no trace, not even
  // clipped text in the printer's output.
  QPainter& painter = impl_->graphics->Impl().painter;
  painter.save();
  painter.setPen(Qt::black);
  const QPointF shift(x, y - blockTop);
  for (std::size_t i = impl_->next; i < end; ++i) {
    const QTextLayout* layout = lines[i].block.layout();
    layout->lineAt(lines[i].number).draw(&painter, shift + layout->position());
  }
  painter.restore();
  impl_->next = end;
}

std::shared_ptr<platform::StyledTextPrinter> TextArea::StyledTextPrinter(
    const std::shared_ptr<Graphics>& graphics, std::int32_t width) const {
  if (!graphics) RaiseNilObjectException();
  const auto* edit = qobject_cast<QTextEdit*>(Impl().widget.data());
  if (!edit) RaiseNilObjectException();
  return std::make_shared<platform::StyledTextPrinter>(
      std::make_unique<detail::StyledTextPrinterImpl>(*edit->document(), graphics, width));
}

}  // namespace platform
