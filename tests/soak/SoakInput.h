#pragma once

#include <QString>
#include <Qt>
#include <cstddef>
#include <cstdint>
#include <random>
#include <string>

namespace soak {

// The one source of chance: a fixed engine and plain modulo, so that a seed gives the
// same events with every compiler and standard library.
class Random {
 public:
  explicit Random(std::uint32_t seed) : engine_(seed) {}

  int Below(int n) { return static_cast<int>(engine_() % static_cast<std::uint32_t>(n)); }
  int Between(int lowest, int highest) { return lowest + Below(highest - lowest + 1); }
  bool Percent(int percent) { return Below(100) < percent; }
  template <class T, std::size_t N>
  const T& Pick(const T (&items)[N]) {
    return items[Below(static_cast<int>(N))];
  }

 private:
  std::mt19937 engine_;
};

// A key as the keyboard delivers it, and the text the system's KeyDown is handed for it:
// the typed text, or the control code of a key that types none (Backspace 8, Tab 9,
// Return 13, Enter 3, Escape 27, arrows 28 to 31, Delete 127, Home 1, End 4, Page Up 11,
// Page Down 12, Ctrl with a letter its control character).
struct KeyPress {
  Qt::Key key = Qt::Key_unknown;
  QString text;
  Qt::KeyboardModifiers modifiers;
  std::string keyDownText;
  const char* name = nullptr;  // for keys that type nothing of their own
};

namespace detail {

struct NamedKey {
  Qt::Key key;
  char16_t typed;  // 0: the key types nothing
  char code;
  const char* name;
  bool shift;
};

constexpr NamedKey kNamedKeys[] = {
    {Qt::Key_Backspace, u'\b', 8, "Backspace", false},
    {Qt::Key_Delete, 0x7f, 127, "Delete", false},
    {Qt::Key_Return, u'\r', 13, "Return", false},
    {Qt::Key_Enter, u'\r', 3, "Enter", false},
    {Qt::Key_Tab, u'\t', 9, "Tab", false},
    {Qt::Key_Backtab, 0, 9, "Shift+Tab", true},
    {Qt::Key_Escape, 0x1b, 27, "Escape", false},
    {Qt::Key_Left, 0, 28, "Left", false},
    {Qt::Key_Right, 0, 29, "Right", false},
    {Qt::Key_Up, 0, 30, "Up", false},
    {Qt::Key_Down, 0, 31, "Down", false},
    {Qt::Key_Home, 0, 1, "Home", false},
    {Qt::Key_End, 0, 4, "End", false},
    {Qt::Key_PageUp, 0, 11, "PageUp", false},
    {Qt::Key_PageDown, 0, 12, "PageDown", false},
};

// Characters beyond ASCII a keyboard or an input method types: accents, symbols, other
// scripts' digits, a character outside the basic plane, a combining mark, invisible ones.
constexpr const char16_t* kNonAscii[] = {
    u"é",      u"ß",      u"ü",      u"€",      u"中",     u"\U0001F600", u"٣",      u"５",
    u"\u0301", u"\u00a0", u"\u200b", u"\u2028", u"\u00bd", u"\u00b2",     u"\u03a9", u"\u00ad",
};

constexpr char kAsciiPrintable[] =
    " !\"#$%&'()*+,-./:;<=>?@ABCDEFGHIJKLMNOPQRSTUVWXYZ[\\]^_`abcdefghijklmnopqrstuvwxyz{|}~";

inline QString Digits(Random& random, int count) {
  QString digits;
  for (int i = 0; i < count; ++i) digits += QChar(u'0' + random.Below(10));
  return digits;
}

inline QString AnyCharacter(Random& random) {
  switch (random.Below(5)) {
    case 0:
    case 1:
      return Digits(random, 1);
    case 2:
      return QString(QChar(kAsciiPrintable[random.Below(sizeof kAsciiPrintable - 1)]));
    case 3:
      return QString::fromUtf16(random.Pick(kNonAscii));
    default: {
      constexpr char16_t kControls[] = {u'\t', u'\n', u'\r', 0x01, 0x1b, 0x7f};
      return QString(QChar(random.Pick(kControls)));
    }
  }
}

}  // namespace detail

// A printable ASCII character typed on its key, Shift for capitals.
inline KeyPress AsciiKey(char c) {
  KeyPress press;
  press.text = QString(QChar(c));
  press.keyDownText = std::string(1, c);
  if (c >= 'a' && c <= 'z') {
    press.key = static_cast<Qt::Key>(Qt::Key_A + (c - 'a'));
  } else if (c >= 'A' && c <= 'Z') {
    press.key = static_cast<Qt::Key>(Qt::Key_A + (c - 'A'));
    press.modifiers = Qt::ShiftModifier;
  } else {
    press.key = static_cast<Qt::Key>(c);  // Qt's keys for ASCII symbols are their codes
  }
  return press;
}

// Ctrl with a letter: the shortcut keys and the control characters they type.
inline KeyPress ControlKey(char letter) {
  KeyPress press;
  press.key = static_cast<Qt::Key>(Qt::Key_A + (letter - 'A'));
  press.modifiers = Qt::ControlModifier;
  press.text = QString(QChar(letter - 'A' + 1));
  press.keyDownText = std::string(1, static_cast<char>(letter - 'A' + 1));
  return press;
}

// Text that comes on a key of its own: a non-ASCII character, a raw control code, or
// several characters at once (an input method, a compose sequence).
inline KeyPress TextKey(const QString& text) {
  KeyPress press;
  press.text = text;
  press.keyDownText = text.toStdString();
  return press;
}

inline KeyPress RandomKey(Random& random) {
  const int kind = random.Below(100);
  if (kind < 30) return AsciiKey(static_cast<char>('0' + random.Below(10)));
  if (kind < 50) return AsciiKey(detail::kAsciiPrintable[random.Below(sizeof detail::kAsciiPrintable - 1)]);
  if (kind < 70) {
    const detail::NamedKey& named = random.Pick(detail::kNamedKeys);
    KeyPress press;
    press.key = named.key;
    if (named.typed) press.text = QString(QChar(named.typed));
    press.modifiers = named.shift ? Qt::ShiftModifier : Qt::NoModifier;
    press.keyDownText = std::string(1, named.code);
    press.name = named.name;
    return press;
  }
  if (kind < 78) {
    // Every letter but Q: Ctrl+Q quits, and the run ends with it on purpose.
    char letter = 'Q';
    while (letter == 'Q') letter = static_cast<char>('A' + random.Below(26));
    return ControlKey(letter);
  }
  if (kind < 83) {
    const int code = random.Below(33);
    return TextKey(QString(QChar(code == 32 ? 127 : code)));
  }
  if (kind < 92) return TextKey(QString::fromUtf16(random.Pick(detail::kNonAscii)));
  QString text = random.Percent(50) ? detail::Digits(random, 1) : detail::AnyCharacter(random);
  for (int i = random.Between(1, 4); i > 0; --i) text += detail::AnyCharacter(random);
  return TextKey(text);
}

// Text for the clipboard: numbers in every spelling, blanks, line breaks, huge numbers,
// words that other readers take for numbers, other scripts, and now and then a very long
// text or none at all.
inline QString RandomPasteText(Random& random) {
  const int kind = random.Below(100);
  if (kind < 3) return {};
  if (kind < 8) {
    QString text;
    const int length = random.Between(200, 20000);
    const bool digitsOnly = random.Percent(50);
    while (text.size() < length)
      text += digitsOnly ? detail::Digits(random, 1) : detail::AnyCharacter(random);
    return text;
  }
  static const char* const kWords[] = {
      "NaN",  "nan",   "-nan", "inf", "Infinity", "-INF", "0x1A", "1,5",   "1_000",  "null",
      "--5",  "+-3",   ".",    "e5",  "5e",       "1e+",  "..5",  "1.2.3", "\u221e", "\uff11\uff15\uff10",
      "true", "\u0663"};
  static const char* const kHuge[] = {"1e308",
                                      "1e309",
                                      "-1e400",
                                      "2147483648",
                                      "-2147483649",
                                      "4294967296",
                                      "9223372036854775808",
                                      "179769313486231570000000000000000000000000000000000"};
  static const char16_t* const kBreaks[] = {u"\n", u"\r\n", u"\r", u"\u2028", u"\u2029"};
  static const char* const kBlanks[] = {" ", "  ", "\t", " \t "};
  QString text;
  for (int pieces = random.Between(1, 4); pieces > 0; --pieces) {
    switch (random.Below(9)) {
      case 0:
      case 1:
        text += detail::Digits(random, random.Between(1, 6));
        break;
      case 2:
        if (random.Percent(60)) text += random.Percent(50) ? u'-' : u'+';
        text += detail::Digits(random, random.Between(0, 4));
        if (random.Percent(60)) text += u'.' + detail::Digits(random, random.Between(0, 3));
        break;
      case 3:
        text += detail::Digits(random, random.Between(1, 3));
        if (random.Percent(40)) text += u'.' + detail::Digits(random, random.Between(1, 2));
        text += random.Percent(50) ? u'e' : u'E';
        if (random.Percent(50)) text += random.Percent(50) ? u'-' : u'+';
        text += detail::Digits(random, random.Between(1, 3));
        break;
      case 4:
        text += QString::fromUtf8(random.Pick(kBlanks));
        break;
      case 5:
        text += QString::fromUtf16(random.Pick(kBreaks));
        break;
      case 6:
        text += random.Percent(50) ? QString::fromUtf8(random.Pick(kHuge))
                                   : QString(random.Between(10, 80), QChar(u'9'));
        break;
      case 7:
        text += QString::fromUtf8(random.Pick(kWords));
        break;
      default:
        text += detail::AnyCharacter(random);
        break;
    }
  }
  return text;
}

// A value a person might mean for a field: mostly near its valid range.
inline QString PlausibleValue(Random& random, int lowest, int highest) {
  const int span = highest - lowest;
  return QString::number(random.Between(std::max(lowest - 1 - span / 10, 0), highest + 1 + span / 10));
}

}  // namespace soak
