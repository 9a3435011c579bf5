#pragma once

#include <QByteArrayView>
#include <QFile>
#include <QString>
#include <QTemporaryDir>
#include <cstdint>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

#include "questions/record.h"

namespace kvz::testing {

// A complete, plausible question whose texts say which file they came from.
inline ZaznamOtazky sampleQuestion(const QString& tag = QStringLiteral("x")) {
  return {QStringLiteral("Otázka %1").arg(tag), QStringLiteral("Brno"), QStringLiteral("Praha"), QStringLiteral("Ostrava"),
          QStringLiteral("Plzeň"), QStringLiteral("B"), 4, 88, 5, 3, QStringLiteral("Tým"), -1, 1, QStringLiteral("001")};
}

// The bytes of a record, as a question file holds them.
inline std::vector<std::uint8_t> recordBytes(const ZaznamOtazky& record) {
  const auto bytes = encodeRecord(record);
  if (!bytes) throw std::runtime_error("sample record does not encode");
  return {bytes->begin(), bytes->end()};
}

// Writes `bytes` as the whole file, or throws.
inline void writeFile(const std::filesystem::path& file, QByteArrayView bytes) {
  QFile out(QString::fromStdString(file.string()));
  if (!out.open(QIODevice::WriteOnly) || out.write(bytes.data(), bytes.size()) != bytes.size())
    throw std::runtime_error("cannot write " + file.string());
}

// A fresh folder removed at the end of the test, with helpers to lay files into it.
struct QstFolder {
  std::filesystem::path path() const { return dir.path().toStdString(); }
  // A whole record naming its own file in Zadani, so that tests can tell files apart.
  std::filesystem::path addQuestion(const std::string& name) {
    return addBytes(name, recordBytes(sampleQuestion(QString::fromStdString(name))));
  }
  std::filesystem::path addBytes(const std::string& name, const std::vector<std::uint8_t>& bytes) {
    writeFile(path() / name, QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())));
    return path() / name;
  }
  QTemporaryDir dir;
};

}  // namespace kvz::testing
