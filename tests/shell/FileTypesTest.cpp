#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/FileType.h"
#include "shell/FileTypes.h"
#include "shell/Startup.h"
#include "support/FileTypeFields.h"
#include "support/TraceRecorder.h"

namespace {

using velmora_test::TraceRecorder;

TEST(FileTypes, RegistersTwoTypesWithNameCreatorTypeAndExtensionsInThatOrder) {
  TraceRecorder trace;
  velmora::FileTypes::Initialize();

  // Name, creator, type and extensions.
  EXPECT_EQ(velmora_test::RegisteredFileTypeFields(),
            (std::vector<velmora_test::FileTypeFields>{{"text", "R*ch", "TEXT", ""}, {"", "", "", ""}}));

  // Each registered once, and no setter withdrew anything on the way.
  EXPECT_EQ(trace.Starting({"RegisterFileType", "DeregisterFileType"}),
            (std::vector<std::string>{"RegisterFileType \"text\"", "RegisterFileType \"\""}));
  EXPECT_TRUE(velmora::FileTypes::pText->Registered());
  EXPECT_TRUE(velmora::FileTypes::pUntitledType->Registered());
}

TEST(FileTypes, AreWithdrawnAtExitTextFirst) {
  velmora::FileTypes::Initialize();
  TraceRecorder trace;
  velmora::finalize();

  EXPECT_EQ(trace.Starting({"RegisterFileType", "DeregisterFileType"}),
            (std::vector<std::string>{"DeregisterFileType \"text\"", "DeregisterFileType \"\""}));
  EXPECT_TRUE(platform::RuntimeRegisteredFileTypes().empty());
  EXPECT_FALSE(velmora::FileTypes::pText);
  EXPECT_FALSE(velmora::FileTypes::pUntitledType);
}

}  // namespace
