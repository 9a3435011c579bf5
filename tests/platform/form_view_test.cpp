#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAccessible>
#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPointer>
#include <QTest>
#include <QTimer>
#include <functional>

#include "platform/form.h"
#include "platform/qt/fonts.h"
#include "platform/qt/form_view.h"
#include "platform/qt/message_boxes.h"
#include "platform/scene_scale.h"
#include "shell/frm_intro.h"

namespace kvz {
namespace {

// Sends a mouse event to whatever child lies at pos of the window, as a real click would.
void clickAt(QWidget& window, QPoint pos,
             std::initializer_list<QEvent::Type> types = {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
  QWidget* target = window.childAt(pos) ? window.childAt(pos) : &window;
  for (const QEvent::Type type : types) {
    QMouseEvent event(type, QPointF(target->mapFrom(&window, pos)), QPointF(window.mapToGlobal(pos)), Qt::LeftButton,
                      type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &event);
  }
}

void sendKey(QWidget& target, QEvent::Type type, int key, bool autoRepeat = false) {
  QKeyEvent event(type, key, Qt::NoModifier, QString(), autoRepeat);
  QApplication::sendEvent(&target, &event);
}

void tapKey(QWidget& target, int key) {
  sendKey(target, QEvent::KeyPress, key);
  sendKey(target, QEvent::KeyRelease, key);
}

const FontSpec kQuestionFont{QStringLiteral("MS Sans Serif"), 13.5, false, false};

Element& addText(Form& form, const QString& name, Rect r, const QString& caption) {
  Element& e = form.add(ElementKind::Text, name, r);
  e.look().font = kQuestionFont;
  e.setCaption(caption);
  return e;
}

// The friend's reply shows line by line; the window manager's close goes to the form's
// handler, and without one the window simply closes. (Elements shown or hidden: the clicks below.)
TEST(FormView, ShowsAPanelsLinesAndAsksTheFormBeforeClosing) {
  Form form(QStringLiteral("frmTest"), QStringLiteral("Kvizarion"));
  Element& panel = form.add(ElementKind::TextPanel, QStringLiteral("txtPanel"), {293, 4920, 9015, 2295});
  FormView view(form);
  view.show();
  panel.setCaption(QStringLiteral("Ahoj,\r\nmyslím"));
  auto* edit = qobject_cast<QPlainTextEdit*>(view.elementWidget(QStringLiteral("txtPanel")));
  ASSERT_NE(edit, nullptr);
  EXPECT_EQ(edit->toPlainText(), QStringLiteral("Ahoj,\nmyslím"));
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
  form.add(ElementKind::Box, QStringLiteral("Shape1"), {0, 4560, 9600, 2655}).look().filled = true;
  Element& label = addText(form, QStringLiteral("lblA"), {1200, 6000, 3135, 375}, QStringLiteral("Brno"));
  Element& plate = form.add(ElementKind::Picture, QStringLiteral("imgA"), {0, 5880, 4800, 555});
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
  using E = QEvent;  // as a window system sends it: press, release, double-click press, release
  clickAt(view, {40, 405}, {E::MouseButtonPress, E::MouseButtonRelease, E::MouseButtonDblClick, E::MouseButtonRelease});
  clickAt(view, {40, 405});
  EXPECT_EQ(got, (QStringList{QStringLiteral("lblA"), QStringLiteral("imgA"), QStringLiteral("imgA"), QStringLiteral("imgA"),
                              QStringLiteral("dbl"), QStringLiteral("imgA")}));
}

// The game's keys as a player types them (letters, Shift, F5 to F7, F10, Esc, and the Esc that
// closed a box coming up over the game): game/check_e2e_game.py and the display checks.
TEST(FormView, KeyReleasesArriveOnceAsVirtualKeyCodesWhicheverChildHasTheFocus) {
  Form form(QStringLiteral("frmMain"), QStringLiteral("Kvizarion"));
  form.add(ElementKind::Button, QStringLiteral("Command1"), {4373, 6645, 855, 375});
  form.add(ElementKind::TextPanel, QStringLiteral("txtPanel"), {293, 4920, 9015, 2295});
  std::vector<std::pair<int, int>> keys;
  form.onKeyUp = [&](int key, int shift) { keys.emplace_back(key, shift); };
  FormView view(form);
  for (const int key : {Qt::Key_Return, Qt::Key_7, Qt::Key_unknown}) tapKey(view, key);  // no code: not passed on
  sendKey(view, QEvent::KeyPress, Qt::Key_B);  // held: the repeats are no key-ups
  sendKey(view, QEvent::KeyRelease, Qt::Key_B, true);
  sendKey(view, QEvent::KeyPress, Qt::Key_B, true);
  sendKey(view, QEvent::KeyRelease, Qt::Key_B);
  tapKey(*view.elementWidget(QStringLiteral("Command1")), Qt::Key_C);
  tapKey(*view.elementWidget(QStringLiteral("txtPanel")), Qt::Key_F6);
  using P = std::pair<int, int>;
  EXPECT_EQ(keys, (std::vector<P>{P{vk::B, 0}, P{vk::C, 0}, P{vk::F6, 0}}));
}

// What a screen reader finds in a window: the elements shown that have something to read, in
// reading order, named as the player sees them; the menu's buttons reached with Tab and Enter.

// Each accessible child of the window's scene as "role:name".
QStringList readable(FormView& view) {
  QStringList out;
  QAccessibleInterface* window = QAccessible::queryAccessibleInterface(&view);
  for (int i = 0; window && i < window->childCount(); ++i) {
    QAccessibleInterface* scene = window->child(i);
    if (!scene || scene->role() != QAccessible::Pane) continue;
    for (int j = 0; j < scene->childCount(); ++j) {
      QAccessibleInterface* child = scene->child(j);
      EXPECT_EQ(scene->indexOfChild(child), j);
      const char* role = child->role() == QAccessible::Button ? "button" : "text";
      out << QStringLiteral("%1:%2").arg(QLatin1String(role), child->text(QAccessible::Name));
    }
  }
  return out;
}

// The answers named with their letters, fifty-fifty's icon named as spent and its answers
// leaving the tree, and answers joining it as they are shown, are checked over AT-SPI by
// game/check_accessibility.py; so are the menu's first button holding the focus and Enter on it.
TEST(Accessibility, ListsTheShownElementsWithSomethingToReadInReadingOrder) {
  Form form(QStringLiteral("frmTest"), QStringLiteral("Kvizarion"));
  form.add(ElementKind::Text, QStringLiteral("lblZadani"), {1080, 4800, 7455, 735}).setCaption(QStringLiteral("Kolik?"));
  form.add(ElementKind::Picture, QStringLiteral("imgVyhra"), {0, 5280, 9600, 1425}).setPicture(QStringLiteral("C03"));
  Element& icon = form.add(ElementKind::Picture, QStringLiteral("imgN5050"), {1920, 3600, 1080, 705});
  icon.setPicture(QStringLiteral("N-5050"));
  icon.onClick = [] {};
  // Nothing to read: an empty text, a box, a plate without text.
  form.add(ElementKind::Text, QStringLiteral("lblC"), {1200, 6720, 3135, 375});
  form.add(ElementKind::Box, QStringLiteral("Shape1"), {0, 4560, 9600, 2655});
  form.add(ElementKind::Picture, QStringLiteral("imgA"), {0, 5880, 4800, 555}).setPicture(QStringLiteral("A-M"));
  FormView view(form);
  view.show();

  EXPECT_EQ(readable(view), (QStringList{"button:50:50, k dispozici", "text:Kolik?", "text:3 000 Kč"}));
}

// Tab stops follow the layout's order, and Enter or Space clicks on the press only: a release
// alone (of the key that closed a box above) clicks nothing, nor does a key held down.
TEST(Accessibility, MenuButtonsTakeTheFocusInLayoutOrderAndClickOnEnterOrSpace) {
  Form form(QStringLiteral("frmTest"), QStringLiteral("Kvizarion"));
  std::vector<QString> clicks;
  const std::pair<const char*, int> buttons[] = {{"imgNova", 1680}, {"imgPrav", 2880}, {"imgKonec", 5160}};
  for (const auto& [name, top] : buttons) {
    Element& e = form.add(ElementKind::Picture, QLatin1String(name), {960, top, 2430, 525});
    e.setPicture(QStringLiteral("NOVA"));
    e.setTabStop(true);
    e.onClick = [&clicks, n = QLatin1String(name)] { clicks.emplace_back(n); };
  }
  FormView view(form);
  view.show();
  QWidget* first = view.elementWidget(QStringLiteral("imgNova"));
  EXPECT_EQ(first->nextInFocusChain(), view.elementWidget(QStringLiteral("imgPrav")));
  EXPECT_EQ(view.elementWidget(QStringLiteral("imgPrav"))->nextInFocusChain(), view.elementWidget(QStringLiteral("imgKonec")));

  sendKey(*first, QEvent::KeyRelease, Qt::Key_Return);
  sendKey(*first, QEvent::KeyPress, Qt::Key_Return, true);
  sendKey(*first, QEvent::KeyPress, Qt::Key_A);
  EXPECT_TRUE(clicks.empty());
  sendKey(*first, QEvent::KeyPress, Qt::Key_Return);
  sendKey(*view.elementWidget(QStringLiteral("imgKonec")), QEvent::KeyPress, Qt::Key_Space);
  EXPECT_EQ(clicks, (std::vector<QString>{"imgNova", "imgKonec"}));
}

// A window of the scene's size at the desktop's factor, its pictures and hand pointer drawn at
// the device density before its first paint: shell/check_scaled_screen.py and
// check_display_mode.py on real screens at 100, 150, 200 and 300 %.

// Whatever the desktop's factor, the full-screen scene is placed by the screen's device
// pixels: a switched 640 x 480 screen at 200 % (320 x 240 logical pixels) shows the whole
// scene, not its upper-left quarter; every edge of the scene lies on a device pixel.
TEST(SceneFit, AFullScreenPlacesTheSceneByTheDevicePixelsAtAnyDesktopFactor) {
  struct Case { QSize logical; double ratio; int density; QPoint origin; };
  for (const Case& c : {Case{{640, 480}, 1, 1, {0, 0}},
                        Case{{320, 240}, 2, 1, {0, 0}},      // 640 x 480 switched, 200 %
                        Case{{427, 320}, 1.5, 1, {0, 0}},    // 640.5 device pixels across
                        Case{{512, 384}, 1.25, 1, {0, 0}},
                        Case{{214, 160}, 3, 1, {1, 0}},      // 642 x 480
                        Case{{1920, 1080}, 1, 2, {320, 60}},
                        Case{{960, 540}, 2, 2, {320, 60}},
                        Case{{1280, 720}, 1.5, 2, {320, 60}},
                        Case{{640, 360}, 3, 2, {320, 60}},
                        Case{{1280, 960}, 3, 6, {0, 0}},
                        Case{{600, 400}, 1, 1, {-20, -40}},  // smaller than the scene: its centre shows
                        Case{{0, 0}, 2, 1, {-320, -240}}}) {
    SCOPED_TRACE(testing::Message() << c.logical.width() << "x" << c.logical.height() << " at " << c.ratio);
    const SceneFit fit = fullScreenFit(c.logical, c.ratio);
    EXPECT_EQ(fit.density, c.density);
    EXPECT_EQ(fit.pictureScale(), c.density);
    EXPECT_EQ(fit.origin, c.origin);
    // The notice strip of the menu (78, 432, 485 x 16) at its device pixels.
    const QRectF strip = fit.logical({78, 432, 485, 16});
    EXPECT_DOUBLE_EQ(strip.left() * c.ratio, c.origin.x() + 78.0 * c.density);
    EXPECT_DOUBLE_EQ(strip.bottom() * c.ratio, c.origin.y() + 448.0 * c.density);
  }
}

// What the authors' tool accepts as fitting must show whole on the game window: a text drawn
// in a label exactly as wide as its measure looks the same as in a far wider label.
TEST(QtTextMeasure, ATextInALabelAsWideAsItsMeasureShowsWhole) {
  const QtTextMeasure measure;
  for (const QString& text : {QStringLiteral("Sněžka"), QStringLiteral("Žluťoučký kůň úpěl ďábelské ódy"),
                              QStringLiteral("Wolfgang Amadeus Mozart")}) {
    const int width = measure.widthTwips(text, kQuestionFont);
    Form form(QStringLiteral("frmTest"), QStringLiteral("Kvizarion"));
    addText(form, QStringLiteral("tight"), {0, 0, width, 375}, text);
    addText(form, QStringLiteral("wide"), {0, 1500, 9000, 375}, text);
    FormView view(form);
    const QImage image = view.grab().toImage();
    EXPECT_EQ(image.copy(0, 0, 600, 25), image.copy(0, 100, 600, 25)) << text.toStdString();
  }
}

// Once the next modal box is up, runs the action on it, which must close it. A box that does
// not come up, or that the action leaves open (a wrong button), fails the test and is closed,
// instead of holding the test until ctest's limit.
constexpr int kBoxDeadlineMs = 5000;
void whenBoxIsUp(std::function<void(QMessageBox&)> action) {
  QTimer::singleShot(0, [action = std::move(action)] {
    QPointer<QMessageBox> box;
    if (!QTest::qWaitFor([&] { return box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget()); },
                         kBoxDeadlineMs))
      return ADD_FAILURE() << "no message box came up";
    action(*box);
    // The box is the timer's context: one that closes and goes cancels the deadline.
    QTimer::singleShot(kBoxDeadlineMs, box, [box] {
      ADD_FAILURE() << "the box \"" << box->text().toStdString() << "\" was still open after the action";
      box->reject();
    });
  });
}

// A question offers Ano and Ne and tells which was chosen; Esc, closing it, dismissing it or
// unloading the window under it (a timer may, while the box is open) answer Ne, and an
// information box has one OK whatever closes it. The box lives on the stack of the handler
// that opened it: it must neither die with its window nor stay behind.
TEST(QtMessageBoxes, ShowTheirTextAndCzechButtonsAndTellWhatClosedThem) {
  QtMessageBoxes boxes;
  using B = MsgButtons;
  using R = MsgResult;
  const std::tuple<std::string, MsgButtons, MsgResult> cases[] = {
      {"Ano", B::YesNo, R::Yes},        {"Ne", B::YesNo, R::No},        {"Esc", B::YesNo, R::No},
      {"close", B::YesNo, R::No},       {"OK", B::Ok, R::Ok},           {"window goes", B::YesNo, R::No},
      {"window goes", B::Ok, R::Ok},    {"dismiss", B::YesNo, R::No},   {"dismiss", B::Ok, R::Ok}};
  for (const auto& [answer, buttons, expected] : cases) {
    QPointer<QWidget> window = new QWidget;
    window->show();
    QApplication::setActiveWindow(window);
    QString shown;
    whenBoxIsUp([&, &answer = answer](QMessageBox& box) {
      QStringList texts;
      for (QAbstractButton* b : box.buttons()) texts << b->text();
      texts.sort();
      shown = box.text() + QStringLiteral(": ") + texts.join(QLatin1Char(' '));
      if (answer == "Esc") QTest::keyClick(&box, Qt::Key_Escape);
      if (answer == "close") box.close();
      if (answer == "window goes") window->deleteLater();  // run by the box's own event loop, as an unloaded window is
      if (answer == "dismiss") boxes.dismiss();
      for (QAbstractButton* b : box.buttons())
        if (b->text() == QString::fromStdString(answer)) b->click();
    });
    EXPECT_EQ(boxes.show(QStringLiteral("Opravdu?"), QStringLiteral("Konec"), MsgIcon::Question, buttons), expected) << answer;
    EXPECT_EQ(shown, QStringLiteral("Opravdu?: ") + (buttons == B::Ok ? "OK" : "Ano Ne")) << answer;
    EXPECT_EQ(window.isNull(), answer == "window goes") << answer;
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr) << answer;
    delete window.data();
  }
}

// Over the full-screen scene at 1, 2 and 4 x, each box shows every line of its text whole, its
// font grown by the scene's factor (Qt wraps a box past about 500 px: at 4 x every line
// of an information box broke).
TEST(QtMessageBoxes, ShowEveryLineWholeInAFontGrownByTheScenesFactor) {
  const std::pair<QString, MsgButtons> boxes[] = {
      {QStringLiteral("/usr/share/games/kvizarion/qst/05-026.qst\r\n\r\n") +
           QStringLiteral("autor: Jana Nováková").leftJustified(37) + QStringLiteral("\r\nkorekce neprovedena"),
       MsgButtons::Ok},
      {FrmIntro::TextRozlouceni(), MsgButtons::Ok},
      {QStringLiteral("Opravdu chcete ukončit tuto hru ??"), MsgButtons::YesNo}};
  int basePixels = 0;
  for (const int factor : {1, 2, 4}) {
    Form form(QStringLiteral("frmMain"), QStringLiteral("Kvizarion"));
    FormView scene(form, nullptr, Qt::Window, WindowFit::FullScreen);
    scene.resize(kSceneWidth * factor, kSceneHeight * factor);
    scene.show();
    QApplication::setActiveWindow(&scene);
    ASSERT_EQ(scene.sceneFit().density, factor);
    for (const auto& [text, buttons] : boxes) {
      SCOPED_TRACE(QStringLiteral("%1 x: %2").arg(factor).arg(text.left(20)).toStdString());
      whenBoxIsUp([&, &text = text](QMessageBox& box) {
        QCoreApplication::sendPostedEvents();
        const auto* label = box.findChild<QLabel*>(QStringLiteral("qt_msgbox_label"));
        ASSERT_NE(label, nullptr);
        const QFontMetrics metrics(label->font());
        const QStringList lines = text.split(QStringLiteral("\r\n"));
        int widest = 0;
        for (const QString& line : lines) widest = std::max(widest, metrics.horizontalAdvance(line.trimmed()));
        // As wide as its widest line (a narrower label wraps) and as tall as all of them.
        EXPECT_GE(label->contentsRect().width(), widest);
        EXPECT_GE(label->contentsRect().height(), lines.size() * metrics.height());
        if (factor == 1) basePixels = label->font().pixelSize();
        EXPECT_EQ(label->font().pixelSize(), basePixels * factor) << "the font does not grow with the scene";
        box.buttons().constFirst()->click();
      });
      QtMessageBoxes().show(text, QStringLiteral("Kvizarion"), MsgIcon::Information, buttons);
    }
  }
}

}  // namespace
}  // namespace kvz
