// Windows only: the plug-in DLL carries the project's version and its
// licence as a version resource, which the file's properties show on their
// Details tab.

#include <gtest/gtest.h>
#include <windows.h>

#include <cstdint>
#include <cstring>
#include <string>

namespace dravelquin {
namespace {

constexpr std::uint32_t kFixedInfoSignature = 0xFEEF04BD;

// The version resource of the module at `path`, read without running it.
std::string VersionResourceOf(const std::string& path) {
  const std::wstring wide_path(path.begin(), path.end());
  HMODULE module = LoadLibraryExW(wide_path.c_str(), nullptr,
                                  LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
  if (module == nullptr) {
    return "";
  }
  std::string bytes;
  if (HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(16))) {
    if (HGLOBAL loaded = LoadResource(module, found)) {
      const auto* data = static_cast<const char*>(LockResource(loaded));
      bytes.assign(data, SizeofResource(module, found));
    }
  }
  FreeLibrary(module);
  return bytes;
}

// The file version of the fixed part, "major.minor.patch.build".
std::string FixedFileVersion(const std::string& resource) {
  for (std::size_t at = 0; at + 16 <= resource.size(); at += 4) {
    std::uint32_t words[4];
    std::memcpy(words, resource.data() + at, sizeof words);
    if (words[0] == kFixedInfoSignature) {
      return std::to_string(words[2] >> 16) + "." + std::to_string(words[2] & 0xFFFF) + "." +
             std::to_string(words[3] >> 16) + "." + std::to_string(words[3] & 0xFFFF);
    }
  }
  return "no fixed file information";
}

// Whether the resource holds the UTF-16 text.
bool HoldsText(const std::string& resource, const std::string& text) {
  std::string utf16;
  for (const char c : text) {
    utf16.push_back(c);
    utf16.push_back('\0');
  }
  return resource.find(utf16) != std::string::npos;
}

TEST(PluginVersionResource, CarriesTheProjectVersion) {
  const std::string resource = VersionResourceOf(DRAVELQUIN_PLUGIN_PATH);
  ASSERT_FALSE(resource.empty()) << "no version resource in " << DRAVELQUIN_PLUGIN_PATH;
  // The fixed part, as the file's properties read it.
  EXPECT_EQ(std::string(DRAVELQUIN_VERSION) + ".0", FixedFileVersion(resource));
  // The strings shown beside it.
  EXPECT_TRUE(HoldsText(resource, std::string("FileVersion")));
  EXPECT_TRUE(HoldsText(resource, std::string(DRAVELQUIN_VERSION)));
  EXPECT_TRUE(HoldsText(resource, "dravelquin.dll"));
  // The copyright field names the licence the release carries.
  EXPECT_TRUE(HoldsText(resource, "LegalCopyright"));
  EXPECT_TRUE(HoldsText(resource, "MIT License: see LICENSE.txt"));
}

}  // namespace
}  // namespace dravelquin
