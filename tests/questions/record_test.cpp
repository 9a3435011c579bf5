#include <gtest/gtest.h>

#include <numeric>

#include "questions/qst_test_files.h"
#include "questions/record.h"

namespace kvz {
namespace {

using Bytes = std::vector<std::uint8_t>;

// A record whose every field holds its own letter, so a field read from the wrong offset or
// of the wrong width shows at once.
Bytes patternRecord() {
  Bytes bytes(kRecordSize, 0);
  const struct { std::size_t offset, width; char letter; } texts[] = {
      {0, 250, 'q'}, {250, 50, 'a'}, {300, 50, 'b'}, {350, 50, 'c'},
      {400, 50, 'd'}, {450, 1, 'C'}, {459, 30, 'r'}, {493, 3, '7'}};
  for (const auto& t : texts) std::fill_n(bytes.begin() + static_cast<long>(t.offset), t.width, t.letter);
  const struct { std::size_t offset; std::uint8_t low, high; } numbers[] = {
      {451, 0x01, 0x00}, {453, 0x02, 0x01}, {455, 0xFF, 0x7F}, {457, 0x00, 0x80},
      {489, 0xFF, 0xFF}, {491, 0xFE, 0xFF}};
  for (const auto& n : numbers) {
    bytes[n.offset] = n.low;
    bytes[n.offset + 1] = n.high;
  }
  return bytes;
}

TEST(QuestionRecord, ReadsEveryFieldFromItsOwnOffsetAndWidth) {
  const auto record = decodeRecord(patternRecord());
  ASSERT_TRUE(record);
  EXPECT_EQ(record->Zadani, QString(250, u'q'));
  EXPECT_EQ(record->OdpA, QString(50, u'a'));
  EXPECT_EQ(record->OdpB, QString(50, u'b'));
  EXPECT_EQ(record->OdpC, QString(50, u'c'));
  EXPECT_EQ(record->OdpD, QString(50, u'd'));
  EXPECT_EQ(record->Spravna, QStringLiteral("C"));
  EXPECT_EQ(record->DivaciA, 1);
  EXPECT_EQ(record->DivaciB, 0x0102);
  EXPECT_EQ(record->DivaciC, 32767);
  EXPECT_EQ(record->DivaciD, -32768);
  EXPECT_EQ(record->Autor, QString(30, u'r'));
  EXPECT_EQ(record->Korekce, -1);
  EXPECT_EQ(record->Hodnota, -2);
  EXPECT_EQ(record->ID, QStringLiteral("777"));
}

TEST(QuestionRecord, WritesTheSameBytesItReads) {
  const Bytes original = patternRecord();
  const auto record = decodeRecord(original);
  ASSERT_TRUE(record);
  const auto written = encodeRecord(*record);
  ASSERT_TRUE(written);
  EXPECT_EQ(Bytes(written->begin(), written->end()), original);
}

TEST(QuestionRecord, EveryByteValueSurvivesReadingAndWritingAgain) {
  // Old files may hold any byte, including the five the code page leaves unassigned.
  Bytes bytes(kRecordSize);
  std::iota(bytes.begin(), bytes.end(), std::uint8_t{0});
  const auto record = decodeRecord(bytes);
  ASSERT_TRUE(record);
  EXPECT_EQ(record->Zadani.size(), 250);
  const auto written = encodeRecord(*record);
  ASSERT_TRUE(written);
  EXPECT_EQ(Bytes(written->begin(), written->end()), bytes);
}

TEST(QuestionRecord, KeepsNegativeAndExtremeNumbers) {
  ZaznamOtazky q = testing::sampleQuestion();
  q.DivaciA = -1;
  q.DivaciB = -32768;
  q.DivaciC = 32767;
  q.DivaciD = 0;
  q.Hodnota = -5;
  const auto bytes = encodeRecord(q);
  ASSERT_TRUE(bytes);
  EXPECT_EQ((*bytes)[451], 0xFF);
  EXPECT_EQ((*bytes)[452], 0xFF);
  EXPECT_EQ((*bytes)[453], 0x00);
  EXPECT_EQ((*bytes)[454], 0x80);
  const auto read = decodeRecord(*bytes);
  ASSERT_TRUE(read);
  EXPECT_EQ(read->DivaciA, -1);
  EXPECT_EQ(read->DivaciB, -32768);
  EXPECT_EQ(read->DivaciC, 32767);
  EXPECT_EQ(read->DivaciD, 0);
  EXPECT_EQ(read->Hodnota, -5);
}

TEST(QuestionRecord, ProofreadingIsDoneOnlyForMinusOne) {
  ZaznamOtazky q = testing::sampleQuestion();
  for (const int value : {-1, 0, 1, -2, 32767}) {
    q.Korekce = static_cast<std::int16_t>(value);
    const auto read = decodeRecord(*encodeRecord(q));
    ASSERT_TRUE(read);
    EXPECT_EQ(read->korekceProvedena(), value == -1) << value;
  }
  q.Korekce = -1;
  const auto bytes = encodeRecord(q);
  EXPECT_EQ((*bytes)[489], 0xFF);
  EXPECT_EQ((*bytes)[490], 0xFF);
}

TEST(QuestionRecord, KeepsTextsAtFullWidthWithTheirBlanks) {
  ZaznamOtazky q = testing::sampleQuestion();
  q.Zadani = QString(250, u'ž');
  q.OdpA = QString(50, u' ');
  q.OdpB = QStringLiteral("  Praha");
  const auto read = decodeRecord(*encodeRecord(q));
  ASSERT_TRUE(read);
  EXPECT_EQ(read->Zadani, QString(250, u'ž'));
  EXPECT_EQ(read->OdpA, QString(50, u' '));
  EXPECT_TRUE(read->OdpA.trimmed().isEmpty());
  EXPECT_EQ(read->OdpB, QStringLiteral("  Praha") + QString(43, u' '));
  EXPECT_EQ(read->ID.size(), 3);
}

TEST(QuestionRecord, PadsShortTextsWithBlanks) {
  ZaznamOtazky q = testing::sampleQuestion();
  q.OdpC = QStringLiteral("X");
  q.ID = QString();
  const auto bytes = encodeRecord(q);
  ASSERT_TRUE(bytes);
  EXPECT_EQ((*bytes)[350], 'X');
  for (std::size_t i = 351; i < 400; ++i) EXPECT_EQ((*bytes)[i], ' ') << i;
  for (std::size_t i = 493; i < 496; ++i) EXPECT_EQ((*bytes)[i], ' ') << i;
}

TEST(QuestionRecord, CzechLettersUseTheirWindows1250Bytes) {
  const QString letters = QStringLiteral("áčďéěíňóřšťúůýžÁČĎÉĚÍŇÓŘŠŤÚŮÝŽ");
  const Bytes expected = {0xE1, 0xE8, 0xEF, 0xE9, 0xEC, 0xED, 0xF2, 0xF3, 0xF8, 0x9A,
                          0x9D, 0xFA, 0xF9, 0xFD, 0x9E, 0xC1, 0xC8, 0xCF, 0xC9, 0xCC,
                          0xCD, 0xD2, 0xD3, 0xD8, 0x8A, 0x8D, 0xDA, 0xD9, 0xDD, 0x8E};
  ZaznamOtazky q = testing::sampleQuestion();
  q.Zadani = letters;
  const auto bytes = encodeRecord(q);
  ASSERT_TRUE(bytes);
  EXPECT_EQ(Bytes(bytes->begin(), bytes->begin() + 30), expected);

  Bytes file = testing::recordBytes(testing::sampleQuestion());
  std::copy(expected.begin(), expected.end(), file.begin() + 250);
  const auto read = decodeRecord(file);
  ASSERT_TRUE(read);
  EXPECT_EQ(read->OdpA.left(30), letters);
}

TEST(QuestionRecord, AFileShorterThanARecordIsNoRecord) {
  const Bytes whole = testing::recordBytes(testing::sampleQuestion());
  EXPECT_FALSE(decodeRecord(Bytes(whole.begin(), whole.begin() + 495)));
  EXPECT_FALSE(decodeRecord(Bytes()));
  EXPECT_TRUE(decodeRecord(whole));
}

TEST(QuestionRecord, ALongerFileIsReadAsItsFirstRecord) {
  Bytes bytes = testing::recordBytes(testing::sampleQuestion(QStringLiteral("první")));
  Bytes second = testing::recordBytes(testing::sampleQuestion(QStringLiteral("druhá")));
  bytes.insert(bytes.end(), second.begin(), second.begin() + 104);
  ASSERT_EQ(bytes.size(), 600u);
  const auto read = decodeRecord(bytes);
  ASSERT_TRUE(read);
  EXPECT_EQ(read->Zadani.trimmed(), QStringLiteral("Otázka první"));
}

TEST(QuestionRecord, RefusesATextLongerThanItsFieldAndNamesTheField) {
  const struct { QString ZaznamOtazky::*member; int width; const char* name; } fields[] = {
      {&ZaznamOtazky::Zadani, 250, "Zadani"}, {&ZaznamOtazky::OdpD, 50, "OdpD"},
      {&ZaznamOtazky::Spravna, 1, "Spravna"}, {&ZaznamOtazky::Autor, 30, "Autor"},
      {&ZaznamOtazky::ID, 3, "ID"}};
  for (const auto& f : fields) {
    ZaznamOtazky q = testing::sampleQuestion();
    q.*f.member = QString(f.width, u'ř');
    EXPECT_TRUE(encodeRecord(q)) << f.name << " at full width";
    q.*f.member = QString(f.width + 1, u'ř');
    RecordError error;
    EXPECT_FALSE(encodeRecord(q, &error)) << f.name;
    EXPECT_EQ(error.field, QString::fromLatin1(f.name));
    EXPECT_TRUE(error.reason.contains(QString::number(f.width))) << error.reason.toStdString();
  }
}

TEST(QuestionRecord, RefusesACharacterThatWindows1250CannotHold) {
  for (const QString& text : {QStringLiteral("Señor"), QStringLiteral("日本"), QStringLiteral("😀")}) {
    ZaznamOtazky q = testing::sampleQuestion();
    q.OdpB = text;
    RecordError error;
    EXPECT_FALSE(encodeRecord(q, &error)) << text.toStdString();
    EXPECT_EQ(error.field, QStringLiteral("OdpB"));
    EXPECT_TRUE(error.reason.contains(QStringLiteral("Windows-1250")));
    // A refused text leaves nothing behind for the next one.
    EXPECT_EQ(toWindows1250(QStringLiteral("Plzeň")), QByteArray("Plze\xF2"));
    EXPECT_TRUE(encodeRecord(testing::sampleQuestion()));
  }
}

}  // namespace
}  // namespace kvz
