#include <gtest/gtest.h>

#include <QString>
#include <QStringList>
#include <tuple>

#include "support/qstring_print.h"
#include "storage/save_file.h"

namespace hibi {
namespace {

TEST(PrintNumber, ANumberIsWrittenWithASignPlaceAndATrailingSpace) {
  struct Row {
    long value;
    const char* text;
  };
  for (const auto& [value, text] :
       {Row{12, " 12 "}, Row{-3, "-3 "}, Row{0, " 0 "}, Row{32767, " 32767 "},
        Row{-32768, "-32768 "}, Row{255, " 255 "}})
    EXPECT_EQ(PrintNumber(value), QString(text)) << value;
}

// Every field of a save, comparable and printable at once.
auto Fields(const SaveData& d) {
  return std::tuple(d.affection, d.dayLimit, int(d.timeSlot), d.fatigue, d.days);
}

TEST(FormatSave, TheSevenLinesComeInTheFileOrderAndReadBackTheSame) {
  struct Row {
    SaveData data;
    QStringList lines;
  };
  for (const auto& [data, lines] :
       {Row{SaveData{{5, -7, 0}, 10, 3, -100, 4},
            {" 5 ", "-7 ", " 0 ", " 10 ", " 3 ", "-100", "4"}},
        Row{SaveData{{-32768, 32767, 140}, -1, 7, 99, 12.5},
            {"-32768 ", " 32767 ", " 140 ", "-1 ", " 7 ", "99", "12.5"}}}) {
    SCOPED_TRACE(lines.join('|').toStdString());
    EXPECT_EQ(FormatSave(data), lines);
    const auto back = ParseSave(lines);
    ASSERT_TRUE(back.has_value());
    EXPECT_EQ(Fields(*back), Fields(data));
  }
}

TEST(ParseSave, NumberLinesIgnoreSpacesAndRoundHalvesToEvenWhileCountsKeepTheirFractions) {
  const auto data = ParseSave({"  12.5  ", "13.5", "-2.5", "\t10 ", "3.4", " 7.5 ", "0 ", "extra"});
  ASSERT_TRUE(data.has_value());
  EXPECT_EQ(Fields(*data), Fields({{12, 14, -2}, 10, 3, 7.5, 0}));
}

TEST(ParseSave, AnyDamagedLineRejectsTheWholeFile) {
  const QStringList good = {" 1 ", " 2 ", " 3 ", " 10 ", " 4 ", "5", "6"};
  EXPECT_TRUE(ParseSave(good).has_value());
  EXPECT_FALSE(ParseSave({}).has_value());
  EXPECT_FALSE(ParseSave(good.mid(0, 6)).has_value());
  // Shown as 1.79769313486232e+308, a text no double can hold.
  const char* const pastDouble = "-1.7976931348623157e308";
  const std::pair<int, const char*> damage[] = {
      {0, " 1x "}, {2, ""},    {1, " 40000 "},      {2, "-32769 "}, {3, " 40000 "}, {4, " 0 "},
      {4, " 8 "},  {4, "7.5"}, {4, " 300 "},        {4, "-1 "},     {5, "abc"},     {5, ""},
      {6, "abc"},  {6, "1 2"}, {5, pastDouble + 1}, {6, pastDouble}};
  for (const auto& [index, text] : damage) {
    SCOPED_TRACE(::testing::Message() << "line " << index + 1 << " [" << text << "]");
    QStringList lines = good;
    lines[index] = text;
    EXPECT_FALSE(ParseSave(lines).has_value());
  }
}

}  // namespace
}  // namespace hibi
