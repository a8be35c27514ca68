#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/Diagnostics.h"
#include "platform/FileType.h"
#include "support/FileTypeFields.h"
#include "support/TraceRecorder.h"

namespace {

using Lines = std::vector<std::string>;
using velmora_test::FileTypeFields;
using velmora_test::RegisteredFileTypeFields;
using velmora_test::TraceRecorder;

// The registry's own trace lines since the last look.
Lines RegistryLines(TraceRecorder& trace) { return trace.Take({"RegisterFileType ", "DeregisterFileType "}); }

std::vector<std::string> RegisteredNames() {
  std::vector<std::string> names;
  for (const auto& type : platform::RuntimeRegisteredFileTypes()) names.push_back(type.name);
  return names;
}

std::unique_ptr<platform::FileType> MakeType(std::string_view name, std::string_view extensions,
                                             std::string_view macType, std::string_view macCreator) {
  auto type = std::make_unique<platform::FileType>();
  type->SetName(name);
  type->SetExtensions(extensions);
  type->SetMacType(macType);
  type->SetMacCreator(macCreator);
  return type;
}

TEST(FileTypeRegistry, StartUpOrderArgumentsAndWithdrawalAtTheEnd) {
  TraceRecorder trace;
  auto text = MakeType("text", "", "TEXT", "R*ch");
  EXPECT_EQ(std::string(*text), "text");
  auto untitled = MakeType("", "", "", "");
  EXPECT_EQ(std::string(*untitled), "");

  // The arguments come as name, creator, type, extensions.
  EXPECT_EQ(RegisteredFileTypeFields(),
            (std::vector<FileTypeFields>{{"text", "R*ch", "TEXT", ""}, {"", "", "", ""}}));
  EXPECT_EQ(RegistryLines(trace), (Lines{"RegisterFileType \"text\"", "RegisterFileType \"\""}));

  text.reset();
  EXPECT_EQ(RegisteredNames(), (Lines{""}));
  untitled.reset();
  EXPECT_TRUE(platform::RuntimeRegisteredFileTypes().empty());
  EXPECT_EQ(RegistryLines(trace), (Lines{"DeregisterFileType \"text\"", "DeregisterFileType \"\""}));
}

TEST(FileTypeRegistry, ConversionRegistersOnce) {
  TraceRecorder trace;
  auto text = MakeType("text", "txt", "TEXT", "R*ch");
  EXPECT_FALSE(text->Registered());
  EXPECT_EQ(std::string(*text), "text");
  EXPECT_EQ(std::string(*text), "text");
  EXPECT_TRUE(text->Registered());
  EXPECT_EQ(RegistryLines(trace), (Lines{"RegisterFileType \"text\""}));
  EXPECT_EQ(RegisteredNames(), (Lines{"text"}));
}

TEST(FileTypeRegistry, EverySetterWithdrawsUnderTheCurrentName) {
  struct Row {
    const char* name;
    std::function<void(platform::FileType&)> change;
    platform::RegisteredFileType after;
  };
  const Row kRows[] = {
      {"Name", [](platform::FileType& t) { t.SetName("plain"); }, {"plain", "R*ch", "TEXT", "txt"}},
      {"Extensions", [](platform::FileType& t) { t.SetExtensions("md"); }, {"text", "R*ch", "TEXT", "md"}},
      {"MacType", [](platform::FileType& t) { t.SetMacType("ttro"); }, {"text", "R*ch", "ttro", "txt"}},
      {"MacCreator", [](platform::FileType& t) { t.SetMacCreator("ttxt"); }, {"text", "ttxt", "TEXT", "txt"}},
  };
  for (const Row& row : kRows) {
    SCOPED_TRACE(row.name);
    TraceRecorder trace;
    auto type = MakeType("text", "txt", "TEXT", "R*ch");
    static_cast<void>(std::string(*type));
    RegistryLines(trace);

    row.change(*type);
    EXPECT_FALSE(type->Registered());
    EXPECT_TRUE(platform::RuntimeRegisteredFileTypes().empty());
    EXPECT_EQ(RegistryLines(trace), (Lines{"DeregisterFileType \"text\""}));

    // The next conversion registers the changed type afresh.
    EXPECT_EQ(std::string(*type), row.after.name);
    EXPECT_EQ(RegisteredFileTypeFields(),
              (std::vector<FileTypeFields>{
                  {row.after.name, row.after.creator, row.after.type, row.after.extensions}}));

    type.reset();
    EXPECT_EQ(RegistryLines(trace), (Lines{"RegisterFileType \"" + row.after.name + "\"",
                                           "DeregisterFileType \"" + row.after.name + "\""}));
  }
}

TEST(FileTypeRegistry, UnregisteredTypesWithdrawNothing) {
  TraceRecorder trace;
  auto type = MakeType("text", "", "TEXT", "R*ch");
  type->SetName("other");
  type.reset();
  EXPECT_TRUE(RegistryLines(trace).empty());
  EXPECT_TRUE(platform::RuntimeRegisteredFileTypes().empty());
}

TEST(FileTypeRegistry, WithdrawingOneOfTwoLikeNamedTypesKeepsTheOther) {
  auto first = MakeType("text", "", "TEXT", "R*ch");
  auto second = MakeType("text", "", "TEXT", "ttxt");
  auto other = MakeType("other", "", "", "");
  static_cast<void>(std::string(*first));
  static_cast<void>(std::string(*other));
  static_cast<void>(std::string(*second));
  EXPECT_EQ(RegisteredNames(), (Lines{"text", "other", "text"}));

  first.reset();
  EXPECT_EQ(RegisteredNames(), (Lines{"other", "text"}));
  EXPECT_EQ(platform::RuntimeRegisteredFileTypes()[1].creator, "ttxt");
  platform::RuntimeDeregisterFileType("never registered");
  EXPECT_EQ(RegisteredNames(), (Lines{"other", "text"}));
  second.reset();
  other.reset();
  EXPECT_TRUE(platform::RuntimeRegisteredFileTypes().empty());
}

TEST(FileTypeRegistry, TraceQuotesNamesUnambiguously) {
  TraceRecorder trace;
  platform::RuntimeRegisterFileType("a \"b\" \\", "", "", "");
  EXPECT_EQ(RegistryLines(trace), (Lines{"RegisterFileType \"a \\\"b\\\" \\\\\""}));
}

}  // namespace
