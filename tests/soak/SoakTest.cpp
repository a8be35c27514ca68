// Ten thousand random events on the real application, started as the program starts
// itself, with a model of what the calculator window must show after each of them.

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QElapsedTimer>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPrintDialog>
#include <QTest>
#include <QTimer>
#include <array>
#include <cstdint>
#include <functional>
#include <iostream>
#include <map>
#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "CalculatorModel.h"
#include "SoakInput.h"
#include "calculator/ControlWnd.h"
#include "infowindows/AboutWnd.h"
#include "infowindows/DescriptionWnd.h"
#include "platform/Diagnostics.h"
#include "platform/MenuItem.h"
#include "platform/Runtime.h"
#include "platform/StaticText.h"
#include "platform/TextArea.h"
#include "platform/Window.h"
#include "platform/qt/RectControlImpl.h"
#include "platform/qt/RuntimeState.h"
#include "platform/qt/WindowImpl.h"
#include "shell/InvisibleWnd.h"
#include "shell/Menu.h"
#include "shell/Startup.h"
#include "support/MenuClicks.h"
#include "support/Modal.h"
#include "support/QtWarnings.h"
#include "support/WindowAccess.h"

namespace soak {
namespace {

using velmora_test::ClickContentAt;
using velmora_test::FieldWidget;
using velmora_test::FrameOf;
using velmora_test::MenuBarOf;
using velmora_test::QtWarnings;
using velmora_test::WidgetOf;

constexpr std::uint32_t kDefaultSeed = 20240611;
constexpr std::uint32_t kDefaultEvents = 10000;

// How long a window may take to become active or a menu to open.
constexpr int kWaitMs = 2000;

// The calculator's fields in the order the model keeps them, and its buttons.
enum Field { kFeet, kInches, kWeight };
constexpr std::array<std::string_view, 3> kFields = {"FeetFld", "InchFld", "WeightFld"};
constexpr std::string_view kClearBtn = "ClearBtn";
constexpr std::string_view kCalculateBtn = "CalculateBtn";
constexpr std::string_view kInfoBtn = "InfoBtn";
constexpr std::string_view kCaption = "Body Mass Index = ";

// Which items of the menus a user finds enabled, with the calculator or the description
// in front.
struct ItemState {
  std::string_view item;
  bool inCalculator;
  bool inDescription;
};
constexpr ItemState kItemStates[] = {
    {"Print", true, true},         {"FileQuit", true, true},         {"EditUndo", false, false},
    {"EditCut", false, false},     {"EditCopy", false, false},       {"EditPaste", false, false},
    {"EditClear", false, false},   {"ControlMenuItem", false, true}, {"DescriptionMenuItem", true, false},
    {"AboutMenuItem", true, true}, {"AboutQEN", true, true},
};

std::uint32_t FromEnvironment(const char* name, std::uint32_t fallback) {
  bool ok = false;
  const std::uint32_t value = qEnvironmentVariable(name).toUInt(&ok, 0);
  return ok ? value : fallback;
}

// Text for a failure report: printable ASCII as it is, everything else as a code point,
// long texts cut short.
std::string Shown(const QString& text) {
  std::ostringstream out;
  const std::u32string chars = text.toStdU32String();
  out << '"';
  for (std::size_t i = 0; i < chars.size() && i < 60; ++i) {
    const char32_t c = chars[i];
    if (c >= 32 && c < 127 && c != U'"' && c != U'\\') {
      out << static_cast<char>(c);
    } else {
      out << "\\u{" << std::hex << static_cast<std::uint32_t>(c) << std::dec << '}';
    }
  }
  out << '"';
  if (chars.size() > 60) out << "... (" << chars.size() << " characters)";
  return out.str();
}

std::string Shown(const std::u32string& chars) { return Shown(QString::fromStdU32String(chars)); }

std::string Describe(const KeyPress& key) {
  std::string text;
  if (key.modifiers & Qt::ControlModifier) text += "Ctrl+";
  if (key.name) return text + key.name;
  if ((key.modifiers & Qt::ControlModifier) && key.key >= Qt::Key_A && key.key <= Qt::Key_Z)
    return text + static_cast<char>('A' + (key.key - Qt::Key_A));
  return text + "key typing " + Shown(key.text);
}

enum class Kind { kKey, kPaste, kClickControl, kClickAnywhere, kMenu, kMenuDismissed, kCloseDescription };

struct Event {
  Kind kind = Kind::kKey;
  KeyPress key;                // kKey
  QString clipboard;           // kPaste
  std::string control;         // kClickControl
  bool inDescription = false;  // kClickAnywhere, kMenu, kMenuDismissed: which window
  std::string menu;            // kMenu, kMenuDismissed: the menu's item name
  std::string item;            // kMenu: the item chosen; empty: any
};

std::string Describe(const Event& event) {
  switch (event.kind) {
    case Kind::kKey:
      return Describe(event.key);
    case Kind::kPaste:
      return "paste of " + Shown(event.clipboard) + " with Ctrl+V";
    case Kind::kClickControl:
      return "click on " + event.control;
    case Kind::kClickAnywhere:
      return std::string("click anywhere in ") + (event.inDescription ? "the description" : "a window");
    case Kind::kMenu:
      return "menu " + event.menu + (event.item.empty() ? "" : " > " + event.item) +
             (event.inDescription ? " of the description" : " of the calculator");
    case Kind::kMenuDismissed:
      return "menu " + event.menu + " opened and dismissed with Escape";
    case Kind::kCloseDescription:
      return "close box of the description";
  }
  return "?";
}

// What a window must look like once an event has been handled.
struct Expectation {
  ResultLine result;
  std::array<std::optional<std::u32string>, 3> fields;  // nothing: the field may change
  std::int64_t beeps = 0;
  std::optional<std::string> message;
  int printDialogs = 0;
  std::optional<bool> aboutVisible;
  std::optional<bool> descriptionOpen;
  std::string front;                  // the class of the window that must end up active
  std::optional<Field> focusedField;  // the field that must have the focus
};

// The state an event starts from.
struct Before {
  std::array<FieldState, 3> fields;
  QWidget* focus = nullptr;
  QWidget* active = nullptr;
};

// The window classes; their names alone also name their accessors.
using CalculatorWindow = class velmora::ControlWnd;
using AboutWindow = class velmora::AboutWnd;
using DescriptionWindow = class velmora::DescriptionWnd;
using StartWindow = class velmora::InvisibleWnd;

// The open window of the class, or nothing: never builds one.
template <class W>
std::shared_ptr<W> Open() {
  return std::dynamic_pointer_cast<W>(platform::GetImplicitWindow(W::kClassName));
}

// The name of the window's control whose widget is or holds the widget; empty for none.
std::string ControlHolding(const platform::Window& window, const QWidget* widget) {
  for (; widget; widget = widget->parentWidget())
    for (const auto& control : window.Controls())
      if (WidgetOf(window, control->Name()) == widget) return control->Name();
  return {};
}

class Soak {
 public:
  // Events from `traceFrom` on are written out as they happen, to follow a failure.
  Soak(std::uint32_t seed, std::uint32_t events, std::uint32_t traceFrom)
      : seed_(seed), events_(events), traceFrom_(traceFrom), random_(seed) {
    dismisser_.setInterval(0);
    QObject::connect(&dismisser_, &QTimer::timeout, [this] { Dismiss(); });
    dismisser_.start();
  }

  // Runs inside the application's event loop and ends it: with Ctrl+Q after the last
  // event, or with a quit right after the first mismatch.
  void Run();

  bool Finished() const { return finished_; }
  std::string Summary() const;
  // What a full run must have done at least once, or the soak proved little.
  std::vector<std::string> Missed() const;

 private:
  // Answers a modal dialog from inside its own loop: a message box is read and
  // confirmed, a print dialog cancelled, anything else noted and closed.
  void Dismiss();

  Event NextEvent();
  void Perform(const Event& event);
  void DoKey(const KeyPress& key);
  void DoClickControl(const std::string& name);
  void DoClickAnywhere(bool inDescription);
  void DoMenu(const Event& event);
  void DoMenuDismissed(const Event& event);
  void DoCloseDescription();

  // What a key does where it lands; what a button does when it acts.
  void KeyEffects(Expectation& expect, const Before& before, const KeyPress& key);
  void FieldKeyEffects(Expectation& expect, const Before& before, Field field, const KeyPress& key) const;
  void ButtonEffects(Expectation& expect, const Before& before, std::string_view button, bool pressedByMouse);
  void MenuEffects(Expectation& expect, bool inDescription, const std::string& item);

  // A person's click on a window that is not in front brings it to the front first.
  bool Activate(platform::Window& window);
  bool EnsureSomeWindowActive();
  QMenu* OpenMenu(platform::Window& window, const std::string& menuName);

  Before Observe() const;
  Expectation Unchanged(const Before& before) const;
  void Settle();
  void Check(const Expectation& expect, std::int64_t beepsBefore);
  void CheckFields(const Expectation& expect);
  void CheckResultLine(const Expectation& expect);
  void CheckWindows(const Expectation& expect);
  void Fail(const std::string& what);
  // Which window is in front and which control has the focus.
  std::string Where() const;

  std::shared_ptr<CalculatorWindow> Calculator() const { return Open<CalculatorWindow>(); }
  platform::TextArea& FieldControl(Field field) const {
    return platform::NotNil(calculator_->ControlAs<platform::TextArea>(kFields[field]));
  }
  platform::StaticText& Label(std::string_view name) const {
    return platform::NotNil(calculator_->ControlAs<platform::StaticText>(name));
  }
  int FieldOf(const QWidget* widget) const;

  const std::uint32_t seed_;
  const std::uint32_t events_;
  const std::uint32_t traceFrom_;
  Random random_;
  std::uint32_t number_ = 0;
  Event event_;
  std::vector<Event> planned_;  // events of a sequence already begun, last first
  bool failed_ = false;
  bool finished_ = false;

  std::shared_ptr<CalculatorWindow> calculator_;
  ResultLine model_;

  QtWarnings warnings_;
  QTimer dismisser_;
  std::vector<std::string> messages_;
  int printDialogs_ = 0;
  std::vector<std::string> otherModals_;

  std::map<std::string, int> counts_;
};

void Soak::Dismiss() {
  QWidget* modal = QApplication::activeModalWidget();
  if (!modal) return;
  if (auto* box = qobject_cast<QMessageBox*>(modal)) {
    messages_.push_back(box->text().toStdString());
    box->button(QMessageBox::Ok) ? box->button(QMessageBox::Ok)->click() : box->accept();
  } else if (auto* dialog = qobject_cast<QPrintDialog*>(modal)) {
    ++printDialogs_;
    dialog->reject();
  } else {
    otherModals_.emplace_back(modal->metaObject()->className());
    modal->close();
  }
}

void Soak::Run() {
  const bool up = velmora_test::WaitFor(
      [this] {
        const auto calculator = Calculator();
        const auto about = Open<AboutWindow>();
        return calculator && calculator->IsActive() && about && !about->Visible();
      },
      10000);
  if (!up) {
    ADD_FAILURE() << "the calculator never came up after the splash";
    platform::Quit(0);
    return;
  }
  calculator_ = Calculator();
  for (number_ = 1; number_ <= events_ && !failed_; ++number_) {
    event_ = NextEvent();
    if (number_ >= traceFrom_) std::cout << "[ soak     ] event " << number_ << ": " << Where() << std::endl;
    Perform(event_);
    if (number_ >= traceFrom_) std::cout << "[ soak     ]   " << Describe(event_) << std::endl;
  }
  if (failed_) {
    calculator_.reset();
    platform::Quit(0);
    return;
  }
  // The last event: Ctrl+Q in the calculator, which must end the run.
  number_ = events_ + 1;
  event_ = Event{};
  event_.key = ControlKey('Q');
  if (Activate(*calculator_)) {
    QTest::sendKeyEvent(QTest::Click, static_cast<QWidget*>(nullptr), event_.key.key, event_.key.text,
                        event_.key.modifiers);
    finished_ = true;
  }
  if (!platform::detail::State().quitting) {
    Fail("the run goes on");
    platform::Quit(0);
  }
  calculator_.reset();  // the window ends with the run, not with this harness
}

Event Soak::NextEvent() {
  if (!planned_.empty()) {
    Event next = planned_.back();
    planned_.pop_back();
    return next;
  }
  Event event;
  const auto description = Open<DescriptionWindow>();
  const int roll = random_.Below(1000);
  if (roll < 380) {
    event.key = RandomKey(random_);
  } else if (roll < 500) {
    event.kind = Kind::kPaste;
    event.clipboard = RandomPasteText(random_);
    // Half the time into a field chosen by a click first.
    if (random_.Percent(50)) {
      planned_.push_back(event);
      event = Event{};
      event.kind = Kind::kClickControl;
      event.control = kFields[random_.Below(3)];
    }
  } else if (roll < 545) {
    // A value typed into a field as a person would: click, select all, the digits.
    struct Range {
      Field field;
      int lowest, highest;
    };
    constexpr Range kRanges[] = {{kWeight, 100, 300}, {kFeet, 4, 6}, {kInches, 0, 11}};
    const bool all = random_.Percent(40);
    std::vector<Event> sequence;
    for (const Range& range : kRanges) {
      if (!all && random_.Percent(66)) continue;
      Event click;
      click.kind = Kind::kClickControl;
      click.control = kFields[range.field];
      sequence.push_back(click);
      Event selectAll;
      selectAll.key = ControlKey('A');
      sequence.push_back(selectAll);
      for (const QChar digit : PlausibleValue(random_, range.lowest, range.highest)) {
        Event key;
        key.key = AsciiKey(static_cast<char>(digit.unicode()));
        sequence.push_back(key);
      }
    }
    Event calculate;
    calculate.kind = Kind::kClickControl;
    calculate.control = kCalculateBtn;
    sequence.push_back(calculate);
    planned_.assign(sequence.rbegin(), sequence.rend());
    return NextEvent();
  } else if (roll < 650) {
    event.kind = Kind::kClickControl;
    const int button = random_.Below(100);
    event.control = button < 30 ? kClearBtn : button < 85 ? kCalculateBtn : kInfoBtn;
  } else if (roll < 720) {
    event.kind = Kind::kClickControl;
    event.control = kFields[random_.Below(3)];
  } else if (roll < 810) {
    event.kind = Kind::kClickAnywhere;
    event.inDescription = description && random_.Percent(30);
  } else if (roll < 860) {
    event.kind = Kind::kMenu;
    event.inDescription = description && random_.Percent(50);
    constexpr const char* kMenus[] = {"FileMenu", "UntitledMenu0", "WindowMenu", "WindowMenu"};
    event.menu = random_.Pick(kMenus);
  } else if (roll < 870) {
    event.kind = Kind::kMenuDismissed;
    event.inDescription = description && random_.Percent(50);
    constexpr const char* kMenus[] = {"FileMenu", "UntitledMenu0", "WindowMenu"};
    event.menu = random_.Pick(kMenus);
  } else if (roll < 895) {
    // The About window, from either window's menu and either of its two items.
    event.kind = Kind::kMenu;
    event.inDescription = description && random_.Percent(50);
    event.menu = "WindowMenu";
    event.item = random_.Percent(50) ? "AboutMenuItem" : "AboutQEN";
  } else if (roll < 935) {
    // The Edit menu's shortcuts, wherever the focus is.
    constexpr char kShortcuts[] = {'Z', 'X', 'C', 'V'};
    event.key = ControlKey(random_.Pick(kShortcuts));
  } else if (roll < 975) {
    // Closed when open; otherwise opened again, by the button or the menu.
    if (description) {
      event.kind = Kind::kCloseDescription;
    } else if (random_.Percent(50)) {
      event.kind = Kind::kClickControl;
      event.control = kInfoBtn;
    } else {
      event.kind = Kind::kMenu;
      event.menu = "WindowMenu";
      event.item = "DescriptionMenuItem";
    }
  } else {
    // Typing with the description in front, where nothing may change.
    event.key = RandomKey(random_);
    if (description) {
      Event key = event;
      planned_.push_back(key);
      event = Event{};
      event.kind = Kind::kClickAnywhere;
      event.inDescription = true;
    }
  }
  return event;
}

void Soak::Perform(const Event& event) {
  switch (event.kind) {
    case Kind::kKey:
      ++counts_["keys"];
      DoKey(event.key);
      break;
    case Kind::kPaste:
      ++counts_["pastes"];
      QApplication::clipboard()->setText(event.clipboard);
      DoKey(ControlKey('V'));
      break;
    case Kind::kClickControl:
      ++counts_["clicks on " + event.control];
      DoClickControl(event.control);
      break;
    case Kind::kClickAnywhere:
      ++counts_["clicks anywhere"];
      DoClickAnywhere(event.inDescription);
      break;
    case Kind::kMenu:
      ++counts_["menu commands"];
      DoMenu(event);
      break;
    case Kind::kMenuDismissed:
      ++counts_["menus dismissed"];
      DoMenuDismissed(event);
      break;
    case Kind::kCloseDescription:
      ++counts_["description closed"];
      DoCloseDescription();
      break;
  }
}

void Soak::DoKey(const KeyPress& key) {
  if (!EnsureSomeWindowActive()) return;
  const Before before = Observe();
  Expectation expect = Unchanged(before);
  KeyEffects(expect, before, key);
  const std::int64_t beeps = platform::RuntimeBeepCount();
  // Through the window system to the focus widget, as the keyboard delivers it.
  QTest::sendKeyEvent(QTest::Click, static_cast<QWidget*>(nullptr), key.key, key.text, key.modifiers);
  Settle();
  Check(expect, beeps);
}

void Soak::DoClickControl(const std::string& name) {
  if (!Activate(*calculator_)) return;
  QWidget* widget = WidgetOf(*calculator_, name);
  QWidget* content = FrameOf(*calculator_)->Content();
  const QRect box(widget->mapTo(content, QPoint(0, 0)), widget->size());
  // One draw per statement: the order of a call's arguments differs between compilers.
  const int x = random_.Between(box.left() + 1, box.right() - 1);
  const int y = random_.Between(box.top() + 1, box.bottom() - 1);
  const QPoint at(x, y);
  const Before before = Observe();
  Expectation expect = Unchanged(before);
  const int field = FieldOf(widget);
  if (field >= 0) expect.focusedField = static_cast<Field>(field);
  ButtonEffects(expect, before, name, true);
  const std::int64_t beeps = platform::RuntimeBeepCount();
  ClickContentAt(*calculator_, at);
  Settle();
  Check(expect, beeps);
}

void Soak::DoClickAnywhere(bool inDescription) {
  const auto about = Open<AboutWindow>();
  const auto description = Open<DescriptionWindow>();
  std::shared_ptr<platform::Window> window = calculator_;
  if (inDescription && description) {
    window = description;
  } else if (about && about->Visible() && random_.Percent(50)) {
    window = about;
  }
  if (!Activate(*window)) return;
  QWidget* content = FrameOf(*window)->Content();
  const int x = random_.Below(content->width());
  const int y = random_.Below(content->height());
  const QPoint at(x, y);
  const Before before = Observe();
  Expectation expect = Unchanged(before);
  if (window == calculator_) {
    const std::string name = ControlHolding(*window, content->childAt(at));
    ++counts_["clicks anywhere on " + (name.empty() ? std::string("the window") : name)];
    const int field = FieldOf(WidgetOf(*window, name));
    if (field >= 0) expect.focusedField = static_cast<Field>(field);
    ButtonEffects(expect, before, name, true);
  } else if (window == about) {
    expect.aboutVisible = false;
    expect.front = velmora::ControlWnd::kClassName;
  }
  const std::int64_t beeps = platform::RuntimeBeepCount();
  ClickContentAt(*window, at);
  Settle();
  Check(expect, beeps);
}

void Soak::DoMenu(const Event& event) {
  const std::shared_ptr<platform::Window> window =
      event.inDescription && Open<DescriptionWindow>()
          ? std::shared_ptr<platform::Window>(Open<DescriptionWindow>())
          : calculator_;
  const bool inDescription = window != calculator_;
  if (!Activate(*window)) return;
  QMenu* menu = OpenMenu(*window, event.menu);
  if (!menu) return;
  const auto model = velmora::Menu()->Child(event.menu);
  std::vector<std::pair<std::string, QAction*>> entries;
  for (std::int32_t i = 0; i < model->Count() && i < menu->actions().size(); ++i) {
    const std::string name = model->Item(i)->Name();
    QAction* action = menu->actions()[i];
    for (const ItemState& state : kItemStates)
      if (state.item == name &&
          action->isEnabled() != (inDescription ? state.inDescription : state.inCalculator))
        Fail("menu item " + name + " is " + (action->isEnabled() ? "enabled" : "disabled"));
    if (!action->isSeparator() && name != "FileQuit") entries.emplace_back(name, action);
  }
  if (failed_) return;
  std::pair<std::string, QAction*> chosen = entries[random_.Below(static_cast<int>(entries.size()))];
  if (!event.item.empty())
    for (const auto& entry : entries)
      if (entry.first == event.item) chosen = entry;
  event_.item = chosen.first;
  event_.inDescription = inDescription;
  ++counts_["menu " + chosen.first + (chosen.second->isEnabled() ? "" : " (disabled)")];

  const Before before = Observe();
  Expectation expect = Unchanged(before);
  if (chosen.second->isEnabled()) MenuEffects(expect, inDescription, chosen.first);
  const std::int64_t beeps = platform::RuntimeBeepCount();
  QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(chosen.second).center());
  // A disabled entry leaves the menu open, as it does for a person, who then leaves it.
  if (menu->isVisible()) menu->close();
  Settle();
  Check(expect, beeps);
}

void Soak::DoMenuDismissed(const Event& event) {
  const auto description = Open<DescriptionWindow>();
  platform::Window& window = event.inDescription && description
                                 ? static_cast<platform::Window&>(*description)
                                 : static_cast<platform::Window&>(*calculator_);
  if (!Activate(window)) return;
  const Before before = Observe();
  const Expectation expect = Unchanged(before);
  const std::int64_t beeps = platform::RuntimeBeepCount();
  QMenu* menu = OpenMenu(window, event.menu);
  if (!menu) return;
  const auto escape = [] {
    QTest::sendKeyEvent(QTest::Click, static_cast<QWidget*>(nullptr), Qt::Key_Escape, QString(QChar(0x1b)),
                        Qt::NoModifier);
  };
  escape();
  Settle();
  if (menu->isVisible()) Fail("Escape left the menu open");
  // The menu bar keeps the keyboard, its title lit, until a second Escape.
  if (qobject_cast<QMenuBar*>(QApplication::focusWidget())) {
    escape();
    Settle();
    if (qobject_cast<QMenuBar*>(QApplication::focusWidget()))
      Fail("a second Escape left the menu bar focused");
  }
  Check(expect, beeps);
}

void Soak::DoCloseDescription() {
  const auto description = Open<DescriptionWindow>();
  if (!description) return;
  const Before before = Observe();
  Expectation expect = Unchanged(before);
  expect.descriptionOpen = false;
  const std::int64_t beeps = platform::RuntimeBeepCount();
  FrameOf(*description)->close();  // the close box
  Settle();
  Check(expect, beeps);
}

void Soak::KeyEffects(Expectation& expect, const Before& before, const KeyPress& key) {
  const auto about = Open<AboutWindow>();
  if (before.active == FrameOf(*calculator_)) {
    const int field = FieldOf(before.focus);
    if (field >= 0) {
      FieldKeyEffects(expect, before, static_cast<Field>(field), key);
      return;
    }
    // A focused button takes the space bar as a click; nothing else there acts.
    if (key.key == Qt::Key_Space && key.modifiers == Qt::NoModifier)
      ButtonEffects(expect, before, ControlHolding(*calculator_, before.focus), false);
    return;
  }
  // Any key that reaches the About window sends it away for the calculator. Tab may be
  // taken by the focus chain first.
  if (about && before.active == FrameOf(*about) && key.key != Qt::Key_Tab && key.key != Qt::Key_Backtab) {
    expect.aboutVisible = false;
    expect.front = velmora::ControlWnd::kClassName;
  }
  // In the description, which is read-only, nothing of the calculator changes.
}

void Soak::FieldKeyEffects(Expectation& expect, const Before& before, Field field,
                           const KeyPress& key) const {
  const FieldState& state = before.fields[field];
  const bool ctrl = key.modifiers & Qt::ControlModifier;
  // A paste reaches the filter as the text it inserts; one that inserts nothing reaches
  // no handler and changes nothing.
  std::string keyDownText = key.keyDownText;
  if (ctrl && key.key == Qt::Key_V) {
    const std::u32string taken = Taken(state, QApplication::clipboard()->text());
    if (taken.empty()) return;
    keyDownText = Utf8(taken);
  }
  expect.result.shown = false;  // every key that reaches a field hides the result line
  if (!FilterPasses(keyDownText)) {
    expect.beeps = 1;
    return;
  }
  std::optional<std::u32string>& after = expect.fields[field];
  const std::u32string typed = key.text.toStdU32String();
  const bool printable = !typed.empty() && typed[0] >= 32 && typed[0] != 127;
  if (printable && !ctrl) {
    after = AfterInsert(state, key.text);
  } else if (ctrl && key.key == Qt::Key_V) {
    after = AfterInsert(state, QApplication::clipboard()->text());
  } else if (!ctrl && (key.key == Qt::Key_Return || key.key == Qt::Key_Enter)) {
    after = AfterInsert(state, QStringLiteral("\n"));
  } else if (ctrl && (key.key == Qt::Key_A || key.key == Qt::Key_C)) {
    // Select all and copy leave the text as it is.
  } else if (!ctrl && key.name && key.key != Qt::Key_Backspace && key.key != Qt::Key_Delete) {
    // Moving keys, Tab and Escape leave the text as it is.
  } else {
    after.reset();  // editing keys, other shortcuts, raw control codes
  }
}

void Soak::ButtonEffects(Expectation& expect, const Before& before, std::string_view button,
                         bool pressedByMouse) {
  if (button == kClearBtn) {
    for (auto& field : expect.fields) field = std::u32string();
    expect.result = ResultLine{};
    expect.focusedField = kFeet;
    ++counts_["clears"];
  } else if (button == kCalculateBtn) {
    const auto text = [&before](Field field) { return Utf8(before.fields[field].text); };
    const Calculation calculation = ExpectedCalculation(text(kWeight), text(kFeet), text(kInches));
    if (calculation.message) {
      expect.message = calculation.message;
      ++counts_["calculations refused: " + *calculation.message];
    } else {
      expect.result = {true, calculation.line};
      ++counts_["calculations shown"];
    }
  } else if (button == kInfoBtn && pressedByMouse) {
    // The button acts as the mouse goes down.
    expect.descriptionOpen = true;
    expect.front = velmora::DescriptionWnd::kClassName;
  }
}

void Soak::MenuEffects(Expectation& expect, bool inDescription, const std::string& item) {
  if (item == "AboutMenuItem" || item == "AboutQEN") {
    expect.aboutVisible = true;
    expect.front = velmora::AboutWnd::kClassName;
  } else if (item == "DescriptionMenuItem") {
    expect.descriptionOpen = true;
    expect.front = velmora::DescriptionWnd::kClassName;
  } else if (item == "ControlMenuItem") {
    expect.front = velmora::ControlWnd::kClassName;
    expect.aboutVisible = false;
  } else if (item == "Print" && inDescription) {
    expect.printDialogs = 1;
  }
}

bool Soak::Activate(platform::Window& window) {
  if (!window.IsActive()) {
    FrameOf(window)->activateWindow();
    if (!velmora_test::WaitFor([&window] { return window.IsActive(); }, kWaitMs)) {
      Fail(window.ClassName() + " could not be brought to the front");
      return false;
    }
  }
  // Every activation of the calculator sends the About window away.
  const auto about = Open<AboutWindow>();
  if (&window == calculator_.get() && about && about->Visible()) {
    Fail("the calculator came to the front and the About window stayed");
    return false;
  }
  return true;
}

bool Soak::EnsureSomeWindowActive() {
  if (QGuiApplication::focusWindow()) return true;
  return Activate(*calculator_);
}

QMenu* Soak::OpenMenu(platform::Window& window, const std::string& menuName) {
  QMenuBar* bar = MenuBarOf(window);
  const auto model = velmora::Menu()->Child(menuName);
  if (!bar || !model) {
    Fail(window.ClassName() + " shows no menu " + menuName);
    return nullptr;
  }
  QMenu* menu = velmora_test::OpenMenu(*bar, QString::fromStdString(model->Text()), kWaitMs);
  if (!menu) {
    Fail("menu " + menuName + " did not open");
    return nullptr;
  }
  // A person looks at the menu before choosing: the window system's news of the popup
  // arrives while it is open, not after it closed (the offscreen platform would then
  // make the closed menu the active window).
  Settle();
  return menu;
}

Before Soak::Observe() const {
  Before before;
  for (int i = 0; i < 3; ++i) {
    const platform::TextArea& field = FieldControl(static_cast<Field>(i));
    before.fields[i] = {Chars(field.Text()), field.SelStart(), field.SelLength(), FieldWidget(field).Limit(),
                        FieldWidget(field).Multiline()};
  }
  before.focus = QApplication::focusWidget();
  before.active = QApplication::activeWindow();
  return before;
}

Expectation Soak::Unchanged(const Before& before) const {
  Expectation expect;
  expect.result = model_;
  for (int i = 0; i < 3; ++i) expect.fields[i] = before.fields[i].text;
  return expect;
}

int Soak::FieldOf(const QWidget* widget) const {
  for (int i = 0; i < 3; ++i)
    if (widget && widget == WidgetOf(*calculator_, kFields[i])) return i;
  return -1;
}

void Soak::Settle() {
  QCoreApplication::processEvents();
  QCoreApplication::processEvents();
  // What the main loop does between two events: windows closed meanwhile go.
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void Soak::Check(const Expectation& expect, std::int64_t beepsBefore) {
  if (platform::detail::State().escaped) Fail("an exception escaped a handler");
  for (const std::string& warning : warnings_.Take()) Fail("Qt warned: " + warning);
  const std::vector<std::string> messages =
      expect.message ? std::vector<std::string>{*expect.message} : std::vector<std::string>{};
  if (messages_ != messages) {
    std::string seen;
    for (const std::string& message : messages_) seen += " \"" + message + "\"";
    Fail("expected " +
         (expect.message ? "the message \"" + *expect.message + "\"" : std::string("no message")) + ", saw" +
         (seen.empty() ? " none" : seen));
  }
  if (printDialogs_ != expect.printDialogs)
    Fail(std::to_string(printDialogs_) + " print dialogs, expected " + std::to_string(expect.printDialogs));
  for (const std::string& modal : otherModals_) Fail("an unexpected modal " + modal);
  if (QApplication::activeModalWidget()) Fail("a modal dialog stayed open");
  if (QApplication::activePopupWidget()) Fail("a popup stayed open");
  const std::int64_t beeps = platform::RuntimeBeepCount() - beepsBefore;
  if (beeps != expect.beeps) Fail(std::to_string(beeps) + " beeps, expected " + std::to_string(expect.beeps));
  counts_["beeps"] += static_cast<int>(beeps);
  counts_["messages"] += static_cast<int>(messages_.size());
  counts_["print dialogs cancelled"] += printDialogs_;
  messages_.clear();
  printDialogs_ = 0;
  otherModals_.clear();

  CheckWindows(expect);
  if (!calculator_->IsOpen()) return;  // nothing left to compare
  CheckFields(expect);
  CheckResultLine(expect);
  model_ = expect.result;
}

void Soak::CheckFields(const Expectation& expect) {
  for (int i = 0; i < 3; ++i) {
    const platform::TextArea& field = FieldControl(static_cast<Field>(i));
    const std::string name(kFields[i]);
    const std::u32string text = Chars(field.Text());
    if (static_cast<std::int32_t>(text.size()) > FieldWidget(field).Limit())
      Fail(name + " holds " + std::to_string(text.size()) + " characters, past its limit of " +
           std::to_string(FieldWidget(field).Limit()) + ": " + Shown(text));
    if (!FieldWidget(field).Multiline() && text.find_first_of(U"\r\n\u2028\u2029") != std::u32string::npos)
      Fail(name + " is single-line and holds a line break: " + Shown(text));
    if (expect.fields[i] && text != *expect.fields[i])
      Fail(name + " holds " + Shown(text) + ", expected " + Shown(*expect.fields[i]));
  }
  if (expect.focusedField && !WidgetOf(*calculator_, kFields[*expect.focusedField])->hasFocus())
    Fail(std::string(kFields[*expect.focusedField]) + " does not have the focus");
}

void Soak::CheckResultLine(const Expectation& expect) {
  QWidget* content = FrameOf(*calculator_)->Content();
  for (const std::string_view name : {std::string_view("BMIText"), std::string_view("BMIFld")}) {
    const bool property = Label(name).Visible();
    const bool onScreen = WidgetOf(*calculator_, name)->isVisibleTo(content);
    if (property != expect.result.shown || onScreen != expect.result.shown)
      Fail(std::string(name) + (onScreen ? " is shown" : " is hidden") + " (Visible " +
           (property ? "true" : "false") + "), expected " + (expect.result.shown ? "shown" : "hidden"));
  }
  const auto* result = qobject_cast<QLabel*>(WidgetOf(*calculator_, "BMIFld"));
  if (Label("BMIFld").Text() != expect.result.text || result->text().toStdString() != expect.result.text)
    Fail("the result reads \"" + result->text().toStdString() + "\", expected \"" + expect.result.text +
         "\"");
  if (Label("BMIText").Text() != kCaption) Fail("the result's caption changed to " + Label("BMIText").Text());
}

void Soak::CheckWindows(const Expectation& expect) {
  std::map<std::string, int> instances;
  for (const auto& window : platform::OpenWindows()) {
    if (++instances[window->ClassName()] > 1) Fail("a second open " + window->ClassName());
    if (platform::GetImplicitWindow(window->ClassName()) != window)
      Fail("an open " + window->ClassName() + " is not the one its accessor gives");
  }
  if (Calculator() != calculator_ || !calculator_->Visible()) Fail("the calculator window went away");
  // Keys go to the window in front: it must be one of the system's.
  if (const QWidget* active = QApplication::activeWindow()) {
    const auto* frame = dynamic_cast<const platform::detail::WindowWidget*>(active);
    if (!frame || !frame->isVisible()) Fail("keys go to " + Where());
  }
  const auto start = Open<StartWindow>();
  if (!start || start->Visible()) Fail("the hidden start window closed or showed");
  const auto about = Open<AboutWindow>();
  if (!about) Fail("the About window closed");
  const auto description = Open<DescriptionWindow>();
  if (description && !description->Visible()) Fail("the description is open but hidden");
  if (expect.descriptionOpen && (description != nullptr) != *expect.descriptionOpen)
    Fail(std::string("the description is ") + (description ? "open" : "closed"));
  // Every window on screen is an open window of the system, or a dialog or menu of one.
  for (QWidget* widget : QApplication::topLevelWidgets()) {
    const auto* frame = dynamic_cast<platform::detail::WindowWidget*>(widget);
    if (frame && frame->isVisible() && (!frame->Owner() || !frame->Owner()->IsOpen()))
      Fail("a closed window is still on screen: " + frame->windowTitle().toStdString());
  }
  if (!expect.front.empty()) {
    const auto front = platform::GetImplicitWindow(expect.front);
    if (!front || !velmora_test::WaitFor([&front] { return front->IsActive(); }, kWaitMs))
      Fail(expect.front + " did not come to the front");
  }
  if (about && expect.aboutVisible && about->Visible() != *expect.aboutVisible)
    Fail(std::string("the About window is ") + (about->Visible() ? "shown" : "hidden"));
}

void Soak::Fail(const std::string& what) {
  failed_ = true;
  ADD_FAILURE() << "seed " << seed_ << ", event " << number_ << " of " << events_ << " (" << Describe(event_)
                << "): " << what;
}

std::string Soak::Where() const {
  const QWidget* active = QApplication::activeWindow();
  std::string where = active ? std::string("a ") + active->metaObject()->className() + " in front"
                             : std::string("no window in front");
  if (const QWindow* focus = QGuiApplication::focusWindow())
    where += std::string(", keys go to a ") + focus->metaObject()->className() + " " +
             focus->objectName().toStdString() + (focus->isVisible() ? "" : " (hidden)");
  for (const auto& window : platform::OpenWindows()) {
    if (FrameOf(*window) != QApplication::activeWindow()) continue;
    const QWidget* focus = QApplication::focusWidget();
    const std::string control = ControlHolding(*window, focus);
    where = window->ClassName() + " in front, focus on " +
            (!control.empty() ? control
             : focus          ? std::string("a ") + focus->metaObject()->className()
                              : std::string("nothing"));
  }
  return where;
}

std::string Soak::Summary() const {
  std::ostringstream out;
  for (const auto& [what, count] : counts_) out << "[ soak     ]   " << count << " " << what << "\n";
  return out.str();
}

std::vector<std::string> Soak::Missed() const {
  const std::string kinds[] = {
      "calculations shown",
      "calculations refused: " + std::string(kWeightMessage),
      "calculations refused: " + std::string(kFeetMessage),
      "calculations refused: " + std::string(kInchesMessage),
      "clears",
      "beeps",
      "pastes",
      "description closed",
      "menu DescriptionMenuItem",
      "clicks on InfoBtn",
      "menu AboutMenuItem",
      "menu AboutQEN",
      "menu ControlMenuItem",
      "print dialogs cancelled",
      "menus dismissed",
  };
  std::vector<std::string> missed;
  for (const std::string& kind : kinds)
    if (const auto found = counts_.find(kind); found == counts_.end() || found->second == 0)
      missed.push_back(kind);
  return missed;
}

TEST(Soak, RandomEventsKeepTheWindowsAsTheModelSays) {
  const std::uint32_t seed = FromEnvironment("VELMORA_SOAK_SEED", kDefaultSeed);
  const std::uint32_t events = FromEnvironment("VELMORA_SOAK_EVENTS", kDefaultEvents);
  std::cout << "[ soak     ] seed " << seed << ", " << events << " events (VELMORA_SOAK_SEED=" << seed
            << " repeats this run; VELMORA_SOAK_TRACE=<event> writes the events from there on)" << std::endl;
  bool finished = false;
  std::vector<std::string> missed;
  {
    Soak soak(seed, events, FromEnvironment("VELMORA_SOAK_TRACE", events + 1));
    QElapsedTimer clock;
    clock.start();
    // Runs once the program's own event loop turns, after the start-up with its splash.
    QTimer::singleShot(0, [&soak] { soak.Run(); });
    velmora::initialize();
    velmora::Main();
    std::cout << soak.Summary() << "[ soak     ] " << clock.elapsed() << " ms" << std::endl;
    finished = soak.Finished();
    missed = soak.Missed();
  }
  EXPECT_TRUE(finished) << "the run ended before its last event";
  if (finished && events >= kDefaultEvents)
    for (const std::string& kind : missed) ADD_FAILURE() << "a full run had no " << kind;
  EXPECT_FALSE(platform::GetImplicitWindow(velmora::ControlWnd::kClassName))
      << "Ctrl+Q left the calculator open";
  velmora::finalize();
  EXPECT_EQ(platform::RuntimeExit(), 0);
}

}  // namespace
}  // namespace soak
