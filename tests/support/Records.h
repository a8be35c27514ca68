#pragma once

#include <initializer_list>
#include <string_view>
#include <vector>

#include "platform/DesignRecord.h"

// Design records for the windows and controls that tests make, in the order the system's
// own records list their properties, with every property at a plain default.
namespace velmora_test {

using Entries = std::vector<platform::RecordEntry>;

constexpr int kWindowWidth = 680;
constexpr int kWindowHeight = 300;

// The record with some of its values replaced; the order stays the record's.
Entries With(Entries record, std::initializer_list<platform::RecordEntry> changes);

// A visible document window of kWindowWidth by kWindowHeight, titled "Controls".
Entries WindowRecord();

Entries RoundRectangleRecord(std::string_view name, int left, int top, int width, int height);
Entries StaticTextRecord(std::string_view name, int left, int top, int width, int height);
Entries TextAreaRecord(std::string_view name, int left, int top, int width, int height);
Entries PushButtonRecord(std::string_view name, int left, int top, int width, int height);
Entries CanvasRecord(std::string_view name, int left, int top, int width, int height);

}  // namespace velmora_test
