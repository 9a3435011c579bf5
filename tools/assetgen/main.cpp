// kvz_assetgen [--scale N] OUTDIR: draws every picture of the game into
// OUTDIR/pictures/NAME.png and lists them in OUTDIR/pictures.qrc under the prefix /pictures;
// with --scale, each at N times its size, as the game draws them on a scaled screen.
// kvz_assetgen --icons OUTDIR: draws the application icon into OUTDIR/hicolor/.
#include <QDir>
#include <QFile>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QSaveFile>
#include <QTextStream>
#include <cstdio>
#include <span>

#include "app_icon.h"
#include "assets/picture_names.h"
#include "assets/drawings/drawing.h"

namespace {

// Liberation Sans draws every Czech letter; load it from its file when fontconfig lacks it.
void loadFonts() {
  if (QFontDatabase::families().contains(QStringLiteral("Liberation Sans"))) return;
  for (const char* file : {"LiberationSans-Regular.ttf", "LiberationSans-Bold.ttf"})
    QFontDatabase::addApplicationFont(QStringLiteral("/usr/share/fonts/truetype/liberation2/") + QLatin1String(file));
  if (!QFontDatabase::families().contains(QStringLiteral("Liberation Sans")))
    std::fprintf(stderr, "kvz_assetgen: Liberation Sans not found (install fonts-liberation2); using the default font\n");
}

bool writePicture(const QDir& dir, const kvz::PictureInfo& info, bool alpha, int scale) {
  const QString name = QString::fromLatin1(info.name);
  const QSize size(info.width, info.height);
  const auto image = kvz::drawings::drawPicture(name, size, scale);
  if (!image || image->size() != size * scale) {
    std::fprintf(stderr, "kvz_assetgen: no drawing of %s at %dx%d\n", info.name, info.width, info.height);
    return false;
  }
  // Plain RGB for everything but the pointer, which needs its transparent surround.
  const QImage out = image->convertToFormat(alpha ? QImage::Format_ARGB32 : QImage::Format_RGB888);
  const QString path = dir.filePath(name + QStringLiteral(".png"));
  if (!out.save(path, "PNG")) {
    std::fprintf(stderr, "kvz_assetgen: cannot write %s\n", qPrintable(path));
    return false;
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  QGuiApplication app(argc, argv);
  if (argc == 3 && QByteArrayView(argv[1]) == "--icons") {
    loadFonts();
    return kvz::drawings::writeAppIcons(QString::fromLocal8Bit(argv[2])) ? 0 : 1;
  }
  int scale = 1;
  if (argc == 4 && QByteArrayView(argv[1]) == "--scale") {
    bool number = false;
    scale = QByteArray(argv[2]).toInt(&number);
    if (!number || scale < 1 || scale > kvz::drawings::kMaxScale) scale = 0;
    argv += 2;
    argc -= 2;
  }
  if (argc != 2 || scale == 0) {
    std::fprintf(stderr, "usage: kvz_assetgen [--scale 1..%d] OUTDIR\n", kvz::drawings::kMaxScale);
    return 2;
  }
  loadFonts();
  const QDir out(QString::fromLocal8Bit(argv[1]));
  if (!out.mkpath(QStringLiteral("pictures"))) {
    std::fprintf(stderr, "kvz_assetgen: cannot create %s/pictures\n", argv[1]);
    return 1;
  }
  const QDir pictures(out.filePath(QStringLiteral("pictures")));

  QString qrc;
  QTextStream list(&qrc);
  list << "<!DOCTYPE RCC>\n<RCC version=\"1.0\">\n<qresource prefix=\"/pictures\">\n";
  bool ok = true;
  const auto add = [&](const kvz::PictureInfo& info, bool alpha) {
    ok = writePicture(pictures, info, alpha, scale) && ok;
    list << "  <file alias=\"" << info.name << ".png\">pictures/" << info.name << ".png</file>\n";
  };
  for (const auto& info : kvz::kBitmaps) add(info, false);
  for (const auto& info : kvz::kLayoutPictures) add(info, false);
  add(kvz::kHandPointer, true);
  list << "</qresource>\n</RCC>\n";
  list.flush();
  if (!ok) return 1;

  QSaveFile file(out.filePath(QStringLiteral("pictures.qrc")));
  if (!file.open(QIODevice::WriteOnly) || file.write(qrc.toUtf8()) < 0 || !file.commit()) {
    std::fprintf(stderr, "kvz_assetgen: cannot write pictures.qrc\n");
    return 1;
  }
  return 0;
}
