#include "brevolt/version.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "brevolt/errors.h"

namespace brevolt {
namespace {

struct NumberCase {
  std::string text;
  std::optional<std::int32_t> number;  // empty: the conversion error
  std::string badPiece = {};
};

NumberCase Fails(std::string text, std::string piece) {
  return {std::move(text), std::nullopt, std::move(piece)};
}

TEST(VersionToNumberTest, Table) {
  const std::vector<NumberCase> cases = {
      {"2.1.1", 2001001},
      {"2.1.1\r\n", 2001001},
      {"2.1.1\n", 2001001},
      {" 2. 1. 1", 2001001},
      {"2.1", 2001},
      {"2..1.", 2001},
      {".2.1", 2001},
      {"2.1.1.0", 2001001000},
      {"3.0.0.0", -1294967296},
      {"x10.1", 16001},
      {"", 0},
      {"   ", 0},
      {"\r\n", 0},
      {std::string("2.1.1\0garbage.x", 15), 2001001},
      {"-1.0", -1000},
      {"+2.1", 2001},
      {"$A", 10},
      {"0x1F", 31},
      {"X1f", 31},
      {"-$A", -10},
      {"0", 0},
      {"-0", 0},
      {"007", 7},
      {"-2147483648", -2147483647 - 1},
      {"2147483647", 2147483647},
      {"2147.483.648", -2147483647 - 1},
      {"1.1.1.1.1", 273621033},
      {"$FFFFFFFF", -1},
      {"2\n1", 2001},
      Fails("v2.1.1", "v2"),
      Fails("2.1.1 ", "1 "),
      Fails("'2.1'.1", "'2.1'"),
      Fails("\"2.1\".1", "\"2.1\""),
      Fails("2'.1", "2'.1"),
      Fails("2.\t1", "\t1"),
      Fails("2\t.1", "2\t"),
      Fails("2 .1", "2 "),
      Fails("0x", "0x"),
      Fails("$", "$"),
      Fails("-", "-"),
      Fails("2147483648", "2147483648"),
      Fails("-2147483649", "-2147483649"),
      Fails("21474836470", "21474836470"),
      Fails("$123456789", "$123456789"),
      Fails("1.x", "x"),
      Fails("1.2a", "2a"),
      Fails("1.\xC3\xA9", "\xC3\xA9"),
      Fails("1.notes=x", "notes=x"),
      Fails("x.1", "x"),
  };
  for (const NumberCase& c : cases) {
    SCOPED_TRACE("text: \"" + c.text + "\"");
    if (c.number) {
      EXPECT_EQ(VersionToNumber(c.text), *c.number);
      continue;
    }
    try {
      VersionToNumber(c.text);
      ADD_FAILURE() << "no conversion error";
    } catch (const EConvertError& e) {
      EXPECT_EQ(
          e.what(),
          "'" + c.badPiece + "' is not a valid integer value for Integer type");
    }
  }
}

TEST(FormatVersionTest, ShowsTheFourthNumberInThirdPlace) {
  struct VersionCase {
    TFileVersion version;
    const char* text;
  };
  for (const VersionCase& c :
       std::vector<VersionCase>{{{2, 1, 0, 1}, "2.1.1"},
                                {{10, 0, 0, 0}, "10.0.0"},
                                {{3, 4, 5, 6}, "3.4.6"},
                                {{1, 2, 3, 4}, "1.2.4"},
                                {{65535, 0, 9, 65535}, "65535.0.65535"}}) {
    EXPECT_EQ(FormatVersion(c.version), c.text);
  }
}

TEST(GetAppVersionTest, IsTheProjectVersion) {
  EXPECT_EQ(GetAppVersion(), "2.1.1");
  EXPECT_EQ(VersionToNumber(GetAppVersion()), 2001001);
}

}  // namespace
}  // namespace brevolt
