#include "calculator/ControlWnd.h"

#include <array>
#include <string>
#include <string_view>

#include "calculator/BodyMassIndex.h"
#include "calculator/KeyFilter.h"
#include "infowindows/AboutWnd.h"
#include "infowindows/DescriptionWnd.h"
#include "platform/Builtins.h"
#include "platform/Canvas.h"
#include "platform/Color.h"
#include "platform/Delegate.h"
#include "platform/DesignRecord.h"
#include "platform/NilObjectException.h"
#include "platform/PushButton.h"
#include "platform/RoundRectangle.h"
#include "platform/StaticText.h"
#include "platform/TextArea.h"
#include "resources/Texts.h"
#include "shell/ControlCreation.h"
#include "shell/MenuItemAccessors.h"
#include "shell/Pictures.h"

namespace velmora {
namespace {

using platform::Color;
using platform::kNoControlIndex;
using platform::RecordEntry;
using namespace std::string_view_literals;

// The names the controls are registered and found under.
constexpr std::string_view kRoundRectangle1 = "RoundRectangle1";
constexpr std::string_view kStaticText5 = "StaticText5";
constexpr std::string_view kStaticText6 = "StaticText6";
constexpr std::string_view kFeetFld = "FeetFld";
constexpr std::string_view kStaticText4 = "StaticText4";
constexpr std::string_view kStaticText2 = "StaticText2";
constexpr std::string_view kInchFld = "InchFld";
constexpr std::string_view kWeightFld = "WeightFld";
constexpr std::string_view kStaticText1 = "StaticText1";
constexpr std::string_view kClearBtn = "ClearBtn";
constexpr std::string_view kCalculateBtn = "CalculateBtn";
constexpr std::string_view kStaticText7 = "StaticText7";
constexpr std::string_view kCanvas3 = "Canvas3";
constexpr std::string_view kStaticText8 = "StaticText8";
constexpr std::string_view kInfoBtn = "InfoBtn";
constexpr std::string_view kBMIText = "BMIText";
constexpr std::string_view kBMIFld = "BMIFld";

constexpr Color kWhite(0xFFFFFFu);
constexpr Color kBlack(0x000000u);
constexpr Color kDarkRed(0x800000u);
constexpr Color kLightGrey(0xE6E6E6u);

constexpr RecordEntry kWindowRecord[] = {
    {"Placement", 0},
    {"Width", 680},
    {"Height", 300},
    {"MinWidth", 64},
    {"MinHeight", 64},
    {"MaxWidth", 700},
    {"MaxHeight", 600},
    {"Frame", 0},
    {"Composite", false},
    {"HasBackColor", true},
    {"BackColor", kWhite},
    {"Title", "Velmora"sv},
    {"Visible", true},
    {"FullScreen", false},
    {"MenuBarVisible", true},
    {"CloseButton", true},
    {"Resizeable", false},
    {"LiveResize", false},
    {"MaximizeButton", false},
    {"MinimizeButton", true},
    {"MacProcID", 0},
    {"_mInitialControlsCreated", 0},
    {"Top", 0},
    {"Left", 0},
};
static_assert(std::size(kWindowRecord) == 24);

// 1: the input panel; the labels and fields after it lie inside it.
constexpr RecordEntry kRoundRectangle1Record[] = {
    {"Name", kRoundRectangle1},
    {"Index", kNoControlIndex},
    {"Left", 50},
    {"Top", 86},
    {"Width", 600},
    {"Height", 52},
    {"LockLeft", false},
    {"LockTop", false},
    {"LockRight", false},
    {"LockBottom", false},
    {"TabPanelIndex", 0},
    {"Visible", true},
    {"HelpTag", ""sv},
    {"AutoDeactivate", true},
    {"Enabled", true},
    {"FillColor", kLightGrey},
    {"BorderWidth", 1},
    {"BorderColor", kBlack},
    {"OvalWidth", 16},
    {"OvalHeight", 16},
    {"InitialParent", ""sv},
};
static_assert(std::size(kRoundRectangle1Record) == 21);

// 2
constexpr RecordEntry kStaticText5Record[] = {
    {"Name", kStaticText5},
    {"Index", kNoControlIndex},
    {"Left", 249},
    {"Top", 100},
    {"Width", 47},
    {"Height", 20},
    {"LockLeft", false},
    {"LockTop", false},
    {"LockRight", false},
    {"LockBottom", false},
    {"TabPanelIndex", 0},
    {"TabIndex", 0},
    {"Text", "Inches"sv},
    {"TextAlign", 2},
    {"TextColor", kDarkRed},
    {"Multiline", false},
    {"Enabled", true},
    {"Visible", true},
    {"HelpTag", ""sv},
    {"AutoDeactivate", true},
    {"TextFont", "System"sv},
    {"TextSize", 14},
    {"Bold", true},
    {"Italic", false},
    {"Underline", false},
    {"DataSource", ""sv},
    {"DataField", ""sv},
    {"InitialParent", kRoundRectangle1},
};
static_assert(std::size(kStaticText5Record) == 28);

// 3
constexpr RecordEntry kStaticText6Record[] = {
    {"Name", kStaticText6},
    {"Index", kNoControlIndex},
    {"Left", 197},
    {"Top", 100},
    {"Width", 54},
    {"Height", 20},
    {"LockLeft", false},
    {"LockTop", false},
    {"LockRight", false},
    {"LockBottom", false},
    {"TabPanelIndex", 0},
    {"TabIndex", 1},
    {"Text", "and"sv},
    {"TextAlign", 1},
    {"TextColor", kDarkRed},
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
    {"InitialParent", kRoundRectangle1},
};
static_assert(std::size(kStaticText6Record) == 28);

// 4
constexpr RecordEntry kFeetFldRecord[] = {
    {"Name", kFeetFld},
    {"Index", kNoControlIndex},
    {"Left", 151},
    {"Top", 100},
    {"Width", 40},
    {"Height", 20},
    {"LockLeft", true},
    {"LockTop", true},
    {"LockRight", true},
    {"LockBottom", false},
    {"TabPanelIndex", 0},
    {"TabIndex", 2},
    {"TabStop", true},
    {"Border", true},
    {"Multiline", false},
    {"ScrollbarHorizontal", false},
    {"ScrollbarVertical", false},
    {"Styled", true},
    {"UseFocusRing", true},
    {"TextColor", kBlack},
    {"BackColor", kWhite},
    {"Enabled", true},
    {"Format", ""sv},
    {"Visible", true},
    {"HelpTag", "Height in feet of 4 to 6"sv},
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
    {"LimitText", 1},
    {"AcceptTabs", false},
    {"Alignment", 2},
    {"DataSource", ""sv},
    {"DataField", ""sv},
    {"InitialParent", kRoundRectangle1},
};
static_assert(std::size(kFeetFldRecord) == 41);

// 5
constexpr RecordEntry kStaticText4Record[] = {
    {"Name", kStaticText4},
    {"Index", kNoControlIndex},
    {"Left", 112},
    {"Top", 100},
    {"Width", 35},
    {"Height", 20},
    {"LockLeft", false},
    {"LockTop", false},
    {"LockRight", false},
    {"LockBottom", false},
    {"TabPanelIndex", 0},
    {"TabIndex", 3},
    {"Text", "Feet"sv},
    {"TextAlign", 2},
    {"TextColor", kDarkRed},
    {"Multiline", false},
    {"Enabled", true},
    {"Visible", true},
    {"HelpTag", ""sv},
    {"AutoDeactivate", true},
    {"TextFont", "System"sv},
    {"TextSize", 14},
    {"Bold", true},
    {"Italic", false},
    {"Underline", false},
    {"DataSource", ""sv},
    {"DataField", ""sv},
    {"InitialParent", kRoundRectangle1},
};
static_assert(std::size(kStaticText4Record) == 28);

// 6
constexpr RecordEntry kStaticText2Record[] = {
    {"Name", kStaticText2},
    {"Index", kNoControlIndex},
    {"Left", 61},
    {"Top", 100},
    {"Width", 54},
    {"Height", 20},
    {"LockLeft", false},
    {"LockTop", false},
    {"LockRight", false},
    {"LockBottom", false},
    {"TabPanelIndex", 0},
    {"TabIndex", 4},
    {"Text", "Height:"sv},
    {"TextAlign", 0},
    {"TextColor", kDarkRed},
    {"Multiline", false},
    {"Enabled", true},
    {"Visible", true},
    {"HelpTag", ""sv},
    {"AutoDeactivate", true},
    {"TextFont", "System"sv},
    {"TextSize", 14},
    {"Bold", true},
    {"Italic", false},
    {"Underline", false},
    {"DataSource", ""sv},
    {"DataField", ""sv},
    {"InitialParent", kRoundRectangle1},
};
static_assert(std::size(kStaticText2Record) == 28);

// 7: the only multi-line and the only unstyled field.
constexpr RecordEntry kInchFldRecord[] = {
    {"Name", kInchFld},
    {"Index", kNoControlIndex},
    {"Left", 301},
    {"Top", 101},
    {"Width", 40},
    {"Height", 20},
    {"LockLeft", true},
    {"LockTop", true},
    {"LockRight", true},
    {"LockBottom", false},
    {"TabPanelIndex", 0},
    {"TabIndex", 5},
    {"TabStop", true},
    {"Border", true},
    {"Multiline", true},
    {"ScrollbarHorizontal", false},
    {"ScrollbarVertical", false},
    {"Styled", false},
    {"UseFocusRing", true},
    {"TextColor", kBlack},
    {"BackColor", kWhite},
    {"Enabled", true},
    {"Format", ""sv},
    {"Visible", true},
    {"HelpTag", "Height in inches of 0-11"sv},
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
    {"LimitText", 2},
    {"AcceptTabs", false},
    {"Alignment", 2},
    {"DataSource", ""sv},
    {"DataField", ""sv},
    {"InitialParent", kRoundRectangle1},
};
static_assert(std::size(kInchFldRecord) == 41);

// 8
constexpr RecordEntry kWeightFldRecord[] = {
    {"Name", kWeightFld},
    {"Index", kNoControlIndex},
    {"Left", 590},
    {"Top", 101},
    {"Width", 40},
    {"Height", 20},
    {"LockLeft", true},
    {"LockTop", true},
    {"LockRight", true},
    {"LockBottom", false},
    {"TabPanelIndex", 0},
    {"TabIndex", 6},
    {"TabStop", true},
    {"Border", true},
    {"Multiline", false},
    {"ScrollbarHorizontal", false},
    {"ScrollbarVertical", false},
    {"Styled", true},
    {"UseFocusRing", true},
    {"TextColor", kBlack},
    {"BackColor", kWhite},
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
    {"LimitText", 3},
    {"AcceptTabs", false},
    {"Alignment", 2},
    {"DataSource", ""sv},
    {"DataField", ""sv},
    {"InitialParent", kRoundRectangle1},
};
static_assert(std::size(kWeightFldRecord) == 41);

// 9
constexpr RecordEntry kStaticText1Record[] = {
    {"Name", kStaticText1},
    {"Index", kNoControlIndex},
    {"Left", 458},
    {"Top", 100},
    {"Width", 130},
    {"Height", 20},
    {"LockLeft", false},
    {"LockTop", false},
    {"LockRight", false},
    {"LockBottom", false},
    {"TabPanelIndex", 0},
    {"TabIndex", 7},
    {"Text", "Weight in Pounds"sv},
    {"TextAlign", 0},
    {"TextColor", kDarkRed},
    {"Multiline", false},
    {"Enabled", true},
    {"Visible", true},
    {"HelpTag", ""sv},
    {"AutoDeactivate", true},
    {"TextFont", "System"sv},
    {"TextSize", 14},
    {"Bold", true},
    {"Italic", false},
    {"Underline", false},
    {"DataSource", ""sv},
    {"DataField", ""sv},
    {"InitialParent", kRoundRectangle1},
};
static_assert(std::size(kStaticText1Record) == 28);

// 10
constexpr RecordEntry kClearBtnRecord[] = {
    {"Name", kClearBtn},
    {"Index", kNoControlIndex},
    {"Left", 310},
    {"Top", 250},
    {"Width", 80},
    {"Height", 30},
    {"LockLeft", true},
    {"LockTop", false},
    {"LockRight", true},
    {"LockBottom", false},
    {"TabPanelIndex", 0},
    {"TabIndex", 2},
    {"TabStop", true},
    {"Caption", "Clear"sv},
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
    {"InitialParent", ""sv},
};
static_assert(std::size(kClearBtnRecord) == 26);

// 11
constexpr RecordEntry kCalculateBtnRecord[] = {
    {"Name", kCalculateBtn},
    {"Index", kNoControlIndex},
    {"Left", 50},
    {"Top", 250},
    {"Width", 80},
    {"Height", 30},
    {"LockLeft", true},
    {"LockTop", false},
    {"LockRight", true},
    {"LockBottom", false},
    {"TabPanelIndex", 0},
    {"TabIndex", 3},
    {"TabStop", true},
    {"Caption", "Calculate"sv},
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
    {"InitialParent", ""sv},
};
static_assert(std::size(kCalculateBtnRecord) == 26);

// 12: the program's name beside the picture.
constexpr RecordEntry kStaticText7Record[] = {
    {"Name", kStaticText7},
    {"Index", kNoControlIndex},
    {"Left", 127},
    {"Top", 0},
    {"Width", 533},
    {"Height", 48},
    {"LockLeft", false},
    {"LockTop", false},
    {"LockRight", false},
    {"LockBottom", false},
    {"TabPanelIndex", 0},
    {"TabIndex", 21},
    {"Text", "Velmora"sv},
    {"TextAlign", 1},
    {"TextColor", kDarkRed},
    {"Multiline", false},
    {"Enabled", true},
    {"Visible", true},
    {"HelpTag", ""sv},
    {"AutoDeactivate", true},
    {"TextFont", "System"sv},
    {"TextSize", 37},
    {"Bold", true},
    {"Italic", false},
    {"Underline", false},
    {"DataSource", ""sv},
    {"DataField", ""sv},
    {"InitialParent", ""sv},
};
static_assert(std::size(kStaticText7Record) == 28);

// 13: its backdrop is set before the record.
constexpr RecordEntry kCanvas3Record[] = {
    {"Name", kCanvas3},
    {"Index", kNoControlIndex},
    {"Left", 20},
    {"Top", 5},
    {"Width", 106},
    {"Height", 45},
    {"LockLeft", false},
    {"LockTop", false},
    {"LockRight", false},
    {"LockBottom", false},
    {"TabPanelIndex", 0},
    {"TabIndex", 22},
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
    {"InitialParent", ""sv},
};
static_assert(std::size(kCanvas3Record) == 23);

// 14: the notice under the panel, greyed out. Not constexpr: the text lives with the
// other texts, but it is a constant, so it is in place before this table is made.
const RecordEntry kStaticText8Record[] = {
    {"Name", kStaticText8},
    {"Index", kNoControlIndex},
    {"Left", 50},
    {"Top", 138},
    {"Width", 600},
    {"Height", 16},
    {"LockLeft", false},
    {"LockTop", false},
    {"LockRight", false},
    {"LockBottom", false},
    {"TabPanelIndex", 0},
    {"TabIndex", 23},
    {"Text", kNotice},
    {"TextAlign", 1},
    {"TextColor", kBlack},
    {"Multiline", false},
    {"Enabled", false},
    {"Visible", true},
    {"HelpTag", ""sv},
    {"AutoDeactivate", true},
    {"TextFont", "System"sv},
    {"TextSize", 9},
    {"Bold", false},
    {"Italic", false},
    {"Underline", false},
    {"DataSource", ""sv},
    {"DataField", ""sv},
    {"InitialParent", ""sv},
};
static_assert(std::size(kStaticText8Record) == 28);

// 15: acts when the mouse goes down, not on a completed click.
constexpr RecordEntry kInfoBtnRecord[] = {
    {"Name", kInfoBtn},
    {"Index", kNoControlIndex},
    {"Left", 570},
    {"Top", 250},
    {"Width", 80},
    {"Height", 30},
    {"LockLeft", true},
    {"LockTop", false},
    {"LockRight", true},
    {"LockBottom", false},
    {"TabPanelIndex", 0},
    {"TabIndex", 24},
    {"TabStop", true},
    {"Caption", "Information"sv},
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
    {"InitialParent", ""sv},
};
static_assert(std::size(kInfoBtnRecord) == 26);

// 16: the caption of the result line, hidden until a calculation succeeds.
constexpr RecordEntry kBMITextRecord[] = {
    {"Name", kBMIText},
    {"Index", kNoControlIndex},
    {"Left", 61},
    {"Top", 178},
    {"Width", 140},
    {"Height", 20},
    {"LockLeft", false},
    {"LockTop", false},
    {"LockRight", false},
    {"LockBottom", false},
    {"TabPanelIndex", 0},
    {"TabIndex", 25},
    {"Text", "Body Mass Index = "sv},
    {"TextAlign", 0},
    {"TextColor", kBlack},
    {"Multiline", false},
    {"Enabled", true},
    {"Visible", false},
    {"HelpTag", ""sv},
    {"AutoDeactivate", true},
    {"TextFont", "System"sv},
    {"TextSize", 14},
    {"Bold", true},
    {"Italic", false},
    {"Underline", false},
    {"DataSource", ""sv},
    {"DataField", ""sv},
    {"InitialParent", ""sv},
};
static_assert(std::size(kBMITextRecord) == 28);

// 17: the result text; a label despite its name.
constexpr RecordEntry kBMIFldRecord[] = {
    {"Name", kBMIFld},
    {"Index", kNoControlIndex},
    {"Left", 204},
    {"Top", 179},
    {"Width", 446},
    {"Height", 20},
    {"LockLeft", false},
    {"LockTop", false},
    {"LockRight", false},
    {"LockBottom", false},
    {"TabPanelIndex", 0},
    {"TabIndex", 26},
    {"Text", ""sv},
    {"TextAlign", 0},
    {"TextColor", kBlack},
    {"Multiline", false},
    {"Enabled", true},
    {"Visible", false},
    {"HelpTag", ""sv},
    {"AutoDeactivate", true},
    {"TextFont", "System"sv},
    {"TextSize", 14},
    {"Bold", true},
    {"Italic", false},
    {"Underline", false},
    {"DataSource", ""sv},
    {"DataField", ""sv},
    {"InitialParent", ""sv},
};
static_assert(std::size(kBMIFldRecord) == 28);

// Events bound to the window's handlers.
constexpr std::string_view kKeyDownEvent = "KeyDown";
constexpr std::string_view kActionEvent = "Action";
constexpr std::string_view kMouseDownEvent = "MouseDown";

// Menu items this window handles.
constexpr std::string_view kDescriptionMenuItemName = "DescriptionMenuItem";
constexpr std::string_view kAboutQENName = "AboutQEN";

// The valid ranges, both bounds included, and what is said when a value is outside.
struct RangeCheck {
  std::string_view field;
  std::int32_t lowest;
  std::int32_t highest;
  std::string_view message;
};
constexpr RangeCheck kWeightCheck = {kWeightFld, 100, 300, "Weight must range from 100 to 300 pounds"};
constexpr RangeCheck kFeetCheck = {kFeetFld, 4, 6, "Feet must range from 4 to 6"};
constexpr RangeCheck kInchesCheck = {kInchFld, 0, 11, "Inches must range from 0 to 11"};

constexpr std::int32_t kInchesPerFoot = 12;
constexpr std::string_view kIndexPattern = "##.0";
constexpr std::string_view kCategorySeparator = ".  WHO/CDC category: ";

// The field's text as a whole number; nothing typed or pasted can make it fail.
std::int32_t ReadWholeNumber(const platform::Window& window, std::string_view field) {
  return platform::RuntimeCvtReal64ToSInt32(
      platform::Val(platform::NotNil(window.ControlAs<platform::TextArea>(field)).Text()));
}

// Reads the check's field and says whether its value is in range; a value outside
// is reported before this returns.
bool ReadChecked(const platform::Window& window, const RangeCheck& check, std::int32_t& value) {
  value = ReadWholeNumber(window, check.field);
  if (value < check.lowest || value > check.highest) {
    platform::MsgBox(check.message);
    return false;
  }
  return true;
}

void SetResultLineVisible(const platform::Window& window, bool visible) {
  platform::NotNil(window.ControlAs<platform::StaticText>(kBMIText)).SetVisible(visible);
  platform::NotNil(window.ControlAs<platform::StaticText>(kBMIFld)).SetVisible(visible);
}

// The one key handler of the three fields: every key hides the result line; a key the
// filter refuses beeps and is swallowed.
bool FilterKey(const platform::Window& window, const std::string& key) {
  SetResultLineVisible(window, false);
  if (KeyFilterAccepts(key)) return false;
  platform::Beep();
  return true;
}

}  // namespace

ControlWnd::ControlWnd() : platform::Window(std::string(kClassName)) {}

void ControlWnd::Layout() { platform::SetProperties(*this, platform::WriteRecord(kWindowRecord)); }

void ControlWnd::CreateControls() { CreateControls0(); }

void ControlWnd::CreateControls0() {
  CreateControl<platform::RoundRectangle>(*this, kRoundRectangle1, kRoundRectangle1Record);
  CreateControl<platform::StaticText>(*this, kStaticText5, kStaticText5Record);
  CreateControl<platform::StaticText>(*this, kStaticText6, kStaticText6Record);
  CreateControl<platform::TextArea>(*this, kFeetFld, kFeetFldRecord);
  BindEvent(*this, kFeetFld, kKeyDownEvent, &ControlWnd::FeetFld_KeyDown, platform::kKeyDownSignature);
  CreateControl<platform::StaticText>(*this, kStaticText4, kStaticText4Record);
  CreateControl<platform::StaticText>(*this, kStaticText2, kStaticText2Record);
  CreateControl<platform::TextArea>(*this, kInchFld, kInchFldRecord);
  BindEvent(*this, kInchFld, kKeyDownEvent, &ControlWnd::InchFld_KeyDown, platform::kKeyDownSignature);
  CreateControl<platform::TextArea>(*this, kWeightFld, kWeightFldRecord);
  BindEvent(*this, kWeightFld, kKeyDownEvent, &ControlWnd::WeightFld_KeyDown, platform::kKeyDownSignature);
  CreateControl<platform::StaticText>(*this, kStaticText1, kStaticText1Record);
  CreateControl<platform::PushButton>(*this, kClearBtn, kClearBtnRecord);
  BindEvent(*this, kClearBtn, kActionEvent, &ControlWnd::ClearBtn_Action, platform::kActionSignature);
  CreateControl<platform::PushButton>(*this, kCalculateBtn, kCalculateBtnRecord);
  BindEvent(*this, kCalculateBtn, kActionEvent, &ControlWnd::CalculateBtn_Action, platform::kActionSignature);
  CreateControl<platform::StaticText>(*this, kStaticText7, kStaticText7Record);
  CreateControl<platform::Canvas>(*this, kCanvas3, kCanvas3Record,
                                  [](platform::Canvas& canvas) { canvas.SetBackdrop(BMIsmall()); });
  CreateControl<platform::StaticText>(*this, kStaticText8, kStaticText8Record);
  CreateControl<platform::PushButton>(*this, kInfoBtn, kInfoBtnRecord);
  BindEvent(*this, kInfoBtn, kMouseDownEvent, &ControlWnd::InfoBtn_MouseDown, platform::kMouseDownSignature);
  CreateControl<platform::StaticText>(*this, kBMIText, kBMITextRecord);
  CreateControl<platform::StaticText>(*this, kBMIFld, kBMIFldRecord);
}

bool ControlWnd::FeetFld_KeyDown(const std::string& key) { return FilterKey(*this, key); }

bool ControlWnd::InchFld_KeyDown(const std::string& key) { return FilterKey(*this, key); }

bool ControlWnd::WeightFld_KeyDown(const std::string& key) { return FilterKey(*this, key); }

void ControlWnd::ClearBtn_Action() {
  platform::NotNil(ControlAs<platform::TextArea>(kWeightFld)).SetText("");
  platform::NotNil(ControlAs<platform::TextArea>(kFeetFld)).SetText("");
  platform::NotNil(ControlAs<platform::TextArea>(kInchFld)).SetText("");
  platform::NotNil(ControlAs<platform::StaticText>(kBMIFld)).SetText("");
  platform::NotNil(ControlAs<platform::TextArea>(kFeetFld)).SetFocus();
  SetResultLineVisible(*this, false);
}

void ControlWnd::CalculateBtn_Action() {
  // Each field is read only once the fields before it have passed.
  std::int32_t weight = 0;
  std::int32_t feet = 0;
  std::int32_t inches = 0;
  if (!ReadChecked(*this, kWeightCheck, weight)) return;
  if (!ReadChecked(*this, kFeetCheck, feet)) return;
  if (!ReadChecked(*this, kInchesCheck, inches)) return;

  const std::int32_t totalInches = feet * kInchesPerFoot + inches;
  const BodyMassIndex result = ComputeBodyMassIndex(weight, totalInches);
  const std::string indexText = platform::Format(result.index, kIndexPattern);
  platform::NotNil(ControlAs<platform::StaticText>(kBMIFld))
      .SetText(platform::RuntimeAddString(platform::RuntimeAddString(indexText, kCategorySeparator),
                                          result.category));
  SetResultLineVisible(*this, true);
}

bool ControlWnd::InfoBtn_MouseDown(std::int32_t x, std::int32_t y) {
  (void)x;
  (void)y;
  platform::NotNil(DescriptionWnd()).Show();
  return false;
}

void ControlWnd::AddMenuHandlers(const std::shared_ptr<platform::Window>& window) {
  ControlWnd& handlers = platform::NotNil(std::dynamic_pointer_cast<ControlWnd>(window));
  AddMenuHandler(kDescriptionMenuItemName,
                 platform::RuntimeCreateMenuHandler(handlers, &ControlWnd::DescriptionMenuItem_Action,
                                                    platform::kMenuHandlerSignature));
  AddMenuHandler(kAboutQENName, platform::RuntimeCreateMenuHandler(handlers, &ControlWnd::AboutQEN_Action,
                                                                   platform::kMenuHandlerSignature));
}

void ControlWnd::Event_Close() { platform::Quit(0); }

void ControlWnd::Event_Activate() {
  platform::NotNil(AboutWnd()).Hide();
  platform::NotNil(ControlAs<platform::TextArea>(kFeetFld)).SetFocus();
}

void ControlWnd::Event_EnableMenuItems() {
  platform::NotNil(ControlMenuItem()).SetEnabled(false);
  platform::NotNil(DescriptionMenuItem()).SetEnabled(true);
  platform::NotNil(AboutMenuItem()).SetEnabled(true);
}

bool ControlWnd::DescriptionMenuItem_Action() {
  platform::NotNil(DescriptionWnd()).Show();
  return false;
}

bool ControlWnd::AboutQEN_Action() {
  platform::NotNil(AboutWnd()).Show();
  return false;
}

std::shared_ptr<class ControlWnd> ControlWnd() { return platform::ImplicitInstance<class ControlWnd>(); }

}  // namespace velmora
