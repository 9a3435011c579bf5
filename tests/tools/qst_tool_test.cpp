#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>

#include <sys/stat.h>

namespace {

using namespace Qt::StringLiterals;

// The authors' tool as an author runs it, from the build folder.
struct ToolRun {
  int exitCode = -1;
  QString out;
  QString err;
};

QString buildDir() { return qEnvironmentVariable("KVZ_BUILD_DIR", u"."_s); }

enum class RuntimeDir { Set, Unset };

ToolRun qst(const QStringList& args, RuntimeDir runtimeDir = RuntimeDir::Set) {
  QProcess process;
  process.setProgram(buildDir() + u"/kvizarion-qst"_s);
  process.setArguments(args);
  // Without a runtime folder, as for root, in a container or under a bare CI runner.
  static const QTemporaryDir runtime;
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  if (runtimeDir == RuntimeDir::Unset) env.remove(u"XDG_RUNTIME_DIR"_s);
  else if (!env.contains(u"XDG_RUNTIME_DIR"_s)) env.insert(u"XDG_RUNTIME_DIR"_s, runtime.path());
  // In a sanitizer build the tool is checked for memory faults; the font and window system
  // libraries it starts keep caches to the end, which the leak checker would report.
  const QString asan = env.value(u"ASAN_OPTIONS"_s);
  env.insert(u"ASAN_OPTIONS"_s, (asan.isEmpty() ? asan : asan + u':') + u"detect_leaks=0"_s);
  process.setProcessEnvironment(env);
  process.start();
  const bool finished = process.waitForFinished(60000);
  EXPECT_TRUE(finished) << "kvizarion-qst " << args.join(u' ').toStdString();
  return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
          QString::fromUtf8(process.readAllStandardOutput()), QString::fromUtf8(process.readAllStandardError())};
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
  QStringList built(const QString& folder) const {
    return QDir(p(folder)).entryList(QDir::Files | QDir::Hidden, QDir::Name);
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

TEST_F(QstTool, EveryFieldComesBackThroughDumpAndThroughASpreadsheetTable) {
  const QString source = write(u"03.txt"_s,
                               "[03-004]\nZadani: Žluťoučký kůň; úpěl, ďábelské ódy?\nA: \"  ÁČĎÉĚ\"\nB: \"\\\"ÍŇÓŘŠ\\\"\"\n"
                               "C: ŤÚŮÝŽ\nD: áčďéěíňóřšťúůýž\nSpravna: D\nDivaci: 0 2 97 1\nAutor: Jiří Ř.\n"
                               "Korekce: 5\nHodnota: -7\nID: X9\n");
  ASSERT_EQ(qst({u"build"_s, source, u"-o"_s, p(u"out"_s)}).exitCode, 0);
  ASSERT_EQ(built(u"out"_s), QStringList{u"03-004.qst"_s});
  const QString file = p(u"out/03-004.qst"_s);
  EXPECT_EQ(contentOf(file).size(), 496);

  // The readable dump is a source again; so is a table exported and imported again.
  write(u"dumped/03.txt"_s, qst({u"dump"_s, file}).out.toUtf8());
  ASSERT_EQ(qst({u"export"_s, u"--csv"_s, source, u"-o"_s, p(u"t.csv"_s)}).exitCode, 0);
  ASSERT_EQ(qst({u"import"_s, p(u"t.csv"_s), u"-o"_s, p(u"imported"_s)}).exitCode, 0);
  for (const QString& folder : {u"dumped"_s, u"imported"_s}) {
    ASSERT_EQ(qst({u"build"_s, p(folder + u"/03.txt"_s), u"-o"_s, p(folder)}).exitCode, 0) << folder.toStdString();
    EXPECT_EQ(contentOf(p(folder + u"/03-004.qst"_s)), contentOf(file)) << folder.toStdString();
  }
}

TEST_F(QstTool, ImportWritesNothingOnAnErrorAndNoSourceOverAnother) {
  const QByteArray header = "Soubor,Zadani,OdpA,OdpB,OdpC,OdpD,Spravna,DivaciA,DivaciB,DivaciC,DivaciD,Autor\n";
  const QByteArray rows = "01-001,\"Jedna, dvě?\",a,b,c,d,A,70,10,10,10,Tým\n02-003,Tři?,a,b,c,d,B,10,70,10,10,Tým\n";
  const QString good = write(u"good.csv"_s, header + rows);
  const QString bad = write(u"bad.csv"_s, header + rows + "\n03-001,Čtyři?,a,b,c,d,E,10,10,70,1O,Tým\n");
  write(u"src/01.txt"_s, "# mine\n");

  ToolRun run = qst({u"import"_s, bad, u"-o"_s, p(u"src"_s), u"--replace"_s});
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_EQ(run.err, bad + u":5: DivaciD: '1O' is not a whole number from -32768 to 32767\n"_s
                         u"kvizarion-qst: errors found; nothing was written\n"_s);
  run = qst({u"import"_s, good, u"-o"_s, p(u"src"_s)});
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_TRUE(run.err.startsWith(p(u"src/01.txt"_s) + u": exists already; --replace writes over it\n"_s)) << run.err.toStdString();
  EXPECT_EQ(built(u"src"_s), QStringList{u"01.txt"_s});
  EXPECT_EQ(contentOf(p(u"src/01.txt"_s)), "# mine\n");

  ASSERT_EQ(qst({u"import"_s, good, u"-o"_s, p(u"src"_s), u"--replace"_s}).exitCode, 0);
  EXPECT_EQ(built(u"src"_s), (QStringList{u"01.txt"_s, u"02.txt"_s}));
  EXPECT_TRUE(contentOf(p(u"src/01.txt"_s)).startsWith("[01-001]\nZadani: Jedna, dvě?\nA: a\n"));
  EXPECT_EQ(qst({u"import"_s, write(u"empty.csv"_s, header), u"-o"_s, p(u"none"_s)}).exitCode, 1);
  EXPECT_FALSE(QDir(p(u"none"_s)).exists());
}

TEST_F(QstTool, AnyErrorBuildsNothingAndReplaceRemovesQuestionsTakenOut) {
  const std::pair<QByteArray, QString> sources[] = {
      {question("[02-002]", "Jiná?", "Obtiznost: 3\n"), u"b.txt:10: unknown key 'Obtiznost'"_s},
      {question("[02-002]", "Druhá?") + question("[01-001]", "Třetí?"),
       u"b.txt:10: 01-001.qst is already defined at %1:1"_s.arg(p(u"a.txt"_s))},
  };
  const QString one = write(u"a.txt"_s, wholeBank());
  write(u"out/01-009.qst"_s, "older file");
  for (const auto& [text, message] : sources) {
    const ToolRun run = qst({u"build"_s, one, write(u"b.txt"_s, text), u"-o"_s, p(u"out"_s), u"--replace"_s});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.err.contains(dir_.path() + u'/' + message) && run.err.contains(u"nothing was built"_s))
        << run.err.toStdString();
    EXPECT_EQ(built(u"out"_s), QStringList{u"01-009.qst"_s});
  }
  write(u"out/notes.txt"_s, "kept");
  const QStringList bank{u"01-001.qst"_s, u"02-001.qst"_s, u"03-001.qst"_s, u"04-001.qst"_s, u"05-001.qst"_s};
  ASSERT_EQ(qst({u"build"_s, one, u"-o"_s, p(u"out"_s)}).exitCode, 0);
  EXPECT_TRUE(built(u"out"_s).contains(u"01-009.qst"_s));  // kept without --replace
  ASSERT_EQ(qst({u"build"_s, one, u"-o"_s, p(u"out"_s), u"--replace"_s}).exitCode, 0);
  EXPECT_EQ(built(u"out"_s), bank + QStringList{u"notes.txt"_s});
}

TEST_F(QstTool, CheckMeasuresTextsOnTheirPlatesAndNamesTheirLineOrRow) {
  // A bank of five sound questions with one more: in its source, or in a table beside it.
  const QByteArray wide = QByteArray("Š").repeated(40);
  const std::pair<QByteArray, const char*> cases[] = {
      {question("[02-002]", QByteArray("Dlouhá ").repeated(34)), "bank.txt:46: the question needs 5 lines on its plate; only 2 fit"},
      {question("[02-002]", QByteArray(250, 'i')), "bank.txt:46: a word of the question is wider than its plate"},
      {question("[02-002]", "Široká?").replace("Praha", wide), "bank.txt:46: answer B is"},
      {"Soubor;Zadani;OdpA;OdpB;OdpC;OdpD;Spravna;DivaciA;DivaciB;DivaciC;DivaciD;Autor\n\"02-002\";\"Široká?\";a;" +
           wide + ";c;d;A;70;10;10;10;Tým\n",
       "t.csv:2: answer B is"},
      {question("[02-002]", QByteArray("Dlouhá ").repeated(16)), ""},  // two lines of question fit
      {question("[02-002]", "Široká?").replace("Praha", QByteArray("Š").repeated(16)), ""},  // a full answer plate
  };
  int banks = 0;
  for (const auto& [added, expected] : cases) {
    const QString folder = u"bank%1/"_s.arg(++banks);
    const bool table = added.startsWith("Soubor");
    write(folder + u"bank.txt"_s, wholeBank() + (table ? QByteArray() : added));
    QStringList args{u"check"_s, p(folder)};
    if (table) args << write(folder + u"t.csv"_s, added);
    const ToolRun check = qst(args);
    EXPECT_EQ(check.exitCode, *expected ? 1 : 0) << expected;
    EXPECT_TRUE(*expected ? QString(check.err).replace(p(folder), QString()).startsWith(QString::fromUtf8(expected))
                          : check.err.isEmpty())
        << expected << "\n" << check.err.toStdString();
  }
}

TEST_F(QstTool, CheckPassesASoundBankWithWarningsAndFindsFaultsOfQuestionFiles) {
  const QString source = write(u"01.txt"_s, wholeBank() + question("[01-002]", "Bez autora?").replace("Autor: Tým\n", ""));
  ToolRun check = qst({u"check"_s, dir_.path()});
  EXPECT_EQ(check.exitCode, 0) << check.err.toStdString();
  EXPECT_EQ(check.err.trimmed(), source + u":46: warning: no author (Autor)"_s);
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

TEST_F(QstTool, PreviewAndDumpShowWholeRecordsAndRefuseTheRest) {
  const QString source = write(u"02.txt"_s, question("[02-003]", "Jak se jmenuje hlavní město?"));
  ASSERT_EQ(qst({u"preview"_s, source, u"-o"_s, p(u"p.png"_s)}).exitCode, 0);
  EXPECT_EQ(QImage(p(u"p.png"_s)).size(), QSize(640, 480));
  const QString shortFile = write(u"short.qst"_s, QByteArray(495, 'x'));
  const QString whole = write(u"01-001.qst"_s, QByteArray(496, '\xE1'));
  EXPECT_EQ(qst({u"preview"_s, shortFile, u"-o"_s, p(u"q.png"_s)}).exitCode, 1);
  EXPECT_FALSE(QFile::exists(p(u"q.png"_s)));
  // Dump names what is no record and goes on past it.
  const ToolRun dump = qst({u"dump"_s, u"--json"_s, shortFile, p(u"missing.qst"_s), whole});
  EXPECT_EQ(dump.exitCode, 1);
  EXPECT_TRUE(dump.err.contains(shortFile + u": not a question file: 495 bytes"_s)) << dump.err.toStdString();
  EXPECT_TRUE(dump.err.contains(p(u"missing.qst"_s) + u": cannot be read"_s));
  const QJsonArray all = QJsonDocument::fromJson(dump.out.toUtf8()).array();
  ASSERT_EQ(all.size(), 1);
  EXPECT_EQ(all[0].toObject()[u"Zadani"_s].toString(), QString(250, u'á'));
  EXPECT_EQ(all[0].toObject()[u"file"_s].toString(), whole);
  EXPECT_EQ(qst({u"check"_s, p(u"nothing-here"_s)}).exitCode, 1);
}

TEST_F(QstTool, ImportAndBuildRunEveryCheckOfCheckAndWriteNothingOnAnError) {
  const QByteArray header = "Soubor,Zadani,OdpA,OdpB,OdpC,OdpD,Spravna,DivaciA,DivaciB,DivaciC,DivaciD,Autor\n";
  const QByteArray sound = "01-001,Jedna?,a,b,c,d,A,70,10,10,10,Tým\n";
  const QByteArray rows[] = {
      "02-001,Dvě?,a,b,c,d,E,10,70,10,10,Tým\n",                               // no answer is right
      "02-001,Dvě?,a,b,c,d,B,10,70,10,9,Tým\n",                                // shares add up to 99
      "02-001,Dvě?,a," + QByteArray("Š").repeated(40) + ",c,d,B,10,70,10,10,Tým\n",  // answer B cut off
      "02-001,Jedna?,a,b,c,d,B,10,70,10,10,Tým\n",                             // the same question twice
  };
  int tables = 0;
  for (const QByteArray& row : rows) {
    const QString table = write(u"t%1.csv"_s.arg(++tables), header + sound + row);
    const ToolRun check = qst({u"check"_s, table});
    EXPECT_EQ(check.exitCode, 1);
    ASSERT_TRUE(check.err.startsWith(table + u":3: "_s)) << check.err.toStdString();
    const ToolRun import = qst({u"import"_s, table, u"-o"_s, p(u"src"_s)});
    EXPECT_EQ(import.exitCode, 1);
    EXPECT_EQ(import.err, check.err + u"kvizarion-qst: errors found; nothing was written\n"_s);
    const ToolRun build = qst({u"build"_s, table, u"-o"_s, p(u"qst"_s)});
    EXPECT_EQ(build.exitCode, 1);
    EXPECT_EQ(build.err, check.err + u"kvizarion-qst: errors found; nothing was built\n"_s);
    EXPECT_FALSE(QFileInfo::exists(p(u"src"_s)) || QFileInfo::exists(p(u"qst"_s))) << row.toStdString();
  }
}

TEST_F(QstTool, EveryCommandGivesItsHelpAndRefusesAnUnknownOptionOrAMissingValueWithItsUsage) {
  const QString source = write(u"01.txt"_s, wholeBank());
  const QString out = p(u"out"_s);
  for (const QString& command : {u"build"_s, u"dump"_s, u"check"_s, u"preview"_s, u"export"_s, u"import"_s}) {
    const QString usage = u"Usage: kvizarion-qst "_s + command + u" [options] "_s;
    const ToolRun help = qst({command, u"--help"_s});
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_TRUE(help.out.startsWith(usage) && help.err.isEmpty()) << help.out.toStdString();
    const bool writes = command != u"check"_s && command != u"dump"_s;
    const std::pair<QStringList, QString> wrong[] = {
        {{command, source, u"--bogus"_s, u"-o"_s, out},
         writes ? u"Unknown option 'bogus'."_s : u"Unknown options: bogus, o."_s},
        {{command, source, u"-o"_s}, writes ? u"Missing value after '-o'."_s : u"Unknown option 'o'."_s},
    };
    for (const auto& [args, why] : wrong) {
      const ToolRun run = qst(args);
      EXPECT_EQ(run.exitCode, 2) << args.join(u' ').toStdString();
      EXPECT_TRUE(run.err.startsWith(u"kvizarion-qst "_s + command + u": "_s + why + u"\n\n"_s + usage))
          << run.err.toStdString();
      EXPECT_FALSE(QFileInfo::exists(out)) << args.join(u' ').toStdString();
    }
  }
  const std::pair<QStringList, int> whole[] = {{{u"--help"_s}, 0}, {{}, 2}, {{u"bake"_s}, 2}, {{u"--bogus"_s}, 2},
                                                {{u"build"_s}, 2}, {{u"import"_s, source, source, u"-o"_s, out}, 2}};
  for (const auto& [args, code] : whole) EXPECT_EQ(qst(args).exitCode, code) << args.join(u' ').toStdString();
}

TEST_F(QstTool, WithoutARuntimeFolderTheToolPrintsOnlyItsOwnMessages) {
  write(u"bank/01.txt"_s, wholeBank());
  const ToolRun check = qst({u"check"_s, p(u"bank"_s)}, RuntimeDir::Unset);
  EXPECT_EQ(check.exitCode, 0);
  EXPECT_EQ(check.err, QString());
  const ToolRun build = qst({u"build"_s, p(u"bank/01.txt"_s), u"-o"_s, p(u"qst"_s)}, RuntimeDir::Unset);
  EXPECT_EQ(build.exitCode, 0);
  EXPECT_EQ(build.err, QString());
}

}  // namespace
