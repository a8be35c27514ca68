#pragma once

#include <QColor>
#include <QFont>
#include <QString>
#include <string>
#include <string_view>

#include "platform/Color.h"

class QKeyEvent;

namespace platform::detail {

inline QString ToQString(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

inline std::string ToStdString(const QString& text) { return text.toUtf8().toStdString(); }

inline QColor ToQColor(Color color) { return QColor(color.red, color.green, color.blue); }

// The record's font: its family name resolved to an installed face ("System" the
// desktop's sans face, "Times" a serif, "Courier" a monospace face).
// Sizes are pixels: the records were laid out at 72 dpi.
QFont ResolveFont(std::string_view family, int size, bool bold);

// The text a key press hands to KeyDown: the typed character, or the control code of a
// key that types none (Backspace 8, Tab 9, Return 13, Enter 3, Escape 27,
// arrows 28 to 31, forward Delete 127, Home 1, End 4, Page Up 11, Page Down 12; 16 for
// F1 to F35, Insert, Pause, Print Screen, Menu, Help, Scroll Lock, SysReq and keypad 5
// without Num Lock).
// Empty for presses that reach no handler (modifiers alone).
std::string KeyText(const QKeyEvent& event);

}  // namespace platform::detail
