#include "support/Records.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace velmora_test {
namespace {

using namespace std::string_view_literals;

// The properties every visible control's record begins with.
Entries Head(std::string_view name, int left, int top, int width, int height) {
  return {{"Name", name},       {"Index", platform::kNoControlIndex},
          {"Left", left},       {"Top", top},
          {"Width", width},     {"Height", height},
          {"LockLeft", false},  {"LockTop", false},
          {"LockRight", false}, {"LockBottom", false},
          {"TabPanelIndex", 0}};
}

Entries Concat(Entries head, std::initializer_list<platform::RecordEntry> tail) {
  head.insert(head.end(), tail.begin(), tail.end());
  return head;
}

}  // namespace

Entries With(Entries record, std::initializer_list<platform::RecordEntry> changes) {
  for (const platform::RecordEntry& change : changes) {
    const auto found = std::find_if(record.begin(), record.end(), [&change](const platform::RecordEntry& e) {
      return e.name == change.name;
    });
    if (found == record.end()) {
      ADD_FAILURE() << "the record has no property " << change.name;
    } else {
      found->value = change.value;
    }
  }
  return record;
}

Entries WindowRecord() {
  return {{"Placement", 0},
          {"Width", kWindowWidth},
          {"Height", kWindowHeight},
          {"MinWidth", 64},
          {"MinHeight", 64},
          {"MaxWidth", 32000},
          {"MaxHeight", 32000},
          {"Frame", 0},
          {"Composite", false},
          {"HasBackColor", true},
          {"BackColor", platform::Color(0xFFFFFF)},
          {"Title", "Controls"sv},
          {"Visible", true},
          {"FullScreen", false},
          {"MenuBarVisible", false},
          {"CloseButton", true},
          {"Resizeable", false},
          {"LiveResize", false},
          {"MaximizeButton", false},
          {"MinimizeButton", true},
          {"MacProcID", 0},
          {"_mInitialControlsCreated", 0},
          {"Top", 0},
          {"Left", 0}};
}

Entries RoundRectangleRecord(std::string_view name, int left, int top, int width, int height) {
  return Concat(Head(name, left, top, width, height), {{"Visible", true},
                                                       {"HelpTag", ""sv},
                                                       {"AutoDeactivate", true},
                                                       {"Enabled", true},
                                                       {"FillColor", platform::Color(0xE6E6E6)},
                                                       {"BorderWidth", 1},
                                                       {"BorderColor", platform::Color(0x000000)},
                                                       {"OvalWidth", 16},
                                                       {"OvalHeight", 16},
                                                       {"InitialParent", ""sv}});
}

Entries StaticTextRecord(std::string_view name, int left, int top, int width, int height) {
  return Concat(Head(name, left, top, width, height), {{"TabIndex", 0},
                                                       {"Text", ""sv},
                                                       {"TextAlign", 0},
                                                       {"TextColor", platform::Color(0x000000)},
                                                       {"Multiline", false},
                                                       {"Enabled", true},
                                                       {"Visible", true},
                                                       {"HelpTag", ""sv},
                                                       {"AutoDeactivate", true},
                                                       {"TextFont", "System"sv},
                                                       {"TextSize", 14},
                                                       {"Bold", false},
                                                       {"Italic", false},
                                                       {"Underline", false},
                                                       {"DataSource", ""sv},
                                                       {"DataField", ""sv},
                                                       {"InitialParent", ""sv}});
}

Entries TextAreaRecord(std::string_view name, int left, int top, int width, int height) {
  return Concat(Head(name, left, top, width, height), {{"TabIndex", 0},
                                                       {"TabStop", true},
                                                       {"Border", true},
                                                       {"Multiline", false},
                                                       {"ScrollbarHorizontal", false},
                                                       {"ScrollbarVertical", false},
                                                       {"Styled", true},
                                                       {"UseFocusRing", true},
                                                       {"TextColor", platform::Color(0x000000)},
                                                       {"BackColor", platform::Color(0xFFFFFF)},
                                                       {"Enabled", true},
                                                       {"Format", ""sv},
                                                       {"Visible", true},
                                                       {"HelpTag", ""sv},
                                                       {"AutoDeactivate", true},
                                                       {"HideSelection", true},
                                                       {"TextFont", "Courier"sv},
                                                       {"TextSize", 14},
                                                       {"Bold", false},
                                                       {"Italic", false},
                                                       {"Underline", false},
                                                       {"Text", ""sv},
                                                       {"Mask", ""sv},
                                                       {"ReadOnly", false},
                                                       {"LimitText", 0},
                                                       {"AcceptTabs", false},
                                                       {"Alignment", 0},
                                                       {"DataSource", ""sv},
                                                       {"DataField", ""sv},
                                                       {"InitialParent", ""sv}});
}

Entries PushButtonRecord(std::string_view name, int left, int top, int width, int height) {
  return Concat(Head(name, left, top, width, height), {{"TabIndex", 0},
                                                       {"TabStop", true},
                                                       {"Caption", "OK"sv},
                                                       {"Default", false},
                                                       {"Cancel", false},
                                                       {"Enabled", true},
                                                       {"Visible", true},
                                                       {"HelpTag", ""sv},
                                                       {"AutoDeactivate", true},
                                                       {"TextFont", "System"sv},
                                                       {"TextSize", 12},
                                                       {"Bold", false},
                                                       {"Italic", false},
                                                       {"Underline", false},
                                                       {"InitialParent", ""sv}});
}

Entries CanvasRecord(std::string_view name, int left, int top, int width, int height) {
  return Concat(Head(name, left, top, width, height), {{"TabIndex", 0},
                                                       {"TabStop", true},
                                                       {"Visible", true},
                                                       {"HelpTag", ""sv},
                                                       {"AutoDeactivate", true},
                                                       {"Enabled", true},
                                                       {"UseFocusRing", true},
                                                       {"AcceptFocus", false},
                                                       {"AcceptTabs", false},
                                                       {"DoubleBuffer", false},
                                                       {"EraseBackground", true},
                                                       {"InitialParent", ""sv}});
}

}  // namespace velmora_test
