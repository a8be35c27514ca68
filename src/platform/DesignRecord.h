#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <variant>
#include <vector>

#include "platform/Color.h"

namespace platform {

// A design record is a byte string of entries: a property name, one space, and a
// value whose width follows from the property's type alone (Int32: 4 bytes, most
// significant first; Boolean: 1 byte; Color: 3 bytes R, G, B; String: a 4-byte
// length, most significant first, then that many bytes of UTF-8).

enum class PropertyType { Int32, Boolean, Color, String };

// A value read from a record.
using PropertyValue = std::variant<std::int32_t, bool, Color, std::string>;

// A value in a record table written in code; string values are literals.
using RecordValue = std::variant<std::int32_t, bool, Color, std::string_view>;

// One row of a record table: the property and its value.
struct RecordEntry {
  std::string_view name;
  RecordValue value;
};

// Smallest Int32: marks a control that is not part of a control array.
inline constexpr std::int32_t kNoControlIndex = INT32_MIN;

struct PropertySpec {
  std::string_view name;
  PropertyType type;
};

// The Int32 values a property supports, `min` to `max` inclusive; a `max` of INT32_MAX
// leaves the range open above.
struct PropertyRange {
  std::string_view name;
  std::int32_t min;
  std::int32_t max;
};

// The properties an object kind accepts, in the order its records list them. Every
// record is read and checked whole; `noEffect` names properties that nothing here reads,
// `only` gives the one value this framework supports for a property and `ranges` the
// values it supports for an Int32: a record with another value is refused rather than
// half-supported.
struct PropertyTable {
  std::string_view kind;
  std::span<const PropertySpec> properties;
  std::span<const std::string_view> noEffect;
  std::span<const RecordEntry> only;
  std::span<const PropertyRange> ranges;

  const PropertySpec* Find(std::string_view name) const;
  // Whether the kind hands this property to its objects at all.
  bool Applies(std::string_view name) const;
};

// The tables of every kind of object that takes a record.
const PropertyTable& WindowProperties();
const PropertyTable& RoundRectangleProperties();
const PropertyTable& StaticTextProperties();
const PropertyTable& TextAreaProperties();
const PropertyTable& PushButtonProperties();
const PropertyTable& CanvasProperties();
const PropertyTable& TimerProperties();

// Encodes a table's rows as a record, in row order. The encoding follows each
// value's own type; ReadRecord checks it against the kind.
std::string WriteRecord(std::span<const RecordEntry> entries);

// Decodes a record against a kind's table, in record order. A malformed record
// (a name the kind does not have, a value cut short, a stray byte) raises a
// RuntimeException naming the property and the byte offset; nothing outside
// the record is read.
std::vector<std::pair<std::string, PropertyValue>> ReadRecord(std::string_view record,
                                                              const PropertyTable& table);

// Something a record can be applied to: a window or a control.
class PropertyTarget {
 public:
  virtual ~PropertyTarget() = default;
  virtual const PropertyTable& Properties() const = 0;
  // Sets one property; the value's type always matches the table, and a value with a
  // range in the table lies in it.
  virtual void SetProperty(std::string_view name, const PropertyValue& value) = 0;
};

// Reads the record, refuses it whole (RuntimeException naming the property and the
// value) when a value is not the only one supported or lies outside its range, then
// sets each property that has an effect on the target, in record order.
void SetProperties(PropertyTarget& target, std::string_view record);

}  // namespace platform
