#include <gtest/gtest.h>

#include <QCloseEvent>
#include <QPlainTextEdit>
#include <QPushButton>

#include "platform/form.h"
#include "platform/qt/form_view.h"
#include "view_support.h"

namespace kvz {
namespace {

using testing::clickAt;
using testing::doubleClickAt;
using testing::grabImage;
using testing::litPixels;
using testing::sendKey;
using testing::tapKey;

// Pixel rectangle of an element given in twips.
QRect px(int left, int top, int width, int height) { return {left / 15, top / 15, width / 15, height / 15}; }

Element& addBox(Form& form, const QString& name, Rect r, Rgb fill) {
  Element& e = form.add(ElementKind::Box, name, r);
  e.look().filled = true;
  e.look().background = fill;
  return e;
}

// A picture without a bitmap: it shows nothing of its own but takes clicks.
Element& addPicture(Form& form, const QString& name, Rect r) { return form.add(ElementKind::Picture, name, r); }

Element& addText(Form& form, const QString& name, Rect r, const QString& caption, bool wrap = false) {
  Element& e = form.add(ElementKind::Text, name, r);
  e.look().font = FontSpec{QStringLiteral("MS Sans Serif"), 13.5, false, false};
  e.look().wordWrap = wrap;
  e.setCaption(caption);
  return e;
}

// The window manager's close goes to the form's handler; without one the window simply closes.
TEST(FormView, FollowsVisibilityGeometryCaptionAndPointerOfItsElementsAndAsksTheFormBeforeClosing) {
  Form form(QStringLiteral("frmTest"), QStringLiteral("Kvizarion"));
  Element& label = addText(form, QStringLiteral("lblA"), {1200, 6000, 3135, 375}, QString());
  Element& panel = form.add(ElementKind::TextPanel, QStringLiteral("txtPanel"), {293, 4920, 9015, 2295});
  FormView view(form);
  view.show();
  EXPECT_EQ(view.size(), QSize(640, 480));
  EXPECT_EQ(view.windowTitle(), QStringLiteral("Kvizarion"));
  QWidget* labelView = view.elementWidget(QStringLiteral("lblA"));
  ASSERT_NE(labelView, nullptr);
  EXPECT_EQ(labelView->geometry(), QRect(80, 400, 209, 25));

  label.setVisible(false);
  EXPECT_FALSE(labelView->isVisible());
  label.setVisible(true);
  EXPECT_TRUE(labelView->isVisible());

  label.move(0, -2500);  // parked out of view, as the video is
  EXPECT_EQ(labelView->pos(), QPoint(0, -167));

  label.setPointer(Pointer::Hand);
  EXPECT_TRUE(labelView->testAttribute(Qt::WA_SetCursor));
  label.setPointer(Pointer::Arrow);
  EXPECT_FALSE(labelView->testAttribute(Qt::WA_SetCursor));

  panel.setCaption(QStringLiteral("Ahoj,\r\nmyslím"));
  auto* edit = qobject_cast<QPlainTextEdit*>(view.elementWidget(QStringLiteral("txtPanel")));
  ASSERT_NE(edit, nullptr);
  EXPECT_EQ(edit->toPlainText(), QStringLiteral("Ahoj,\nmyslím"));
  panel.setCaption(QStringLiteral("Ahoj,\r\nmyslím, že"));  // typed on
  EXPECT_EQ(edit->toPlainText(), QStringLiteral("Ahoj,\nmyslím, že"));
  panel.setCaption(QString());  // emptied for the next question
  EXPECT_EQ(edit->toPlainText(), QString());

  int asked = 0;
  form.onCloseRequest = [&] { ++asked; };
  EXPECT_FALSE(view.close());
  EXPECT_EQ(asked, 1);
  EXPECT_TRUE(view.isVisible());
  form.onCloseRequest = nullptr;
  EXPECT_TRUE(view.close());
}

// A text above its plate under a black box that takes no input; each step changes one
// thing, clicks at one point and names who got the click.
TEST(FormView, AClickReachesTheTopmostVisibleEnabledElementUnderIt) {
  Form form(QStringLiteral("frmTest"), QStringLiteral("Kvizarion"));
  addBox(form, QStringLiteral("Shape1"), {0, 4560, 9600, 2655}, {0, 0, 0});
  Element& label = addText(form, QStringLiteral("lblA"), {1200, 6000, 3135, 375}, QStringLiteral("Brno"));
  Element& plate = addPicture(form, QStringLiteral("imgA"), {0, 5880, 4800, 555});
  QStringList got;
  label.onClick = [&] { got << QStringLiteral("lblA"); };
  plate.onClick = [&] { got << QStringLiteral("imgA"); };
  plate.onDblClick = [&] { got << QStringLiteral("dbl"); };
  FormView view(form);
  view.show();
  const std::vector<std::pair<std::function<void()>, QPoint>> steps{
      {[] {}, {100, 405}},                         // the text, through the box
      {[] {}, {40, 405}},                          // the plate beside the text
      {[&] { plate.setEnabled(false); }, {40, 405}},  // nothing: disabled
      {[&] { plate.setEnabled(true); plate.setVisible(false); }, {40, 405}},  // nothing: hidden
      {[&] { plate.setVisible(true); label.setVisible(false); }, {100, 405}},  // the plate below the hidden text
      {[] {}, {100, 100}},                         // nothing there
  };
  for (const auto& [change, point] : steps) {
    change();
    clickAt(view, point);
  }
  // A double click gives one click, then one double click; the next plain click counts again.
  doubleClickAt(view, {40, 405});
  clickAt(view, {40, 405});
  EXPECT_EQ(got, (QStringList{QStringLiteral("lblA"), QStringLiteral("imgA"), QStringLiteral("imgA"), QStringLiteral("imgA"),
                              QStringLiteral("dbl"), QStringLiteral("imgA")}));
}

TEST(FormView, AButtonTakesItsClickAndKeyReleasesArriveOnceAsVirtualKeyCodesWhicheverChildHasTheFocus) {
  Form form(QStringLiteral("frmMain"), QStringLiteral("Kvizarion"));
  Element& ok = form.add(ElementKind::Button, QStringLiteral("Command1"), {4373, 6645, 855, 375});
  ok.setCaption(QStringLiteral("OK"));
  int clicks = 0;
  ok.onClick = [&] { ++clicks; };
  form.add(ElementKind::TextPanel, QStringLiteral("txtPanel"), {293, 4920, 9015, 2295});
  std::vector<std::pair<int, int>> keys;
  form.onKeyUp = [&](int key, int shift) { keys.emplace_back(key, shift); };
  FormView view(form);
  // The Esc that closed a message box comes up over the game window: not a new Esc.
  sendKey(view, QEvent::KeyRelease, Qt::Key_Escape);
  for (const int key : {Qt::Key_A, Qt::Key_F5, Qt::Key_F7, Qt::Key_F10, Qt::Key_Escape, Qt::Key_Return, Qt::Key_7})
    tapKey(view, key);
  tapKey(view, Qt::Key_D, Qt::ShiftModifier);  // Shift or Caps Lock: still the key D
  sendKey(view, QEvent::KeyPress, Qt::Key_B);  // held: the repeats are no key-ups
  sendKey(view, QEvent::KeyRelease, Qt::Key_B, {}, true);
  sendKey(view, QEvent::KeyPress, Qt::Key_B, {}, true);
  sendKey(view, QEvent::KeyRelease, Qt::Key_B);
  tapKey(view, Qt::Key_unknown);  // a key with no code is not passed on
  tapKey(*view.elementWidget(QStringLiteral("Command1")), Qt::Key_C);
  tapKey(*view.elementWidget(QStringLiteral("txtPanel")), Qt::Key_F6);
  auto* button = qobject_cast<QPushButton*>(view.elementWidget(QStringLiteral("Command1")));
  ASSERT_NE(button, nullptr);
  EXPECT_EQ(button->text(), QStringLiteral("OK"));
  button->click();
  EXPECT_EQ(clicks, 1);
  ok.setEnabled(false);
  EXPECT_FALSE(button->isEnabled());
  using P = std::pair<int, int>;
  EXPECT_EQ(keys, (std::vector<P>{P{65, 0}, P{116, 0}, P{118, 0}, P{121, 0}, P{27, 0}, P{13, 0}, P{55, 0}, P{68, 1},
                                      P{66, 0}, P{67, 0}, P{117, 0}}));
}

// Pixels of an area that have exactly the given colour.
int pixelsOf(const QImage& image, QRect area, QColor colour) {
  int n = 0;
  for (int y = area.top(); y <= area.bottom(); ++y)
    for (int x = area.left(); x <= area.right(); ++x)
      if (QColor(image.pixel(x, y)) == colour) ++n;
  return n;
}

// Element order decides who lies on top, except that panels and players lie above all else.
TEST(FormView, TheFirstElementLiesOnTopTextsAboveTheirPlatesAndPanelsAboveEverything) {
  Form form(QStringLiteral("frmTest"), QStringLiteral("Kvizarion"));
  addBox(form, QStringLiteral("Cover"), {0, 0, 4500, 1500}, {255, 0, 0});
  addText(form, QStringLiteral("lblA"), {1200, 6000, 3135, 375}, QStringLiteral("MMMM HHHH"));
  addText(form, QStringLiteral("lblHidden"), {150, 150, 3000, 375}, QStringLiteral("MMMM HHHH"));
  addBox(form, QStringLiteral("imgA"), {0, 5880, 4800, 555}, {0, 0, 128});
  Element& panel = form.add(ElementKind::TextPanel, QStringLiteral("txtNTelVypis"), {3000, 0, 1500, 1500});
  panel.look().transparent = false;
  panel.look().background = {0, 0, 255};
  FormView view(form);
  const QImage image = grabImage(view);
  // The white text is drawn over the blue plate listed after it.
  const QRect answer = px(1200, 6000, 3135, 375);
  EXPECT_GT(pixelsOf(image, answer, Qt::white), 20);
  EXPECT_EQ(QColor(image.pixel(5, 395)), QColor(0, 0, 128));
  // The red box listed first covers the text listed after it; the panel listed last covers the box.
  const QRect cover = px(0, 0, 3000, 1500);
  EXPECT_EQ(pixelsOf(image, cover, Qt::red), cover.width() * cover.height());
  EXPECT_EQ(QColor(image.pixel(250, 50)), QColor(0, 0, 255));
}

TEST(FormView, AnOverlongAnswerDrawsNothingOutsideItsElement) {
  Form form(QStringLiteral("frmTest"), QStringLiteral("Kvizarion"));
  addText(form, QStringLiteral("lblA"), {1200, 6000, 3135, 375},
          QStringLiteral("Nejdelší odpověď, jakou si autor otázky dokázal vymyslet, a ještě něco navíc"));
  Element& wrapped = addText(form, QStringLiteral("lblZadani"), {1080, 600, 7455, 735},
                             QStringLiteral("slovo ").repeated(60), true);
  FormView view(form);
  const QImage image = grabImage(view);
  const QRect answer = px(1200, 6000, 3135, 375);
  EXPECT_GT(litPixels(image, answer), 100);
  EXPECT_EQ(litPixels(image, QRect(answer.right() + 1, answer.top(), 640, answer.height())), 0);
  EXPECT_EQ(litPixels(image, QRect(0, answer.bottom() + 1, 640, 480)), 0);
  // A wrapped text shows the whole lines that fit in its height and nothing below.
  const Rect& g = wrapped.geometry();
  const QRect question = px(g.left, g.top, g.width, g.height);
  EXPECT_GT(litPixels(image, question), 100);
  EXPECT_EQ(litPixels(image, QRect(0, question.bottom() + 1, 640, answer.top() - question.bottom() - 2)), 0);
}

// Columns of an area holding a lit pixel: first and last.
std::pair<int, int> litColumns(const QImage& image, QRect area) {
  int first = -1, last = -1;
  for (int x = area.left(); x <= area.right(); ++x)
    for (int y = area.top(); y <= area.bottom(); ++y)
      if ((image.pixel(x, y) & 0xffffff) != 0) {
        if (first < 0) first = x;
        last = x;
        break;
      }
  return {first, last};
}

// Every line of a centred wrapped question is centred; the line that no longer fits is not
// drawn anywhere, not over the first line either.
TEST(FormView, ACentredWrappedQuestionCentresEveryLineAndDrawsNoCutOffLine) {
  const QString text = QStringLiteral("Která řeka vzniká soutokem dvou zdrojnic a po kolika kilometrech se vlévá "
                                      "do moře, když protéká třemi státy a mnoha městy až k soutoku?");
  const auto drawn = [&](int heightTwips) {
    Form form(QStringLiteral("frmMain"), QStringLiteral("Kvizarion"));
    addText(form, QStringLiteral("lblZadani"), {900, 600, 7800, heightTwips}, text, true).look().align = Align::Center;
    FormView view(form);
    return grabImage(view);
  };
  const QImage twoLines = drawn(840);
  const QRect box = px(900, 600, 7800, 840);
  const int centre = box.left() + box.width() / 2;
  for (const QRect line : {QRect(box.left(), box.top(), box.width(), 21), QRect(box.left(), box.top() + 22, box.width(), 20)}) {
    const auto [first, last] = litColumns(twoLines, line);
    ASSERT_GE(first, 0) << "an empty line";
    EXPECT_NEAR((first + last) / 2, centre, 3) << first << ".." << last;
  }
  const QRect firstLine = px(900, 600, 7800, 300);
  EXPECT_EQ(twoLines.copy(firstLine), drawn(3000).copy(firstLine));
}

// A click on the scaled scene reaches the element under it, the black border takes none, and
// the hand pointer is the layout's at the scene's factor with its fingertip where it was.
TEST(FormView, AFullScreenWindowDrawsTheSceneAtTheLargestWholeFactorCentredOnBlackAndMapsClicksToIt) {
  struct Case {
    QSize screen;
    int factor;
    QRect scene;
  };
  for (const Case& c : std::vector<Case>{{{640, 480}, 1, {0, 0, 640, 480}},
                                         {{1920, 1080}, 2, {320, 60, 1280, 960}},
                                         {{3840, 2160}, 4, {640, 120, 2560, 1920}},
                                         {{1366, 768}, 1, {363, 144, 640, 480}},
                                         {{600, 400}, 1, {-20, -40, 640, 480}}}) {
    SCOPED_TRACE(c.screen.width());
    Form form(QStringLiteral("frmTest"), QStringLiteral("Kvizarion"));
    Element& plate = addPicture(form, QStringLiteral("imgA"), {0, 5880, 4800, 555});
    plate.setPointer(Pointer::Hand);
    int clicks = 0;
    plate.onClick = [&] { ++clicks; };
    FormView view(form, nullptr, {}, WindowFit::FullScreen);
    view.resize(c.screen);
    view.show();
    EXPECT_EQ(view.sceneScale(), c.factor);
    EXPECT_EQ(view.sceneRect(), c.scene);
    EXPECT_EQ(view.elementWidget(QStringLiteral("imgA"))->geometry(),
              QRect(0, 392 * c.factor, 320 * c.factor, 37 * c.factor));
    EXPECT_EQ(view.elementWidget(QStringLiteral("imgA"))->cursor().pixmap().size(), QSize(32, 32) * c.factor);
    const auto scenePixel = [&](int x, int y) { return c.scene.topLeft() + QPoint(x, y) * c.factor; };
    clickAt(view, scenePixel(100, 400));
    EXPECT_EQ(clicks, 1);
    clickAt(view, scenePixel(100, 380));  // above the plate
    if (c.scene.left() > 0) clickAt(view, QPoint(c.scene.left() / 2, scenePixel(0, 400).y()));  // the border
    EXPECT_EQ(clicks, 1);
  }
}

// The same scene drawn at 640 x 480 and scaled by 2 on a 1920 x 1080 screen.
struct TwoScales {
  explicit TwoScales(Form& form) : single(FormView(form).grab().toImage().convertToFormat(QImage::Format_RGB32)),
                                   full(form, nullptr, {}, WindowFit::FullScreen) {
    full.resize(1920, 1080);
    doubled = grabImage(full).copy(full.sceneRect());
  }
  // The 640 x 480 picture with each pixel made a 2 x 2 square: a stretched screenshot.
  QImage stretched(QRect area) const {
    return single.copy(area).scaled(area.size() * 2, Qt::IgnoreAspectRatio, Qt::FastTransformation);
  }
  QImage single;
  FormView full;
  QImage doubled;
};

TEST(FormView, AScaledScenesPicturesStaySharpAndItsTextsAreDrawnAtTheScaledSize) {
  Form form(QStringLiteral("frmTest"), QStringLiteral("Kvizarion"));
  Element& text = addText(form, QStringLiteral("lblA"), {1200, 6000, 3135, 375}, QStringLiteral("Sněžka"));
  addPicture(form, QStringLiteral("imgA"), {0, 5880, 4800, 555}).setPicture(QStringLiteral("A-M"));
  TwoScales scales(form);
  // The plate's pixels (left of its text) are squares of 2 x 2: edges as sharp as at
  // 640 x 480, no smoothing.
  const QRect plate = px(0, 5880, 1200, 555);
  EXPECT_EQ(scales.doubled.copy(QRect(plate.topLeft() * 2, plate.size() * 2)), scales.stretched(plate));
  // The text is not a stretched copy: drawn at twice the font size, its letters are as tall
  // again (within a pixel of rounding) and their edges are not squares of 2 x 2.
  const QRect label = px(1200, 6000, 3135, 375);
  const QRect label2(label.topLeft() * 2, label.size() * 2);
  EXPECT_NE(scales.doubled.copy(label2), scales.stretched(label));
  const auto whiteRows = [](const QImage& image, QRect area) {
    int rows = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) rows += pixelsOf(image, QRect(area.left(), y, area.width(), 1), Qt::white) > 0;
    return rows;
  };
  EXPECT_NEAR(whiteRows(scales.doubled, label2), 2 * whiteRows(scales.single, label), 2);
  text.setCaption(QString());  // and the scaled view follows its element
  EXPECT_EQ(pixelsOf(grabImage(scales.full), label2.translated(scales.full.sceneRect().topLeft()), Qt::white), 0);
}

}  // namespace
}  // namespace kvz
