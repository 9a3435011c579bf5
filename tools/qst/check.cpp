#include <QElapsedTimer>

#include "plate_fit.h"
#include "sources.h"
#include "tool.h"

namespace kvz::qst {
namespace fs = std::filesystem;

namespace {

const char* const kHelp =
    "Reports what would go wrong in the game with question sources (.txt), question tables\n"
    "(.csv, by row as a spreadsheet numbers them) and question files (.qst); a folder is\n"
    "checked as a whole bank (every .txt and .qst in it). Errors: a file of the wrong size or\n"
    "name, Spravna not A to D, audience shares outside 0..100 or not adding up to 100, an\n"
    "empty text, a text too long or not in Windows-1250, a question longer than two lines of\n"
    "its plate, an answer wider than its plate, the same question or file twice, a step 1 to\n"
    "5 without a question (for a folder). Warnings (no failure): no author, the right answer\n"
    "with an audience share of 0, a step the game never reaches, extra bytes.\n"
    "Exit code 1 when there is an error, 2 for a wrong command line.";

void readQuestionFile(const fs::path& path, Inputs& into) {
  CheckedFile file = checkQuestionFile(path, shown(path));
  into.diagnostics.insert(into.diagnostics.end(), file.diagnostics.begin(), file.diagnostics.end());
  if (file.question) into.questions.push_back(std::move(*file.question));
}

void readAny(const fs::path& path, Inputs& into) {
  if (isSourceFile(path) || isTableFile(path)) readSource(path, into);
  else readQuestionFile(path, into);
}

void checkLayout(const PlateFit& fit, const CheckedQuestion& q, std::vector<Diagnostic>& found) {
  auto error = [&](const QString& message) { found.push_back({q.origin, q.line, Diagnostic::Severity::Error, message}); };
  if (const auto problem = fit.questionProblem(q.record.Zadani)) error(*problem);
  const std::pair<const char*, const QString*> answers[] = {
      {"A", &q.record.OdpA}, {"B", &q.record.OdpB}, {"C", &q.record.OdpC}, {"D", &q.record.OdpD}};
  for (const auto& [letter, text] : answers)
    if (const auto problem = fit.answerProblem(*text))
      error(QStringLiteral("answer %1 %2").arg(QLatin1String(letter), *problem));
}

}  // namespace

std::vector<Diagnostic> checkAll(const std::vector<CheckedQuestion>& questions, bool wholeBank,
                                 const QString& bankName) {
  const PlateFit fit;
  std::vector<Diagnostic> found;
  for (const CheckedQuestion& q : questions) {
    const auto rules = checkQuestion(q);
    found.insert(found.end(), rules.begin(), rules.end());
    checkLayout(fit, q, found);
  }
  const auto bank = checkBank(questions, wholeBank, bankName);
  found.insert(found.end(), bank.begin(), bank.end());
  return found;
}

int checkCommand(const QStringList& args, Streams io) {
  CommandLine line(QStringLiteral("check"), QString::fromUtf8(kHelp));
  line.parser.addPositionalArgument(QStringLiteral("DIR|FILE"), QStringLiteral("A folder, source, table or question file."),
                                    QStringLiteral("DIR|FILE..."));
  if (const auto done = line.parse(args, io)) return *done;
  const QStringList named = line.parser.positionalArguments();
  if (named.isEmpty()) return line.usageError(QStringLiteral("nothing to check"), io);

  QElapsedTimer clock;
  clock.start();
  std::vector<Diagnostic> found;
  std::size_t questions = 0;
  auto checkGroup = [&](Inputs& inputs, bool wholeBank, const QString& bankName) {
    found.insert(found.end(), inputs.diagnostics.begin(), inputs.diagnostics.end());
    const auto checked = checkAll(inputs.questions, wholeBank, bankName);
    found.insert(found.end(), checked.begin(), checked.end());
    questions += inputs.questions.size();
  };

  Inputs loose;
  for (const QString& arg : named) {
    const fs::path path = arg.toStdString();
    std::error_code ec;
    if (fs::is_directory(path, ec)) {
      Inputs folder;
      for (const fs::path& file : filesOfFolder(path)) readAny(file, folder);
      checkGroup(folder, true, arg);
    } else if (fs::exists(path, ec) || fs::is_symlink(path, ec)) {
      readAny(path, loose);
    } else {
      loose.diagnostics.push_back({arg, 0, Diagnostic::Severity::Error, QStringLiteral("no such file or folder")});
    }
  }
  checkGroup(loose, false, QString());

  int errors = 0, warnings = 0;
  for (const Diagnostic& d : found) {
    io.err << d.text() << '\n';
    (d.isError() ? errors : warnings) += 1;
  }
  io.out << QStringLiteral("%1 questions checked in %2 ms: %3 errors, %4 warnings\n")
                .arg(questions).arg(clock.elapsed()).arg(errors).arg(warnings);
  return errors > 0 ? 1 : 0;
}

}  // namespace kvz::qst
