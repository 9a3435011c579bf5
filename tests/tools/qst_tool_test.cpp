#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QPainter>
#include <QProcess>
#include <QTemporaryDir>

#include <sys/stat.h>

#include "assets/layout_main.h"
#include "assets/qt/pictures.h"
#include "game/round.h"
#include "platform/clock.h"
#include "platform/scene_scale.h"
#include "platform/qt/element_views.h"
#include "questions/record.h"

namespace {

using namespace Qt::StringLiterals;

// The authors' tool as an author runs it, from the build folder.
struct ToolRun {
  int exitCode = -1;
  QString out;
  QString err;
};

// Always without a runtime folder, as for root, in a container or under a bare CI runner:
// the tool prints only its own messages there too, which every run that expects no error
// message checks.
ToolRun qst(const QStringList& args) {
  QProcess process;
  process.setProgram(qEnvironmentVariable("KVZ_BUILD_DIR", u"."_s) + u"/kvizarion-qst"_s);
  process.setArguments(args);
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.remove(u"XDG_RUNTIME_DIR"_s);
  // In a sanitizer build the tool is checked for memory faults; the font and window system
  // libraries it starts keep caches to the end, which the leak checker would report.
  const QString asan = env.value(u"ASAN_OPTIONS"_s);
  env.insert(u"ASAN_OPTIONS"_s, (asan.isEmpty() ? asan : asan + u':') + u"detect_leaks=0"_s);
  process.setProcessEnvironment(env);
  process.start();
  EXPECT_TRUE(process.waitForFinished(60000)) << "kvizarion-qst " << args.join(u' ').toStdString();
  return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
          QString::fromUtf8(process.readAllStandardOutput()), QString::fromUtf8(process.readAllStandardError())};
}

// A run's exit code and all it printed to stderr, or the start of that.
void expectRun(const ToolRun& run, int exitCode, const QString& err) {
  EXPECT_EQ(run.exitCode, exitCode);
  EXPECT_EQ(run.err.toStdString(), err.toStdString());
}
void expectRunStarting(const ToolRun& run, int exitCode, const QString& errStart) {
  EXPECT_EQ(run.exitCode, exitCode);
  EXPECT_TRUE(run.err.startsWith(errStart)) << run.err.toStdString();
}

QByteArray contentOf(const QString& file) {
  QFile in(file);
  return in.open(QIODevice::ReadOnly) ? in.readAll() : QByteArray("<unreadable>");
}

class QstTool : public ::testing::Test {
protected:
  QString p(const QString& name) const { return dir_.filePath(name); }
  QString write(const QString& name, const QByteArray& content) const {
    QDir().mkpath(QFileInfo(p(name)).absolutePath());
    QFile file(p(name));
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(content);
    return p(name);
  }
  QStringList built(const QString& folder) const { return QDir(p(folder)).entryList(QDir::Files | QDir::Hidden, QDir::Name); }
  QTemporaryDir dir_;
};

QByteArray question(const char* header, const QByteArray& zadani, const QByteArray& extra = {}) {
  return QByteArray(header) + "\nZadani: " + zadani +
         "\nA: Brno\nB: Praha\nC: Ostrava\nD: Plzeň\nSpravna: B\nDivaci: 4 88 5 3\nAutor: Tým\n" + extra;
}

// One question for each played step, all sound.
QByteArray wholeBank() {
  QByteArray text;
  for (char step = '1'; step <= '5'; ++step)
    text += question(QByteArray("[0") + step + "-001]", QByteArray("Otázka číslo ") + step + "?");
  return text;
}

const QByteArray kTableHeader = "Soubor,Zadani,OdpA,OdpB,OdpC,OdpD,Spravna,DivaciA,DivaciB,DivaciC,DivaciD,Autor\n";

TEST_F(QstTool, EveryFieldComesBackThroughDumpAndThroughASpreadsheetTable) {
  const QString source = write(u"03.txt"_s,
                               "[03-004]\nZadani: Žluťoučký kůň; úpěl, ďábelské ódy?\nA: \"  ÁČĎÉĚ\"\nB: \"\\\"ÍŇÓŘŠ\\\"\"\n"
                               "C: ŤÚŮÝŽ\nD: áčďéěíňóřšťúůýž\nSpravna: D\nDivaci: 0 2 97 1\nAutor: Jiří Ř.\n"
                               "Korekce: 5\nHodnota: -7\nID: X9\n");
  ASSERT_EQ(qst({u"build"_s, source, u"-o"_s, p(u"out"_s)}).exitCode, 0);
  const QString file = p(u"out/03-004.qst"_s);
  EXPECT_EQ(contentOf(file).size(), kvz::kRecordSize);

  // The readable dump is a source again; so is a table exported and imported again.
  write(u"dumped/03.txt"_s, qst({u"dump"_s, file}).out.toUtf8());
  ASSERT_EQ(qst({u"export"_s, u"--csv"_s, source, u"-o"_s, p(u"t.csv"_s)}).exitCode, 0);
  ASSERT_EQ(qst({u"import"_s, p(u"t.csv"_s), u"-o"_s, p(u"imported"_s)}).exitCode, 0);
  for (const QString& folder : {u"dumped"_s, u"imported"_s}) {
    ASSERT_EQ(qst({u"build"_s, p(folder + u"/03.txt"_s), u"-o"_s, p(folder)}).exitCode, 0) << folder.toStdString();
    EXPECT_EQ(contentOf(p(folder + u"/03-004.qst"_s)), contentOf(file)) << folder.toStdString();
  }
}

// Each input is added to a sound bank (a.txt) and checked; where check finds an error, build
// and import (of a table) report the same errors and write nothing, even with --replace.
// The wording of each message is the parsers' and the checks' own test.
TEST_F(QstTool, BuildAndImportRunEveryCheckOfCheckAndWriteNothingOnAnError) {
  const QByteArray wide = QByteArray("Š").repeated(40);
  // error: the start of check's errors; none: check passes.
  const struct { const char* file; QByteArray content; QString error; } cases[] = {
      {"b.txt", question("[02-002]", "Jiná?", "Obtiznost: 3\n"), u"b.txt:10: unknown key"_s},
      {"b.txt", question("[02-002]", "Druhá?") + question("[01-001]", "Třetí?"),
       u"b.txt:10: 01-001.qst is already given by %1:1"_s.arg(p(u"a.txt"_s))},
      {"b.txt", question("[02-002]", QByteArray("Dlouhá ").repeated(34)),
       u"b.txt:1: the question needs 5 lines on its plate; only 2 fit"_s},
      {"b.txt", question("[02-002]", QByteArray(250, 'i')), u"b.txt:1: a word of the question is wider than its plate"_s},
      {"b.txt", question("[02-002]", "Široká?").replace("Praha", wide), u"b.txt:1: answer B is"_s},
      {"b.txt", question("[02-002]", "Široká?").replace("Praha", QByteArray("Š").repeated(16)), {}},  // a full plate
      {"t.csv", kTableHeader + "02-002,Dvě?,a," + wide + ",c,d,B,10,70,10,10,Tým\n", u"t.csv:2: answer B is"_s},
      {"t.csv", kTableHeader + "02-002,Dvě?,a,b,c,d,E,10,70,10,10,Tým\n", u"t.csv:2: Spravna"_s},
      {"t.csv", kTableHeader + "02-002,Dvě?,a,b,c,d,B,10,70,10,9,Tým\n", u"t.csv:2: the audience shares"_s},
      {"t.csv", kTableHeader + "02-002,Dvě?,a,b,c,d,B,10,70,10,1O,Tým\n", u"t.csv:2: DivaciD"_s},
      {"t.csv", kTableHeader + "02-002,Dvě?,a,b,c,d,B,10,70,10,10,Tým\n02-003,Dvě?,a,b,c,d,B,10,70,10,10,Tým\n",
       u"t.csv:3: the same question"_s},
  };
  const QString bank = write(u"a.txt"_s, wholeBank());
  write(u"qst/01-009.qst"_s, "older file");
  write(u"src/01.txt"_s, "# mine\n");
  for (const auto& c : cases) {
    const QString file = write(QString::fromLatin1(c.file), c.content);
    SCOPED_TRACE(c.content.toStdString());
    const ToolRun check = qst({u"check"_s, bank, file});
    if (c.error.isEmpty()) {
      expectRun(check, 0, {});
      continue;
    }
    expectRunStarting(check, 1, dir_.path() + u'/' + c.error);
    expectRun(qst({u"build"_s, bank, file, u"-o"_s, p(u"qst"_s), u"--replace"_s}), 1,
              check.err + u"kvizarion-qst: errors found; nothing was built\n"_s);
    EXPECT_EQ(built(u"qst"_s), QStringList{u"01-009.qst"_s});
    if (!file.endsWith(u".csv"_s)) continue;
    expectRun(qst({u"import"_s, file, u"-o"_s, p(u"src"_s), u"--replace"_s}), 1,
              check.err + u"kvizarion-qst: errors found; nothing was written\n"_s);
    EXPECT_EQ(contentOf(p(u"src/01.txt"_s)), "# mine\n");
    EXPECT_EQ(built(u"src"_s), QStringList{u"01.txt"_s});
  }
}

TEST_F(QstTool, ImportWritesNoSourceOverAnotherAndReplaceRemovesOnlyQuestionsTakenOut) {
  const QString table = write(u"good.csv"_s, kTableHeader + "01-001,\"Jedna, dvě?\",a,b,c,d,A,70,10,10,10,Tým\n"
                                                           "02-003,Tři?,a,b,c,d,B,10,70,10,10,Tým\n");
  write(u"src/01.txt"_s, "# mine\n");
  expectRunStarting(qst({u"import"_s, table, u"-o"_s, p(u"src"_s)}), 1,
                    p(u"src/01.txt"_s) + u": exists already; --replace writes over it\n"_s);
  EXPECT_EQ(contentOf(p(u"src/01.txt"_s)), "# mine\n");
  ASSERT_EQ(qst({u"import"_s, table, u"-o"_s, p(u"src"_s), u"--replace"_s}).exitCode, 0);
  EXPECT_EQ(built(u"src"_s), (QStringList{u"01.txt"_s, u"02.txt"_s}));
  EXPECT_TRUE(contentOf(p(u"src/01.txt"_s)).startsWith("[01-001]\nZadani: Jedna, dvě?\nA: a\n"));
  EXPECT_EQ(qst({u"import"_s, write(u"empty.csv"_s, kTableHeader), u"-o"_s, p(u"none"_s)}).exitCode, 1);
  EXPECT_FALSE(QDir(p(u"none"_s)).exists());

  const QString bank = write(u"a.txt"_s, wholeBank());
  write(u"qst/01-009.qst"_s, "taken out");
  write(u"qst/notes.txt"_s, "kept");
  expectRun(qst({u"build"_s, bank, u"-o"_s, p(u"qst"_s)}), 0, {});
  EXPECT_TRUE(built(u"qst"_s).contains(u"01-009.qst"_s));  // kept without --replace
  ASSERT_EQ(qst({u"build"_s, bank, u"-o"_s, p(u"qst"_s), u"--replace"_s}).exitCode, 0);
  EXPECT_EQ(built(u"qst"_s), (QStringList{u"01-001.qst"_s, u"02-001.qst"_s, u"03-001.qst"_s, u"04-001.qst"_s,
                                          u"05-001.qst"_s, u"notes.txt"_s}));
}

TEST_F(QstTool, CheckPassesASoundBankWithWarningsAndFindsFaultsOfQuestionFiles) {
  const QString source = write(u"01.txt"_s, wholeBank() + question("[01-002]", "Bez autora?").replace("Autor: Tým\n", ""));
  ToolRun check = qst({u"check"_s, dir_.path()});
  expectRun(check, 0, source + u":46: warning: no author (Autor)\n"_s);
  EXPECT_TRUE(check.out.startsWith(u"6 questions checked"_s)) << check.out.toStdString();

  ASSERT_EQ(qst({u"build"_s, source, u"-o"_s, p(u"qst"_s)}).exitCode, 0);
  QFile::rename(p(u"qst/04-001.qst"_s), p(u"qst/004-001.qst"_s));
  QFile::copy(p(u"qst/03-001.qst"_s), p(u"qst/03-026.qst"_s));
  write(u"qst/05-002.qst"_s, QByteArray(100, ' '));
  write(u"qst/02-001.qst"_s, contentOf(p(u"qst/02-001.qst"_s)) + QByteArray(104, 'x'));
  QDir().mkpath(p(u"qst/01-003.qst"_s));
  ASSERT_EQ(mkfifo(p(u"qst/01-004.qst"_s).toLocal8Bit().constData(), 0600), 0);  // and no wait for a writer
  check = qst({u"check"_s, p(u"qst"_s)});
  EXPECT_EQ(check.exitCode, 1);
  EXPECT_EQ(check.err.trimmed().replace(p(u"qst"_s), u"<qst>"_s).split(u'\n'),
            (QStringList{u"<qst>/004-001.qst: the name is not NN-nnn.qst (as 01-017.qst), so the game never chooses it"_s,
                         u"<qst>/01-003.qst: not a readable file"_s, u"<qst>/01-004.qst: not a readable file"_s,
                         u"<qst>/02-001.qst: warning: has 600 bytes; the game reads only the first 496"_s,
                         u"<qst>/03-026.qst: the file number must be 001 to 025 and the step 01 or more; the game "
                         "never chooses this file"_s,
                         u"<qst>/05-002.qst: has 100 bytes; a question file has 496, so the game never chooses it"_s,
                         u"<qst>/01-002.qst: warning: no author (Autor)"_s,
                         u"<qst>/03-026.qst: the same question as <qst>/03-001.qst"_s,
                         u"<qst>: no question for step 4: a game that reaches it ends with a message"_s}));
}

// How many pixels of a region of the shot, outside `except`, differ from the picture of a
// picture element of the game window, laid where the game lays it.
int pixelsUnlike(const QImage& shot, const kvz::Element& element, QRect region, QRect except = {}) {
  QImage expected = shot.copy();
  QPainter(&expected).drawPixmap(kvz::toPixels(element.geometry()).topLeft(), kvz::picture(element.picture()));
  int unlike = 0;
  for (int y = region.top(); y <= region.bottom(); ++y)
    for (int x = region.left(); x <= region.right(); ++x)
      unlike += !except.contains(x, y) && shot.pixel(x, y) != expected.pixel(x, y);
  return unlike;
}

// An author sees the question in white on its plate, and the ladder at the question's step.
TEST_F(QstTool, PreviewDrawsTheQuestionInWhiteOnItsPlateBesideTheLadderOfItsStep) {
  const QString source = write(u"05.txt"_s, question("[05-003]", "Jak se jmenuje hlavní město?"));
  ASSERT_EQ(qst({u"preview"_s, source, u"-o"_s, p(u"p.png"_s)}).exitCode, 0);
  const QImage shot = QImage(p(u"p.png"_s)).convertToFormat(QImage::Format_RGB32);
  ASSERT_EQ(shot.size(), QSize(kvz::kSceneWidth, kvz::kSceneHeight));
  kvz::VirtualClock clock;
  const auto layout = kvz::makeFrmMain(clock);
  kvz::Element& ladder = (*layout)[u"imgStupnice"_s];
  ladder.setPicture(kvz::round::levelBitmap('S', 5));
  const QRect text = kvz::toPixels((*layout)[u"lblZadani"_s].geometry());
  const QRect plate = kvz::toPixels((*layout)[u"imgZadani"_s].geometry());
  int white = 0;
  for (int y = text.top(); y <= text.bottom(); ++y)
    for (int x = text.left(); x <= text.right(); ++x) white += shot.pixel(x, y) == qRgb(255, 255, 255);
  EXPECT_GT(white, 200);
  // The plate below the ladder's foot, and the ladder above the plate.
  const int foot = kvz::toPixels(ladder.geometry()).bottom() + 1;
  EXPECT_EQ(pixelsUnlike(shot, (*layout)[u"imgZadani"_s], plate.adjusted(0, foot - plate.top(), 0, 0), text), 0);
  EXPECT_EQ(pixelsUnlike(shot, ladder, kvz::toPixels(ladder.geometry()).adjusted(0, 0, 0, plate.top() - foot)), 0);
}

TEST_F(QstTool, PreviewAndDumpRefuseWhatIsNoWholeRecordAndDumpGoesOnPastIt) {
  const QString shortFile = write(u"short.qst"_s, QByteArray(495, 'x'));
  const QString whole = write(u"01-001.qst"_s, QByteArray(496, '\xE1'));
  EXPECT_EQ(qst({u"preview"_s, shortFile, u"-o"_s, p(u"q.png"_s)}).exitCode, 1);
  EXPECT_FALSE(QFile::exists(p(u"q.png"_s)));
  const ToolRun dump = qst({u"dump"_s, u"--json"_s, shortFile, p(u"missing.qst"_s), whole});
  EXPECT_EQ(dump.exitCode, 1);
  EXPECT_TRUE(dump.err.contains(shortFile + u": not a question file: 495 bytes"_s)) << dump.err.toStdString();
  EXPECT_TRUE(dump.err.contains(p(u"missing.qst"_s) + u": cannot be read"_s));
  const QJsonArray all = QJsonDocument::fromJson(dump.out.toUtf8()).array();
  ASSERT_EQ(all.size(), 1);
  EXPECT_EQ(all[0].toObject()[u"Zadani"_s].toString(), QString(250, u'á'));
  EXPECT_EQ(all[0].toObject()[u"file"_s].toString(), whole);
}

// Each command's help; an unknown option or a -o without its value is a usage error that
// prints the command's usage and writes nothing. Exit codes: 0 fine, 1 errors found, 2 a
// wrong command line.
TEST_F(QstTool, EveryCommandGivesItsHelpAndRefusesAWrongCommandLineWithItsUsage) {
  const QString source = write(u"01.txt"_s, wholeBank());
  const QString out = p(u"out"_s);
  for (const QString& command : {u"build"_s, u"dump"_s, u"check"_s, u"preview"_s, u"export"_s, u"import"_s}) {
    SCOPED_TRACE(command.toStdString());
    const QString usage = u"Usage: kvizarion-qst "_s + command + u" [options] "_s;
    const ToolRun help = qst({command, u"--help"_s});
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_TRUE(help.out.startsWith(usage)) << help.out.toStdString();
    EXPECT_EQ(help.err, QString());
    // The parser's own words say what was wrong; the tool adds its name and the usage.
    for (const QStringList& args : std::vector<QStringList>{{command, source, u"--bogus"_s, u"-o"_s, out}, {command, source, u"-o"_s}}) {
      const ToolRun run = qst(args);
      expectRunStarting(run, 2, u"kvizarion-qst "_s + command + u": "_s);
      EXPECT_TRUE(run.err.contains(u"\n\n"_s + usage)) << run.err.toStdString();
      EXPECT_FALSE(QFileInfo::exists(out));
    }
  }
  const std::pair<QStringList, int> whole[] = {
      {{u"--help"_s}, 0}, {{}, 2}, {{u"bake"_s}, 2}, {{u"--bogus"_s}, 2}, {{u"build"_s}, 2},
      {{u"import"_s, source, source, u"-o"_s, out}, 2}, {{u"check"_s, p(u"nothing-here"_s)}, 1},
  };
  for (const auto& [args, code] : whole) EXPECT_EQ(qst(args).exitCode, code) << args.join(u' ').toStdString();
}

}  // namespace
