#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ShellHarness.h"
#include "platform/FileType.h"
#include "shell/FileTypes.h"
#include "shell/Startup.h"

namespace {

using shell_test::TraceRecorder;

TEST(FileTypes, RegistersTwoTypesWithNameCreatorTypeAndExtensionsInThatOrder) {
  TraceRecorder trace;
  velmora::FileTypes::Initialize();

  const auto registered = platform::RuntimeRegisteredFileTypes();
  ASSERT_EQ(registered.size(), 2u);
  EXPECT_EQ(registered[0].name, "text");
  EXPECT_EQ(registered[0].creator, "R*ch");
  EXPECT_EQ(registered[0].type, "TEXT");
  EXPECT_EQ(registered[0].extensions, "");
  for (const std::string& field :
       {registered[1].name, registered[1].creator, registered[1].type, registered[1].extensions})
    EXPECT_EQ(field, "");

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
