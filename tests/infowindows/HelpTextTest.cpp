#include <gtest/gtest.h>

#include <QString>
#include <QStringList>
#include <set>
#include <string>
#include <vector>

#include "resources/Texts.h"

namespace {

QString Help() {
  return QString::fromUtf8(velmora::kHelpText.data(), static_cast<qsizetype>(velmora::kHelpText.size()));
}

QStringList Lines() { return Help().split(QChar(13)); }

TEST(HelpText, FourteenLinesSeparatedByCarriageReturnsAlone) {
  const QString help = Help();
  EXPECT_EQ(help.count(QChar(13)), 13);
  EXPECT_FALSE(help.contains(QChar(10)));
  EXPECT_FALSE(help.endsWith(QChar(13)));
  EXPECT_FALSE(help.endsWith(QChar(' '))) << "the text ends with the last notice's last character";

  const QStringList lines = Lines();
  ASSERT_EQ(lines.size(), 14);
  EXPECT_EQ(lines[0], QStringLiteral("Velmora"));
  const std::set<int> empty = {1, 3, 5, 7, 10, 12};
  for (int i = 0; i < lines.size(); ++i) EXPECT_EQ(lines[i].isEmpty(), empty.count(i) == 1) << "line " << i;

  // The rule runs straight into the first notice paragraph.
  EXPECT_EQ(lines[8], QString(67, QChar('*')));
  EXPECT_TRUE(help.contains(QString(67, QChar('*')) + QChar(13) + lines[9]));
  EXPECT_FALSE(help.contains(QString(68, QChar('*'))));

  EXPECT_TRUE(lines[4].endsWith(' '));
  EXPECT_TRUE(lines[9].endsWith(' '));
}

TEST(HelpText, OnlyTheDivisionAndGreaterOrEqualSignsLieOutsideAscii) {
  std::vector<std::pair<int, char32_t>> outside;
  const QStringList lines = Lines();
  for (int i = 0; i < lines.size(); ++i)
    for (const char32_t c : lines[i].toUcs4())
      if (c > 0x7E || (c < 0x20)) outside.emplace_back(i, c);
  const std::vector<std::pair<int, char32_t>> expected = {{2, U'\u00F7'}, {2, U'\u00F7'}, {6, U'\u2265'}};
  EXPECT_EQ(outside, expected);
}

// What each paragraph must say, by the words that carry it.
TEST(HelpText, ParagraphsStateTheIndexItsLimitsAndTheBands) {
  const QStringList lines = Lines();
  const struct {
    int line;
    QString phrase;
  } musts[] = {
      {2, "body fat for adults"},
      {2, "height and weight alone"},
      {2, QString::fromUtf8("weight in pounds \u00F7 (height in inches squared), multiplied by 703")},
      {2, QString::fromUtf8("weight in kilograms \u00F7 (height in metres squared)")},
      {4, "height and weight alone"},
      {4, "muscle and bone mass"},
      {4, "athletes"},
      {4, "elderly"},
      {4, "other variables"},
      {4, "caution"},
      {4, "consulting a physician"},
      {6, "World Health Organization"},
      {6, "underweight below 18.50"},
      {6, "normal from 18.50 to 24.99"},
      {6, "overweight from 25.00 to 29.99"},
      {6, QString::fromUtf8("obese \u2265 30.00")},
      {9, "The Velmora authors"},
      {9, "without warranty"},
      {11, "no medical advice"},
  };
  for (const auto& must : musts)
    EXPECT_TRUE(lines[must.line].contains(must.phrase))
        << "line " << must.line << ": " << must.phrase.toStdString();
}

TEST(Notice, OneLineOfFortyNineCharactersThatReservesTheRights) {
  const QString notice =
      QString::fromUtf8(velmora::kNotice.data(), static_cast<qsizetype>(velmora::kNotice.size()));
  EXPECT_EQ(notice.size(), 49);
  EXPECT_EQ(velmora::kNotice.size(), 49u) << "plain ASCII";
  EXPECT_FALSE(notice.contains(QChar(13)) || notice.contains(QChar(10)));
  EXPECT_TRUE(notice.contains("The Velmora authors"));
  EXPECT_TRUE(notice.contains("All rights reserved"));
}

}  // namespace
