#pragma once

#include <QString>
#include <QTemporaryDir>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "questions/record.h"

namespace kvz::testing {

// A complete, plausible question whose texts say which file they came from.
ZaznamOtazky sampleQuestion(const QString& tag = QStringLiteral("x"));

// The bytes of a record, as a question file holds them.
std::vector<std::uint8_t> recordBytes(const ZaznamOtazky& record);

// A fresh folder removed at the end of the test, with helpers to lay files into it.
class QstFolder {
public:
  QstFolder();
  std::filesystem::path path() const;
  // A whole record naming its own file in Zadani, so that tests can tell files apart.
  std::filesystem::path addQuestion(const std::string& name);
  std::filesystem::path addBytes(const std::string& name, const std::vector<std::uint8_t>& bytes);

private:
  QTemporaryDir dir_;
};

}  // namespace kvz::testing
