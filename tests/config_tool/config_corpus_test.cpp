// The corpus of settings files and dumps under corpus/: each NAME.expected
// holds one run of the tool as a transcript, "$ ARGUMENTS" on its first
// line, then the exact standard output, the standard error with each line
// marked "stderr: ", and "[exit STATUS]". The run happens in the corpus
// folder, so the files are named as the transcript shows them.

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "config/command_line.h"
#include "support/testbed_fixture.h"

namespace dravelquin {

namespace {

const std::filesystem::path kCorpusDir = DRAVELQUIN_CONFIG_CORPUS_DIR;

std::vector<std::string> CorpusCases() {
  std::vector<std::string> cases;
  for (const auto& entry : std::filesystem::directory_iterator(kCorpusDir)) {
    if (entry.path().extension() == ".expected") {
      cases.push_back(entry.path().stem().string());
    }
  }
  std::sort(cases.begin(), cases.end());
  return cases;
}

std::string ReadText(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::vector<std::string> ArgumentsOf(const std::string& command_line) {
  std::istringstream words(command_line.substr(2));
  return std::vector<std::string>(std::istream_iterator<std::string>(words),
                                  std::istream_iterator<std::string>());
}

std::string MarkedAsError(const std::string& text) {
  std::istringstream lines(text);
  std::string marked;
  for (std::string line; std::getline(lines, line);) {
    marked += "stderr: " + line + "\n";
  }
  return marked;
}

// "interval_zero" -> "IntervalZero", for the test's name.
std::string CamelCase(const std::string& snake_case) {
  std::string camel;
  bool word_start = true;
  for (const char c : snake_case) {
    if (c == '_') {
      word_start = true;
    } else {
      camel += word_start ? static_cast<char>(std::toupper(static_cast<unsigned char>(c))) : c;
      word_start = false;
    }
  }
  return camel;
}

// Runs the tool in the corpus folder and writes the run as a transcript.
std::string Transcript(const std::string& command_line) {
  const std::filesystem::path outside = std::filesystem::current_path();
  std::filesystem::current_path(kCorpusDir);
  std::ostringstream out;
  std::ostringstream err;
  const int status = RunTool(ArgumentsOf(command_line), out, err);
  std::filesystem::current_path(outside);
  return command_line + "\n" + out.str() + MarkedAsError(err.str()) + "[exit " +
         std::to_string(status) + "]\n";
}

class ConfigCorpus : public TestbedTest, public ::testing::WithParamInterface<std::string> {};

}  // namespace

TEST_P(ConfigCorpus, ToolRunMatchesTheTranscript) {
  const std::string expected = ReadText(kCorpusDir / (GetParam() + ".expected"));
  const std::string command_line = expected.substr(0, expected.find('\n'));
  ASSERT_EQ(0u, command_line.rfind("$ ", 0)) << "a transcript begins with \"$ \"";
  EXPECT_EQ(expected, Transcript(command_line));
}

INSTANTIATE_TEST_SUITE_P(Corpus, ConfigCorpus, ::testing::ValuesIn(CorpusCases()),
                         [](const ::testing::TestParamInfo<std::string>& corpus_case) {
                           return CamelCase(corpus_case.param);
                         });

}  // namespace dravelquin
