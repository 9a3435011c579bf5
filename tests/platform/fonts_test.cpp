#include <gtest/gtest.h>

#include <QFontInfo>

#include "platform/form.h"
#include "platform/qt/fonts.h"
#include "platform/qt/form_view.h"
#include "view_support.h"

namespace kvz {
namespace {

const FontSpec kQuestionFont{QStringLiteral("MS Sans Serif"), 13.5, false, false};

// Liberation Sans carries every Czech letter.
TEST(Fonts, TheLayoutsFacesBecomeLiberationSansAtPixelSizesOf96Dpi) {
  for (const char* family : {"Arial", "MS Sans Serif", "ms sans serif"}) {
    const QFont font = qtFont({QString::fromLatin1(family), 12, true, true});
    EXPECT_EQ(QFontInfo(font).family(), QStringLiteral("Liberation Sans")) << family;
    EXPECT_TRUE(font.bold());
    EXPECT_TRUE(font.underline());
  }
  EXPECT_EQ(qtFont(kQuestionFont).pixelSize(), 18);
  EXPECT_EQ(qtFont(kQuestionFont, 3).pixelSize(), 54);  // a scene drawn at 3 x
  EXPECT_EQ(pixelSizeOf(0), 1);                         // a nonsense size still gives a font
}

TEST(QtTextMeasure, MeasuresInWholePixelsOfTwipsAndGrowsWithTheTextItsWeightAndSize) {
  const QtTextMeasure measure;
  EXPECT_EQ(measure.widthTwips(QString(), kQuestionFont), 0);
  FontSpec bold = kQuestionFont;
  bold.bold = true;
  FontSpec bigger = kQuestionFont;
  bigger.points = 24;
  const QString text = QStringLiteral("Praha a Brno");
  const int width = measure.widthTwips(text, kQuestionFont);
  EXPECT_EQ(width % kTwipsPerPixel, 0);
  for (const int larger : {measure.widthTwips(text + text, kQuestionFont), measure.widthTwips(text, bold),
                           measure.widthTwips(text, bigger)})
    EXPECT_GT(larger, width);
}

// What the authors' tool accepts as fitting must show whole on the game window: a text drawn
// in a label exactly as wide as its measure looks the same as in a far wider label.
TEST(QtTextMeasure, ATextInALabelAsWideAsItsMeasureShowsWhole) {
  const QtTextMeasure measure;
  for (const QString& text : {QStringLiteral("Sněžka"), QStringLiteral("Žluťoučký kůň úpěl ďábelské ódy"),
                              QStringLiteral("Wolfgang Amadeus Mozart")}) {
    const int width = measure.widthTwips(text, kQuestionFont);
    Form form(QStringLiteral("frmTest"), QStringLiteral("Kvizarion"));
    Element& tight = form.add(ElementKind::Text, QStringLiteral("tight"), {0, 0, width, 375});
    Element& wide = form.add(ElementKind::Text, QStringLiteral("wide"), {0, 1500, 9000, 375});
    for (Element* e : {&tight, &wide}) {
      e->look().font = kQuestionFont;
      e->setCaption(text);
    }
    FormView view(form);
    const QImage image = testing::grabImage(view);
    const int rowsPx = 25, widePx = 600;
    for (int y = 0; y < rowsPx; ++y)
      for (int x = 0; x < widePx; ++x)
        ASSERT_EQ(image.pixel(x, y), image.pixel(x, y + 100)) << text.toStdString() << " differs at " << x << "," << y;
  }
}

}  // namespace
}  // namespace kvz
