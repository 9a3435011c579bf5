#include <gtest/gtest.h>

#include "assets/layout_main.h"
#include "platform/clock.h"
#include "platform/qt/form_view.h"
#include "view_support.h"

namespace kvz {
namespace {

// The game window as laid out, with a question on it; KVZ_SCREENSHOT=file.png keeps a picture.
TEST(GameWindowView, AnswerTextsLieAboveTheirPlatesAndStayInsideThem) {
  VirtualClock clock;
  auto form = makeFrmMain(clock);
  (*form)[QStringLiteral("lblZadani")].setCaption(QStringLiteral("Jak se jmenuje nejvyšší hora České republiky?"));
  (*form)[QStringLiteral("lblA")].setCaption(QStringLiteral("Sněžka"));
  (*form)[QStringLiteral("lblB")].setCaption(QStringLiteral("Praděd"));
  (*form)[QStringLiteral("lblC")].setCaption(QStringLiteral("Lysá hora"));
  (*form)[QStringLiteral("lblD")].setCaption(
      QStringLiteral("Žádná z uvedených, protože Česko leží v nížině u moře, což víme všichni"));
  (*form)[QStringLiteral("imgVyhra")].setVisible(false);
  (*form)[QStringLiteral("Shape1")].setVisible(false);
  FormView view(*form);
  const QImage image = testing::grabImage(view);
  if (const QByteArray file = qgetenv("KVZ_SCREENSHOT"); !file.isEmpty()) image.save(QString::fromLocal8Bit(file));

  // White letters of an answer show on its plate.
  int white = 0;
  for (int y = 400; y < 425; ++y)
    for (int x = 80; x < 289; ++x)
      if (QColor(image.pixel(x, y)) == QColor(Qt::white)) ++white;
  EXPECT_GT(white, 20);
  // The long answer D ends at its element's right edge (x 609): the plate's own pixels
  // beyond it are not overwritten by letters. Compare with the same window without text.
  (*form)[QStringLiteral("lblD")].setCaption(QString());
  const QImage bare = testing::grabImage(view);
  for (int y = 440; y < 480; ++y)
    for (int x = 610; x < 640; ++x) ASSERT_EQ(image.pixel(x, y), bare.pixel(x, y)) << x << "," << y;
  for (int y = 473; y < 480; ++y)
    for (int x = 0; x < 640; ++x) ASSERT_EQ(image.pixel(x, y), bare.pixel(x, y)) << x << "," << y;
}

}  // namespace
}  // namespace kvz
