#pragma once

// The base of every test of the suite: a fresh host, game, allocator and
// server directory per test, and one check at the end that the engine
// memory the plug-in and the game handled was all given back correctly.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "host_stand_in/testbed_host.h"

namespace dravelquin {

class TestbedTest : public ::testing::Test {
 protected:
  // Resets the host, the game and the allocator, points the host's world at
  // the game's world, and makes a new empty server directory the host's
  // current dir.
  void SetUp() override;
  // Unloads the plug-in if loaded, empties the world, removes the server
  // directory, then expects no live engine blocks and no allocator errors.
  void TearDown() override;

  const std::filesystem::path& ServerDir() const { return server_dir_; }
  // DIR/ArkApi/Plugins/dravelquin, where the plug-in keeps its files.
  std::filesystem::path PluginDir() const;

  // Writes `text` as the plug-in's config.json, making its directory.
  void WriteConfig(const std::string& text) const;
  bool DumpExists() const;
  // The whole dump file as bytes; "" when it does not exist.
  std::string ReadDump() const;

  // Loads the plug-in built with this suite; the result carries the
  // loader's error text when it fails.
  ::testing::AssertionResult LoadPlugin();
  ::testing::AssertionResult UnloadPlugin();
  // The loader's outcome itself, for tests of failing loads.
  testbed::LoaderOutcome TryLoadPlugin();

 private:
  std::filesystem::path server_dir_;
};

}  // namespace dravelquin
