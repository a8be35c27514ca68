#include "platform/qt/QtConvert.h"

#include <QKeyEvent>
#include <algorithm>
#include <array>
#include <utility>

namespace platform::detail {
namespace {

// The original's family names and the faces they stand for here: the metric twins the
// layouts were made for, then the classic name for the desktop to resolve. The twins come
// first because fontconfig may map the classic names to other faces (ghostscript's,
// pulled in by many desktop packages). No style hint: with one, Qt picks a wider face.
struct FamilyFaces {
  std::string_view name;
  const char* twin;
  const char* classic;
};
constexpr std::array<FamilyFaces, 3> kFamilies = {{
    {"System", "Liberation Sans", "Helvetica"},
    {"Times", "Liberation Serif", "Times"},
    {"Courier", "Liberation Mono", "Courier"},
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

}  // namespace

QFont ResolveFont(std::string_view family, int size, bool bold, bool italic, bool underline) {
  const auto known = std::find_if(kFamilies.begin(), kFamilies.end(),
                                  [family](const FamilyFaces& entry) { return entry.name == family; });
  QFont font;
  if (known != kFamilies.end()) {
    font.setFamilies({QString::fromLatin1(known->twin), QString::fromLatin1(known->classic)});
  } else {
    font.setFamily(ToQString(family));
  }
  font.setPixelSize(size > 0 ? size : kDefaultPixelSize);
  font.setBold(bold);
  font.setItalic(italic);
  font.setUnderline(underline);
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
  // Modifiers alone, function keys and the like type nothing and reach no handler.
  return ToStdString(event.text());
}

}  // namespace platform::detail
