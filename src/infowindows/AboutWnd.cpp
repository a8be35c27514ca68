#include "infowindows/AboutWnd.h"

#include <iterator>
#include <string>

#include "calculator/ControlWnd.h"
#include "platform/Canvas.h"
#include "platform/DesignRecord.h"
#include "platform/NilObjectException.h"
#include "platform/StaticText.h"
#include "resources/Texts.h"
#include "shell/ControlCreation.h"
#include "shell/Pictures.h"

namespace velmora {
namespace {

using platform::RecordEntry;

constexpr platform::Color kWhite{0xFFFFFFu};
constexpr platform::Color kBlack{0x000000u};

constexpr std::string_view kStaticText5 = "StaticText5";
constexpr std::string_view kCanvas1 = "Canvas1";
constexpr std::string_view kCanvas2 = "Canvas2";
constexpr std::string_view kStaticText1 = "StaticText1";

// A plain white box without title or close box; visible as soon as it is built.
constexpr RecordEntry kWindowRecord[] = {
    {"Placement", 0},
    {"Width", 300},
    {"Height", 200},
    {"MinWidth", 64},
    {"MinHeight", 64},
    {"MaxWidth", 32000},
    {"MaxHeight", 32000},
    {"Frame", 2},
    {"Composite", false},
    {"HasBackColor", true},
    {"BackColor", kWhite},
    {"Title", ""},
    {"Visible", true},
    {"FullScreen", false},
    {"MenuBarVisible", true},
    {"CloseButton", false},
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

// The notice along the bottom edge; its box reaches 2 pixels past the window.
const RecordEntry kStaticText5Record[] = {
    {"Name", kStaticText5},
    {"Index", platform::kNoControlIndex},
    {"Left", 1},
    {"Top", 187},
    {"Width", 298},
    {"Height", 15},
    {"LockLeft", true},
    {"LockTop", true},
    {"LockRight", true},
    {"LockBottom", true},
    {"TabPanelIndex", 0},
    {"TabIndex", 0},
    {"Text", kNotice},
    {"TextAlign", 1},
    {"TextColor", kBlack},
    {"Multiline", false},
    {"Enabled", true},
    {"Visible", true},
    {"HelpTag", ""},
    {"AutoDeactivate", true},
    {"TextFont", "Times"},
    {"TextSize", 9},
    {"Bold", false},
    {"Italic", false},
    {"Underline", false},
    {"DataSource", ""},
    {"DataField", ""},
    {"InitialParent", ""},
};
static_assert(std::size(kStaticText5Record) == 28);

// The larger picture, in the middle; its backdrop is set before this record.
constexpr RecordEntry kCanvas1Record[] = {
    {"Name", kCanvas1},
    {"Index", platform::kNoControlIndex},
    {"Left", 47},
    {"Top", 61},
    {"Width", 207},
    {"Height", 78},
    {"LockLeft", true},
    {"LockTop", true},
    {"LockRight", true},
    {"LockBottom", true},
    {"TabPanelIndex", 0},
    {"TabIndex", 1},
    {"TabStop", true},
    {"Visible", true},
    {"HelpTag", ""},
    {"AutoDeactivate", true},
    {"Enabled", false},
    {"UseFocusRing", false},
    {"AcceptFocus", false},
    {"AcceptTabs", false},
    {"DoubleBuffer", false},
    {"EraseBackground", true},
    {"InitialParent", ""},
};
static_assert(std::size(kCanvas1Record) == 23);

// The smaller picture, below the larger one.
constexpr RecordEntry kCanvas2Record[] = {
    {"Name", kCanvas2},
    {"Index", platform::kNoControlIndex},
    {"Left", 77},
    {"Top", 161},
    {"Width", 148},
    {"Height", 22},
    {"LockLeft", true},
    {"LockTop", true},
    {"LockRight", true},
    {"LockBottom", true},
    {"TabPanelIndex", 0},
    {"TabIndex", 2},
    {"TabStop", true},
    {"Visible", true},
    {"HelpTag", ""},
    {"AutoDeactivate", true},
    {"Enabled", false},
    {"UseFocusRing", false},
    {"AcceptFocus", false},
    {"AcceptTabs", false},
    {"DoubleBuffer", false},
    {"EraseBackground", true},
    {"InitialParent", ""},
};
static_assert(std::size(kCanvas2Record) == 23);

// The program's name across the top.
constexpr RecordEntry kStaticText1Record[] = {
    {"Name", kStaticText1},
    {"Index", platform::kNoControlIndex},
    {"Left", 1},
    {"Top", 6},
    {"Width", 298},
    {"Height", 36},
    {"LockLeft", true},
    {"LockTop", true},
    {"LockRight", true},
    {"LockBottom", true},
    {"TabPanelIndex", 0},
    {"TabIndex", 3},
    {"Text", "Velmora"},
    {"TextAlign", 1},
    {"TextColor", kBlack},
    {"Multiline", false},
    {"Enabled", true},
    {"Visible", true},
    {"HelpTag", ""},
    {"AutoDeactivate", true},
    {"TextFont", "Times"},
    {"TextSize", 22},
    {"Bold", true},
    {"Italic", false},
    {"Underline", false},
    {"DataSource", ""},
    {"DataField", ""},
    {"InitialParent", ""},
};
static_assert(std::size(kStaticText1Record) == 28);

}  // namespace

AboutWnd::AboutWnd() : platform::Window(std::string(kClassName)) {}

void AboutWnd::Layout() { platform::SetProperties(*this, platform::WriteRecord(kWindowRecord)); }

void AboutWnd::CreateControls() { CreateControls0(); }

// A picture that cannot be read leaves its canvas empty; the window is built all the same.
void AboutWnd::CreateControls0() {
  CreateControl<platform::StaticText>(*this, kStaticText5, kStaticText5Record);
  CreateControl<platform::Canvas>(*this, kCanvas1, kCanvas1Record,
                                  [](platform::Canvas& canvas) { canvas.SetBackdrop(BMImedium()); });
  CreateControl<platform::Canvas>(*this, kCanvas2, kCanvas2Record,
                                  [](platform::Canvas& canvas) { canvas.SetBackdrop(RBhzSm()); });
  CreateControl<platform::StaticText>(*this, kStaticText1, kStaticText1Record);
}

// Whatever the key, the window steps aside for the calculator.
bool AboutWnd::Event_KeyDown(const std::string& key) {
  (void)key;
  platform::NotNil(velmora::AboutWnd()).Hide();
  platform::NotNil(velmora::ControlWnd()).Show();
  return false;
}

// Wherever the press, the window steps aside for the calculator.
bool AboutWnd::Event_MouseDown(std::int32_t x, std::int32_t y) {
  (void)x;
  (void)y;
  platform::NotNil(velmora::AboutWnd()).Hide();
  platform::NotNil(velmora::ControlWnd()).Show();
  return false;
}

std::shared_ptr<class AboutWnd> AboutWnd() { return platform::ImplicitInstance<class AboutWnd>(); }

}  // namespace velmora
