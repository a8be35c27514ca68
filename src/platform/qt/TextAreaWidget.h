#pragma once

#include <QElapsedTimer>
#include <QTextCursor>
#include <QTextEdit>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "platform/Color.h"

class QMimeData;

namespace platform::detail {

// The text field behind a TextArea. Positions and lengths are counted in characters
// (code points; a line break is one), lines are separated by one carriage return on
// the framework side. The field enforces its kind however text arrives: a single-line
// field never takes a line break and a limited field never holds more than its limit.
// Text set by the program is not limited. Every edit a person makes reaches onKeyDown
// first, and a swallowed one changes nothing: a key with its key text; a paste, drop or
// input method's commit with the text it inserts; the context menu's Cut, Delete, Undo
// and Redo with the code of their keyboard key. Text dragged between the field and
// other programs is only ever copied, so neither side loses text.
class TextAreaWidget : public QTextEdit {
 public:
  TextAreaWidget();

  // A read-only field takes no input method's text.
  QVariant inputMethodQuery(Qt::InputMethodQuery query) const override;
  using QTextEdit::inputMethodQuery;

  // Calls into the control; empty once the control is gone (Detach).
  std::function<bool(const std::string&)> onKeyDown;
  std::function<bool(std::int32_t, std::int32_t)> onMouseDown;
  void Detach();

  std::string Text() const;
  void SetText(std::string_view text);

  std::int32_t SelStart() const;
  std::int32_t SelLength() const;
  void SetSelStart(std::int32_t start);
  void SetSelLength(std::int32_t length);
  void SetSelBold(bool bold);

  bool Multiline() const { return multiline_; }
  void SetMultiline(bool multiline);
  bool Styled() const { return styled_; }
  // Set before any text: an unstyled field takes no bold run.
  void SetStyled(bool styled) { styled_ = styled; }
  std::int32_t Limit() const { return limit_; }
  void SetLimit(std::int32_t limit) { limit_ = limit; }
  // A multi-line field wraps its lines and scrolls vertically when told to.
  void SetVerticalScrollbar(bool vertical);
  // Qt's horizontal alignment flags, for every paragraph: 0 none (the leading edge),
  // 1 flush left, 2 flush right, 4 centred.
  void SetAlignmentCode(std::int32_t code);
  void SetColors(Color text, Color back);
  // A field that hides its selection shows it only while it has the focus. A selection
  // the program made stays hidden until the person moves the caret or selects, and their
  // keys and mouse act as though nothing were selected.
  void SetHideSelection(bool hide);
  // A field with a focus ring draws one while it has the focus.
  void SetFocusRing(bool ring);
  // Characters in the field now.
  std::int32_t Length() const;

 protected:
  bool event(QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void inputMethodEvent(QInputMethodEvent* event) override;
  bool canInsertFromMimeData(const QMimeData* source) const override;
  void insertFromMimeData(const QMimeData* source) override;
  void dragMoveEvent(QDragMoveEvent* event) override;
  void dropEvent(QDropEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  // The part of `text` the field can take in place of `replaced` characters (the
  // selection's unless given): line breaks out of a single-line field, and no more
  // characters than the limit leaves room for.
  QString Admit(const QString& text) const;
  QString Admit(const QString& text, std::int32_t replaced) const;
  // Characters that still fit when `replaced` characters go; -1 without a limit.
  std::int32_t Room(std::int32_t replaced) const;
  // Last guard for paths no handler above sees: takes excess characters and line
  // breaks back out of what a change inserted.
  void OnContentsChange(int from, int removed, int added);
  void ApplyKind();
  void UpdateSelectionColors();
  void SetSelectionFromProgram(bool fromProgram);
  void ForgetHiddenSelection();
  // A composition over a selection leaves it in place until its commit passes KeyDown.
  void HoldSelection();
  void ReleaseSelection();
  void UpdateMargins();
  void RemoveLineBreaks(int from, int to);
  void InsertAtCursor(const QString& text);
  void DragSelection();
  // Whether a drop moves the field's own selection within it.
  bool MovesWithin(const QDropEvent& event) const;
  // What a drop would insert, moved or copied; empty when the field does not take the drag.
  QString DropText(const QDropEvent& event, bool moves) const;
  void RefuseDrop(QDropEvent* event);
  // Calls onKeyDown; false when the key was swallowed or the field is gone with it.
  bool PassesKeyDown(const std::string& key);
  void DoMenuEdit(std::string_view action);
  bool ShowsFocusRing() const;
  void FocusChanged();
  void DrawFocusRing(QWidget* device);

  bool multiline_ = true;
  bool styled_ = true;
  std::int32_t limit_ = 0;
  bool scrollVertical_ = true;
  bool hideSelection_ = false;
  bool selectionFromProgram_ = false;  // the program set the selection; the person has not moved since
  bool focusRing_ = true;
  QTextCursor composedOver_;        // the selection a composition began over, held
  bool dropPassedKeyDown_ = false;  // the drop being inserted has asked KeyDown already
  bool pressOnSelection_ = false;   // a left press left a selection, which the text edit might drag
  bool dragOnMove_ = false;         // the field's own drag starts once the pointer moves on
  QPoint pressAt_;
  QElapsedTimer doubleClicked_;  // since the last double click, to tell a triple click
  QPoint doubleClickAt_;
  bool programmatic_ = false;  // the program sets the text: no limit applies
  bool guarding_ = false;
};

}  // namespace platform::detail
