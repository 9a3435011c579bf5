#include <gtest/gtest.h>

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QTemporaryDir>
#include <fstream>
#include <map>

#include "fakes/game_harness.h"
#include "folder_write.h"
#include "plate_fit.h"
#include "tools/shows_whole.h"

// The authors' tool's parts reached directly: the write of a whole folder, and the check that a
// question fits its plate.
namespace {

using namespace Qt::StringLiterals;
using namespace kvz;
namespace fs = std::filesystem;
using Folder = std::map<QString, QByteArray>;

// A folder as a reader sees it: every file inside, hidden ones too, with its content.
Folder snapshot(const fs::path& dir) {
  Folder seen;
  const QString root = QString::fromStdString(dir.string());
  QDirIterator it(root, QDir::Files | QDir::Hidden | QDir::System, QDirIterator::Subdirectories);
  while (it.hasNext()) {
    QFile file(it.next());
    seen[QDir(root).relativeFilePath(file.fileName())] = file.open(QIODevice::ReadOnly) ? file.readAll() : "?";
  }
  return seen;
}

// A failed write shows as a difference from the expected folder.
void fill(const fs::path& dir, const Folder& files) {
  for (const auto& [name, content] : files) {
    const fs::path file = dir / name.toStdString();
    fs::create_directories(file.parent_path());
    std::ofstream(file, std::ios::binary) << content.toStdString();
  }
}

// The real operations, the n-th of them failing; before each it looks at the folder, as a
// kill at that moment would leave it.
struct FailingOps final : kvz::qst::FileOps {
  FailingOps(int failAt, fs::path watched) : failAt(failAt), watched(std::move(watched)) {}
  bool write(const fs::path& file, const QByteArray& content) override { return next() && FileOps::write(file, content); }
  bool keep(const fs::path& from, const fs::path& to) override { return next() && FileOps::keep(from, to); }
  bool swap(const fs::path& fresh, const fs::path& dir) override { return next() && FileOps::swap(fresh, dir); }
  bool next() {
    seen.push_back(snapshot(watched));
    return ++calls != failAt;
  }

  int failAt;
  fs::path watched;
  int calls = 0;
  std::vector<Folder> seen;
};

const Folder kOld = {{u"01-001.qst"_s, "old 1"}, {u"01-009.qst"_s, "taken out"}, {u"notes.txt"_s, "kept"},
                     {u"sub/inner.txt"_s, "kept too"}};
const Folder kNew = {{u"01-001.qst"_s, "new 1"}, {u"02-001.qst"_s, "new 2"}, {u"notes.txt"_s, "kept"},
                     {u"sub/inner.txt"_s, "kept too"}};
const std::vector<kvz::qst::OutputFile> kWritten = {{u"01-001.qst"_s, "new 1"}, {u"02-001.qst"_s, "new 2"}};

bool dropQuestions(const fs::path& p) { return p.extension() == ".qst"; }

TEST(FolderWrite, AFailureAtAnyStepLeavesTheFolderAsItWasAndEveryMomentSeesItOldOrWhollyNew) {
  for (int failAt = 1;; ++failAt) {
    QTemporaryDir root;
    const fs::path dir = fs::path(root.path().toStdString()) / "qst";
    fill(dir, kOld);
    FailingOps ops(failAt, dir);
    QString messages;
    QTextStream err(&messages);
    const bool written = kvz::qst::writeAll(dir, kWritten, dropQuestions, err, ops);
    err.flush();

    const bool failed = failAt <= ops.calls;
    EXPECT_EQ(written, !failed) << "failing step " << failAt;
    EXPECT_EQ(snapshot(dir), failed ? kOld : kNew) << "failing step " << failAt;
    EXPECT_EQ(messages.contains(u"nothing was written"_s), failed) << messages.toStdString();
    for (const Folder& moment : ops.seen) EXPECT_TRUE(moment == kOld || moment == kNew) << "failing step " << failAt;
    EXPECT_EQ(QDir(root.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot), QStringList{u"qst"_s})
        << "the staging folder is left behind at failing step " << failAt;
    if (!failed) break;
  }
}

// A target that is no folder, or that no folder can be made beside: nothing changes, and
// the author is told why.
TEST(FolderWrite, RefusesATargetThatIsNoFolderAndChangesNothing) {
  for (const auto& [target, message] : {std::pair{"plain", u"plain: is not a folder"_s},
                                        {"plain/qst", u"plain/qst: no folder can be made beside it"_s}}) {
    QTemporaryDir root;
    const fs::path base = root.path().toStdString();
    fill(base, {{u"plain"_s, "a file"}});
    QString messages;
    QTextStream err(&messages);
    EXPECT_FALSE(kvz::qst::writeAll(base / target, kWritten, dropQuestions, err)) << target;
    err.flush();
    EXPECT_EQ(messages, root.path() + u'/' + message + u"; nothing was written\n"_s);
    EXPECT_EQ(snapshot(base), (Folder{{u"plain"_s, "a file"}})) << target;
  }
}

TEST(FolderWrite, MakesAMissingFolderAndWritesThroughALinkIntoTheFolderItNames) {
  QTemporaryDir root;
  const fs::path base = root.path().toStdString();
  QString messages;
  QTextStream err(&messages);
  ASSERT_TRUE(kvz::qst::writeAll(base / "made" / "qst", kWritten, dropQuestions, err));
  EXPECT_EQ(snapshot(base / "made" / "qst").size(), 2u);
  // Written from inside: the author's shell is told that it still stands in the old folder.
  const fs::path started = fs::current_path();
  fs::current_path(base / "made" / "qst");
  EXPECT_TRUE(kvz::qst::writeAll(".", kWritten, dropQuestions, err));
  fs::current_path(started);
  err.flush();
  EXPECT_TRUE(messages.endsWith(u"'cd .' shows its new files\n"_s)) << messages.toStdString();

  fill(base / "real", kOld);
  fs::create_directory_symlink(base / "real", base / "link");
  ASSERT_TRUE(kvz::qst::writeAll(base / "link", kWritten, dropQuestions, err));
  EXPECT_TRUE(fs::is_symlink(base / "link"));
  EXPECT_EQ(snapshot(base / "real"), kNew);
}

// The question as the game lays it out with the real fonts, once its reveal is over.
struct ShownQuestion {
  explicit ShownQuestion(const QByteArray& zadani) {
    ZaznamOtazky question = fakes::GameHarness::stockQuestion(1);
    question.Zadani = QString::fromLatin1(zadani);
    game.removeQuestions();
    game.writeQuestion(1, 1, question);
    game.game = std::make_unique<FrmMain>(GameServices{game.clock, game.random, game.boxes, measure, game.paths,
                                                       game.windows, game.music, game.effects, game.video});
    game.playTo(1);
  }
  QtTextMeasure measure;
  fakes::GameHarness game;
};

TEST(PlateFit, TheCheckPassesAQuestionExactlyWhenTheGameShowsItWhole) {
  const QByteArray twoLines = QByteArray("Dlouha ").repeated(12);
  const std::pair<QByteArray, bool> cases[] = {
      {"Kolik nohou ma pavouk?", true},
      {twoLines, true},
      {"   " + twoLines + "   ", true},
      {QByteArray("Dlouha ").repeated(30), false},
      // The game keeps a line break an author left in: the question starts on its second line.
      {"\r\n" + twoLines, false},
      {twoLines + "\n", true},
      {"\t" + twoLines, true},
      {"Jedno\nslovo", true},
      {QByteArray(250, 'i'), false},
  };
  const qst::PlateFit fit;
  for (const auto& [zadani, whole] : cases) {
    ShownQuestion shown(zadani);
    const std::string what = zadani.toStdString();
    const Element& label = shown.game["lblZadani"];
    ASSERT_FALSE(label.caption().isEmpty()) << what;
    EXPECT_EQ(showsWhole(label), whole) << what;
    const auto problem = fit.questionProblem(shown.game.game->Otazka.Zadani);
    EXPECT_EQ(!problem.has_value(), showsWhole(label)) << what << ": " << problem.value_or(QString()).toStdString();
  }
}

}  // namespace
