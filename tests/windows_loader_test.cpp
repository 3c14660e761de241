// Windows only: the plug-in as the Windows loader drives it through DllMain.

#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <thread>
#include <vector>

#include "host_stand_in/testbed_host.h"
#include "support/plugin_world.h"

namespace dravelquin {

using WindowsLoader = PluginWorldTest;

TEST_F(WindowsLoader, FailedStartUpLeavesTheLibraryUnmapped) {
  // "attach failed" is LoadLibrary failing with ERROR_DLL_INIT_FAILED.
  EXPECT_EQ("attach failed", TryLoadPlugin().error);
  EXPECT_EQ(nullptr, GetModuleHandleW(L"dravelquin.dll"));

  LoadWithConfig(ConfigWith("{}"));
  EXPECT_NE(nullptr, GetModuleHandleW(L"dravelquin.dll"));
}

TEST_F(WindowsLoader, ThreadNotificationsNeitherBindNorUnbind) {
  testbed::GameClass* kind = testbed::AddKind(FullNameOfKind(u"Example"));
  Place(kind, 1);
  LoadWithConfig(ConfigWith("{\"" + PathOfKind("Example") + "\":{\"Count\":1}}"));
  testbed::InitGameMode();
  testbed::ClearJournal();

  // A new thread's start and end reach every loaded DLL's DllMain.
  std::thread([] {}).join();

  EXPECT_EQ(std::vector<std::string>{}, testbed::Journal());
  EXPECT_TRUE(SpawnIsDestroyed(kind)) << "the census made before the thread still caps";
}

}  // namespace dravelquin
