#include <gtest/gtest.h>

#include <numeric>

#include "questions/qst_test_files.h"
#include "questions/record.h"

namespace kvz {
namespace {

using namespace Qt::StringLiterals;
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
      {451, 0x01, 0x00}, {453, 0x02, 0x01}, {455, 0xFF, 0x7F}, {457, 0x00, 0x80}, {489, 0xFF, 0xFF}, {491, 0xFE, 0xFF}};
  for (const auto& n : numbers) {
    bytes[n.offset] = n.low;
    bytes[n.offset + 1] = n.high;
  }
  return bytes;
}

TEST(QuestionRecord, ReadsEveryFieldFromItsOwnPlaceAndWritesTheSameBytes) {
  const Bytes original = patternRecord();
  const auto r = decodeRecord(original);
  ASSERT_TRUE(r);
  const ZaznamOtazky expected{QString(250, u'q'), QString(50, u'a'), QString(50, u'b'), QString(50, u'c'),
                              QString(50, u'd'), u"C"_s, 1, 0x0102, 32767, -32768, QString(30, u'r'), -1, -2, u"777"_s};
  EXPECT_EQ(*r, expected);
  EXPECT_TRUE(r->korekceProvedena());
  for (const std::int16_t value : {0, 1, -2}) {
    ZaznamOtazky other = *r;
    other.Korekce = value;
    EXPECT_FALSE(other.korekceProvedena()) << value;
  }
  const auto written = encodeRecord(*r);
  ASSERT_TRUE(written);
  EXPECT_EQ(Bytes(written->begin(), written->end()), original);
  // Old files may hold any byte, including the five the code page leaves unassigned.
  Bytes every(kRecordSize);
  std::iota(every.begin(), every.end(), std::uint8_t{0});
  const auto again = encodeRecord(*decodeRecord(every));
  EXPECT_EQ(Bytes(again->begin(), again->end()), every);
}

// Decoding uses the same code page: the round trip of every byte above would fail otherwise.
TEST(QuestionRecord, CzechLettersUseTheirWindows1250Bytes) {
  EXPECT_EQ(toWindows1250(u"áčďéěíňóřšťúůýžÁČĎÉĚÍŇÓŘŠŤÚŮÝŽ"_s),
            QByteArray("\xE1\xE8\xEF\xE9\xEC\xED\xF2\xF3\xF8\x9A\x9D\xFA\xF9\xFD\x9E"
                       "\xC1\xC8\xCF\xC9\xCC\xCD\xD2\xD3\xD8\x8A\x8D\xDA\xD9\xDD\x8E"));
}

TEST(QuestionRecord, RefusesATextThatDoesNotFitAndNamesTheField) {
  // Each field's width and the other refusals: the source parser's fault table.
  ZaznamOtazky q = testing::sampleQuestion();
  q.Autor = QString(31, u'ř');
  RecordError error;
  EXPECT_FALSE(encodeRecord(q, &error));
  EXPECT_EQ(error.field + u' ' + error.reason, u"Autor is 31 characters long, at most 30 fit"_s);
  q.Autor = u"Señor"_s;
  EXPECT_FALSE(encodeRecord(q, &error));
  EXPECT_EQ(error.field + u' ' + error.reason, u"Autor has a character that Windows-1250 cannot hold"_s);
  EXPECT_EQ(toWindows1250(u"Plzeň"_s), QByteArray("Plze\xF2"));  // a refused text leaves nothing behind
}

}  // namespace
}  // namespace kvz
