#include "platform/DesignRecord.h"

#include <algorithm>
#include <array>
#include <cstdio>

#include "platform/RuntimeException.h"

namespace platform {
namespace {

using namespace std::string_view_literals;

// Short names keep the tables one row per line of the layout they mirror.
constexpr PropertyType I = PropertyType::Int32;
constexpr PropertyType B = PropertyType::Boolean;
constexpr PropertyType C = PropertyType::Color;
constexpr PropertyType S = PropertyType::String;

constexpr PropertySpec kWindow[] = {
    {"Placement", I},
    {"Width", I},
    {"Height", I},
    {"MinWidth", I},
    {"MinHeight", I},
    {"MaxWidth", I},
    {"MaxHeight", I},
    {"Frame", I},
    {"Composite", B},
    {"HasBackColor", B},
    {"BackColor", C},
    {"Title", S},
    {"Visible", B},
    {"FullScreen", B},
    {"MenuBarVisible", B},
    {"CloseButton", B},
    {"Resizeable", B},
    {"LiveResize", B},
    {"MaximizeButton", B},
    {"MinimizeButton", B},
    {"MacProcID", I},
    {"_mInitialControlsCreated", I},
    {"Top", I},
    {"Left", I},
};

#define VELMORA_CONTROL_HEAD                                                                        \
  {"Name", S}, {"Index", I}, {"Left", I}, {"Top", I}, {"Width", I}, {"Height", I}, {"LockLeft", B}, \
      {"LockTop", B}, {"LockRight", B}, {"LockBottom", B}, {                                        \
    "TabPanelIndex", I                                                                              \
  }

constexpr PropertySpec kRoundRectangle[] = {
    VELMORA_CONTROL_HEAD, {"Visible", B},    {"HelpTag", S},       {"AutoDeactivate", B},
    {"Enabled", B},       {"FillColor", C},  {"BorderWidth", I},   {"BorderColor", C},
    {"OvalWidth", I},     {"OvalHeight", I}, {"InitialParent", S},
};

constexpr PropertySpec kStaticText[] = {
    VELMORA_CONTROL_HEAD, {"TabIndex", I},  {"Text", S},          {"TextAlign", I}, {"TextColor", C},
    {"Multiline", B},     {"Enabled", B},   {"Visible", B},       {"HelpTag", S},   {"AutoDeactivate", B},
    {"TextFont", S},      {"TextSize", I},  {"Bold", B},          {"Italic", B},    {"Underline", B},
    {"DataSource", S},    {"DataField", S}, {"InitialParent", S},
};

constexpr PropertySpec kTextArea[] = {
    VELMORA_CONTROL_HEAD,
    {"TabIndex", I},
    {"TabStop", B},
    {"Border", B},
    {"Multiline", B},
    {"ScrollbarHorizontal", B},
    {"ScrollbarVertical", B},
    {"Styled", B},
    {"UseFocusRing", B},
    {"TextColor", C},
    {"BackColor", C},
    {"Enabled", B},
    {"Format", S},
    {"Visible", B},
    {"HelpTag", S},
    {"AutoDeactivate", B},
    {"HideSelection", B},
    {"TextFont", S},
    {"TextSize", I},
    {"Bold", B},
    {"Italic", B},
    {"Underline", B},
    {"Text", S},
    {"Mask", S},
    {"ReadOnly", B},
    {"LimitText", I},
    {"AcceptTabs", B},
    {"Alignment", I},
    {"DataSource", S},
    {"DataField", S},
    {"InitialParent", S},
};

constexpr PropertySpec kPushButton[] = {
    VELMORA_CONTROL_HEAD, {"TabIndex", I},       {"TabStop", B},   {"Caption", S},
    {"Default", B},       {"Cancel", B},         {"Enabled", B},   {"Visible", B},
    {"HelpTag", S},       {"AutoDeactivate", B}, {"TextFont", S},  {"TextSize", I},
    {"Bold", B},          {"Italic", B},         {"Underline", B}, {"InitialParent", S},
};

constexpr PropertySpec kCanvas[] = {
    VELMORA_CONTROL_HEAD, {"TabIndex", I},       {"TabStop", B},      {"Visible", B},
    {"HelpTag", S},       {"AutoDeactivate", B}, {"Enabled", B},      {"UseFocusRing", B},
    {"AcceptFocus", B},   {"AcceptTabs", B},     {"DoubleBuffer", B}, {"EraseBackground", B},
    {"InitialParent", S},
};

#undef VELMORA_CONTROL_HEAD

constexpr PropertySpec kTimer[] = {{"Mode", I}, {"Period", I}};

// What each kind accepts but does not use here, and the values it supports alone. Windows
// never resize, so sizes limits, locks and live resizing change nothing; a window's menu
// bar always lies in the window (only a full-screen window could do without it, and no
// window is one), so MenuBarVisible changes nothing either.
constexpr std::string_view kWindowNoEffect[] = {
    "MinWidth",   "MinHeight", "MaxWidth",
    "MaxHeight",  "Composite", "MenuBarVisible",
    "LiveResize", "MacProcID", "_mInitialControlsCreated",
    "Top",        "Left",
};
constexpr RecordEntry kWindowOnly[] = {
    {"Placement", 0},          {"FullScreen", false},    {"Resizeable", false},
    {"MaximizeButton", false}, {"MinimizeButton", true},
};
// Frames: 0 and 1 have a title bar, 2 is a plain box.
constexpr PropertyRange kWindowRanges[] = {{"Frame", 0, 2}};

// Every control: no control arrays, no tab panels, and deactivation is the desktop's.
#define VELMORA_CONTROL_NO_EFFECT "LockLeft", "LockTop", "LockRight", "LockBottom", "AutoDeactivate"
#define VELMORA_CONTROL_ONLY \
  {"Index", kNoControlIndex}, {"TabPanelIndex", 0}, { "TabStop", true }
// Text controls: no record sets a face italic or underlined.
#define VELMORA_FONT_ONLY \
  {"Italic", false}, { "Underline", false }

constexpr std::string_view kControlNoEffect[] = {VELMORA_CONTROL_NO_EFFECT};
// A rounded rectangle has no TabStop.
constexpr RecordEntry kRoundRectangleOnly[] = {{"Index", kNoControlIndex}, {"TabPanelIndex", 0}};
constexpr RecordEntry kStaticTextOnly[] = {{"Index", kNoControlIndex}, {"TabPanelIndex", 0},
                                           VELMORA_FONT_ONLY,          {"Multiline", false},
                                           {"DataSource", ""sv},       {"DataField", ""sv}};
constexpr RecordEntry kTextAreaOnly[] = {
    VELMORA_CONTROL_ONLY,           VELMORA_FONT_ONLY,    {"Border", true},
    {"ScrollbarHorizontal", false}, {"Format", ""sv},     {"Mask", ""sv},
    {"AcceptTabs", false},          {"DataSource", ""sv}, {"DataField", ""sv}};
constexpr RecordEntry kPushButtonOnly[] = {
    VELMORA_CONTROL_ONLY, VELMORA_FONT_ONLY, {"Default", false}, {"Cancel", false}};
// A canvas never takes the focus, so nothing about focus or its painting flags matters.
constexpr std::string_view kCanvasNoEffect[] = {VELMORA_CONTROL_NO_EFFECT, "UseFocusRing", "AcceptTabs",
                                                "DoubleBuffer", "EraseBackground"};
constexpr RecordEntry kCanvasOnly[] = {VELMORA_CONTROL_ONLY, {"AcceptFocus", false}};
constexpr RecordEntry kTimerOnly[] = {{"Mode", 1}};
// Alignments: flush left, centred, flush right.
constexpr PropertyRange kStaticTextRanges[] = {{"TextAlign", 0, 2}};
constexpr PropertyRange kTimerRanges[] = {{"Period", 0, INT32_MAX}};

#undef VELMORA_CONTROL_NO_EFFECT
#undef VELMORA_CONTROL_ONLY
#undef VELMORA_FONT_ONLY

static_assert(std::size(kWindow) == 24);
static_assert(std::size(kRoundRectangle) == 21);
static_assert(std::size(kStaticText) == 28);
static_assert(std::size(kTextArea) == 41);
static_assert(std::size(kPushButton) == 26);
static_assert(std::size(kCanvas) == 23);

void PutBigEndian(std::string& out, std::uint32_t value) {
  for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<char>((value >> shift) & 0xFF));
}

// A table's value as a record would hand it on.
PropertyValue ValueOf(const RecordValue& written) {
  return std::visit(
      [](const auto& value) -> PropertyValue {
        if constexpr (std::is_same_v<std::decay_t<decltype(value)>, std::string_view>) {
          return std::string(value);
        } else {
          return value;
        }
      },
      written);
}

// A value as a message shows it: numbers in decimal, colours as &hRRGGBB, texts quoted.
std::string Shown(const PropertyValue& value) {
  return std::visit(
      [](const auto& v) -> std::string {
        using T = std::decay_t<decltype(v)>;
        if constexpr (std::is_same_v<T, std::int32_t>) {
          return std::to_string(v);
        } else if constexpr (std::is_same_v<T, bool>) {
          return v ? "true" : "false";
        } else if constexpr (std::is_same_v<T, Color>) {
          char text[] = "&h000000";
          std::snprintf(text + 2, sizeof text - 2, "%06X", static_cast<unsigned>(v.Rgb()));
          return text;
        } else {
          return "\"" + std::string(v) + "\"";
        }
      },
      value);
}

std::string Describe(std::string_view name, std::size_t offset) {
  return "property \"" + std::string(name) + "\" at byte " + std::to_string(offset);
}

// Reads a record from front to back; every read checks the bytes left first.
class Cursor {
 public:
  explicit Cursor(std::string_view bytes) : bytes_(bytes) {}

  bool AtEnd() const { return pos_ == bytes_.size(); }
  std::size_t Offset() const { return pos_; }

  std::string_view Name() {
    const std::size_t start = pos_;
    while (pos_ < bytes_.size() && IsNameChar(bytes_[pos_])) ++pos_;
    const std::string_view name = bytes_.substr(start, pos_ - start);
    if (name.empty()) Fail("a property name expected at byte " + std::to_string(start));
    if (pos_ >= bytes_.size() || bytes_[pos_] != ' ') Fail("no space after " + Describe(name, start));
    ++pos_;
    return name;
  }

  PropertyValue Value(const PropertySpec& spec, std::size_t entryOffset) {
    switch (spec.type) {
      case PropertyType::Int32:
        return static_cast<std::int32_t>(Word(spec, entryOffset));
      case PropertyType::Boolean: {
        const auto byte = static_cast<unsigned char>(Take(1, spec, entryOffset)[0]);
        if (byte > 1) Fail("a Boolean other than 0 or 1 in " + Describe(spec.name, entryOffset));
        return byte == 1;
      }
      case PropertyType::Color: {
        const std::string_view rgb = Take(3, spec, entryOffset);
        return platform::Color(static_cast<std::uint8_t>(rgb[0]), static_cast<std::uint8_t>(rgb[1]),
                               static_cast<std::uint8_t>(rgb[2]));
      }
      case PropertyType::String: {
        const std::uint32_t length = Word(spec, entryOffset);
        return std::string(Take(length, spec, entryOffset));
      }
    }
    Fail("an unknown type for " + Describe(spec.name, entryOffset));
  }

 private:
  static bool IsNameChar(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_';
  }

  [[noreturn]] static void Fail(const std::string& what) {
    throw RuntimeException("Malformed design record: " + what + ".");
  }

  std::uint32_t Word(const PropertySpec& spec, std::size_t entryOffset) {
    const std::string_view b = Take(4, spec, entryOffset);
    std::uint32_t value = 0;
    for (char c : b) value = (value << 8) | static_cast<unsigned char>(c);
    return value;
  }

  std::string_view Take(std::size_t count, const PropertySpec& spec, std::size_t entryOffset) {
    if (count > bytes_.size() - pos_)
      Fail("the value of " + Describe(spec.name, entryOffset) + " is cut short");
    const std::string_view taken = bytes_.substr(pos_, count);
    pos_ += count;
    return taken;
  }

  std::string_view bytes_;
  std::size_t pos_ = 0;
};

}  // namespace

const PropertySpec* PropertyTable::Find(std::string_view name) const {
  for (const PropertySpec& spec : properties)
    if (spec.name == name) return &spec;
  return nullptr;
}

bool PropertyTable::Applies(std::string_view name) const {
  return std::find(noEffect.begin(), noEffect.end(), name) == noEffect.end() &&
         std::none_of(only.begin(), only.end(),
                      [name](const RecordEntry& entry) { return entry.name == name; });
}

const PropertyTable& WindowProperties() {
  static const PropertyTable table{"Window", kWindow, kWindowNoEffect, kWindowOnly, kWindowRanges};
  return table;
}
const PropertyTable& RoundRectangleProperties() {
  static const PropertyTable table{
      "RoundRectangle", kRoundRectangle, kControlNoEffect, kRoundRectangleOnly, {}};
  return table;
}
const PropertyTable& StaticTextProperties() {
  static const PropertyTable table{"StaticText", kStaticText, kControlNoEffect, kStaticTextOnly,
                                   kStaticTextRanges};
  return table;
}
const PropertyTable& TextAreaProperties() {
  static const PropertyTable table{"TextArea", kTextArea, kControlNoEffect, kTextAreaOnly, {}};
  return table;
}
const PropertyTable& PushButtonProperties() {
  static const PropertyTable table{"PushButton", kPushButton, kControlNoEffect, kPushButtonOnly, {}};
  return table;
}
const PropertyTable& CanvasProperties() {
  static const PropertyTable table{"Canvas", kCanvas, kCanvasNoEffect, kCanvasOnly, {}};
  return table;
}
const PropertyTable& TimerProperties() {
  static const PropertyTable table{"Timer", kTimer, {}, kTimerOnly, kTimerRanges};
  return table;
}

std::string WriteRecord(std::span<const RecordEntry> entries) {
  std::string out;
  for (const RecordEntry& entry : entries) {
    out.append(entry.name);
    out.push_back(' ');
    std::visit(
        [&out](const auto& value) {
          using T = std::decay_t<decltype(value)>;
          if constexpr (std::is_same_v<T, std::int32_t>) {
            PutBigEndian(out, static_cast<std::uint32_t>(value));
          } else if constexpr (std::is_same_v<T, bool>) {
            out.push_back(value ? '\1' : '\0');
          } else if constexpr (std::is_same_v<T, Color>) {
            out.push_back(static_cast<char>(value.red));
            out.push_back(static_cast<char>(value.green));
            out.push_back(static_cast<char>(value.blue));
          } else {
            PutBigEndian(out, static_cast<std::uint32_t>(value.size()));
            out.append(value);
          }
        },
        entry.value);
  }
  return out;
}

std::vector<std::pair<std::string, PropertyValue>> ReadRecord(std::string_view record,
                                                              const PropertyTable& table) {
  std::vector<std::pair<std::string, PropertyValue>> entries;
  Cursor cursor(record);
  while (!cursor.AtEnd()) {
    const std::size_t entryOffset = cursor.Offset();
    const std::string_view name = cursor.Name();
    const PropertySpec* spec = table.Find(name);
    if (!spec)
      throw RuntimeException("Malformed design record: " + std::string(table.kind) + " has no " +
                             Describe(name, entryOffset) + ".");
    entries.emplace_back(std::string(name), cursor.Value(*spec, entryOffset));
  }
  return entries;
}

void SetProperties(PropertyTarget& target, std::string_view record) {
  const PropertyTable& table = target.Properties();
  // Decode and check everything first, so a malformed or refused record changes nothing.
  const auto entries = ReadRecord(record, table);
  for (const auto& [name, value] : entries) {
    const std::string_view property = name;  // a structured binding cannot be captured
    const auto only = std::find_if(table.only.begin(), table.only.end(),
                                   [property](const RecordEntry& entry) { return entry.name == property; });
    if (only != table.only.end() && value != ValueOf(only->value))
      throw RuntimeException(std::string(table.kind) + " property \"" + name + "\" cannot be " +
                             Shown(value) + " here: only " + Shown(ValueOf(only->value)) + " is supported.");
    const auto range = std::find_if(table.ranges.begin(), table.ranges.end(),
                                    [property](const PropertyRange& r) { return r.name == property; });
    if (range == table.ranges.end()) continue;
    const std::int32_t number = std::get<std::int32_t>(value);
    if (number < range->min || number > range->max)
      throw RuntimeException(std::string(table.kind) + " property \"" + name + "\" cannot be " +
                             Shown(value) + " here: only " + std::to_string(range->min) +
                             (range->max == INT32_MAX ? " or more" : " to " + std::to_string(range->max)) +
                             " are supported.");
  }
  for (const auto& [name, value] : entries)
    if (table.Applies(name)) target.SetProperty(name, value);
}

}  // namespace platform
