#include <QApplication>
#include <cstdio>

#include "assets/qt/pictures.h"
#include "tool.h"

namespace {

const char* const kCommands =
    "Makes and checks the game's question files.\n"
    "\n"
    "  kvizarion-qst build SOURCE... -o DIR   compile question sources into DIR/NN-nnn.qst\n"
    "  kvizarion-qst dump [--json] FILE...     show question files as text or JSON\n"
    "  kvizarion-qst check DIR|FILE...         report what would go wrong in the game\n"
    "  kvizarion-qst preview FILE -o PNG       draw a question as the game window shows it\n"
    "  kvizarion-qst export --csv FILE...      write questions as one table for a spreadsheet\n"
    "  kvizarion-qst import TABLE.csv -o DIR   turn such a table back into sources\n"
    "\n"
    "  kvizarion-qst COMMAND --help            more about one command\n"
    "\n"
    "Exit codes: 0 fine, 1 errors found, 2 a wrong command line.";

using Command = int (*)(const QStringList&, kvz::qst::Streams);

// An authors' tool prints only its own messages: what Qt would say on stderr (such as that
// XDG_RUNTIME_DIR is not set, as for root or in a container) means nothing to an author.
void quietQt(QtMsgType type, const QMessageLogContext&, const QString& message) {
  if (type == QtFatalMsg) std::fprintf(stderr, "%s\n", qPrintable(message));
}

}  // namespace

int main(int argc, char** argv) {
  qInstallMessageHandler(quietQt);
  // The tool never shows a window; fonts and pictures still need the GUI part of Qt.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  kvz::useGamePictures();
  QTextStream out(stdout);
  QTextStream err(stderr);
  const kvz::qst::Streams io{out, err};

  // The command's own arguments, options among them, are its own parser's to read.
  kvz::qst::CommandLine line(QString(), QString::fromUtf8(kCommands));
  line.parser.setOptionsAfterPositionalArgumentsMode(QCommandLineParser::ParseAsPositionalArguments);
  line.parser.addPositionalArgument(QStringLiteral("COMMAND"), QStringLiteral("build, dump, check, preview, export or import."),
                                    QStringLiteral("COMMAND [ARGUMENT...]"));
  const QStringList args = app.arguments().mid(1);
  if (const auto done = line.parse(args, io)) return *done;
  QStringList commandArgs = line.parser.positionalArguments();
  if (commandArgs.isEmpty()) return line.usageError(QStringLiteral("no command given"), io);
  const QString command = commandArgs.takeFirst();
  const std::pair<const char*, Command> commands[] = {
      {"build", kvz::qst::buildCommand},     {"dump", kvz::qst::dumpCommand},     {"check", kvz::qst::checkCommand},
      {"preview", kvz::qst::previewCommand}, {"export", kvz::qst::exportCommand}, {"import", kvz::qst::importCommand},
  };
  for (const auto& [name, run] : commands)
    if (command == QLatin1String(name)) return run(commandArgs, io);
  return line.usageError(QStringLiteral("unknown command '%1'").arg(command), io);
}
