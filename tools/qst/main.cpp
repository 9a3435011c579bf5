#include <QApplication>
#include <cstdio>

#include "assets/qt/pictures.h"
#include "platform/qt/picture_set.h"
#include "tool.h"

namespace {

const char* const kUsage =
    "kvizarion-qst: makes and checks the game's question files.\n"
    "\n"
    "  kvizarion-qst build SOURCE... -o DIR   compile question sources into DIR/NN-nnn.qst\n"
    "  kvizarion-qst dump [--json] FILE...     show question files as text or JSON\n"
    "  kvizarion-qst check DIR|FILE...         report what would go wrong in the game\n"
    "  kvizarion-qst preview FILE -o PNG       draw a question as the game window shows it\n"
    "  kvizarion-qst export --csv FILE...      write questions as one table for a spreadsheet\n"
    "  kvizarion-qst import TABLE.csv -o DIR   turn such a table back into sources\n"
    "\n"
    "  kvizarion-qst COMMAND --help            more about one command\n";

}  // namespace

int main(int argc, char** argv) {
  // The tool never shows a window; fonts and pictures still need the GUI part of Qt.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  kvz::usePictureSet({&kvz::picture, &kvz::handCursor, &kvz::drawPictures});
  QTextStream out(stdout);
  QTextStream err(stderr);
  const kvz::qst::Streams io{out, err};

  QStringList args = app.arguments().mid(1);
  if (args.isEmpty() || kvz::qst::wantsHelp(args.mid(0, 1))) {
    (args.isEmpty() ? err : out) << kUsage;
    return args.isEmpty() ? 2 : 0;
  }
  const QString command = args.takeFirst();
  if (command == QLatin1String("build")) return kvz::qst::buildCommand(args, io);
  if (command == QLatin1String("dump")) return kvz::qst::dumpCommand(args, io);
  if (command == QLatin1String("check")) return kvz::qst::checkCommand(args, io);
  if (command == QLatin1String("preview")) return kvz::qst::previewCommand(args, io);
  if (command == QLatin1String("export")) return kvz::qst::exportCommand(args, io);
  if (command == QLatin1String("import")) return kvz::qst::importCommand(args, io);
  err << "kvizarion-qst: unknown command '" << command << "'\n\n" << kUsage;
  return 2;
}
