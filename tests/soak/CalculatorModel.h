#pragma once

#include <QString>
#include <algorithm>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "calculator/BodyMassIndex.h"
#include "platform/Builtins.h"
#include "support/CalculatorTexts.h"

namespace soak {

using velmora_test::kFeetMessage;
using velmora_test::kInchesMessage;
using velmora_test::kWeightMessage;

// What the calculator window shows beyond its fields: the result line and its text.
struct ResultLine {
  bool shown = false;
  std::string text;
};

// What pressing "Calculate" gives for the fields' texts: the message of the first check
// that fails, or the result line.
struct Calculation {
  std::optional<std::string> message;
  std::string line;
};

inline Calculation ExpectedCalculation(const std::string& weight, const std::string& feet,
                                       const std::string& inches) {
  struct Check {
    const std::string& text;
    std::int32_t lowest;
    std::int32_t highest;
    std::string_view message;
  };
  const Check checks[] = {
      {weight, 100, 300, kWeightMessage}, {feet, 4, 6, kFeetMessage}, {inches, 0, 11, kInchesMessage}};
  std::int32_t values[3] = {};
  for (int i = 0; i < 3; ++i) {
    values[i] = platform::RuntimeCvtReal64ToSInt32(platform::Val(checks[i].text));
    if (values[i] < checks[i].lowest || values[i] > checks[i].highest)
      return {std::string(checks[i].message), {}};
  }
  const velmora::BodyMassIndex index = velmora::ComputeBodyMassIndex(values[0], values[1] * 12 + values[2]);
  return {std::nullopt,
          platform::Format(index.index, "##.0") + ".  WHO/CDC category: " + std::string(index.category)};
}

// A field's text in characters (code points), as its limit counts them.
inline std::u32string Chars(const std::string& utf8) { return QString::fromStdString(utf8).toStdU32String(); }
inline std::string Utf8(const std::u32string& chars) {
  return QString::fromStdU32String(chars).toStdString();
}

// A calculator field as the model needs it before an event.
struct FieldState {
  std::u32string text;  // line breaks as carriage returns, as the field reports them
  std::int32_t selStart = 0;
  std::int32_t selLength = 0;
  std::int32_t limit = 0;
  bool multiline = false;
};

// Incoming text as a field takes it: every kind of line break (CR LF counting once) one
// break, reported as CR, and none at all in a single-line field.
inline std::u32string AsFieldTakesIt(const QString& incoming, bool multiline) {
  const std::u32string in = incoming.toStdU32String();
  std::u32string out;
  for (std::size_t i = 0; i < in.size(); ++i) {
    const char32_t c = in[i];
    if (c == U'\r' && i + 1 < in.size() && in[i + 1] == U'\n') continue;
    if (c == U'\r' || c == U'\n' || c == U'\u2028' || c == U'\u2029') {
      if (multiline) out.push_back(U'\r');
    } else {
      out.push_back(c);
    }
  }
  return out;
}

// What a field takes of typed or pasted text in place of its selection: as much as the
// limit leaves room for.
inline std::u32string Taken(const FieldState& field, const QString& incoming) {
  const auto length = static_cast<std::int32_t>(field.text.size());
  const std::int32_t room = std::max(field.limit - (length - field.selLength), 0);
  return AsFieldTakesIt(incoming, field.multiline).substr(0, room);
}

// The field after typed or pasted text replaced its selection; when none of the text
// fits, the field stays as it was.
inline std::u32string AfterInsert(const FieldState& field, const QString& incoming) {
  const std::u32string taken = Taken(field, incoming);
  if (taken.empty()) return field.text;
  return field.text.substr(0, field.selStart) + taken + field.text.substr(field.selStart + field.selLength);
}

// Whether the key filter lets a key's text through, told from its bytes alone: it sorts
// from "0" to "9", or it starts with an ASCII control character or delete (none at all
// counts as code 0).
inline bool FilterPasses(const std::string& key) {
  const std::string_view text(key);
  const int first = text.empty() ? 0 : static_cast<unsigned char>(text[0]);
  return (text >= "0" && text <= "9") || first < 32 || first == 127;
}

}  // namespace soak
