#include "infowindows/DescriptionWnd.h"

#include <cstdint>
#include <iterator>
#include <string>

#include "calculator/ControlWnd.h"
#include "infowindows/AboutWnd.h"
#include "platform/Builtins.h"
#include "platform/DesignRecord.h"
#include "platform/Graphics.h"
#include "platform/NilObjectException.h"
#include "platform/StyledTextPrinter.h"
#include "platform/TextArea.h"
#include "resources/Texts.h"
#include "shell/ControlCreation.h"
#include "shell/Menu.h"

namespace velmora {
namespace {

using platform::RecordEntry;

constexpr platform::Color kWhite{0xFFFFFFu};
constexpr platform::Color kBlack{0x000000u};

constexpr std::string_view kDescribeFld = "DescribeFld";
constexpr std::string_view kDescribeFld2 = "DescribeFld2";

// The heading and the start of the first paragraph, whatever the heading's length.
constexpr std::int32_t kBoldRunLength = 29;

// One block per page, at the surface's origin, in points.
constexpr std::int32_t kPrintWidth = 540;
constexpr std::int32_t kBlockLeft = 0;
constexpr std::int32_t kBlockTop = 0;
constexpr std::int32_t kBlockHeight = 720;

// Hidden when built: whoever asks for the window shows it.
constexpr RecordEntry kWindowRecord[] = {
    {"Placement", 0},
    {"Width", 427},
    {"Height", 491},
    {"MinWidth", 64},
    {"MinHeight", 64},
    {"MaxWidth", 32000},
    {"MaxHeight", 32000},
    {"Frame", 0},
    {"Composite", false},
    {"HasBackColor", false},
    {"BackColor", kWhite},
    {"Title", "Description"},
    {"Visible", false},
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
    {"Left", 0},
};
static_assert(std::size(kWindowRecord) == 24);

// Lies under DescribeFld2; nothing uses it after it is made.
constexpr RecordEntry kDescribeFldRecord[] = {
    {"Name", kDescribeFld},
    {"Index", platform::kNoControlIndex},
    {"Left", 1},
    {"Top", -1},
    {"Width", 427},
    {"Height", 478},
    {"LockLeft", true},
    {"LockTop", true},
    {"LockRight", true},
    {"LockBottom", true},
    {"TabPanelIndex", 0},
    {"TabIndex", 0},
    {"TabStop", true},
    {"Border", true},
    {"Multiline", true},
    {"ScrollbarHorizontal", false},
    {"ScrollbarVertical", true},
    {"Styled", false},
    {"UseFocusRing", false},
    {"TextColor", kBlack},
    {"BackColor", kWhite},
    {"Enabled", true},
    {"Format", ""},
    {"Visible", true},
    {"HelpTag", ""},
    {"AutoDeactivate", true},
    {"HideSelection", true},
    {"TextFont", "Courier"},
    {"TextSize", 10},
    {"Bold", false},
    {"Italic", false},
    {"Underline", false},
    {"Text", "\r"},
    {"Mask", ""},
    {"ReadOnly", true},
    {"LimitText", 0},
    {"AcceptTabs", false},
    {"Alignment", 0},
    {"DataSource", ""},
    {"DataField", ""},
    {"InitialParent", ""},
};
static_assert(std::size(kDescribeFldRecord) == 41);

// The help text, read-only and styled so that its opening can be set bold.
const RecordEntry kDescribeFld2Record[] = {
    {"Name", kDescribeFld2},
    {"Index", platform::kNoControlIndex},
    {"Left", -1},
    {"Top", -1},
    {"Width", 429},
    {"Height", 476},
    {"LockLeft", true},
    {"LockTop", true},
    {"LockRight", true},
    {"LockBottom", true},
    {"TabPanelIndex", 0},
    {"TabIndex", 1},
    {"TabStop", true},
    {"Border", true},
    {"Multiline", true},
    {"ScrollbarHorizontal", false},
    {"ScrollbarVertical", true},
    {"Styled", true},
    {"UseFocusRing", false},
    {"TextColor", kBlack},
    {"BackColor", kWhite},
    {"Enabled", true},
    {"Format", ""},
    {"Visible", true},
    {"HelpTag", ""},
    {"AutoDeactivate", true},
    {"HideSelection", true},
    {"TextFont", "Times"},
    {"TextSize", 12},
    {"Bold", false},
    {"Italic", false},
    {"Underline", false},
    {"Text", kHelpText},
    {"Mask", ""},
    {"ReadOnly", true},
    {"LimitText", 0},
    {"AcceptTabs", false},
    {"Alignment", 1},
    {"DataSource", ""},
    {"DataField", ""},
    {"InitialParent", ""},
};
static_assert(std::size(kDescribeFld2Record) == 41);

}  // namespace

DescriptionWnd::DescriptionWnd() : MenuBarWindow(std::string(kClassName)) {}

// The menu bar is in place before the record, so the record finds it there.
void DescriptionWnd::Layout() {
  SetMenuBar(velmora::Menu());
  platform::SetProperties(*this, platform::WriteRecord(kWindowRecord));
}

void DescriptionWnd::CreateControls() { CreateControls0(); }

// DescribeFld2 comes second so that it lies above DescribeFld.
void DescriptionWnd::CreateControls0() {
  CreateControl<platform::TextArea>(*this, kDescribeFld, kDescribeFldRecord);
  CreateControl<platform::TextArea>(*this, kDescribeFld2, kDescribeFld2Record);
}

void DescriptionWnd::AddMenuHandlers(const std::shared_ptr<platform::Window>& window) {
  auto& self = platform::NotNil(std::dynamic_pointer_cast<DescriptionWnd>(window));
  self.AddMenuHandler("ControlMenuItem",
                      platform::RuntimeCreateMenuHandler(self, &DescriptionWnd::ControlMenuItem_Action,
                                                         platform::kMenuHandlerSignature));
  self.AddMenuHandler("AboutMenuItem",
                      platform::RuntimeCreateMenuHandler(self, &DescriptionWnd::AboutMenuItem_Action,
                                                         platform::kMenuHandlerSignature));
  self.AddMenuHandler("Print", platform::RuntimeCreateMenuHandler(self, &DescriptionWnd::Print_Action,
                                                                  platform::kMenuHandlerSignature));
}

// Runs before anyone can show the window, so it is never seen without its bold run.
void DescriptionWnd::Event_Open() {
  platform::NotNil(ControlAs<platform::TextArea>(kDescribeFld2)).SetSelStart(0);
  platform::NotNil(ControlAs<platform::TextArea>(kDescribeFld2)).SetSelLength(kBoldRunLength);
  platform::NotNil(ControlAs<platform::TextArea>(kDescribeFld2)).SetSelBold(true);
}

// Looks the items up in this window's own menu bar.
void DescriptionWnd::Event_EnableMenuItems() {
  platform::NotNil(ControlMenuItem()).SetEnabled(true);
  platform::NotNil(AboutMenuItem()).SetEnabled(true);
}

bool DescriptionWnd::ControlMenuItem_Action() {
  platform::NotNil(velmora::ControlWnd()).Show();
  return false;
}

bool DescriptionWnd::AboutMenuItem_Action() {
  platform::NotNil(velmora::AboutWnd()).Show();
  return false;
}

// One block of the help text per page; a page is ended only while text remains, so no
// blank page follows the last.
bool DescriptionWnd::Print_Action() {
  const std::shared_ptr<platform::Graphics> surface = platform::OpenPrinterDialog(nullptr, nullptr);
  if (!surface) return false;
  // Declared after the surface, so it is released first.
  const std::shared_ptr<platform::StyledTextPrinter> printer =
      platform::NotNil(ControlAs<platform::TextArea>(kDescribeFld2)).StyledTextPrinter(surface, kPrintWidth);
  platform::StyledTextPrinter& blocks = platform::NotNil(printer);
  while (true) {
    if (blocks.Eof()) break;
    blocks.DrawBlock(kBlockLeft, kBlockTop, kBlockHeight);
    if (!blocks.Eof()) surface->NextPage();
    platform::RuntimeBackgroundTask();
  }
  return false;
}

std::shared_ptr<class DescriptionWnd> DescriptionWnd() {
  return platform::ImplicitInstance<class DescriptionWnd>();
}

}  // namespace velmora
