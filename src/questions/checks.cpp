#include "questions/checks.h"

#include <QRegularExpression>
#include <map>

#include "questions/bank.h"

namespace kvz {
namespace {

using Severity = Diagnostic::Severity;

Diagnostic at(const CheckedQuestion& q, Severity severity, const QString& message) {
  return {q.origin, q.line, severity, message};
}

// How a question is compared with another: what the player reads, blanks and case aside.
QString comparable(const QString& text) { return text.simplified().toCaseFolded(); }

QString where(const CheckedQuestion& q) {
  return q.line > 0 ? QStringLiteral("%1:%2").arg(q.origin).arg(q.line) : q.origin;
}

}  // namespace

std::optional<std::pair<int, int>> questionFileNumbers(const std::string& name) {
  static const QRegularExpression pattern(QStringLiteral("^([0-9]{2,4})-([0-9]{3})\\.qst$"),
                                          QRegularExpression::CaseInsensitiveOption);
  const QRegularExpressionMatch match = pattern.match(QString::fromStdString(name));
  if (!match.hasMatch()) return std::nullopt;
  const std::pair numbers{match.captured(1).toInt(), match.captured(2).toInt()};
  // The game builds the name from the numbers, so "001-001.qst" is never looked up.
  if (QString::fromStdString(questionFileName(numbers.first, numbers.second))
          .compare(match.captured(0), Qt::CaseInsensitive) != 0)
    return std::nullopt;
  return numbers;
}

CheckedFile checkQuestionFile(const std::filesystem::path& file, const QString& origin) {
  CheckedFile result;
  auto problem = [&](Severity severity, const QString& message) {
    result.diagnostics.push_back({origin, 0, severity, message});
  };
  std::error_code ec;
  if (!std::filesystem::is_regular_file(file, ec)) {
    problem(Severity::Error, QStringLiteral("not a readable file"));
    return result;
  }
  const auto size = std::filesystem::file_size(file, ec);
  const std::optional<ZaznamOtazky> record = readQuestion(file);
  if (!record) {
    problem(Severity::Error, ec ? QStringLiteral("cannot be read")
                                : QStringLiteral("has %1 bytes; a question file has %2, so the game never "
                                                 "chooses it").arg(size).arg(kRecordSize));
    return result;
  }
  if (size > kRecordSize)
    problem(Severity::Warning, QStringLiteral("has %1 bytes; the game reads only the first %2").arg(size).arg(kRecordSize));
  CheckedQuestion q{origin, 0, 0, 0, *record};
  const auto numbers = questionFileNumbers(file.filename().string());
  if (!numbers) {
    problem(Severity::Error, QStringLiteral("the name is not NN-nnn.qst (as 01-017.qst), so the game never chooses it"));
  } else if (numbers->second < 1 || numbers->second > kFilesPerStep || numbers->first < 1) {
    problem(Severity::Error, QStringLiteral("the file number must be 001 to %1 and the step 01 or more; "
                                            "the game never chooses this file").arg(kFilesPerStep, 3, 10, QLatin1Char('0')));
  } else {
    q.step = numbers->first;
    q.number = numbers->second;
  }
  result.question = q;
  return result;
}

std::vector<Diagnostic> checkQuestion(const CheckedQuestion& q) {
  std::vector<Diagnostic> found;
  const ZaznamOtazky& r = q.record;
  const bool letterOk = r.Spravna == QLatin1String("A") || r.Spravna == QLatin1String("B") ||
                        r.Spravna == QLatin1String("C") || r.Spravna == QLatin1String("D");
  if (!letterOk)
    found.push_back(at(q, Severity::Error, QStringLiteral("Spravna is '%1'; only A, B, C or D in capitals "
                                                          "can ever be picked right").arg(r.Spravna)));
  const std::int16_t shares[] = {r.DivaciA, r.DivaciB, r.DivaciC, r.DivaciD};
  int sum = 0;
  for (int i = 0; i < 4; ++i) {
    sum += shares[i];
    if (shares[i] < 0 || shares[i] > 100)
      found.push_back(at(q, Severity::Error, QStringLiteral("the audience share of %1 is %2; shares are 0 to 100")
                                                 .arg(QChar(u'A' + i)).arg(shares[i])));
  }
  if (sum != 100)
    found.push_back(at(q, Severity::Error, QStringLiteral("the audience shares add up to %1, not 100").arg(sum)));
  const std::pair<const char*, const QString*> texts[] = {
      {"Zadani", &r.Zadani}, {"A", &r.OdpA}, {"B", &r.OdpB}, {"C", &r.OdpC}, {"D", &r.OdpD}};
  for (const auto& [name, text] : texts)
    if (text->trimmed().isEmpty())
      found.push_back(at(q, Severity::Error, QStringLiteral("%1 is empty").arg(QString::fromLatin1(name))));
  if (r.Autor.trimmed().isEmpty()) found.push_back(at(q, Severity::Warning, QStringLiteral("no author (Autor)")));
  if (letterOk && shares[r.Spravna[0].unicode() - u'A'] == 0)
    found.push_back(at(q, Severity::Warning,
                       QStringLiteral("the right answer has an audience share of 0; the phone friend can never name it")));
  if (q.step > kPlayedSteps)
    found.push_back(at(q, Severity::Warning, QStringLiteral("step %1 is never played; a game has %2 questions")
                                                 .arg(q.step).arg(kPlayedSteps)));
  return found;
}

std::vector<Diagnostic> checkBank(const std::vector<CheckedQuestion>& questions, bool wholeBank,
                                  const QString& bankName) {
  std::vector<Diagnostic> found;
  std::map<QString, const CheckedQuestion*> texts;
  std::map<std::pair<int, int>, const CheckedQuestion*> names;
  bool stepHas[kPlayedSteps + 1] = {};
  for (const CheckedQuestion& q : questions) {
    const QString text = comparable(q.record.Zadani);
    if (const auto [it, fresh] = texts.emplace(text, &q); !fresh && !text.isEmpty())
      found.push_back(at(q, Severity::Error, QStringLiteral("the same question as %1").arg(where(*it->second))));
    if (q.step < 1) continue;
    if (const auto [it, fresh] = names.emplace(std::pair{q.step, q.number}, &q); !fresh)
      found.push_back(at(q, Severity::Error, QStringLiteral("%1 is already given by %2")
                                                 .arg(QString::fromStdString(questionFileName(q.step, q.number)),
                                                      where(*it->second))));
    if (q.step <= kPlayedSteps) stepHas[q.step] = true;
  }
  if (wholeBank)
    for (int step = 1; step <= kPlayedSteps; ++step)
      if (!stepHas[step])
        found.push_back({bankName, 0, Severity::Error,
                         QStringLiteral("no question for step %1: a game that reaches it ends with a message")
                             .arg(step)});
  return found;
}

}  // namespace kvz
