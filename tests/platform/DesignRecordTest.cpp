#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/DesignRecord.h"
#include "platform/RuntimeException.h"

namespace {

using platform::Color;
using platform::PropertyValue;
using platform::RecordEntry;

std::string Bytes(std::initializer_list<int> values) {
  std::string out;
  for (int v : values) out.push_back(static_cast<char>(v));
  return out;
}

// The value bytes of one entry, after "<name> ".
std::string ValueBytes(const RecordEntry& entry) {
  const RecordEntry entries[] = {entry};
  return platform::WriteRecord(entries).substr(entry.name.size() + 1);
}

TEST(DesignRecordEncoding, ValuesTakeTheWidthsOfTheirTypes) {
  struct Case {
    const char* what;
    RecordEntry entry;
    std::string bytes;
  } cases[] = {
      {"Int32 1500", {"Period", 1500}, Bytes({0, 0, 5, 220})},
      {"smallest Int32", {"Index", platform::kNoControlIndex}, Bytes({128, 0, 0, 0})},
      {"Int32 -1", {"Top", -1}, Bytes({255, 255, 255, 255})},
      {"Boolean true", {"Visible", true}, Bytes({1})},
      {"Boolean false", {"Visible", false}, Bytes({0})},
      {"Color", {"TextColor", Color(0x800000)}, Bytes({128, 0, 0})},
      {"empty String", {"HelpTag", std::string_view("")}, Bytes({0, 0, 0, 0})},
      {"String", {"Title", std::string_view("ab")}, Bytes({0, 0, 0, 2, 'a', 'b'})},
  };
  for (const Case& c : cases) EXPECT_EQ(ValueBytes(c.entry), c.bytes) << c.what;
}

TEST(DesignRecordEncoding, StringLengthCountsBytesNotCharacters) {
  // 48 ASCII characters and one two-byte character: 49 characters, 50 bytes.
  const std::string text = std::string(48, 'x') + "\xC3\xB7";
  const std::string bytes = ValueBytes({"Text", std::string_view(text)});
  EXPECT_EQ(bytes.substr(0, 4), Bytes({0, 0, 0, 50}));
  EXPECT_EQ(bytes.substr(4), text);
}

TEST(DesignRecordReading, ReadsBackWhatWasWrittenInRecordOrder) {
  const RecordEntry rows[] = {{"Mode", 1}, {"Period", 1500}};
  const auto entries = platform::ReadRecord(platform::WriteRecord(rows), platform::TimerProperties());
  ASSERT_EQ(entries.size(), 2u);
  EXPECT_EQ(entries[0].first, "Mode");
  EXPECT_EQ(std::get<std::int32_t>(entries[0].second), 1);
  EXPECT_EQ(entries[1].first, "Period");
  EXPECT_EQ(std::get<std::int32_t>(entries[1].second), 1500);
}

TEST(DesignRecordReading, ValueBytesThatLookLikeSeparatorsAreValues) {
  // 32 is a space; widths come from the types, so these bytes are read as values.
  const RecordEntry rows[] = {
      {"Width", 32 * 256 + 32}, {"Title", std::string_view("a b ")}, {"Visible", true}};
  const auto entries = platform::ReadRecord(platform::WriteRecord(rows), platform::WindowProperties());
  ASSERT_EQ(entries.size(), 3u);
  EXPECT_EQ(std::get<std::int32_t>(entries[0].second), 32 * 256 + 32);
  EXPECT_EQ(std::get<std::string>(entries[1].second), "a b ");
  EXPECT_TRUE(std::get<bool>(entries[2].second));
}

TEST(DesignRecordReading, EveryKindTakesOnlyItsOwnProperties) {
  const struct {
    const platform::PropertyTable& table;
    std::size_t size;
  } kinds[] = {{platform::WindowProperties(), 24},     {platform::RoundRectangleProperties(), 21},
               {platform::StaticTextProperties(), 28}, {platform::TextAreaProperties(), 41},
               {platform::PushButtonProperties(), 26}, {platform::CanvasProperties(), 23},
               {platform::TimerProperties(), 2}};
  for (const auto& kind : kinds) {
    EXPECT_EQ(kind.table.properties.size(), kind.size) << kind.table.kind;
    if (kind.table.kind != "Timer") {
      EXPECT_EQ(kind.table.properties.back().name, kind.table.kind == "Window" ? "Left" : "InitialParent")
          << kind.table.kind;
    }
  }
  EXPECT_EQ(platform::TimerProperties().Find("Caption"), nullptr);
  EXPECT_NE(platform::PushButtonProperties().Find("Caption"), nullptr);
}

TEST(DesignRecordReading, MalformedRecordsRaiseNamingPropertyAndOffset) {
  const std::string good =
      platform::WriteRecord(std::initializer_list<RecordEntry>{{"Mode", 1}, {"Period", 1500}});
  const struct {
    const char* what;
    std::string record;
    const char* mention;
  } cases[] = {
      {"unknown name", "Colour " + Bytes({1, 2, 3}), "\"Colour\" at byte 0"},
      {"name of another kind", "Caption " + Bytes({0, 0, 0, 0}), "\"Caption\" at byte 0"},
      {"value cut short", good.substr(0, good.size() - 1), "\"Period\" at byte 9"},
      {"no value at all", "Mode ", "\"Mode\" at byte 0"},
      {"trailing bytes", good + "x", "byte 20"},
      {"no separator", "Mode", "\"Mode\" at byte 0"},
      {"empty name", " " + Bytes({0, 0, 0, 1}), "byte 0"},
  };
  for (const auto& c : cases) {
    try {
      platform::ReadRecord(c.record, platform::TimerProperties());
      ADD_FAILURE() << c.what << ": no exception";
    } catch (const platform::RuntimeException& e) {
      EXPECT_NE(std::string(e.what()).find(c.mention), std::string::npos) << c.what << ": " << e.what();
    }
  }
}

TEST(DesignRecordReading, AStringLongerThanTheRecordIsCutShortNotReadBeyond) {
  const std::string record = "Title " + Bytes({0xFF, 0xFF, 0xFF, 0xFF}) + "abc";
  EXPECT_THROW(platform::ReadRecord(record, platform::WindowProperties()), platform::RuntimeException);
}

TEST(DesignRecordReading, ABooleanOtherThanZeroOrOneIsMalformed) {
  EXPECT_THROW(platform::ReadRecord("Visible " + Bytes({2}), platform::WindowProperties()),
               platform::RuntimeException);
}

// Records the properties a record hands on.
class RecordingTarget : public platform::PropertyTarget {
 public:
  explicit RecordingTarget(const platform::PropertyTable& table) : table_(table) {}
  const platform::PropertyTable& Properties() const override { return table_; }
  void SetProperty(std::string_view name, const PropertyValue&) override { set.emplace_back(name); }

  std::vector<std::string> set;

 private:
  const platform::PropertyTable& table_;
};

// Each row's property comes after a Width (or Period) that would be applied: a refused
// value keeps the whole record from being applied; a value without effect is accepted
// but handed on to nobody.
TEST(DesignRecordApplying, ValuesWithoutEffectAreDroppedAndUnsupportedValuesRefused) {
  using namespace std::string_view_literals;
  const struct {
    const char* what;
    const platform::PropertyTable& table;
    RecordEntry entry;
    const char* refusal;  // nullptr: accepted without effect
  } rows[] = {
      {"composite window", platform::WindowProperties(), {"Composite", true}, nullptr},
      {"window position", platform::WindowProperties(), {"Top", 40}, nullptr},
      {"hidden menu bar", platform::WindowProperties(), {"MenuBarVisible", false}, nullptr},
      {"size limits", platform::WindowProperties(), {"MaxWidth", 700}, nullptr},
      {"a lock", platform::TextAreaProperties(), {"LockRight", true}, nullptr},
      {"canvas buffering", platform::CanvasProperties(), {"DoubleBuffer", true}, nullptr},
      {"resizable window",
       platform::WindowProperties(),
       {"Resizeable", true},
       "Window property \"Resizeable\" cannot be true here: only false is supported."},
      {"full screen", platform::WindowProperties(), {"FullScreen", true}, "\"FullScreen\" cannot be true"},
      {"repeating timer",
       platform::TimerProperties(),
       {"Mode", 2},
       "Timer property \"Mode\" cannot be 2 here: only 1 is supported."},
      {"timer off", platform::TimerProperties(), {"Mode", 0}, "\"Mode\" cannot be 0"},
      {"default button", platform::PushButtonProperties(), {"Default", true}, "\"Default\" cannot be true"},
      {"control array", platform::CanvasProperties(), {"Index", 3}, "\"Index\" cannot be 3"},
      {"data binding",
       platform::StaticTextProperties(),
       {"DataSource", "people"sv},
       "StaticText property \"DataSource\" cannot be \"people\" here: only \"\" is supported."},
      {"input mask", platform::TextAreaProperties(), {"Mask", "###"sv}, "\"Mask\" cannot be \"###\""},
      {"unknown frame",
       platform::WindowProperties(),
       {"Frame", 3},
       "Window property \"Frame\" cannot be 3 here: only 0 to 2 are supported."},
      {"negative frame", platform::WindowProperties(), {"Frame", -1}, "\"Frame\" cannot be -1"},
      {"unknown alignment",
       platform::StaticTextProperties(),
       {"TextAlign", 3},
       "StaticText property \"TextAlign\" cannot be 3 here: only 0 to 2 are supported."},
      {"negative period",
       platform::TimerProperties(),
       {"Period", -1},
       "Timer property \"Period\" cannot be -1 here: only 0 or more are supported."},
  };
  for (const auto& row : rows) {
    const RecordEntry applied =
        &row.table == &platform::TimerProperties() ? RecordEntry{"Period", 10} : RecordEntry{"Width", 10};
    RecordingTarget target(row.table);
    const std::string record = platform::WriteRecord(std::initializer_list<RecordEntry>{applied, row.entry});
    if (!row.refusal) {
      EXPECT_NO_THROW(platform::SetProperties(target, record)) << row.what;
      EXPECT_EQ(target.set, std::vector<std::string>{std::string(applied.name)}) << row.what;
      continue;
    }
    try {
      platform::SetProperties(target, record);
      ADD_FAILURE() << row.what << ": accepted";
    } catch (const platform::RuntimeException& e) {
      EXPECT_NE(std::string(e.what()).find(row.refusal), std::string::npos) << row.what << ": " << e.what();
    }
    EXPECT_TRUE(target.set.empty()) << row.what;
  }
}

}  // namespace
