// The settings document: how its text is read and what each lookup yields
// or raises. These run on the parser and lookups directly; loading the file
// at start-up is covered with the loaded plug-in.

#include <gtest/gtest.h>

#include <limits>
#include <memory>
#include <sstream>
#include <stdexcept>
#include <string>

#include "host/plugin_log.h"
#include "plugin/plugin.h"
#include "population/settings.h"
#include "support/testbed_fixture.h"

namespace dravelquin {

using nlohmann::json;

namespace {

json Parse(const std::string& text) {
  std::istringstream in(text);
  return ParseSettingsText(in);
}

// Runs `lookup` and returns the id of the JSON library error it raises, or 0.
template <typename Lookup>
int ErrorIdOf(Lookup lookup, std::string* what = nullptr) {
  try {
    lookup();
  } catch (const json::exception& error) {
    if (what != nullptr) {
      *what = error.what();
    }
    return error.id;
  }
  return 0;
}

}  // namespace

TEST(SettingsText, ByteOrderMarkIsSkipped) {
  EXPECT_EQ(Parse("{\"a\":1}"), Parse("\xEF\xBB\xBF{\"a\":1}"));
}

TEST(SettingsText, TextAfterTheValueIsIgnored) {
  EXPECT_EQ(json({{"a", 1}}), Parse("{\"a\":1} this is not JSON {"));
}

TEST(SettingsText, FirstOfTwoEqualNamesWins) {
  const json document = Parse(R"({"Dinos":{"x":{"Count":5,"Count":7}}})");
  EXPECT_EQ(5, document["Dinos"]["x"]["Count"]);
}

TEST(SettingsText, RepeatedContainerValueIsSkippedWhole) {
  const json document = Parse(R"({"a":{"b":1},"a":{"b":[2,{"c":3}],"d":4},"e":[5,{"f":6}]})");
  EXPECT_EQ(json::parse(R"({"a":{"b":1},"e":[5,{"f":6}]})"), document);
}

TEST(SettingsText, RepeatedScalarValueIsSkippedAndTheNextMemberKept) {
  // A repeated null after a number: the number stays and "b" is not lost.
  EXPECT_EQ(json::parse(R"({"a":1,"b":2})"), Parse(R"({"a":1,"a":null,"b":2})"));
  // A null first value is kept like any other.
  EXPECT_EQ(json::parse(R"({"a":null,"b":2})"), Parse(R"({"a":null,"a":1,"b":2})"));
  // Every other kind of scalar repeated before a further member.
  EXPECT_EQ(json::parse(R"({"a":1,"b":2})"),
            Parse(R"({"a":1,"a":true,"a":-3,"a":4.5,"a":18446744073709551615,"a":"s","b":2})"));
  // A null that repeats no name is a value like any other, inside arrays too.
  EXPECT_EQ(json::parse(R"({"Dinos":[null],"x":null})"), Parse(R"({"Dinos":[null],"x":null})"));
}

TEST(SettingsText, RepeatedNameInsideNestedObjectKeepsFirst) {
  const json document = Parse(R"([{"k":"first","k":"second"},{"k":"other"}])");
  EXPECT_EQ(json::parse(R"([{"k":"first"},{"k":"other"}])"), document);
}

// The exact text of every settings error that reaches the host or its log:
// the start-up parse and the lookups of the census, the schedule and the gate.
TEST(SettingsErrors, TextsAreTheLibrarysClassicOnes) {
  using Lookup = void (*)(json&);
  struct Case {
    const char* text;
    Lookup lookup;  // null: the text itself fails to parse
    const char* what;
  };
  const Lookup census = [](json& d) { MemberNames(MemberByName(d, "Dinos")); };
  const Lookup schedule = [](json& d) { CheckIntervalSeconds(d); };
  const Lookup gate = [](json& d) { CapOfPath(d, "b"); };
  const Case cases[] = {
      // An empty file: the read that met the end of the input is position 1.
      {"", nullptr,
       "[json.exception.parse_error.101] parse error at 1: syntax error - unexpected end of "
       "input; expected '[', '{', or a literal"},
      // An unfinished array: 28 bytes and the read of the end.
      {R"(["foo",1,2,3,false,{"one":1})", nullptr,
       "[json.exception.parse_error.101] parse error at 29: syntax error - unexpected end of "
       "input; expected ']'"},
      // A skipped byte-order mark does not count towards the position.
      {"\xEF\xBB\xBF[1,]", nullptr,
       "[json.exception.parse_error.101] parse error at 4: syntax error - unexpected ']'; "
       "expected '[', '{', or a literal"},
      // The lexer's message, with every byte since the string began.
      {"{\"a", nullptr,
       "[json.exception.parse_error.101] parse error at 4: syntax error - invalid string: "
       "missing closing quote; last read: '\"a'; expected string literal"},
      // "last read" runs on from the number, whitespace included.
      {"{\"a\": 1 x", nullptr,
       "[json.exception.parse_error.101] parse error at 9: syntax error - invalid literal; "
       "last read: '1 x'; expected '}'"},
      // A control character in a string, shown as <U+0009>.
      {"[\"a\tb\"]", nullptr,
       "[json.exception.parse_error.101] parse error at 4: syntax error - invalid string: "
       "control character must be escaped; last read: '\"a<U+0009>'"},
      // A byte-order mark cut short is a byte that begins no value.
      {"\xEF\xBB{}", nullptr,
       "[json.exception.parse_error.101] parse error at 1: syntax error - invalid literal; "
       "last read: '\xEF'"},
      // A number beyond a double.
      {R"({"a":1e400})", nullptr,
       "[json.exception.out_of_range.406] number overflow parsing '1e400'"},
      // A top level that is an array: every lookup fails.
      {"[1]", census, "[json.exception.type_error.305] cannot use operator[] with array"},
      // "Dinos" that has no member names.
      {R"({"Dinos":[1]})", census,
       "[json.exception.invalid_iterator.207] cannot use key() for non-object iterators"},
      // No "General": it is inserted as null.
      {"null", schedule, "[json.exception.type_error.306] cannot use value() with null"},
      {R"({"General":{"CheckInterval":"3600"}})", schedule,
       "[json.exception.type_error.302] type must be number, but is string"},
      // A blueprint's settings that are not an object.
      {R"({"Dinos":{"b":5}})", gate,
       "[json.exception.type_error.306] cannot use value() with number"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    std::string what;
    if (c.lookup == nullptr) {
      ErrorIdOf([&] { Parse(c.text); }, &what);
    } else {
      json document = Parse(c.text);
      ErrorIdOf([&] { c.lookup(document); }, &what);
    }
    EXPECT_EQ(c.what, what);
  }
}

// The errors keep the library's types, so that a caller can tell them apart.
TEST(SettingsErrors, ParseErrorsKeepTheirTypeAndIds) {
  EXPECT_THROW(Parse(""), json::parse_error);
  EXPECT_EQ(101, ErrorIdOf([] { Parse("{"); }));
  EXPECT_EQ(406, ErrorIdOf([] { Parse("1e400"); }));
}

TEST(SettingsText, DeeplyNestedArraysLoad) {
  const std::string text = std::string(100000, '[') + std::string(100000, ']');
  EXPECT_TRUE(Parse(text).is_array());
}

TEST(MemberByName, NullDocumentBecomesObjectWithNullMember) {
  json document;
  EXPECT_TRUE(MemberByName(document, "Dinos").is_null());
  EXPECT_EQ(json({{"Dinos", nullptr}}), document);
}

// What operator[] gives in every case: the member that is there, unchanged
// and with nothing added beside it; a null one inserted for an absent name.
TEST(MemberByName, MemberThatIsThereIsTheDocumentsOwnAndNothingIsAdded) {
  json document = Parse(R"({"Dinos":{"a":{"Count":3}},"General":null,"x":[1]})");
  const json before = document;
  json& dinos = MemberByName(document, "Dinos");
  EXPECT_EQ(&document["Dinos"], &dinos);
  EXPECT_EQ(before, document);
  EXPECT_TRUE(MemberByName(document, "General").is_null());
  EXPECT_EQ(before, document);
  EXPECT_TRUE(MemberByName(document, "dinos").is_null());
  EXPECT_EQ(4u, document.size());
  EXPECT_TRUE(document.contains("dinos"));
}

TEST(MemberByName, NonObjectDocumentIsTypeError305) {
  json document = 3;
  std::string what;
  EXPECT_EQ(305, ErrorIdOf([&] { MemberByName(document, "Dinos"); }, &what));
  EXPECT_NE(std::string::npos, what.find("cannot use operator[] with"));
  EXPECT_EQ("number", what.substr(what.size() - 6));
}

TEST(IntValueOr, ConvertsEachKindOfNumber) {
  const json member = Parse(R"({"t":true,"f":false,"i":-7,"d":90.9,"n":-2.9,
                                "big":4294967296,"wrap":2147483648,"u":18446744073709551615})");
  EXPECT_EQ(1, IntValueOr(member, "t", 5));
  EXPECT_EQ(0, IntValueOr(member, "f", 5));
  EXPECT_EQ(-7, IntValueOr(member, "i", 5));
  EXPECT_EQ(90, IntValueOr(member, "d", 5));
  EXPECT_EQ(-2, IntValueOr(member, "n", 5));
  EXPECT_EQ(0, IntValueOr(member, "big", 5));
  EXPECT_EQ(std::numeric_limits<std::int32_t>::min(), IntValueOr(member, "wrap", 5));
  EXPECT_EQ(-1, IntValueOr(member, "u", 5));
  EXPECT_EQ(5, IntValueOr(member, "absent", 5));
}

TEST(IntValueOr, DoublesBeyond32BitsSaturate) {
  const json member = Parse(R"({"high":1e300,"low":-1e300,"edge":2147483647.5})");
  EXPECT_EQ(std::numeric_limits<std::int32_t>::max(), IntValueOr(member, "high", 0));
  EXPECT_EQ(std::numeric_limits<std::int32_t>::min(), IntValueOr(member, "low", 0));
  EXPECT_EQ(std::numeric_limits<std::int32_t>::max(), IntValueOr(member, "edge", 0));
}

TEST(IntValueOr, NonNumbersAreTypeError302) {
  const json member = Parse(R"({"s":"3600","z":null,"a":[],"o":{}})");
  std::string what;
  EXPECT_EQ(302, ErrorIdOf([&] { IntValueOr(member, "s", 0); }, &what));
  EXPECT_EQ("[json.exception.type_error.302] type must be number, but is string", what);
  EXPECT_EQ(302, ErrorIdOf([&] { IntValueOr(member, "z", 0); }, &what));
  EXPECT_EQ("[json.exception.type_error.302] type must be number, but is null", what);
  EXPECT_EQ(302, ErrorIdOf([&] { IntValueOr(member, "a", 0); }));
  EXPECT_EQ(302, ErrorIdOf([&] { IntValueOr(member, "o", 0); }));
}

TEST(IntValueOr, NonObjectIsTypeError306) {
  std::string what;
  EXPECT_EQ(306, ErrorIdOf([] { IntValueOr(json(), "CheckInterval", 0); }, &what));
  EXPECT_EQ("[json.exception.type_error.306] cannot use value() with null", what);
  EXPECT_EQ(306, ErrorIdOf([] { IntValueOr(json(12), "Count", 0); }, &what));
  EXPECT_EQ("[json.exception.type_error.306] cannot use value() with number", what);
}

TEST(MemberOr, GivesMemberOrFallback) {
  const json fallback = json::object();
  const json dinos = Parse(R"({"b'x'":{"Count":3}})");
  EXPECT_EQ(json({{"Count", 3}}), MemberOr(dinos, "b'x'", fallback));
  EXPECT_EQ(&fallback, &MemberOr(dinos, "B'X'", fallback));
  EXPECT_EQ(306, ErrorIdOf([&] { MemberOr(json::array(), "x", fallback); }));
}

TEST(MemberNames, ObjectNamesComeInByteOrder) {
  const json dinos = Parse(R"({"b":1,"B":2,"a":3,"\u00e9":4,"ab":5})");
  EXPECT_EQ((std::vector<std::string>{"B", "a", "ab", "b", "\xC3\xA9"}), MemberNames(dinos));
}

TEST(MemberNames, NullAndEmptyContainersHaveNone) {
  EXPECT_TRUE(MemberNames(json()).empty());
  EXPECT_TRUE(MemberNames(json::array()).empty());
  EXPECT_TRUE(MemberNames(json::object()).empty());
}

TEST(MemberNames, NonEmptyArrayAndScalarsAreInvalidIterator207) {
  std::string what;
  EXPECT_EQ(207, ErrorIdOf([] { MemberNames(json::array({1})); }, &what));
  EXPECT_EQ("[json.exception.invalid_iterator.207] cannot use key() for non-object iterators",
            what);
  EXPECT_EQ(207, ErrorIdOf([] { MemberNames(json(4)); }));
  EXPECT_EQ(207, ErrorIdOf([] { MemberNames(json("x")); }));
  EXPECT_EQ(207, ErrorIdOf([] { MemberNames(json(false)); }));
}

using StartUp = TestbedTest;

// Each start makes a new logger and releases the one made before; the
// settings file is missing here, so the start ends at reading it.
TEST_F(StartUp, NewLoggerReplacesAndReleasesTheEarlierOne) {
  EXPECT_THROW(PluginStart(), std::runtime_error);
  const std::weak_ptr<spdlog::logger> first = PluginLog();
  ASSERT_FALSE(first.expired());
  EXPECT_THROW(PluginStart(), std::runtime_error);
  EXPECT_TRUE(first.expired());
  ASSERT_NE(nullptr, PluginLog());
  EXPECT_EQ("dravelquin", PluginLog()->name());
  PluginLog().reset();
}

}  // namespace dravelquin
