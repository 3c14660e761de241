// The files and folders named on the simulator's command line, checked before
// any work: one line naming the file and the system's reason, and a server's
// own files never replaced without leave.

#include "common/files.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>

#include "sim/run.h"

namespace dravelquin {

namespace {

namespace fs = std::filesystem;

// A fresh, empty folder for one test, removed afterwards.
class InputFiles : public ::testing::Test {
 protected:
  void SetUp() override {
    const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
    folder_ = fs::temp_directory_path() / (std::string("dravelquin-sim-input-") + test->name());
    fs::remove_all(folder_);
    fs::create_directories(folder_);
  }
  void TearDown() override { fs::remove_all(folder_); }

  static void WriteFile(const fs::path& path, const std::string& text) {
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << text;
  }

  // The problem a call raises, or "" when it raises none.
  template <typename Call>
  static std::string ProblemOf(Call call) {
    try {
      call();
    } catch (const InputProblem& problem) {
      return problem.what();
    }
    return "";
  }

  fs::path PluginDir() const { return PluginFolderOf(folder_); }

  fs::path folder_;
};

std::string Reason(std::errc error) { return std::make_error_code(error).message(); }

}  // namespace

TEST_F(InputFiles, ScenarioThatCannotBeReadIsNamedWithTheReason) {
  // A directory (it ended in a raw stream-buffer message).
  EXPECT_EQ(
      "cannot read the scenario " + folder_.string() + ": " + Reason(std::errc::is_a_directory),
      ProblemOf([&] { ReadWholeFile(folder_.u8string(), "the scenario"); }));
  // A file that is not there.
  const fs::path missing = folder_ / "missing.json";
  EXPECT_EQ("cannot read the scenario " + missing.string() + ": " +
                Reason(std::errc::no_such_file_or_directory),
            ProblemOf([&] { ReadWholeFile(missing.u8string(), "the scenario"); }));
  // A readable file: its bytes.
  WriteFile(folder_ / "s.json", "{\r\n}");
  EXPECT_EQ("{\r\n}", ReadWholeFile((folder_ / "s.json").u8string(), "the scenario"));
}

TEST_F(InputFiles, ChartThatCannotBeWrittenIsFoundBeforeTheRun) {
  // A directory.
  EXPECT_EQ("cannot write the chart " + folder_.string() + ": " + Reason(std::errc::is_a_directory),
            ProblemOf([&] { CheckWritable(folder_.u8string(), "the chart"); }));
  // In a folder that is not there.
  const fs::path nowhere = folder_ / "no" / "chart.svg";
  EXPECT_EQ("cannot write the chart " + nowhere.string() + ": " +
                Reason(std::errc::no_such_file_or_directory),
            ProblemOf([&] { CheckWritable(nowhere.u8string(), "the chart"); }));
  // A writable place: no file left behind, an existing one left as it is.
  EXPECT_EQ("", ProblemOf([&] { CheckWritable((folder_ / "new.svg").u8string(), "the chart"); }));
  EXPECT_FALSE(fs::exists(folder_ / "new.svg"));
  WriteFile(folder_ / "old.svg", "<svg/>");
  EXPECT_EQ("", ProblemOf([&] { CheckWritable((folder_ / "old.svg").u8string(), "the chart"); }));
  EXPECT_EQ("<svg/>", ReadWholeFile((folder_ / "old.svg").u8string(), "the chart"));
}

TEST_F(InputFiles, OutputFileIsWrittenWholeAndReplacesOnlyWithLeave) {
  const fs::path target = folder_ / "out.json";
  const std::string name = target.u8string();
  // A new file: its bytes once committed, nothing else left in the folder.
  {
    OutputFile output(name, false);
    output.Stream() << "{}\n";
    output.Commit();
  }
  EXPECT_EQ("{}\n", ReadWholeFile(name, "the output"));
  EXPECT_EQ(1, std::distance(fs::directory_iterator(folder_), {}));
  // An existing file without leave: refused before anything is written.
  EXPECT_EQ(name + " exists already; give --force to replace it",
            ProblemOf([&] { OutputFile output(name, false); }));
  // With leave, but a run that stops before its end: the file as it was.
  {
    OutputFile output(name, true);
    output.Stream() << "half";
  }
  EXPECT_EQ("{}\n", ReadWholeFile(name, "the output"));
  EXPECT_EQ(1, std::distance(fs::directory_iterator(folder_), {}));
  // With leave, to the end: replaced.
  {
    OutputFile output(name, true);
    output.Stream() << "new";
    output.Commit();
  }
  EXPECT_EQ("new", ReadWholeFile(name, "the output"));
  // A file made by another program while the output was written: kept.
  const fs::path raced = folder_ / "raced.json";
  OutputFile output(raced.u8string(), false);
  output.Stream() << "mine";
  WriteFile(raced, "theirs");
  EXPECT_THROW(output.Commit(), std::runtime_error);
  EXPECT_EQ("theirs", ReadWholeFile(raced.u8string(), "the output"));
  // A directory.
  EXPECT_EQ("cannot write " + folder_.u8string() + ": " + Reason(std::errc::is_a_directory),
            ProblemOf([&] { OutputFile directory(folder_.u8string(), true); }));
}

TEST_F(InputFiles, ServerDirWhosePluginFileIsAFolderIsRefused) {
  // A folder named config.json killed the simulator before its first step.
  fs::create_directories(PluginDir() / "config.json");
  EXPECT_EQ(
      "cannot use the server dir: " + (PluginDir() / "config.json").string() + " is not a file",
      ProblemOf([&] {
        sim::CheckServerDir(folder_.string(), {false, false}, true);
      }));
}

TEST_F(InputFiles, ServerDirThatIsAFileIsRefused) {
  WriteFile(folder_ / "server", "");
  EXPECT_EQ("cannot use the server dir " + (folder_ / "server").string() + ": " +
                Reason(std::errc::not_a_directory),
            ProblemOf([&] {
              sim::CheckServerDir((folder_ / "server").string(), {true, true}, true);
            }));
}

TEST_F(InputFiles, ServersOwnFilesAreReplacedOnlyWithLeave) {
  WriteFile(PluginDir() / "config.json", "{}");
  WriteFile(PluginDir() / "dinoDump.txt", "");
  // A config to write over the server's own (it was silently overwritten).
  EXPECT_NE("", ProblemOf([&] { sim::CheckServerDir(folder_.string(), {true, false}, false); }));
  // A dump the run may write over the server's own.
  EXPECT_NE("", ProblemOf([&] { sim::CheckServerDir(folder_.string(), {false, true}, false); }));
  // Files the run leaves alone.
  EXPECT_EQ("", ProblemOf([&] { sim::CheckServerDir(folder_.string(), {false, false}, false); }));
  // With leave (--overwrite).
  EXPECT_EQ("", ProblemOf([&] { sim::CheckServerDir(folder_.string(), {true, true}, true); }));
  // A server dir that is not there yet has nothing to replace.
  EXPECT_EQ("", ProblemOf([&] {
              sim::CheckServerDir((folder_ / "new").string(), {true, true}, false);
            }));
}

TEST_F(InputFiles, TemporaryServerDirGoesUnlessTheRunWentThrough) {
  // A run that stopped midway: its temporary dir is removed.
  sim::ServerDir stopped{folder_ / "stopped", true};
  fs::create_directories(stopped.PluginDir());
  { sim::TemporaryDirRemoval removal(stopped); }
  EXPECT_FALSE(fs::exists(stopped.root));
  // A run that went through: kept for inspection.
  sim::ServerDir finished{folder_ / "finished", true};
  fs::create_directories(finished.PluginDir());
  {
    sim::TemporaryDirRemoval removal(finished);
    removal.Keep();
  }
  EXPECT_TRUE(fs::exists(finished.root));
  // A server dir the administrator gave is never removed.
  sim::ServerDir given{folder_ / "given", false};
  fs::create_directories(given.PluginDir());
  { sim::TemporaryDirRemoval removal(given); }
  EXPECT_TRUE(fs::exists(given.root));
}

}  // namespace dravelquin
