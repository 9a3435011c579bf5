// The authors' tool's source reader on any text, and the checks on what it accepts.
#include <cstdlib>

#include "questions/checks.h"
#include "questions/source.h"
#include "questions/steps.h"

namespace {

void require(bool condition) {
  if (!condition) std::abort();
}

bool plain(const kvz::ZaznamOtazky& r) {
  for (const QString* text : {&r.Zadani, &r.OdpA, &r.OdpB, &r.OdpC, &r.OdpD, &r.Spravna, &r.Autor, &r.ID})
    for (const QChar c : *text)
      if (c.unicode() < 0x20 || c.unicode() == 0x7F) return false;
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const QByteArray text(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
  const kvz::SourceFile file = kvz::parseSource(QStringLiteral("fuzz.txt"), text);
  for (const kvz::Diagnostic& d : file.diagnostics) require(d.isError() && d.line >= 1 && !d.message.isEmpty());

  std::vector<kvz::CheckedQuestion> questions;
  for (const kvz::SourceQuestion& q : file.questions) {
    require(q.step >= 1 && q.step <= kvz::kLadderSteps && q.number >= 1 && q.number <= kvz::kFilesPerStep);
    require(kvz::decodeRecord(q.bytes) == q.record);
    questions.push_back({QStringLiteral("fuzz.txt"), q.line, q.step, q.number, q.record});
    (void)kvz::checkQuestion(questions.back());
    // What a dump writes builds the same file again.
    if (plain(q.record)) {
      const kvz::SourceFile again = kvz::parseSource(QStringLiteral("again.txt"),
                                                     kvz::toSource(q.fileName.chopped(4), q.record).toUtf8());
      require(again.diagnostics.empty() && again.questions.size() == 1 && again.questions[0].bytes == q.bytes);
    }
  }
  (void)kvz::checkBank(questions, true, QStringLiteral("fuzz"));
  return 0;
}
