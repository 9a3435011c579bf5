#include <QCoreApplication>
#include <QTemporaryDir>
#include <QFile>
#include <algorithm>

#include "game/frm_main.h"
#include "platform/qt/fonts.h"
#include "platform/qt/form_view.h"
#include "questions/bank.h"
#include "sources.h"
#include "tool.h"

namespace kvz::qst {
namespace fs = std::filesystem;

namespace {

const char* const kHelp =
    "Draws the question as the player sees it once all four answers are shown: the game\n"
    "window of 640 x 480 pixels with the question on its plate (one or two lines, as the game\n"
    "lays it out) and the answers on theirs. FILE is a question file (.qst) or a source (.txt);\n"
    "of a source, the question named by --question, or else its first one.";

// The game runs here as it runs for a player, on a clock moved by hand, silent, with no
// window system: the picture is taken from its window once the reveal is over.
class Silent final : public MediaBackend {
public:
  void setFile(const QString&) override {}
  void play() override {}
  void stop() override {}
};

class NoWindows final : public WindowSystem {
public:
  void show(Form&, Form*) override {}
  bool isShown(const Form&) const override { return false; }
  void moveWindow(Form&, int, int) override {}
  void unload(std::unique_ptr<Form> form) override { gone_.push_back(std::move(form)); }
  void processEvents() override {}
  void quit() override {}

private:
  std::vector<std::unique_ptr<Form>> gone_;
};

class NotedBoxes final : public MessageBoxes {
public:
  MsgResult show(const QString& text, const QString&, MsgIcon, MsgButtons) override {
    shown << text;
    return MsgResult::Ok;
  }
  QStringList shown;
};

// Time from the start of a question until its last answer is shown, with a margin.
constexpr int kRevealDoneMs = 5500;

// A question to draw: its record and the step whose ladder row the preview shows, the
// question's own within the played ones.
struct Shown {
  std::array<std::uint8_t, kRecordSize> bytes;
  int step;
};

// Of a source, the step is the one in the question's [NN-nnn] header, not in the source's name.
std::optional<Shown> recordToShow(const fs::path& file, const QString& wanted, QTextStream& err) {
  const auto played = [](int step) { return std::clamp(step, 1, kPlayedSteps); };
  if (!isQuestionFile(file)) {
    const SourceFile source = readAuthored(file);
    for (const Diagnostic& d : source.diagnostics) err << d.text() << '\n';
    for (const SourceQuestion& q : source.questions)
      if (wanted.isEmpty() || q.fileName == wanted + QStringLiteral(".qst")) return Shown{q.bytes, played(q.step)};
    err << shown(file) << ": no question " << (wanted.isEmpty() ? QStringLiteral("without errors") : wanted) << '\n';
    return std::nullopt;
  }
  const std::optional<ZaznamOtazky> record = readQuestion(file);
  const auto bytes = record ? encodeRecord(*record) : std::nullopt;
  if (!bytes) {
    err << shown(file) << ": not a question file of " << kRecordSize << " bytes\n";
    return std::nullopt;
  }
  const auto numbers = questionFileNumbers(file.filename().string());
  return Shown{*bytes, played(numbers ? numbers->first : 1)};
}

}  // namespace

int previewCommand(const QStringList& args, Streams io) {
  CommandLine line(QStringLiteral("preview"), QString::fromUtf8(kHelp));
  const QCommandLineOption out(QStringLiteral("o"), QStringLiteral("The picture written."), QStringLiteral("PNG"));
  const QCommandLineOption question(QStringLiteral("question"), QStringLiteral("The question of a source drawn."),
                                    QStringLiteral("NN-nnn"));
  line.parser.addOptions({out, question});
  line.parser.addPositionalArgument(QStringLiteral("FILE"), QStringLiteral("A question file or a source."));
  if (const auto done = line.parse(args, io)) return *done;
  const QStringList inputs = line.parser.positionalArguments();
  const QString output = line.parser.value(out);
  const QString wanted = line.parser.value(question);
  const QString input = inputs.value(0);
  if (inputs.size() != 1 || output.isEmpty())
    return line.usageError(inputs.size() != 1 ? QStringLiteral("one FILE at a time") : QStringLiteral("no -o PNG given"), io);
  const std::optional<Shown> drawn = recordToShow(input.toStdString(), wanted, io.err);
  if (!drawn) return kExitErrors;

  // The game draws the question of its step from qst/NN-nnn.qst: give it this one alone.
  QTemporaryDir data;
  const fs::path dataDir = data.path().toStdString();
  fs::create_directory(dataDir / "qst");
  QFile file(QString::fromStdString((dataDir / "qst" / questionFileName(drawn->step, 1)).string()));
  if (!data.isValid() || !file.open(QIODevice::WriteOnly) ||
      file.write(reinterpret_cast<const char*>(drawn->bytes.data()), kRecordSize) != kRecordSize) {
    io.err << "kvizarion-qst: cannot prepare the preview\n";
    return kExitErrors;
  }
  file.close();

  VirtualClock clock;
  MtRandom random(1);
  NotedBoxes boxes;
  const QtTextMeasure measure;
  const GamePaths paths(dataDir);
  NoWindows windows;
  Silent music, effects, video;
  FrmMain game(GameServices{clock, random, boxes, measure, paths, windows, music, effects, video});
  game.HodnotaOtazky = static_cast<std::int16_t>(drawn->step - 1);  // as if the steps before were won
  game.Show();
  clock.advance(kRevealDoneMs);
  if (!game.form() || !boxes.shown.isEmpty()) {
    io.err << "kvizarion-qst: the game did not show the question: " << boxes.shown.join(QLatin1Char(' ')) << '\n';
    return kExitErrors;
  }
  FormView view(*game.form());
  view.show();
  QCoreApplication::processEvents();
  if (!view.grab().save(output, "PNG")) {
    io.err << output << ": cannot be written\n";
    return kExitErrors;
  }
  io.out << "preview written to " << output << '\n';
  return kExitFine;
}

}  // namespace kvz::qst
