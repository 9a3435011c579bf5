#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QPainter>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <sys/stat.h>

#include "assets/layout_main.h"
#include "assets/qt/pictures.h"
#include "game/round.h"
#include "platform/clock.h"
#include "platform/scene_scale.h"
#include "platform/qt/element_views.h"

namespace {

struct ToolRun { int exitCode = -1; QString out, err; };

// A run's exit code and what it printed to stderr: all of it, or (whole false) its start.
void expectRun(const ToolRun& run, int exitCode, const QString& err, bool whole = true) {
  EXPECT_EQ(run.exitCode, exitCode);
  EXPECT_EQ((whole ? run.err : run.err.left(err.size())).toStdString(), err.toStdString());
}

// The authors' tool as an author runs it, from the build folder, in a folder of the test's own
// where every file is named as the author names it.
class QstTool : public ::testing::Test {
protected:
  // The words of the command line, split at blanks.
  ToolRun qst(const QString& words) const {
    QProcess process;
    process.setProgram(QDir(qEnvironmentVariable("KVZ_BUILD_DIR", ".")).absoluteFilePath("kvizarion-qst"));
    process.setArguments(words.split(u' ', Qt::SkipEmptyParts));
    process.setWorkingDirectory(dir_.path());
    // Always without a runtime folder, as for root, in a container or under a bare CI runner:
    // the tool prints only its own messages there too, which every run that expects no error
    // message checks.
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove("XDG_RUNTIME_DIR");
    // In a sanitizer build the tool is checked for memory faults; the font and window system
    // libraries it starts keep caches to the end, which the leak checker would report.
    env.insert("ASAN_OPTIONS", env.value("ASAN_OPTIONS") + ":detect_leaks=0");
    process.setProcessEnvironment(env);
    process.start();
    EXPECT_TRUE(process.waitForFinished(60000)) << "kvizarion-qst " << words.toStdString();
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            QString::fromUtf8(process.readAllStandardOutput()), QString::fromUtf8(process.readAllStandardError())};
  }
  QString p(const QString& name) const { return dir_.filePath(name); }
  QString write(const QString& name, const QByteArray& content) const {
    QDir(dir_.path()).mkpath(QFileInfo(name).path());
    QFile file(p(name));
    EXPECT_TRUE(file.open(QIODevice::WriteOnly)) << name.toStdString();
    file.write(content);
    return name;
  }
  QByteArray contentOf(const QString& name) const {
    QFile in(p(name));
    return in.open(QIODevice::ReadOnly) ? in.readAll() : QByteArray("<unreadable>");
  }
  // The names of the files in a folder, hidden ones too, in order.
  std::string built(const QString& folder) const {
    return QDir(p(folder)).entryList(QDir::Files | QDir::Hidden, QDir::Name).join(u' ').toStdString();
  }
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
  // Quotes, a backslash, separators, leading blanks, a formula-like text, a blank ID; the
  // second question has every optional field at its default (Korekce written "ano").
  write("03.txt", "[03-004]\nZadani: Žluťoučký kůň; úpěl, ďábelské ódy?\nA: \"  ÁČĎÉĚ\"\nB: \"\\\"ÍŇÓŘŠ\\\" \\\\\"\n"
                  "C: =1+1 ŤÚŮÝŽ\nD: áčďéěíňóřšťúůýž\nSpravna: D\nDivaci: 0 2 97 1\nAutor: Jiří Ř.\n"
                  "Korekce: 5\nHodnota: -7\nID: \"   \"\n" + question("[03-005]", "Druhá?").replace("Autor: Tým\n", ""));
  // The size of what build writes is checked by check, in CheckPassesASoundBank...
  ASSERT_EQ(qst("build 03.txt -o out").exitCode, 0);

  // The readable dump is a source again; so is a table exported and imported again.
  write("dumped/03.txt", qst("dump out/03-004.qst out/03-005.qst").out.toUtf8());
  ASSERT_EQ(qst("export --csv 03.txt -o t.csv").exitCode, 0);
  // A spreadsheet knows the table for UTF-8 by its byte-order mark.
  EXPECT_TRUE(contentOf("t.csv").startsWith("\xEF\xBB\xBFSoubor;Zadani;")) << contentOf("t.csv").left(40).toStdString();
  ASSERT_EQ(qst("import t.csv -o imported").exitCode, 0);
  for (const QString folder : {"dumped", "imported"}) {
    ASSERT_EQ(qst("build " + folder + "/03.txt -o " + folder).exitCode, 0) << folder.toStdString();
    for (const QString name : {"/03-004.qst", "/03-005.qst"})
      EXPECT_EQ(contentOf(folder + name), contentOf("out" + name)) << (folder + name).toStdString();
  }
}

// Each input is added to a sound bank (a.txt) and checked; where check finds an error, build
// and import (of a table) report the same errors and write nothing, even with --replace.
// The wording of each message is the parsers' and the checks' own test.
TEST_F(QstTool, BuildAndImportRunEveryCheckOfCheckAndWriteNothingOnAnError) {
  // error: the start of check's errors; none: check passes.
  const struct { const char* file; QByteArray content; QString error; } cases[] = {
      {"b.txt", question("[02-002]", "Jiná?", "Obtiznost: 3\n"), "b.txt:10: unknown key"},
      {"b.txt", question("[02-002]", "Druhá?") + question("[01-001]", "Třetí?"),
       "b.txt:10: 01-001.qst is already given by a.txt:1"},
      {"b.txt", question("[02-002]", QByteArray("Dlouhá ").repeated(34)),
       "b.txt:1: the question needs 5 lines on its plate; only 2 fit"},
      {"b.txt", question("[02-002]", QByteArray(250, 'i')), "b.txt:1: a word of the question is wider than its plate"},
      {"b.txt", question("[02-002]", "Široká?").replace("Praha", QByteArray("Š").repeated(16)), {}},  // a full plate
      {"t.csv", kTableHeader + "02-002,Dvě?,a," + QByteArray("Š").repeated(40) + ",c,d,B,10,70,10,10,Tým\n", "t.csv:2: answer B is"},
      {"t.csv", kTableHeader + "02-002,Dvě?,a,b,c,d,B,10,70,10,9,Tým\n", "t.csv:2: the audience shares"},
      {"t.csv", kTableHeader + "02-002,Dvě?,a,b,c,d,B,10,70,10,1O,Tým\n", "t.csv:2: DivaciD"},
      {"t.csv", kTableHeader + "02-002,Dvě?,a,b,c,d,B,10,70,10,10,Tým\n02-003,Dvě?,a,b,c,d,B,10,70,10,10,Tým\n",
       "t.csv:3: the same question"},
  };
  write("a.txt", wholeBank());
  write("qst/01-009.qst", "older file");
  write("src/01.txt", "# mine\n");
  for (const auto& c : cases) {
    SCOPED_TRACE(c.content.toStdString());
    const QString file = write(c.file, c.content);
    const ToolRun check = qst("check a.txt " + file);
    expectRun(check, c.error.isEmpty() ? 0 : 1, c.error, c.error.isEmpty());
    if (c.error.isEmpty()) continue;
    expectRun(qst("build a.txt " + file + " -o qst --replace"), 1,
              check.err + "kvizarion-qst: errors found; nothing was built\n");
    if (file.endsWith(".csv"))
      expectRun(qst("import " + file + " -o src --replace"), 1,
                check.err + "kvizarion-qst: errors found; nothing was written\n");
  }
  // Any run that wrote would have replaced these folders' files.
  EXPECT_EQ(built("qst"), "01-009.qst");
  EXPECT_EQ(built("src"), "01.txt");
}

TEST_F(QstTool, ImportWritesNoSourceOverAnotherAndReplaceRemovesOnlyQuestionsTakenOut) {
  write("good.csv", kTableHeader + "01-001,Jedna?,a,b,c,d,A,70,10,10,10,Tým\n02-003,Tři?,a,b,c,d,B,10,70,10,10,Tým\n");
  write("src/01.txt", "# mine\n");
  expectRun(qst("import good.csv -o src"), 1,
            "src/01.txt: exists already; --replace writes over it\nkvizarion-qst: nothing was written\n");
  EXPECT_EQ(contentOf("src/01.txt"), "# mine\n");
  expectRun(qst("import good.csv -o src --replace"), 0, {});
  EXPECT_EQ(built("src"), "01.txt 02.txt");
  EXPECT_NE(contentOf("src/01.txt"), "# mine\n");
  expectRun(qst("import " + write("empty.csv", kTableHeader) + " -o none"), 1,
            "kvizarion-qst: no question in the table; nothing was written\n");
  EXPECT_FALSE(QDir(p("none")).exists());

  write("a.txt", wholeBank());
  write("qst/01-009.qst", "taken out");
  write("qst/notes.txt", "kept");
  expectRun(qst("build a.txt -o qst"), 0, {});
  EXPECT_EQ(built("qst"), "01-001.qst 01-009.qst 02-001.qst 03-001.qst 04-001.qst 05-001.qst notes.txt");
  expectRun(qst("build a.txt -o qst --replace"), 0, {});
  EXPECT_EQ(built("qst"), "01-001.qst 02-001.qst 03-001.qst 04-001.qst 05-001.qst notes.txt");
}

TEST_F(QstTool, CheckPassesASoundBankWithWarningsAndFindsFaultsOfQuestionFiles) {
  write("bank/01.txt", wholeBank() + question("[01-002]", "Bez autora?").replace("Autor: Tým\n", ""));
  ToolRun check = qst("check bank");
  expectRun(check, 0, "bank/01.txt:46: warning: no author (Autor)\n");
  EXPECT_EQ(check.out.remove(QRegularExpression(" in [0-9]+ ms")).toStdString(), "6 questions checked: 0 errors, 1 warnings\n");

  ASSERT_EQ(qst("build bank/01.txt -o qst").exitCode, 0);
  QFile::rename(p("qst/04-001.qst"), p("qst/004-001.qst"));
  QFile::copy(p("qst/03-001.qst"), p("qst/03-026.qst"));
  write("qst/05-002.qst", QByteArray(100, ' '));
  write("qst/02-001.qst", contentOf("qst/02-001.qst") + QByteArray(104, 'x'));
  ASSERT_EQ(mkfifo(p("qst/01-004.qst").toLocal8Bit().constData(), 0600), 0);  // and no wait for a writer
  expectRun(qst("check qst"), 1,
            "qst/004-001.qst: the name is not NN-nnn.qst (as 01-017.qst), so the game never chooses it\n"
            "qst/01-004.qst: not a readable file\n"
            "qst/02-001.qst: warning: has 600 bytes; the game reads only the first 496\n"
            "qst/03-026.qst: the file number must be 001 to 025 and the step 01 or more; the game never chooses "
            "this file\n"
            "qst/05-002.qst: has 100 bytes; a question file has 496, so the game never chooses it\n"
            "qst/01-002.qst: warning: no author (Autor)\nqst/03-026.qst: the same question as qst/03-001.qst\n"
            "qst: no question for step 4: a game that reaches it ends with a message\n");
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
  write("05.txt", question("[05-003]", "Jak se jmenuje hlavní město?"));
  ASSERT_EQ(qst("preview 05.txt -o p.png").exitCode, 0);
  const QImage shot = QImage(p("p.png")).convertToFormat(QImage::Format_RGB32);
  ASSERT_EQ(shot.size(), QSize(kvz::kSceneWidth, kvz::kSceneHeight));
  kvz::VirtualClock clock;
  const auto layout = kvz::makeFrmMain(clock);
  kvz::Element& ladder = (*layout)["imgStupnice"];
  ladder.setPicture(kvz::round::levelBitmap('S', 5));
  const QRect text = kvz::toPixels((*layout)["lblZadani"].geometry());
  const QRect plate = kvz::toPixels((*layout)["imgZadani"].geometry());
  int white = 0;
  for (int y = text.top(); y <= text.bottom(); ++y)
    for (int x = text.left(); x <= text.right(); ++x) white += shot.pixel(x, y) == qRgb(255, 255, 255);
  EXPECT_GT(white, 200);
  // The plate below the ladder's foot, and the ladder above the plate.
  const int foot = kvz::toPixels(ladder.geometry()).bottom() + 1;
  EXPECT_EQ(pixelsUnlike(shot, (*layout)["imgZadani"], plate.adjusted(0, foot - plate.top(), 0, 0), text), 0);
  EXPECT_EQ(pixelsUnlike(shot, ladder, kvz::toPixels(ladder.geometry()).adjusted(0, 0, 0, plate.top() - foot)), 0);
}

TEST_F(QstTool, PreviewAndDumpRefuseWhatIsNoWholeRecordAndDumpGoesOnPastIt) {
  write("short.qst", QByteArray(495, 'x'));
  write("01-001.qst", QByteArray(496, '\xE1'));
  expectRun(qst("preview short.qst -o q.png"), 1, "short.qst: not a question file of 496 bytes\n");
  EXPECT_FALSE(QFile::exists(p("q.png")));
  const ToolRun dump = qst("dump --json short.qst missing.qst 01-001.qst");
  expectRun(dump, 1, "short.qst: not a question file: 495 bytes, a question has 496\nmissing.qst: cannot be read\n");
  const QJsonArray all = QJsonDocument::fromJson(dump.out.toUtf8()).array();
  ASSERT_EQ(all.size(), 1);
  EXPECT_EQ(all[0].toObject()["Zadani"].toString().toStdString(), QString(250, u'á').toStdString());
  EXPECT_EQ(all[0].toObject()["file"].toString().toStdString(), "01-001.qst");
}

// Exit codes: 0 fine, 1 errors found, 2 a wrong command line, which is named with the parser's
// words, followed by the command's usage, and writes nothing. Every command reads its command
// line with the one parser; the words for a wrong one are checked on build alone.
TEST_F(QstTool, EveryCommandGivesItsHelpAndRefusesAWrongCommandLineWithItsUsage) {
  write("01.txt", wholeBank());
  for (const QString command : {"build", "dump", "check", "preview", "export", "import"}) {
    const ToolRun help = qst(command + " --help");
    expectRun(help, 0, {});
    EXPECT_TRUE(help.out.startsWith("Usage: kvizarion-qst " + command + " [options] ")) << help.out.toStdString();
  }
  expectRun(qst("build 01.txt --bogus -o out"), 2,
            "kvizarion-qst build: Unknown option 'bogus'.\n\n" + qst("build --help").out);
  const std::pair<const char*, int> whole[] = {
      {"--help", 0}, {"", 2}, {"bake", 2}, {"--bogus", 2}, {"build", 2}, {"build 01.txt -o", 2}, {"dump 01.txt -o out", 2},
      {"check 01.txt -o out", 2}, {"preview 01.txt --bogus -o out", 2}, {"export 01.txt --bogus -o out", 2},
      {"import 01.txt 01.txt -o out", 2}, {"check nothing-here", 1},
  };
  for (const auto& [args, code] : whole) EXPECT_EQ(qst(args).exitCode, code) << args;
  EXPECT_FALSE(QFileInfo::exists(p("out")));
}

}  // namespace
