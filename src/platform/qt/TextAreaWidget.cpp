#include "platform/qt/TextAreaWidget.h"

#include <QApplication>
#include <QFontMetrics>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QPointer>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <algorithm>
#include <array>
#include <cmath>

#include "platform/qt/Dispatch.h"
#include "platform/qt/QtConvert.h"

namespace platform::detail {
namespace {

// Alignment codes: flush left, centred, flush right.
constexpr std::array<Qt::Alignment, 3> kAlignments = {Qt::AlignLeft, Qt::AlignHCenter, Qt::AlignRight};

// Room kept between the frame and the text: enough to read, small enough that a
// 20-pixel field shows a 14-pixel line whole.
constexpr int kMaxDocumentMargin = 2;

// Frame of a field with a border.
constexpr int kBorderWidth = 1;

bool IsLineBreak(QChar c) {
  return c == u'\n' || c == u'\r' || c == QChar::ParagraphSeparator || c == QChar::LineSeparator;
}

// Code points in the text; a surrogate pair is one character.
int CharacterCount(const QString& text) {
  int count = 0;
  for (int i = 0; i < text.size(); ++i) {
    if (text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) ++i;
    ++count;
  }
  return count;
}

// The UTF-16 index at which the character of that number starts (the end when past it).
int UnitsBefore(const QString& text, int characters) {
  int i = 0;
  for (int seen = 0; seen < characters && i < text.size(); ++seen) {
    if (text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) ++i;
    ++i;
  }
  return i;
}

// The text's first characters, never splitting a surrogate pair.
QString FirstCharacters(const QString& text, int characters) {
  return text.left(UnitsBefore(text, std::max(characters, 0)));
}

bool IsBold(const QTextCharFormat& format, const QFont& fallback) {
  if (format.hasProperty(QTextFormat::FontWeight)) return format.fontWeight() >= QFont::DemiBold;
  return fallback.bold();
}

}  // namespace

TextAreaWidget::TextAreaWidget() {
  setAcceptRichText(true);
  setTabChangesFocus(true);
  SetBorder(true);
  ApplyKind();
  connect(document(), &QTextDocument::contentsChange, this,
          [this](int from, int removed, int added) { OnContentsChange(from, removed, added); });
}

void TextAreaWidget::Detach() {
  onKeyDown = nullptr;
  onMouseDown = nullptr;
}

std::string TextAreaWidget::Text() const {
  QString text = document()->toRawText();
  for (QChar& c : text)
    if (IsLineBreak(c)) c = u'\r';
  return ToStdString(text);
}

void TextAreaWidget::SetText(std::string_view text) {
  QString plain = ToQString(text);
  plain.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(QChar(u'\r'), QChar(u'\n'));
  if (!multiline_) plain.remove(QChar(u'\n'));
  programmatic_ = true;
  // New text starts in the field's own font: no bold run carries over from the cursor.
  moveCursor(QTextCursor::Start);
  setCurrentCharFormat(QTextCharFormat());
  setPlainText(plain);
  programmatic_ = false;
  moveCursor(QTextCursor::End);
}

std::int32_t TextAreaWidget::Length() const { return CharacterCount(document()->toRawText()); }

std::int32_t TextAreaWidget::SelStart() const {
  return CharacterCount(document()->toRawText().left(textCursor().selectionStart()));
}

std::int32_t TextAreaWidget::SelLength() const {
  const QTextCursor cursor = textCursor();
  const QString text = document()->toRawText();
  return CharacterCount(text.mid(cursor.selectionStart(), cursor.selectionEnd() - cursor.selectionStart()));
}

void TextAreaWidget::SetSelStart(std::int32_t start) {
  QTextCursor cursor = textCursor();
  cursor.setPosition(UnitsBefore(document()->toRawText(), std::max(start, 0)));
  setTextCursor(cursor);
}

void TextAreaWidget::SetSelLength(std::int32_t length) {
  const QString text = document()->toRawText();
  QTextCursor cursor = textCursor();
  const int start = cursor.selectionStart();
  const int startCharacters = CharacterCount(text.left(start));
  cursor.setPosition(start);
  cursor.setPosition(UnitsBefore(text, startCharacters + std::max(length, 0)), QTextCursor::KeepAnchor);
  setTextCursor(cursor);
}

void TextAreaWidget::SetSelBold(bool bold) {
  if (!styled_) return;
  QTextCharFormat format;
  format.setFontWeight(bold ? QFont::Bold : QFont::Normal);
  QTextCursor cursor = textCursor();
  if (cursor.hasSelection()) {
    cursor.mergeCharFormat(format);
  } else {
    mergeCurrentCharFormat(format);  // what is typed next
  }
}

bool TextAreaWidget::IsBoldAt(std::int32_t position) const {
  const QString text = document()->toRawText();
  if (position < 0 || position >= CharacterCount(text)) return false;
  const int at = UnitsBefore(text, position);
  const QTextBlock block = document()->findBlock(at);
  for (auto it = block.begin(); !it.atEnd(); ++it) {
    const QTextFragment fragment = it.fragment();
    if (fragment.contains(at)) return IsBold(fragment.charFormat(), document()->defaultFont());
  }
  // A line break: its format is the one the next paragraph's block starts with.
  return IsBold(document()->findBlock(at + 1).charFormat(), document()->defaultFont());
}

void TextAreaWidget::SetMultiline(bool multiline) {
  multiline_ = multiline;
  if (!multiline_) RemoveLineBreaks(0, document()->characterCount() - 1);
  ApplyKind();
}

void TextAreaWidget::SetStyled(bool styled) {
  styled_ = styled;
  setAcceptRichText(styled_);
  if (!styled_) {
    QTextCursor all(document());
    all.select(QTextCursor::Document);
    all.setCharFormat(QTextCharFormat());
    setCurrentCharFormat(QTextCharFormat());
  }
}

void TextAreaWidget::SetScrollbars(bool horizontal, bool vertical) {
  scrollHorizontal_ = horizontal;
  scrollVertical_ = vertical;
  ApplyKind();
}

void TextAreaWidget::SetBorder(bool border) {
  setFrameStyle(border ? QFrame::Box | QFrame::Plain : QFrame::NoFrame);
  setLineWidth(kBorderWidth);
  UpdateMargins();
}

void TextAreaWidget::SetAlignmentCode(std::int32_t code) {
  const Qt::Alignment alignment = kAlignments[code >= 0 && code < 3 ? code : 0];
  QTextOption option = document()->defaultTextOption();
  option.setAlignment(alignment);
  document()->setDefaultTextOption(option);
  // Paragraphs that carry an alignment of their own follow too. Not a user's edit:
  // it leaves nothing to undo.
  const bool undo = document()->isUndoRedoEnabled();
  document()->setUndoRedoEnabled(false);
  QTextCursor all(document());
  all.select(QTextCursor::Document);
  QTextBlockFormat format;
  format.setAlignment(alignment);
  all.mergeBlockFormat(format);
  document()->setUndoRedoEnabled(undo);
}

void TextAreaWidget::SetColors(Color text, Color back) {
  // A disabled field keeps the platform's greyed colours.
  QPalette colors = palette();
  for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
    colors.setColor(group, QPalette::Text, ToQColor(text));
    colors.setColor(group, QPalette::Base, ToQColor(back));
  }
  setPalette(colors);
  UpdateSelectionColors();
}

void TextAreaWidget::SetHideSelection(bool hide) {
  hideSelection_ = hide;
  UpdateSelectionColors();
}

// A hidden selection is drawn in the field's own colours, so it does not show.
void TextAreaWidget::UpdateSelectionColors() {
  const bool hidden = hideSelection_ && !hasFocus();
  const QPalette defaults = QApplication::palette(this);
  QPalette colors = palette();
  for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
    colors.setColor(
        group, QPalette::Highlight,
        hidden ? colors.color(group, QPalette::Base) : defaults.color(group, QPalette::Highlight));
    colors.setColor(
        group, QPalette::HighlightedText,
        hidden ? colors.color(group, QPalette::Text) : defaults.color(group, QPalette::HighlightedText));
  }
  setPalette(colors);
}

void TextAreaWidget::focusInEvent(QFocusEvent* event) {
  QTextEdit::focusInEvent(event);
  UpdateSelectionColors();
}

void TextAreaWidget::focusOutEvent(QFocusEvent* event) {
  QTextEdit::focusOutEvent(event);
  UpdateSelectionColors();
}

bool TextAreaWidget::event(QEvent* event) {
  // KeyDown sees every key before the field does, Tab included.
  if (event->type() == QEvent::KeyPress && onKeyDown) {
    auto* keyEvent = static_cast<QKeyEvent*>(event);
    const std::string key = KeyText(*keyEvent);
    if (!key.empty()) {
      const QPointer<TextAreaWidget> self(this);
      const auto handler = onKeyDown;  // the handler may end the control
      const bool swallowed = Guarded([&] { return handler(key); }, true);
      if (swallowed || !self) {
        event->accept();
        return true;
      }
    }
  }
  return QTextEdit::event(event);
}

void TextAreaWidget::keyPressEvent(QKeyEvent* event) {
  if (isReadOnly()) {
    QTextEdit::keyPressEvent(event);
    return;
  }
  const int key = event->key();
  const bool lineBreak = key == Qt::Key_Return || key == Qt::Key_Enter;
  if (lineBreak && !multiline_) {
    event->accept();
    return;
  }
  const QString typed = event->text();
  // The text edit also types a text that starts with a tab when it comes on another key
  // than Tab; left to the last guard, its trimmed insertion could never be undone.
  const bool startsWithTab =
      !typed.isEmpty() && typed[0] == u'\t' && key != Qt::Key_Tab && key != Qt::Key_Backtab;
  const bool inserts = lineBreak || (key == Qt::Key_Tab && !tabChangesFocus()) ||
                       (!typed.isEmpty() && (typed[0].unicode() >= 32 || startsWithTab) &&
                        typed[0].unicode() != 127 && !(event->modifiers() & Qt::ControlModifier));
  const int room = Room();
  if (inserts && room >= 0) {
    if (room == 0) {
      event->accept();  // the field is full: the key adds nothing
      return;
    }
    if (!lineBreak && CharacterCount(typed) > room) {
      InsertAtCursor(Admit(typed));
      event->accept();
      return;
    }
  }
  QTextEdit::keyPressEvent(event);
}

void TextAreaWidget::mousePressEvent(QMouseEvent* event) {
  if (onMouseDown) {
    // The event comes through the viewport; the handler gets control coordinates.
    const QPoint at = viewport()->mapTo(this, event->position().toPoint());
    const QPointer<TextAreaWidget> self(this);
    const auto handler = onMouseDown;
    const bool swallowed = Guarded([&] { return handler(at.x(), at.y()); }, true);
    if (swallowed || !self) {
      event->accept();
      return;
    }
  }
  QTextEdit::mousePressEvent(event);
}

void TextAreaWidget::inputMethodEvent(QInputMethodEvent* event) {
  if (event->commitString().isEmpty() || isReadOnly()) {
    QTextEdit::inputMethodEvent(event);
    return;
  }
  QInputMethodEvent admitted(event->preeditString(), event->attributes());
  admitted.setCommitString(Admit(event->commitString()), event->replacementStart(),
                           event->replacementLength());
  QTextEdit::inputMethodEvent(&admitted);
  event->setAccepted(admitted.isAccepted());
}

bool TextAreaWidget::canInsertFromMimeData(const QMimeData* source) const {
  return styled_ ? QTextEdit::canInsertFromMimeData(source) : source->hasText();
}

void TextAreaWidget::insertFromMimeData(const QMimeData* source) {
  if (isReadOnly() || !source) return;
  // A styled field without limits takes rich text as it comes.
  if (styled_ && multiline_ && limit_ <= 0 && source->hasHtml()) {
    QTextEdit::insertFromMimeData(source);
    return;
  }
  if (!source->hasText()) return;
  const QString admitted = Admit(source->text());
  if (!admitted.isEmpty()) InsertAtCursor(admitted);
}

void TextAreaWidget::InsertAtCursor(const QString& text) {
  QTextCursor cursor = textCursor();
  // One undo step of its own, as Qt's own paste makes it.
  cursor.beginEditBlock();
  cursor.insertText(text);
  cursor.endEditBlock();
  setTextCursor(cursor);
  ensureCursorVisible();
}

void TextAreaWidget::resizeEvent(QResizeEvent* event) {
  QTextEdit::resizeEvent(event);
  UpdateMargins();
}

void TextAreaWidget::changeEvent(QEvent* event) {
  QTextEdit::changeEvent(event);
  if (event->type() == QEvent::FontChange) UpdateMargins();
}

QString TextAreaWidget::Admit(const QString& text) const {
  QString admitted = text;
  admitted.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  for (QChar& c : admitted)
    if (IsLineBreak(c)) c = u'\n';
  if (!multiline_) admitted.remove(QChar(u'\n'));
  const int room = Room();
  return room < 0 ? admitted : FirstCharacters(admitted, room);
}

std::int32_t TextAreaWidget::Room() const {
  if (limit_ <= 0) return -1;
  return std::max(limit_ - (Length() - SelLength()), 0);
}

void TextAreaWidget::OnContentsChange(int from, int removed, int added) {
  if (guarding_ || programmatic_ || added <= 0) return;
  guarding_ = true;
  const int documentEnd = document()->characterCount() - 1;  // before the final separator
  int end = std::min(from + added, documentEnd);
  if (!multiline_) {
    const int before = document()->characterCount();
    RemoveLineBreaks(from, end);
    end -= before - document()->characterCount();
  }
  if (limit_ > 0) {
    const int excess = Length() - limit_;
    // Only what this change added comes out: text the program set stays whole.
    int grown = added - removed;
    if (excess > 0 && grown > 0) {
      const QString text = document()->toRawText();
      int cut = end;
      for (int taken = 0; taken < excess && grown > 0 && cut > from; ++taken) {
        const bool pair =
            cut - 2 >= from && text[cut - 1].isLowSurrogate() && text[cut - 2].isHighSurrogate();
        cut -= pair ? 2 : 1;
        grown -= pair ? 2 : 1;
      }
      if (cut < end) {
        QTextCursor trim(document());
        trim.setPosition(cut);
        trim.setPosition(end, QTextCursor::KeepAnchor);
        // One undo step with the change that brought the excess.
        trim.joinPreviousEditBlock();
        trim.removeSelectedText();
        trim.endEditBlock();
      }
    }
  }
  guarding_ = false;
}

void TextAreaWidget::RemoveLineBreaks(int from, int to) {
  const QString text = document()->toRawText();
  to = std::min(to, static_cast<int>(text.size()));
  for (int at = to - 1; at >= std::max(from, 0); --at) {
    if (!IsLineBreak(text[at])) continue;
    QTextCursor cut(document());
    cut.setPosition(at);
    cut.setPosition(at + 1, QTextCursor::KeepAnchor);
    cut.joinPreviousEditBlock();
    cut.removeSelectedText();
    cut.endEditBlock();
  }
}

void TextAreaWidget::ApplyKind() {
  if (multiline_) {
    setLineWrapMode(scrollHorizontal_ ? QTextEdit::NoWrap : QTextEdit::WidgetWidth);
    setHorizontalScrollBarPolicy(scrollHorizontal_ ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(scrollVertical_ ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
  } else {
    // One line that scrolls sideways under the cursor, without scroll bars.
    setLineWrapMode(QTextEdit::NoWrap);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  }
  UpdateMargins();
}

void TextAreaWidget::UpdateMargins() {
  // The height a laid-out line takes, rounded up as the document's size is.
  const QFontMetricsF metrics(document()->defaultFont());
  const int line = static_cast<int>(std::ceil(metrics.ascent() + metrics.descent()));
  const int inner = contentsRect().height();
  const int margin = std::clamp((inner - line) / 2, 0, kMaxDocumentMargin);
  if (document()->documentMargin() != margin) document()->setDocumentMargin(margin);
  // A single line sits in the middle of a taller field.
  const int spare = multiline_ ? 0 : std::max(inner - line - 2 * margin, 0);
  const QMargins wanted(0, spare / 2, 0, spare - spare / 2);
  if (viewportMargins() != wanted) setViewportMargins(wanted);
}

}  // namespace platform::detail
