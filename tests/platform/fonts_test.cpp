#include <gtest/gtest.h>

#include <QFontInfo>
#include <QFontMetrics>

#include "platform/form.h"
#include "platform/qt/fonts.h"
#include "platform/qt/form_view.h"
#include "view_support.h"

namespace kvz {
namespace {

const FontSpec kQuestionFont{QStringLiteral("MS Sans Serif"), 13.5, false, false};

TEST(Fonts, TheLayoutsFacesBecomeLiberationSansAtPixelSizesOf96Dpi) {
  for (const char* family : {"Arial", "MS Sans Serif", "ms sans serif"}) {
    const QFont font = qtFont({QString::fromLatin1(family), 12, true, true});
    EXPECT_EQ(QFontInfo(font).family(), QStringLiteral("Liberation Sans")) << family;
    EXPECT_TRUE(font.bold());
    EXPECT_TRUE(font.underline());
  }
  EXPECT_EQ(qtFont(kQuestionFont).pixelSize(), 18);
  EXPECT_EQ(pixelSizeOf(8.25), 11);
  EXPECT_EQ(pixelSizeOf(9.75), 13);
  EXPECT_EQ(pixelSizeOf(15.75), 21);
  EXPECT_EQ(pixelSizeOf(24), 32);
  EXPECT_EQ(pixelSizeOf(0), 1);  // a nonsense size still gives a font
}

TEST(Fonts, EveryCzechLetterHasAGlyph) {
  const QString letters = QStringLiteral("áčďéěíňóřšťúůýžÁČĎÉĚÍŇÓŘŠŤÚŮÝŽ");
  for (const bool bold : {false, true}) {
    const QFontMetrics metrics(qtFont({QStringLiteral("Arial"), 12, bold, false}));
    for (const QChar c : letters) EXPECT_TRUE(metrics.inFont(c)) << QString(c).toStdString();
  }
}

TEST(QtTextMeasure, MeasuresInWholePixelsOfTwipsAndGrowsWithTheText) {
  const QtTextMeasure measure;
  EXPECT_EQ(measure.widthTwips(QString(), kQuestionFont), 0);
  const int short_ = measure.widthTwips(QStringLiteral("Praha"), kQuestionFont);
  const int long_ = measure.widthTwips(QStringLiteral("Praha a Brno"), kQuestionFont);
  EXPECT_GT(short_, 0);
  EXPECT_EQ(short_ % kTwipsPerPixel, 0);
  EXPECT_GT(long_, short_);
  FontSpec bold = kQuestionFont;
  bold.bold = true;
  EXPECT_GT(measure.widthTwips(QStringLiteral("Praha a Brno"), bold), long_);
  FontSpec bigger = kQuestionFont;
  bigger.points = 24;
  EXPECT_GT(measure.widthTwips(QStringLiteral("Praha a Brno"), bigger), long_);
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
