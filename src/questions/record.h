#pragma once

#include <QByteArray>
#include <QString>
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

namespace kvz {

// One question file: a fixed record of 496 bytes. Texts are Windows-1250, padded with
// blanks to their width; numbers are signed 16-bit little-endian; Korekce is a Boolean
// stored as -1 (done) or anything else (not done).
struct ZaznamOtazky {
  QString Zadani;   // 250 characters at offset 0
  QString OdpA;     // 50 at 250
  QString OdpB;     // 50 at 300
  QString OdpC;     // 50 at 350
  QString OdpD;     // 50 at 400
  QString Spravna;  // 1 at 450: "A" to "D"
  std::int16_t DivaciA = 0;  // 451
  std::int16_t DivaciB = 0;  // 453
  std::int16_t DivaciC = 0;  // 455
  std::int16_t DivaciD = 0;  // 457
  QString Autor;    // 30 at 459
  std::int16_t Korekce = 0;  // 489
  std::int16_t Hodnota = 0;  // 491
  QString ID;       // 3 at 493

  bool operator==(const ZaznamOtazky&) const = default;
  bool korekceProvedena() const { return Korekce == -1; }
};

inline constexpr std::size_t kRecordSize = 496;

// Splits the first 496 bytes into the fields; texts keep their full width, blanks included.
// Anything after the record is ignored. Fewer than 496 bytes is not a record: nullopt.
std::optional<ZaznamOtazky> decodeRecord(std::span<const std::uint8_t> bytes);

// Writes a record; texts are padded with blanks to their width. Fails (nullopt) when a
// text is longer than its field or has a character that Windows-1250 cannot hold.
std::optional<std::array<std::uint8_t, kRecordSize>> encodeRecord(const ZaznamOtazky& record);

// Why a record cannot be written: the field ("Zadani", "OdpA", ...) and a reason in words.
struct RecordError {
  QString field;
  QString reason;
};
// As above; on failure the first field that cannot be written is told through `error`.
std::optional<std::array<std::uint8_t, kRecordSize>> encodeRecord(const ZaznamOtazky& record,
                                                                   RecordError* error);

// The text in Windows-1250, one byte per character; nullopt when a character has no byte
// there. Authors' tools use it to say why a text does not fit.
std::optional<QByteArray> toWindows1250(const QString& text);
QString fromWindows1250(std::span<const std::uint8_t> bytes);

// The text fields with their place in the record, for tools that check or list them.
struct TextField {
  const char* name;
  std::size_t offset;
  std::size_t width;
  QString ZaznamOtazky::*member;
};
std::span<const TextField> textFields();

// The whole-number fields likewise.
struct NumberField {
  const char* name;
  std::size_t offset;
  std::int16_t ZaznamOtazky::*member;
};
std::span<const NumberField> numberFields();

}  // namespace kvz
