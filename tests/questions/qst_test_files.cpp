#include "questions/qst_test_files.h"

#include <fstream>
#include <stdexcept>

namespace kvz::testing {

ZaznamOtazky sampleQuestion(const QString& tag) {
  return {QStringLiteral("Otázka %1").arg(tag), QStringLiteral("Brno"), QStringLiteral("Praha"), QStringLiteral("Ostrava"),
          QStringLiteral("Plzeň"), QStringLiteral("B"), 4, 88, 5, 3, QStringLiteral("Tým"), -1, 1, QStringLiteral("001")};
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
