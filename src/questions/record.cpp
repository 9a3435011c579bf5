#include "questions/record.h"

#include <QStringDecoder>
#include <QStringEncoder>
#include <algorithm>

namespace kvz {
namespace {

constexpr const char* kCodePage = "windows-1250";

constexpr TextField kTextFields[] = {
    {"Zadani", 0, 250, &ZaznamOtazky::Zadani},
    {"OdpA", 250, 50, &ZaznamOtazky::OdpA},
    {"OdpB", 300, 50, &ZaznamOtazky::OdpB},
    {"OdpC", 350, 50, &ZaznamOtazky::OdpC},
    {"OdpD", 400, 50, &ZaznamOtazky::OdpD},
    {"Spravna", 450, 1, &ZaznamOtazky::Spravna},
    {"Autor", 459, 30, &ZaznamOtazky::Autor},
    {"ID", 493, 3, &ZaznamOtazky::ID},
};

constexpr NumberField kNumberFields[] = {
    {"DivaciA", 451, &ZaznamOtazky::DivaciA}, {"DivaciB", 453, &ZaznamOtazky::DivaciB},
    {"DivaciC", 455, &ZaznamOtazky::DivaciC}, {"DivaciD", 457, &ZaznamOtazky::DivaciD},
    {"Korekce", 489, &ZaznamOtazky::Korekce}, {"Hodnota", 491, &ZaznamOtazky::Hodnota},
};

std::int16_t readInt16(std::span<const std::uint8_t> bytes, std::size_t offset) {
  const auto low = static_cast<std::uint16_t>(bytes[offset]);
  const auto high = static_cast<std::uint16_t>(bytes[offset + 1]);
  return static_cast<std::int16_t>(static_cast<std::uint16_t>(low | (high << 8)));
}

void writeInt16(std::array<std::uint8_t, kRecordSize>& bytes, std::size_t offset, std::int16_t value) {
  const auto bits = static_cast<std::uint16_t>(value);
  bytes[offset] = static_cast<std::uint8_t>(bits & 0xFF);
  bytes[offset + 1] = static_cast<std::uint8_t>(bits >> 8);
}

}  // namespace

std::span<const TextField> textFields() { return kTextFields; }
std::span<const NumberField> numberFields() { return kNumberFields; }

// Opening a converter costs far more than converting a field, so each thread keeps one.
// Its error flag cannot be cleared (resetting closes the converter), so a converter that
// has met an error is replaced before the next text.
std::optional<QByteArray> toWindows1250(const QString& text) {
  thread_local std::optional<QStringEncoder> encoder;
  if (!encoder || encoder->hasError()) encoder.emplace(kCodePage, QStringConverter::Flag::Stateless);
  QByteArray bytes = encoder->encode(text);
  if (!encoder->isValid() || encoder->hasError()) return std::nullopt;
  return bytes;
}

QString fromWindows1250(std::span<const std::uint8_t> bytes) {
  // Every byte of the code page maps to one character (the five unassigned ones to the
  // control characters of the same number), so a field keeps its width when decoded.
  thread_local std::optional<QStringDecoder> decoder;
  if (!decoder || decoder->hasError()) decoder.emplace(kCodePage, QStringConverter::Flag::Stateless);
  return decoder->decode(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())));
}

std::optional<ZaznamOtazky> decodeRecord(std::span<const std::uint8_t> bytes) {
  if (bytes.size() < kRecordSize) return std::nullopt;
  ZaznamOtazky record;
  for (const TextField& field : kTextFields)
    record.*field.member = fromWindows1250(bytes.subspan(field.offset, field.width));
  for (const NumberField& field : kNumberFields) record.*field.member = readInt16(bytes, field.offset);
  return record;
}

std::optional<std::array<std::uint8_t, kRecordSize>> encodeRecord(const ZaznamOtazky& record) {
  return encodeRecord(record, nullptr);
}

std::optional<std::array<std::uint8_t, kRecordSize>> encodeRecord(const ZaznamOtazky& record,
                                                                   RecordError* error) {
  std::array<std::uint8_t, kRecordSize> bytes{};
  for (const TextField& field : kTextFields) {
    const QString& text = record.*field.member;
    const std::optional<QByteArray> encoded = toWindows1250(text);
    QString reason;
    if (!encoded)
      reason = QStringLiteral("has a character that Windows-1250 cannot hold");
    else if (static_cast<std::size_t>(encoded->size()) > field.width)
      reason = QStringLiteral("is %1 characters long, at most %2 fit").arg(encoded->size()).arg(field.width);
    if (!reason.isEmpty()) {
      if (error) *error = {QString::fromLatin1(field.name), reason};
      return std::nullopt;
    }
    std::fill_n(bytes.begin() + static_cast<std::ptrdiff_t>(field.offset), field.width, std::uint8_t{' '});
    std::copy(encoded->cbegin(), encoded->cend(), bytes.begin() + static_cast<std::ptrdiff_t>(field.offset));
  }
  for (const NumberField& field : kNumberFields) writeInt16(bytes, field.offset, record.*field.member);
  return bytes;
}

}  // namespace kvz
