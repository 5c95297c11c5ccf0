#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <tuple>

#include "storage/numbers.h"
#include "storage/save_file.h"
#include "support/qstring_print.h"

namespace hibi {
namespace {

const std::nullopt_t no = std::nullopt;

// A caption reads as a number only when it is one; each number shown reads back the same.
TEST(ParseNumber, ACaptionReadsAsANumberOnlyWhenItIsOneAndShowsWholeNumbersWithoutPoint) {
  // clang-format off
  const std::pair<const char*, std::optional<double>> rows[] = {  // UTF-8 text, its value
      {" -3 ", -3.0}, {"  7\t", 7.0}, {"+5", 5.0}, {".5", 0.5}, {"5.", 5.0}, {"1.5E-1", 0.15},
      {"\u300012\u3000", 12.0}, {"", no}, {"   ", no}, {"1a", no}, {"1 2", no}, {"--1", no},
      {".", no}, {"1e", no}, {"1,5", no}, {"0x10", no}, {"inf", no}, {"nan", no}, {"1e400", no},
      {"１２", no}};
  // clang-format on
  for (const auto& [text, value] : rows)
    EXPECT_EQ(ParseNumber(QString::fromUtf8(text)), value) << text;
  using Row = std::pair<double, const char*>;
  for (const auto& [value, text] : {Row{-3, "-3"}, Row{-0.0, "0"}, Row{123456789, "123456789"},
                                    Row{-0.25, "-0.25"}, Row{0.1, "0.1"}}) {
    EXPECT_EQ(NumberText(value), QString(text)) << value;
    EXPECT_EQ(ParseNumber(NumberText(value)), value);
  }
}

TEST(ParseRoundedInteger, ASaveLineRoundsHalvesToEvenAndChecksTheRangeAfterwards) {
  using Row = std::pair<const char*, std::optional<long>>;
  for (const auto& [text, value] :
       {Row{" 12 ", 12}, Row{"12.5", 12}, Row{"13.5", 14}, Row{"-2.5", -2}, Row{"-3.5", -4},
        Row{"2.51", 3}, Row{"32767.4", 32767}, Row{"32767.5", no}, Row{"-32768.5", -32768},
        Row{"-32768.6", no}, Row{"1e3", 1000}, Row{"x1", no}})
    EXPECT_EQ(ParseRoundedInteger(text, -32768, 32767), value) << text;
}

TEST(SaturatingAdd, AffectionStopsAtTheEdgesOfSixteenBits) {
  using Row = std::tuple<std::int16_t, int, std::int16_t>;
  for (const auto& [value, amount, sum] :
       {Row{-5, 3, -2}, Row{32760, 7, 32767}, Row{32760, 8, 32767}, Row{-32768, -1, -32768},
        Row{-32768, 65535, 32767}, Row{32767, -65535, -32768}})
    EXPECT_EQ(SaturatingAdd(value, amount), sum) << value << " + " << amount;
}

// Every field of a save, comparable and printable at once.
auto Fields(const SaveData& d) {
  return std::tuple(d.affection, d.dayLimit, int(d.timeSlot), d.fatigue, d.days);
}

TEST(SaveFile, TheSevenLinesComeInTheFileOrderAndReadBackTheSameOrNotAtAll) {
  using Row = std::pair<SaveData, QStringList>;
  for (const auto& [data, lines] :
       {Row{SaveData{{5, -7, 0}, 10, 3, -100, 12.5},
            {" 5 ", "-7 ", " 0 ", " 10 ", " 3 ", "-100", "12.5"}},
        Row{SaveData{{-32768, 32767, 140}, -1, 7, 149, 32767},
            {"-32768 ", " 32767 ", " 140 ", "-1 ", " 7 ", "149", "32767"}}}) {
    EXPECT_EQ(FormatSave(data), lines);
    const auto back = ParseSave(lines);
    ASSERT_TRUE(back.has_value()) << lines.join('|').toStdString();
    EXPECT_EQ(Fields(*back), Fields(data));
  }
  // Number lines ignore spaces and round halves to even, counts keep their fractions, lines
  // past the seventh do not matter; any damaged line, or fatigue outside -100..149 or days
  // outside 0..32767, rejects the whole file.
  const QStringList good = {"  12.5  ", "13.5", "-2.5", "\t10 ", "3.4", " 7.5 ", "0 ", "extra"};
  EXPECT_EQ(Fields(ParseSave(good).value()), Fields({{12, 14, -2}, 10, 3, 7.5, 0}));
  EXPECT_FALSE(ParseSave(good.mid(0, 6)).has_value());
  // Shown as 1.79769313486232e+308, a text no double can hold.
  const char* const pastDouble = "-1.7976931348623157e308";
  const std::pair<int, const char*> damage[] = {
      {0, " 1x "},  {2, ""},    {1, " 40000 "}, {3, " 40000 "},      {4, " 0 "},
      {4, " 8 "},   {4, "7.5"}, {5, "abc"},     {6, "1 2"},          {5, "-100.5"},
      {5, "149.5"}, {6, "-1"},  {6, "32767.5"}, {5, pastDouble + 1}, {6, pastDouble}};
  for (const auto& [index, text] : damage) {
    QStringList lines = good;
    lines[index] = text;
    EXPECT_FALSE(ParseSave(lines).has_value()) << "line " << index + 1 << " [" << text << "]";
  }
}

}  // namespace
}  // namespace hibi
