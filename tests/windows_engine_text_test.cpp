// Windows only: the engine's text is the platform's own wide text, and the
// census keys are equal without regard to case where the runtime's _wcsicmp
// says so.

#include <gtest/gtest.h>
#include <windows.h>

#include <cwchar>
#include <string>
#include <type_traits>
#include <vector>

#include "engine/fstring.h"
#include "host/ark_api.h"
#include "population/census.h"
#include "population/census_table.h"
#include "support/testbed_fixture.h"

namespace dravelquin {

static_assert(std::is_same_v<EngineUnit, wchar_t>, "engine text is the platform's wide text");

namespace {

// ASCII letters of both cases and the punctuation that lies between 'Z' and
// 'a', Latin-1 capitals (U+00C0 to U+00DE) and their small letters, which the
// runtime's default locale does not fold, and units beyond Latin-1, a
// surrogate pair among them. The empty text gives a string without storage.
std::vector<std::wstring> CaseTexts() {
  std::vector<std::wstring> texts = {
      L"",          L"a",      L"A",      L"z",      L"Z",      L"_",      L"[",      L"`",
      L"~",         L"Rex",    L"REX",    L"rex_",   L"RexA",   L"Rexa",   L"Rex_a",  L"Rex\u00C9",
      L"rex\u00E9", L"\u00FE", L"\u00FF", L"\u0100", L"\u4E00", L"\uFF21", L"\uFF41", L"\U0001F996",
  };
  for (wchar_t capital = 0x00C0; capital <= 0x00DE; ++capital) {
    texts.push_back(std::wstring(1, capital));
    texts.push_back(std::wstring(1, static_cast<wchar_t>(capital + 0x20)));
  }
  return texts;
}

std::string Printable(const std::wstring& text) { return ArkApi::Tools::Utf8Encode(text); }

}  // namespace

using WindowsEngineText = TestbedTest;

TEST_F(WindowsEngineText, HostWideTextAndEngineTextAreTheSameUnits) {
  const std::wstring host_text = L"Rex \u00E9 \U0001F996 \u4E00";
  const FString engine_text = FromWide(host_text.c_str());
  ASSERT_EQ(host_text.size(), static_cast<std::size_t>(Length(engine_text)));
  EXPECT_EQ(0, std::wcscmp(host_text.c_str(), TextPointer(engine_text)));
  EXPECT_EQ("Rex \xC3\xA9 \xF0\x9F\xA6\x96 \xE4\xB8\x80",
            ArkApi::Tools::Utf8Encode(TextPointer(engine_text)));
}

using WindowsCaseInsensitiveKeys = TestbedTest;

// The census table's keys are equal exactly where the runtime's _wcsicmp
// gives 0, and hashed alike then.
TEST_F(WindowsCaseInsensitiveKeys, TableKeysAreEqualExactlyWhereWcsicmpGivesZero) {
  const std::vector<std::wstring> texts = CaseTexts();
  std::vector<std::string> disagreements;
  for (const std::wstring& left : texts) {
    for (const std::wstring& right : texts) {
      const FString left_string = FromWide(left.c_str());
      const FString right_string = FromWide(right.c_str());
      const bool runtime_equal = _wcsicmp(left.c_str(), right.c_str()) == 0;
      const bool equal = CaseInsensitiveEqual()(left_string, right_string);
      if (equal != runtime_equal ||
          (equal && CaseInsensitiveHash()(left_string) != CaseInsensitiveHash()(right_string))) {
        disagreements.push_back("\"" + Printable(left) + "\" = \"" + Printable(right) + "\"");
      }
    }
  }
  EXPECT_EQ(std::vector<std::string>{}, disagreements);
}

using WindowsNarrowing = TestbedTest;

// ctest runs this once more under a Japanese system locale: the classic
// narrowing must not follow the system's ANSI code page, which would make
// U+00E9 a best-fit "e" there.
TEST_F(WindowsNarrowing, ClassicLocaleKeepsLatinOneWhateverTheCodePage) {
  const wchar_t units[] = {L'h', 0x00E9, 0x00FF, 0x0100, 0x4E00, 0};
  EXPECT_EQ("h\xE9\xFF??", ToNarrow(FromWide(units))) << "ANSI code page " << GetACP();
}

}  // namespace dravelquin
