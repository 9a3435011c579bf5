#include "questions/qst_test_files.h"

#include <fstream>
#include <stdexcept>

namespace kvz::testing {

ZaznamOtazky sampleQuestion(const QString& tag) {
  ZaznamOtazky q;
  q.Zadani = QStringLiteral("Otázka %1").arg(tag);
  q.OdpA = QStringLiteral("Brno");
  q.OdpB = QStringLiteral("Praha");
  q.OdpC = QStringLiteral("Ostrava");
  q.OdpD = QStringLiteral("Plzeň");
  q.Spravna = QStringLiteral("B");
  q.DivaciA = 4;
  q.DivaciB = 88;
  q.DivaciC = 5;
  q.DivaciD = 3;
  q.Autor = QStringLiteral("Tým");
  q.Korekce = -1;
  q.Hodnota = 1;
  q.ID = QStringLiteral("001");
  return q;
}

std::vector<std::uint8_t> recordBytes(const ZaznamOtazky& record) {
  const auto bytes = encodeRecord(record);
  if (!bytes) throw std::runtime_error("sample record does not encode");
  return {bytes->begin(), bytes->end()};
}

QstFolder::QstFolder() {
  if (!dir_.isValid()) throw std::runtime_error("no temporary folder");
}

std::filesystem::path QstFolder::path() const { return dir_.path().toStdString(); }

std::filesystem::path QstFolder::addQuestion(const std::string& name) {
  return addBytes(name, recordBytes(sampleQuestion(QString::fromStdString(name))));
}

std::filesystem::path QstFolder::addBytes(const std::string& name, const std::vector<std::uint8_t>& bytes) {
  const std::filesystem::path file = path() / name;
  std::ofstream out(file, std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  if (!out) throw std::runtime_error("cannot write " + file.string());
  return file;
}

}  // namespace kvz::testing
