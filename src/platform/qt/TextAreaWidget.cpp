#include "platform/qt/TextAreaWidget.h"

#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QDrag>
#include <QDropEvent>
#include <QFontMetrics>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>
#include <QPainter>
#include <QPointer>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFrame>
#include <algorithm>
#include <array>
#include <cmath>

#include "platform/qt/Dispatch.h"
#include "platform/qt/QtConvert.h"

namespace platform::detail {
namespace {

// Room kept between the frame and the text: enough to read, small enough that a
// 20-pixel field shows a 14-pixel line whole.
constexpr int kMaxDocumentMargin = 2;

// Frame of a field with a border.
constexpr int kBorderWidth = 1;

// A focus ring covers the frame and one pixel inside it.
constexpr int kFocusRingWidth = 2;

// Room a field that takes typing keeps at its right edge, so that the caret after
// flush-right text lies inside the ring rather than under it.
constexpr int kCaretRoom = 3;

// The context menu's edits and the keyboard keys whose key text KeyDown gets for them.
struct MenuEdit {
  const char* action;  // the standard menu's object name
  Qt::Key key;
  Qt::KeyboardModifiers modifiers;
};
const std::array<MenuEdit, 4> kMenuEdits = {{
    {"edit-undo", Qt::Key_Z, Qt::ControlModifier},
    {"edit-redo", Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier},
    {"edit-cut", Qt::Key_X, Qt::ControlModifier},
    {"edit-delete", Qt::Key_Delete, Qt::NoModifier},
}};

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

int SelectedCharacters(const QTextCursor& cursor) { return CharacterCount(cursor.selectedText()); }

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

// Whether an input method's event without a commit deletes text as the text edit carries
// it out: the selection goes, and so does the replaced range when it ends within the text
// (a start outside the text counts from the caret).
bool DeletesText(const QInputMethodEvent& event, const QTextCursor& cursor) {
  if (!event.commitString().isEmpty() || event.replacementLength() <= 0) return false;
  if (cursor.hasSelection()) return true;
  const int end = cursor.document()->characterCount() - 1;
  int start = cursor.position() + event.replacementStart();
  if (start < 0 || start > end) start = cursor.position();
  return start + event.replacementLength() <= end;
}

// An inserted text as KeyDown gets it: line breaks as carriage returns.
std::string InsertedKeyText(QString text) {
  text.replace(QChar(u'\n'), QChar(u'\r'));
  return ToStdString(text);
}

}  // namespace

TextAreaWidget::TextAreaWidget() {
  setTabChangesFocus(true);
  // Every field has a one-pixel box.
  setFrameStyle(QFrame::Box | QFrame::Plain);
  setLineWidth(kBorderWidth);
  ApplyKind();
  connect(document(), &QTextDocument::contentsChange, this,
          [this](int from, int removed, int added) { OnContentsChange(from, removed, added); });
  // Any move of the caret after the program's own selection makes the selection the person's.
  connect(this, &QTextEdit::cursorPositionChanged, this, [this] { SetSelectionFromProgram(false); });
  connect(this, &QTextEdit::selectionChanged, this, [this] { SetSelectionFromProgram(false); });
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
  UpdateMargins();  // new text comes with a new root frame
  moveCursor(QTextCursor::End);
}

std::int32_t TextAreaWidget::Length() const { return CharacterCount(document()->toRawText()); }

std::int32_t TextAreaWidget::SelStart() const {
  return CharacterCount(document()->toRawText().left(textCursor().selectionStart()));
}

std::int32_t TextAreaWidget::SelLength() const { return SelectedCharacters(textCursor()); }

void TextAreaWidget::SetSelStart(std::int32_t start) {
  QTextCursor cursor = textCursor();
  cursor.setPosition(UnitsBefore(document()->toRawText(), std::max(start, 0)));
  setTextCursor(cursor);
  SetSelectionFromProgram(true);
}

void TextAreaWidget::SetSelLength(std::int32_t length) {
  const QString text = document()->toRawText();
  QTextCursor cursor = textCursor();
  const int start = cursor.selectionStart();
  const int startCharacters = CharacterCount(text.left(start));
  // Wide arithmetic: any length runs to the end of the text at most.
  const auto end =
      std::min<std::int64_t>(std::int64_t{startCharacters} + std::max(length, 0), CharacterCount(text));
  cursor.setPosition(start);
  cursor.setPosition(UnitsBefore(text, static_cast<int>(end)), QTextCursor::KeepAnchor);
  setTextCursor(cursor);
  SetSelectionFromProgram(true);
}

void TextAreaWidget::SetSelBold(bool bold) {
  if (!styled_) return;
  QTextCharFormat format;
  format.setFontWeight(bold ? QFont::Bold : QFont::Normal);
  textCursor().mergeCharFormat(format);
}

void TextAreaWidget::SetMultiline(bool multiline) {
  multiline_ = multiline;
  if (!multiline_) RemoveLineBreaks(0, document()->characterCount() - 1);
  ApplyKind();
}

void TextAreaWidget::SetVerticalScrollbar(bool vertical) {
  scrollVertical_ = vertical;
  ApplyKind();
}

void TextAreaWidget::SetAlignmentCode(std::int32_t code) {
  const Qt::Alignment alignment = Qt::Alignment::fromInt(code) & Qt::AlignHorizontal_Mask;
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

void TextAreaWidget::SetSelectionFromProgram(bool fromProgram) {
  if (selectionFromProgram_ == fromProgram) return;
  selectionFromProgram_ = fromProgram;
  UpdateSelectionColors();
}

// A selection the person never saw is not theirs to act on: their first key or press finds
// the caret where it is drawn and nothing selected. The caret stays, and so does the view.
void TextAreaWidget::ForgetHiddenSelection() {
  if (!hideSelection_ || !selectionFromProgram_ || !textCursor().hasSelection()) return;
  QTextCursor caret = textCursor();
  caret.clearSelection();
  const int top = verticalScrollBar()->value();
  const int left = horizontalScrollBar()->value();
  setTextCursor(caret);
  verticalScrollBar()->setValue(top);
  horizontalScrollBar()->setValue(left);
  SetSelectionFromProgram(false);
}

// A hidden selection is drawn in the field's own colours, so it does not show. The
// program selects to act on the text (a bold run), not to show the person anything.
void TextAreaWidget::UpdateSelectionColors() {
  const bool hidden = hideSelection_ && (!hasFocus() || selectionFromProgram_);
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

void TextAreaWidget::SetFocusRing(bool ring) {
  focusRing_ = ring;
  update();
  viewport()->update();
}

bool TextAreaWidget::ShowsFocusRing() const { return focusRing_ && hasFocus(); }

// Drawn over the frame and over the viewport's edge alike, so the ring is whole.
void TextAreaWidget::DrawFocusRing(QWidget* device) {
  QPainter painter(device);
  painter.setPen(QPen(QApplication::palette(this).color(QPalette::Active, QPalette::Highlight), 0));
  const QRect ring(device->mapFrom(this, QPoint(0, 0)), size());
  for (int inset = 0; inset < kFocusRingWidth; ++inset)
    painter.drawRect(ring.adjusted(inset, inset, -1 - inset, -1 - inset));
}

void TextAreaWidget::paintEvent(QPaintEvent* event) {
  QTextEdit::paintEvent(event);
  if (ShowsFocusRing()) DrawFocusRing(viewport());
}

void TextAreaWidget::focusInEvent(QFocusEvent* event) {
  QTextEdit::focusInEvent(event);
  FocusChanged();
}

void TextAreaWidget::focusOutEvent(QFocusEvent* event) {
  QTextEdit::focusOutEvent(event);
  FocusChanged();
}

// The selection's colours and the ring follow the focus.
void TextAreaWidget::FocusChanged() {
  UpdateSelectionColors();
  update();
  viewport()->update();
}

bool TextAreaWidget::PassesKeyDown(const std::string& key) {
  if (!onKeyDown) return true;
  const QPointer<TextAreaWidget> self(this);
  const auto handler = onKeyDown;  // the handler may end the control
  const bool swallowed = Guarded([&] { return handler(key); }, true);
  return !swallowed && self;
}

bool TextAreaWidget::event(QEvent* event) {
  if (event->type() == QEvent::Paint) {
    const bool handled = QTextEdit::event(event);
    if (ShowsFocusRing()) DrawFocusRing(this);
    return handled;
  }
  // KeyDown sees every key before the field does, Tab included. A paste key is not a
  // key of its own: the paste asks with the text it inserts (insertFromMimeData).
  if (event->type() == QEvent::KeyPress && onKeyDown) {
    auto* keyEvent = static_cast<QKeyEvent*>(event);
    const bool paste = keyEvent->matches(QKeySequence::Paste) && !isReadOnly();
    const std::string key = paste ? std::string() : KeyText(*keyEvent);
    if (!key.empty() && !PassesKeyDown(key)) {
      event->accept();
      return true;
    }
  }
  return QTextEdit::event(event);
}

void TextAreaWidget::keyPressEvent(QKeyEvent* event) {
  ForgetHiddenSelection();
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
  const bool inserts =
      lineBreak || (!typed.isEmpty() && (typed[0].unicode() >= 32 || startsWithTab) &&
                    typed[0].unicode() != 127 && !(event->modifiers() & Qt::ControlModifier));
  const int room = Room(SelLength());
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
  ForgetHiddenSelection();
  const QPoint at = event->position().toPoint();
  // The text edit takes a press close to its last double click, soon after, as a triple click.
  const bool tripleClick = doubleClicked_.isValid() &&
                           !doubleClicked_.hasExpired(QApplication::doubleClickInterval()) &&
                           (at - doubleClickAt_).manhattanLength() < QApplication::startDragDistance();
  if (tripleClick) doubleClicked_.invalidate();
  // The selection as the press finds it: one a composition holds comes back unless the
  // commit the press brings replaces it.
  const QTextCursor before = composedOver_.isNull() ? textCursor() : composedOver_;
  QTextEdit::mousePressEvent(event);
  // A press the text edit would start a drag from leaves the selection as it was. A left
  // press without Shift that selects anew is its triple click, whose moves select by
  // lines; any other such press leaves no selection.
  const QTextCursor after = textCursor();
  pressOnSelection_ = event->button() == Qt::LeftButton && event->modifiers() != Qt::ShiftModifier &&
                      after.hasSelection() && after.anchor() == before.anchor() &&
                      after.position() == before.position();
  dragOnMove_ = pressOnSelection_ && !tripleClick;
  pressAt_ = at;
}

void TextAreaWidget::mouseDoubleClickEvent(QMouseEvent* event) {
  QTextEdit::mouseDoubleClickEvent(event);
  if (event->button() != Qt::LeftButton) return;
  // The text edit drops its drag here and selects by words as the pointer moves.
  pressOnSelection_ = dragOnMove_ = false;
  doubleClickAt_ = event->position().toPoint();
  doubleClicked_.start();
}

// The text edit would start a drag of its own from a press on the selection, at once or
// from the moves its auto-scroll timer makes up later, so it sees no move until the button
// comes up or goes down again. Then no drag but the field's own can start from the press,
// and any disagreement about a triple click on a selection that stays as it was only
// decides whether that one starts.
void TextAreaWidget::mouseMoveEvent(QMouseEvent* event) {
  if (!pressOnSelection_ || !(event->buttons() & Qt::LeftButton)) {
    QTextEdit::mouseMoveEvent(event);
    return;
  }
  event->accept();
  if (dragOnMove_ &&
      (event->position().toPoint() - pressAt_).manhattanLength() > QApplication::startDragDistance()) {
    dragOnMove_ = false;
    DragSelection();
  }
}

void TextAreaWidget::mouseReleaseEvent(QMouseEvent* event) {
  pressOnSelection_ = dragOnMove_ = false;
  QTextEdit::mouseReleaseEvent(event);
}

// In place of the text edit's own drag, which removes the text once another program takes
// it as a move: the field changes only through its handler. Other programs are offered a
// copy only. Move stays the drag's default, so that within the field Qt still tells a
// move from a copy by the modifiers (MovesWithin).
void TextAreaWidget::DragSelection() {
  auto* drag = new QDrag(viewport());  // the drag's end deletes it
  drag->setMimeData(createMimeDataFromSelection());
  drag->exec(Qt::CopyAction, Qt::MoveAction);
}

bool TextAreaWidget::MovesWithin(const QDropEvent& event) const {
  if (event.source() != viewport()) return false;
  const QDropEvent asked(event.position(), Qt::CopyAction | Qt::MoveAction, event.mimeData(), event.buttons(),
                         event.modifiers());
  return asked.dropAction() == Qt::MoveAction;
}

// A drag from elsewhere is only ever taken as a copy, and text that finds no room is not
// taken at all. A moved selection makes room for itself; a copy goes in beside it.
QString TextAreaWidget::DropText(const QDropEvent& event, bool moves) const {
  if (isReadOnly() || !event.mimeData() || !event.mimeData()->hasText()) return {};
  if (!moves && !(event.possibleActions() & Qt::CopyAction)) return {};
  return Admit(event.mimeData()->text(), moves ? SelLength() : 0);
}

void TextAreaWidget::RefuseDrop(QDropEvent* event) {
  event->setDropAction(Qt::IgnoreAction);
  event->ignore();
  QDragLeaveEvent leave;  // ends the drag's caret
  QTextEdit::dragLeaveEvent(&leave);
}

// Every move over the field answers the drag, whatever the enter said.
void TextAreaWidget::dragMoveEvent(QDragMoveEvent* event) {
  if (DropText(*event, MovesWithin(*event)).isEmpty()) return RefuseDrop(event);
  QTextEdit::dragMoveEvent(event);
  event->setDropAction(Qt::CopyAction);
}

// The text edit answers an input method as a field that takes text even when it is
// read-only.
QVariant TextAreaWidget::inputMethodQuery(Qt::InputMethodQuery query) const {
  if (query == Qt::ImEnabled && isReadOnly()) return false;
  return QTextEdit::inputMethodQuery(query);
}

void TextAreaWidget::inputMethodEvent(QInputMethodEvent* event) {
  if (isReadOnly()) {
    event->ignore();  // nothing composed shows, nothing committed goes in
    return;
  }
  const bool composing = !event->preeditString().isEmpty();
  if (composing || !event->commitString().isEmpty()) ForgetHiddenSelection();
  // The text edit would take the selection away at a composition's first preedit, before
  // any KeyDown.
  if (composing && composedOver_.isNull() && textCursor().hasSelection()) HoldSelection();
  // The commit is one edit, and so is a deletion around the caret that comes without one;
  // what either would replace stays when it is swallowed.
  const QPointer<TextAreaWidget> self(this);
  QString commit;
  bool replaces = false;
  if (!event->commitString().isEmpty()) {
    commit = Admit(event->commitString(),
                   SelectedCharacters(composedOver_.isNull() ? textCursor() : composedOver_));
    if (!commit.isEmpty() && !PassesKeyDown(InsertedKeyText(commit))) commit.clear();
    replaces = !commit.isEmpty();
  } else if (DeletesText(*event, textCursor())) {
    replaces = PassesKeyDown(KeyText(QKeyEvent(QEvent::KeyPress, Qt::Key_Backspace, Qt::NoModifier)));
  }
  if (!self) return;
  if (!commit.isEmpty()) ReleaseSelection();  // for the commit to replace
  QInputMethodEvent admitted(event->preeditString(), event->attributes());
  if (replaces) admitted.setCommitString(commit, event->replacementStart(), event->replacementLength());
  QTextEdit::inputMethodEvent(&admitted);
  event->setAccepted(admitted.isAccepted());
  if (!composing) ReleaseSelection();  // the composition ended with nothing taken
}

// Until a commit passes KeyDown, the selection stays and shows as one; the preedit goes in
// front of it.
void TextAreaWidget::HoldSelection() {
  composedOver_ = textCursor();
  QTextCursor caret = composedOver_;
  caret.setPosition(composedOver_.selectionStart());
  setTextCursor(caret);
  QTextEdit::ExtraSelection shown{composedOver_, {}};
  shown.format.setBackground(palette().highlight());
  shown.format.setForeground(palette().highlightedText());
  setExtraSelections({shown});
}

void TextAreaWidget::ReleaseSelection() {
  if (composedOver_.isNull()) return;
  setExtraSelections({});
  setTextCursor(composedOver_);
  composedOver_ = QTextCursor();
}

bool TextAreaWidget::canInsertFromMimeData(const QMimeData* source) const { return source->hasText(); }

// Every paste (the keys, the context menu, the X selection) and every drop arrives here.
void TextAreaWidget::insertFromMimeData(const QMimeData* source) {
  if (isReadOnly() || !source || !source->hasText()) return;
  const QString admitted = Admit(source->text());
  if (admitted.isEmpty()) return;
  if (!dropPassedKeyDown_ && !PassesKeyDown(InsertedKeyText(admitted))) return;
  InsertAtCursor(admitted);
}

// A drop asks first: Qt takes moved text away before it inserts it, and a drop the
// field does not take must tell the drag so.
void TextAreaWidget::dropEvent(QDropEvent* event) {
  const bool moves = MovesWithin(*event);
  const QString text = DropText(*event, moves);
  const QPointer<TextAreaWidget> self(this);
  if (text.isEmpty() || !PassesKeyDown(InsertedKeyText(text))) {
    if (self) {
      RefuseDrop(event);
    } else {
      event->ignore();  // the handler ended the field
    }
    return;
  }
  dropPassedKeyDown_ = true;
  if (moves) {
    // Qt moves text only on a drop that says so, and the drag offers a copy only.
    QDropEvent moved(event->position(), Qt::MoveAction, event->mimeData(), event->buttons(),
                     event->modifiers());
    QTextEdit::dropEvent(&moved);
    event->setAccepted(moved.isAccepted());
  } else {
    QTextEdit::dropEvent(event);
  }
  dropPassedKeyDown_ = false;
  // The text edit accepts what the drag proposed; what it did was copy.
  if (event->isAccepted()) event->setDropAction(Qt::CopyAction);
}

void TextAreaWidget::contextMenuEvent(QContextMenuEvent* event) {
  QMenu* menu = createStandardContextMenu();
  // Edits that change the text ask KeyDown first, as their keyboard keys do.
  for (QAction* standard : menu->actions()) {
    const auto edit = std::find_if(kMenuEdits.begin(), kMenuEdits.end(), [standard](const MenuEdit& e) {
      return standard->objectName() == QLatin1String(e.action);
    });
    if (edit == kMenuEdits.end()) continue;
    auto* asking = new QAction(standard->icon(), standard->text(), menu);
    asking->setObjectName(standard->objectName());
    asking->setEnabled(standard->isEnabled());
    const std::string key = KeyText(QKeyEvent(QEvent::KeyPress, edit->key, edit->modifiers));
    const std::string_view action = edit->action;
    connect(asking, &QAction::triggered, this, [this, key, action] {
      if (PassesKeyDown(key)) DoMenuEdit(action);
    });
    menu->insertAction(standard, asking);
    menu->removeAction(standard);
  }
  menu->setAttribute(Qt::WA_DeleteOnClose);
  menu->popup(event->globalPos());
}

void TextAreaWidget::DoMenuEdit(std::string_view action) {
  if (action == "edit-undo") {
    undo();
  } else if (action == "edit-redo") {
    redo();
  } else if (action == "edit-cut") {
    cut();
  } else if (action == "edit-delete") {
    QTextCursor cursor = textCursor();
    cursor.removeSelectedText();
    setTextCursor(cursor);
  }
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
  if (event->type() == QEvent::FontChange || event->type() == QEvent::ReadOnlyChange) UpdateMargins();
}

QString TextAreaWidget::Admit(const QString& text) const { return Admit(text, SelLength()); }

QString TextAreaWidget::Admit(const QString& text, std::int32_t replaced) const {
  QString admitted = text;
  admitted.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  for (QChar& c : admitted)
    if (IsLineBreak(c)) c = u'\n';
  if (!multiline_) admitted.remove(QChar(u'\n'));
  const int room = Room(replaced);
  return room < 0 ? admitted : FirstCharacters(admitted, room);
}

std::int32_t TextAreaWidget::Room(std::int32_t replaced) const {
  if (limit_ <= 0) return -1;
  return std::max(limit_ - (Length() - replaced), 0);
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
    setLineWrapMode(QTextEdit::WidgetWidth);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(scrollVertical_ ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
  } else {
    // One line that scrolls sideways under the cursor, without scroll bars.
    setLineWrapMode(QTextEdit::NoWrap);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  }
  UpdateMargins();
}

// The room around the text lies in the document, not around the viewport: presses and
// drops anywhere inside the border reach the text, and the text never moves with the focus.
void TextAreaWidget::UpdateMargins() {
  // The height a laid-out line takes, rounded up as the document's size is.
  const QFontMetricsF metrics(document()->defaultFont());
  const int line = static_cast<int>(std::ceil(metrics.ascent() + metrics.descent()));
  const int inner = contentsRect().height();
  const int margin = std::clamp((inner - line) / 2, 0, kMaxDocumentMargin);
  // A single line sits in the middle of a taller field.
  const int spare = multiline_ ? 0 : std::max(inner - line - 2 * margin, 0);
  const int caretRoom = isReadOnly() ? 0 : kCaretRoom;
  const QMarginsF wanted(margin, margin + spare / 2, margin + caretRoom, margin + spare - spare / 2);
  QTextFrame* root = document()->rootFrame();
  QTextFrameFormat format = root->frameFormat();
  if (QMarginsF(format.leftMargin(), format.topMargin(), format.rightMargin(), format.bottomMargin()) ==
      wanted)
    return;
  format.setLeftMargin(wanted.left());
  format.setTopMargin(wanted.top());
  format.setRightMargin(wanted.right());
  format.setBottomMargin(wanted.bottom());
  // Not a user's edit: it leaves nothing to undo.
  const bool undo = document()->isUndoRedoEnabled();
  document()->setUndoRedoEnabled(false);
  root->setFrameFormat(format);
  document()->setUndoRedoEnabled(undo);
}

}  // namespace platform::detail
