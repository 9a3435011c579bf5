#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QColor>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>

namespace {

// The authors' tool as an author runs it, from the build folder.
struct ToolRun {
  int exitCode = -1;
  QString out;
  QString err;
};

ToolRun qst(const QStringList& args) {
  QProcess process;
  process.setProgram(qEnvironmentVariable("KVZ_BUILD_DIR", QStringLiteral(".")) + QStringLiteral("/kvizarion-qst"));
  process.setArguments(args);
  // Qt warns on stderr when the runtime folder is not set, as under a bare CI runner.
  static const QTemporaryDir runtime;
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  if (!env.contains(QStringLiteral("XDG_RUNTIME_DIR"))) env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime.path());
  // In a sanitizer build the tool is checked for memory faults; the font and window system
  // libraries it starts keep caches to the end, which the leak checker would report.
  const QString asan = env.value(QStringLiteral("ASAN_OPTIONS"));
  env.insert(QStringLiteral("ASAN_OPTIONS"), (asan.isEmpty() ? asan : asan + u':') + QStringLiteral("detect_leaks=0"));
  process.setProcessEnvironment(env);
  process.start();
  const bool finished = process.waitForFinished(60000);
  EXPECT_TRUE(finished) << "kvizarion-qst " << args.join(u' ').toStdString();
  return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
          QString::fromUtf8(process.readAllStandardOutput()), QString::fromUtf8(process.readAllStandardError())};
}

class QstTool : public ::testing::Test {
protected:
  QString path(const QString& name) const { return dir_.filePath(name); }
  QString write(const QString& name, const QByteArray& content) const {
    QDir().mkpath(QFileInfo(path(name)).absolutePath());
    QFile file(path(name));
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(content);
    return path(name);
  }
  QStringList built(const QString& folder) const {
    return QDir(folder).entryList(QDir::Files | QDir::Hidden, QDir::Name);
  }
  QTemporaryDir dir_;
};

QByteArray question(const char* header, const char* zadani, const QByteArray& extra = {}) {
  return QByteArray(header) + "\nZadani: " + zadani +
         "\nA: Brno\nB: Praha\nC: Ostrava\nD: Plzeň\nSpravna: B\nDivaci: 4 88 5 3\nAutor: Tým\n" + extra;
}

// One question for each played step, all sound.
QByteArray wholeBank() {
  QByteArray text;
  for (int step = 1; step <= 5; ++step)
    text += question(QStringLiteral("[0%1-001]").arg(step).toLatin1(),
                     QStringLiteral("Otázka číslo %1?").arg(step).toUtf8().constData());
  return text;
}

TEST_F(QstTool, EveryFieldComesBackThroughBuildAndDump) {
  const QString source = write(QStringLiteral("03.txt"),
                               "[03-004]\nZadani: Žluťoučký kůň úpěl ďábelské ódy?\nA: \"  ÁČĎÉĚ\"\nB: \"\\\"ÍŇÓŘŠ\\\"\"\n"
                               "C: ŤÚŮÝŽ\nD: áčďéěíňóřšťúůýž\nSpravna: D\nDivaci: -1 2 300 -32768\nAutor: Jiří Ř.\n"
                               "Korekce: 5\nHodnota: -7\nID: X9\n");
  const ToolRun build = qst({QStringLiteral("build"), source, QStringLiteral("-o"), path(QStringLiteral("out"))});
  ASSERT_EQ(build.exitCode, 0) << build.err.toStdString();
  ASSERT_EQ(built(path(QStringLiteral("out"))), QStringList{QStringLiteral("03-004.qst")});
  EXPECT_EQ(QFileInfo(path(QStringLiteral("out/03-004.qst"))).size(), 496);

  const ToolRun dump = qst({QStringLiteral("dump"), QStringLiteral("--json"), path(QStringLiteral("out/03-004.qst"))});
  ASSERT_EQ(dump.exitCode, 0) << dump.err.toStdString();
  const QJsonArray all = QJsonDocument::fromJson(dump.out.toUtf8()).array();
  ASSERT_EQ(all.size(), 1);
  const QJsonObject o = all[0].toObject();
  EXPECT_EQ(o.keys(), (QStringList{"Autor", "DivaciA", "DivaciB", "DivaciC", "DivaciD", "Hodnota", "ID", "Korekce",
                                   "OdpA", "OdpB", "OdpC", "OdpD", "Spravna", "Zadani", "file"}));
  auto padded = [](const QString& text, int width) { return text + QString(width - text.size(), u' '); };
  EXPECT_EQ(o["file"].toString(), path(QStringLiteral("out/03-004.qst")));
  EXPECT_EQ(o["Zadani"].toString(), padded(QStringLiteral("Žluťoučký kůň úpěl ďábelské ódy?"), 250));
  EXPECT_EQ(o["OdpA"].toString(), padded(QStringLiteral("  ÁČĎÉĚ"), 50));
  EXPECT_EQ(o["OdpB"].toString(), padded(QStringLiteral("\"ÍŇÓŘŠ\""), 50));
  EXPECT_EQ(o["OdpC"].toString(), padded(QStringLiteral("ŤÚŮÝŽ"), 50));
  EXPECT_EQ(o["OdpD"].toString(), padded(QStringLiteral("áčďéěíňóřšťúůýž"), 50));
  EXPECT_EQ(o["Spravna"].toString(), QStringLiteral("D"));
  EXPECT_EQ(o["DivaciA"].toInt(), -1);
  EXPECT_EQ(o["DivaciB"].toInt(), 2);
  EXPECT_EQ(o["DivaciC"].toInt(), 300);
  EXPECT_EQ(o["DivaciD"].toInt(), -32768);
  EXPECT_EQ(o["Autor"].toString(), padded(QStringLiteral("Jiří Ř."), 30));
  EXPECT_EQ(o["Korekce"].toInt(), 5);
  EXPECT_EQ(o["Hodnota"].toInt(), -7);
  EXPECT_EQ(o["ID"].toString(), QStringLiteral("X9 "));

  // The readable dump is a source again, and builds the very same bytes.
  const ToolRun text = qst({QStringLiteral("dump"), path(QStringLiteral("out/03-004.qst"))});
  ASSERT_EQ(text.exitCode, 0);
  const QString again = write(QStringLiteral("again.txt"), text.out.toUtf8());
  ASSERT_EQ(qst({QStringLiteral("build"), again, QStringLiteral("-o"), path(QStringLiteral("again"))}).exitCode, 0);
  QFile first(path(QStringLiteral("out/03-004.qst"))), second(path(QStringLiteral("again/03-004.qst")));
  ASSERT_TRUE(first.open(QIODevice::ReadOnly) && second.open(QIODevice::ReadOnly));
  EXPECT_EQ(first.readAll(), second.readAll());
}

TEST_F(QstTool, ABrokenSourceLineIsNamedAndNothingIsBuilt) {
  const QString good = write(QStringLiteral("01.txt"), wholeBank());
  const QString bad = write(QStringLiteral("02.txt"), question("[02-002]", "Jiná?", "Obtiznost: 3\n"));
  write(QStringLiteral("out/01-009.qst"), "older file");
  const ToolRun build = qst({QStringLiteral("build"), good, bad, QStringLiteral("-o"), path(QStringLiteral("out")),
                         QStringLiteral("--replace")});
  EXPECT_EQ(build.exitCode, 1);
  EXPECT_TRUE(build.err.contains(bad + QStringLiteral(":10: unknown key 'Obtiznost'"))) << build.err.toStdString();
  EXPECT_TRUE(build.err.contains(QStringLiteral("nothing was built")));
  EXPECT_EQ(built(path(QStringLiteral("out"))), QStringList{QStringLiteral("01-009.qst")});
}

TEST_F(QstTool, TheSameFileNameInTwoSourcesBuildsNothing) {
  const QString one = write(QStringLiteral("a.txt"), question("[01-001]", "První?"));
  const QString two = write(QStringLiteral("b.txt"), question("[01-002]", "Druhá?") + question("[01-001]", "Třetí?"));
  const ToolRun build = qst({QStringLiteral("build"), one, two, QStringLiteral("-o"), path(QStringLiteral("out"))});
  EXPECT_EQ(build.exitCode, 1);
  EXPECT_TRUE(build.err.contains(two + QStringLiteral(":10: 01-001.qst is already defined at ") + one + QStringLiteral(":1")))
      << build.err.toStdString();
  EXPECT_TRUE(built(path(QStringLiteral("out"))).isEmpty());
}

TEST_F(QstTool, ReplaceRemovesQuestionsTakenOutOfTheSources) {
  const QString source = write(QStringLiteral("01.txt"), question("[01-001]", "Zůstává?"));
  write(QStringLiteral("out/01-002.qst"), "stale");
  write(QStringLiteral("out/notes.txt"), "kept");
  ASSERT_EQ(qst({QStringLiteral("build"), source, QStringLiteral("-o"), path(QStringLiteral("out"))}).exitCode, 0);
  EXPECT_EQ(built(path(QStringLiteral("out"))),
            (QStringList{QStringLiteral("01-001.qst"), QStringLiteral("01-002.qst"), QStringLiteral("notes.txt")}));
  ASSERT_EQ(qst({QStringLiteral("build"), source, QStringLiteral("-o"), path(QStringLiteral("out")), QStringLiteral("--replace")}).exitCode, 0);
  EXPECT_EQ(built(path(QStringLiteral("out"))), (QStringList{QStringLiteral("01-001.qst"), QStringLiteral("notes.txt")}));
}

TEST_F(QstTool, DumpReportsFilesThatAreNoQuestionAndShowsTheOthers) {
  const QString source = write(QStringLiteral("01.txt"), question("[01-001]", "Dobrá?"));
  ASSERT_EQ(qst({QStringLiteral("build"), source, QStringLiteral("-o"), path(QStringLiteral("out"))}).exitCode, 0);
  const QString shortFile = write(QStringLiteral("short.qst"), QByteArray(495, 'x'));
  const QString noise = write(QStringLiteral("noise.qst"), QByteArray::fromHex("00ff7f80") .repeated(200));
  const ToolRun dump = qst({QStringLiteral("dump"), QStringLiteral("--json"), shortFile, path(QStringLiteral("missing.qst")),
                        path(QStringLiteral("out")), noise});
  EXPECT_EQ(dump.exitCode, 1);
  EXPECT_TRUE(dump.err.contains(shortFile + QStringLiteral(": not a question file: 495 bytes"))) << dump.err.toStdString();
  EXPECT_TRUE(dump.err.contains(path(QStringLiteral("missing.qst")) + QStringLiteral(": cannot be read")));
  const QJsonArray all = QJsonDocument::fromJson(dump.out.toUtf8()).array();
  ASSERT_EQ(all.size(), 2);  // the built question, and arbitrary bytes of a whole record's length
  EXPECT_TRUE(all[0].toObject()["Zadani"].toString().startsWith(QStringLiteral("Dobrá?")));
  EXPECT_EQ(all[1].toObject()["Zadani"].toString().size(), 250);
}

TEST_F(QstTool, CheckPassesASoundBankAndWarnsWithoutFailing) {
  const QString source = write(QStringLiteral("01.txt"), wholeBank() + question("[01-002]", "Bez autora?").replace("Autor: Tým\n", ""));
  const ToolRun check = qst({QStringLiteral("check"), dir_.path()});
  EXPECT_EQ(check.exitCode, 0) << check.err.toStdString();
  EXPECT_EQ(check.err.trimmed(), source + QStringLiteral(":46: warning: no author (Autor)"));
  EXPECT_TRUE(check.out.startsWith(QStringLiteral("6 questions checked"))) << check.out.toStdString();
}

// What the check says of a bank of five sound questions with one more added.
ToolRun checkBankWith(const QByteArray& added) {
  QTemporaryDir dir;
  QFile file(dir.filePath(QStringLiteral("bank.txt")));
  EXPECT_TRUE(file.open(QIODevice::WriteOnly));
  file.write(wholeBank() + added);
  file.close();
  ToolRun check = qst({QStringLiteral("check"), dir.path()});
  check.err.replace(dir.filePath(QStringLiteral("bank.txt")), QStringLiteral("bank.txt"));
  return check;
}

TEST_F(QstTool, CheckFindsEveryFaultOfAQuestionInASource) {
  const std::pair<QByteArray, const char*> faults[] = {
      {question("[02-002]", "Písmeno?").replace("Spravna: B", "Spravna: b"), "bank.txt:46: Spravna is 'b'"},
      {question("[02-002]", "Podíly?").replace("4 88 5 3", "4 88 5 2"), "bank.txt:46: the audience shares add up to 99"},
      {question("[02-002]", "Záporně?").replace("4 88 5 3", "-4 96 5 3"), "bank.txt:46: the audience share of A is -4"},
      {question("[02-002]", QByteArray(251, 'x')), "bank.txt:47: Zadani is 251 characters long"},
      {question("[02-002]", "Znak?").replace("Brno", "Brñο"), "bank.txt:48: A has a character that Windows-1250"},
      {question("[02-002]", QByteArray("Dlouhá ").repeated(34).constData()), "bank.txt:46: the question needs 5 lines on its plate; only 2 fit"},
      {question("[02-002]", QByteArray(250, 'i')), "bank.txt:46: a word of the question is wider than its plate"},
      {question("[02-002]", "Široká?").replace("Praha", QByteArray("Š").repeated(40)), "bank.txt:46: answer B is"},
      {question("[02-002]", "Otázka číslo 3?"), "bank.txt:46: the same question as bank.txt:19"},
      {question("[02-001]", "Stejný soubor?"), "bank.txt:46: [02-001] is already defined on line 10"},
      {question("[02-026]", "Číslo?"), "bank.txt:46: '[02-026]' is no question name"},
  };
  for (const auto& [text, expected] : faults) {
    const ToolRun check = checkBankWith(text);
    EXPECT_EQ(check.exitCode, 1) << expected;
    EXPECT_TRUE(check.err.startsWith(QString::fromUtf8(expected))) << expected << "\n" << check.err.toStdString();
  }
  // The same questions, mended, pass: two lines of question and a full answer plate fit.
  const QByteArray mended[] = {
      question("[02-002]", QByteArray("Dlouhá ").repeated(16).constData()),
      question("[02-002]", "Široká?").replace("Praha", QByteArray("Š").repeated(16)),
      question("[02-002]", QByteArray("iiiiiiiiii ").repeated(22).constData()),
  };
  for (const QByteArray& text : mended) {
    const ToolRun check = checkBankWith(text);
    EXPECT_EQ(check.exitCode, 0) << text.toStdString();
    EXPECT_EQ(check.err, QString()) << text.toStdString();
  }
}

TEST_F(QstTool, CheckFindsFaultsOfQuestionFilesAndMissingSteps) {
  const QString source = write(QStringLiteral("src.txt"), wholeBank());
  ASSERT_EQ(qst({QStringLiteral("build"), source, QStringLiteral("-o"), path(QStringLiteral("qst"))}).exitCode, 0);
  ToolRun check = qst({QStringLiteral("check"), path(QStringLiteral("qst"))});
  EXPECT_EQ(check.exitCode, 0) << check.err.toStdString();

  QFile::rename(path(QStringLiteral("qst/04-001.qst")), path(QStringLiteral("qst/04-026.qst")));
  write(QStringLiteral("qst/05-002.qst"), QByteArray(100, ' '));
  check = qst({QStringLiteral("check"), path(QStringLiteral("qst"))});
  EXPECT_EQ(check.exitCode, 1);
  const QStringList lines = check.err.trimmed().split(u'\n');
  EXPECT_EQ(lines, (QStringList{
                       path(QStringLiteral("qst/04-026.qst")) + QStringLiteral(": the file number must be 001 to 025 and "
                                                                               "the step 01 or more; the game never chooses this file"),
                       path(QStringLiteral("qst/05-002.qst")) + QStringLiteral(": has 100 bytes; a question file has 496, "
                                                                               "so the game never chooses it"),
                       path(QStringLiteral("qst")) + QStringLiteral(": no question for step 4: a game that reaches it ends "
                                                                    "with a message")}));
}

TEST_F(QstTool, CheckAndDumpSurviveArbitraryBytes) {
  QByteArray noise;
  for (int i = 0; i < 4000; ++i) noise.append(static_cast<char>((i * 7919 + i / 13) & 0xFF));
  const QString asSource = write(QStringLiteral("noise.txt"), noise);
  const QString asFile = write(QStringLiteral("01-001.qst"), noise.left(496));
  const ToolRun check = qst({QStringLiteral("check"), asSource, asFile});
  EXPECT_EQ(check.exitCode, 1);
  EXPECT_TRUE(check.err.contains(asSource + QStringLiteral(":1: "))) << check.err.toStdString();
  EXPECT_EQ(qst({QStringLiteral("dump"), asFile}).exitCode, 0);
  EXPECT_EQ(qst({QStringLiteral("check"), path(QStringLiteral("nothing-here"))}).exitCode, 1);
}

TEST_F(QstTool, PreviewDrawsTheGameWindowWithTheQuestion) {
  const QString source = write(QStringLiteral("02.txt"), question("[02-003]", "Jak se jmenuje hlavní město?"));
  const ToolRun preview = qst({QStringLiteral("preview"), source, QStringLiteral("-o"), path(QStringLiteral("p.png"))});
  ASSERT_EQ(preview.exitCode, 0) << preview.err.toStdString();
  const QImage image(path(QStringLiteral("p.png")));
  ASSERT_EQ(image.size(), QSize(640, 480));
  // White text lies on the question plate and on the answer plates.
  auto hasWhite = [&](QRect area) {
    for (int y = area.top(); y <= area.bottom(); ++y)
      for (int x = area.left(); x <= area.right(); ++x)
        if (QColor(image.pixel(x, y)).lightness() > 235 && QColor(image.pixel(x, y)).hslSaturation() < 20) return true;
    return false;
  };
  EXPECT_TRUE(hasWhite(QRect(60, 325, 520, 30)));   // the question on one line
  EXPECT_TRUE(hasWhite(QRect(80, 398, 200, 25)));   // answer A
  EXPECT_TRUE(hasWhite(QRect(400, 446, 200, 25)));  // answer D

  const QString broken = write(QStringLiteral("short.qst"), QByteArray(10, 'x'));
  const ToolRun refused = qst({QStringLiteral("preview"), broken, QStringLiteral("-o"), path(QStringLiteral("q.png"))});
  EXPECT_EQ(refused.exitCode, 1);
  EXPECT_FALSE(QFile::exists(path(QStringLiteral("q.png"))));
}

TEST_F(QstTool, EveryCommandExplainsItself) {
  for (const char* command : {"build", "dump", "check", "preview"}) {
    const ToolRun help = qst({QString::fromLatin1(command), QStringLiteral("--help")});
    EXPECT_EQ(help.exitCode, 0) << command;
    EXPECT_TRUE(help.out.startsWith(QStringLiteral("kvizarion-qst ") + QString::fromLatin1(command))) << command;
  }
  EXPECT_EQ(qst({QStringLiteral("--help")}).exitCode, 0);
  EXPECT_EQ(qst({}).exitCode, 2);
  EXPECT_EQ(qst({QStringLiteral("bake")}).exitCode, 2);
  EXPECT_EQ(qst({QStringLiteral("build"), QStringLiteral("x.txt")}).exitCode, 2);  // no -o
}

}  // namespace
