#include "platform/qt/QtConvert.h"

#include <QKeyEvent>
#include <algorithm>
#include <array>
#include <utility>

namespace platform::detail {
namespace {

// The records' family names and the installed faces they resolve to: the metric twins the
// layouts were made for, named outright, since fontconfig may prefer other faces of the
// same widths (the URW fonts that some desktops install). No style hint: with one, Qt
// picks a wider face.
constexpr std::array<std::pair<std::string_view, const char*>, 3> kFamilies = {{
    {"System", "Liberation Sans"},
    {"Times", "Liberation Serif"},
    {"Courier", "Liberation Mono"},
}};

// A record that gives no size leaves the framework's own.
constexpr int kDefaultPixelSize = 12;

// Keys that type no character hand their handler a control code instead.
constexpr std::array<std::pair<int, char>, 15> kKeyCodes = {{
    {Qt::Key_Backspace, 8},
    {Qt::Key_Tab, 9},
    {Qt::Key_Backtab, 9},
    {Qt::Key_Return, 13},
    {Qt::Key_Enter, 3},
    {Qt::Key_Escape, 27},
    {Qt::Key_Left, 28},
    {Qt::Key_Right, 29},
    {Qt::Key_Up, 30},
    {Qt::Key_Down, 31},
    {Qt::Key_Delete, 127},
    {Qt::Key_Home, 1},
    {Qt::Key_End, 4},
    {Qt::Key_PageUp, 11},
    {Qt::Key_PageDown, 12},
}};

// Keys that type nothing and have no code of their own hand their handler chr(16), so that
// a window that reacts to any key sees them too.
constexpr char kFunctionKeyCode = 16;
constexpr std::array<int, 8> kOtherFunctionKeys = {
    Qt::Key_Insert, Qt::Key_Pause,      Qt::Key_Print, Qt::Key_Menu,
    Qt::Key_Help,   Qt::Key_ScrollLock, Qt::Key_Clear, Qt::Key_SysReq,
};

}  // namespace

QFont ResolveFont(std::string_view family, int size, bool bold) {
  const auto known = std::find_if(kFamilies.begin(), kFamilies.end(),
                                  [family](const auto& entry) { return entry.first == family; });
  QFont font(known != kFamilies.end() ? QString::fromLatin1(known->second) : ToQString(family));
  font.setPixelSize(size > 0 ? size : kDefaultPixelSize);
  font.setBold(bold);
  return font;
}

std::string KeyText(const QKeyEvent& event) {
  const int key = event.key();
  for (const auto& [qtKey, code] : kKeyCodes)
    if (key == qtKey) return std::string(1, code);
  // Ctrl with a letter types its control character; some platforms (and QTest) hand
  // over the plain letter instead, so the code is made from the key.
  if ((event.modifiers() & Qt::ControlModifier) && key >= Qt::Key_A && key <= Qt::Key_Z)
    return std::string(1, static_cast<char>(key - Qt::Key_A + 1));
  if ((key >= Qt::Key_F1 && key <= Qt::Key_F35) ||
      std::find(kOtherFunctionKeys.begin(), kOtherFunctionKeys.end(), key) != kOtherFunctionKeys.end())
    return std::string(1, kFunctionKeyCode);
  // Modifiers alone type nothing and reach no handler.
  return ToStdString(event.text());
}

}  // namespace platform::detail
