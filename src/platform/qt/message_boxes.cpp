#include "platform/qt/message_boxes.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QEvent>
#include <QLabel>
#include <QLayout>
#include <QMessageBox>
#include <QPushButton>
#include <QStyle>
#include <algorithm>

#include "assets/drawings/drawing.h"
#include "assets/drawings/style.h"
#include "platform/qt/fonts.h"
#include "platform/qt/form_view.h"
#include "platform/scene_scale.h"

namespace kvz {
namespace {

// The layouts' face at the size of the rules screen's "OK"; the buttons set it bold.
const FontSpec kBoxFont{QStringLiteral("MS Sans Serif"), 9.75, false, false};

// The window a box opens over: the active one, or while the activation is still on its way
// (a box just closed gives it back), the game's window on screen.
QWidget* ownerWindow() {
  QWidget* active = QApplication::activeWindow();
  if (dynamic_cast<FormView*>(active)) return active;
  for (QWidget* window : QApplication::topLevelWidgets())
    if (dynamic_cast<FormView*>(window) && window->isVisible()) return window;
  return active;
}

// The factor of the scene the box opens over: that of the game's window, 1 over any other.
int sceneScaleUnder(const QWidget* owner) {
  const auto* view = dynamic_cast<const FormView*>(owner);
  return view ? view->sceneScale() : 1;
}

// The scene's dark blue with a silver rim, light text; the buttons are blue answer plates,
// orange as a picked plate while pointed at or focused, the default one rimmed gold.
QString styleSheet(int factor) {
  using drawings::PlateState;
  const auto gradient = [](PlateState state) {
    const drawings::Fill fill = drawings::answerFill(state);
    return QStringLiteral("qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 %1, stop:0.5 %2, stop:1 %3)")
        .arg(fill.top.name(), fill.middle.name(), fill.bottom.name());
  };
  const auto px = [factor](int pixels) { return QString::number(pixels * factor) + QStringLiteral("px"); };
  const drawings::Fill blue = drawings::answerFill(PlateState::Normal);
  const drawings::Fill orange = drawings::answerFill(PlateState::Chosen);
  return QStringLiteral(
             "QMessageBox { background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 %1, stop:1 %2);"
             " border: %3 solid %4; }"
             "QMessageBox QLabel { color: %5; background: transparent; }"
             "QMessageBox QPushButton { color: %5; background: %6; border: %3 solid %4; border-radius: %7;"
             " padding: %8 %9; min-width: %10; }"
             "QMessageBox QPushButton:default { border-color: %11; }"
             "QMessageBox QPushButton:hover, QMessageBox QPushButton:focus { background: %12; }"
             "QMessageBox QPushButton:pressed { background: %13; }")
      .arg(blue.bottom.name(), blue.middle.name(), px(2), drawings::colour::kSilver.name(),
           drawings::colour::kSilverLight.name(), gradient(PlateState::Normal), px(11), px(4), px(18))
      .arg(px(64), drawings::colour::kGold.name(), gradient(PlateState::Chosen), orange.middle.name());
}

// The box's own icon at the scene's factor: the style draws it at most 32 px, which over a
// scaled scene is a speck, so the largest it has is enlarged smoothly.
void scaleIcon(QMessageBox& box, int factor) {
  constexpr int kIconSide = 32;
  auto* label = box.findChild<QLabel*>(QStringLiteral("qt_msgboxex_icon_label"));
  if (factor == 1 || !label) return;
  const QStyle::StandardPixmap kind =
      box.icon() == QMessageBox::Question ? QStyle::SP_MessageBoxQuestion : QStyle::SP_MessageBoxInformation;
  const QPixmap largest = box.style()->standardIcon(kind, nullptr, &box).pixmap(kIconSide * factor);
  label->setPixmap(largest.scaled(kIconSide * factor, kIconSide * factor, Qt::KeepAspectRatio, Qt::SmoothTransformation));
}

// Qt wraps a box's text once the box would grow past about 500 px, and breaks it anywhere
// past 1000 px: at 4 x every line of an information box wrapped. These boxes' lines are meant
// whole, so after each of Qt's sizings the box takes their width, as long as it fits the
// scene it opens over (a question folder deeper than that keeps Qt's wrapping), and centres
// itself over that scene again.
class GameMessageBox final : public QMessageBox {
public:
  GameMessageBox(Icon icon, const QString& title, const QString& text, QWidget* owner, int factor)
      : QMessageBox(icon, title, text, NoButton), owner_(owner), widest_(kSceneWidth * factor) {}

protected:
  bool event(QEvent* event) override {
    const bool handled = QMessageBox::event(event);
    switch (event->type()) {
      case QEvent::Show:
      case QEvent::LayoutRequest:
      case QEvent::FontChange:
      case QEvent::StyleChange: unwrap(); break;
      default: break;
    }
    return handled;
  }

private:
  void unwrap() {
    auto* label = findChild<QLabel*>(QStringLiteral("qt_msgbox_label"));
    if (!isVisible() || !label || !label->wordWrap() || !layout()) return;
    // Judged before touching the label: Qt's own sizing, which breaks an over-long line
    // anywhere, stays whole when the lines would not fit.
    const int lines = QFontMetrics(label->font()).boundingRect(QRect(), 0, label->text()).width();
    if (width() - label->width() + lines > widest_) return;
    label->setWordWrap(false);
    layout()->activate();
    setFixedSize(layout()->totalMinimumSize());
    if (owner_) move(owner_->geometry().center() - rect().center());
    // The label's change asked for another layout pass, which would wrap it again.
    QCoreApplication::removePostedEvents(this, QEvent::LayoutRequest);
  }

  QPointer<QWidget> owner_;
  int widest_;
};

}  // namespace

MsgResult QtMessageBoxes::show(const QString& text, const QString& title, MsgIcon icon, MsgButtons buttons) {
  const QPointer<QWidget> owner = ownerWindow();
  const int factor = sceneScaleUnder(owner);
  GameMessageBox box(icon == MsgIcon::Question ? QMessageBox::Question : QMessageBox::Information, title, text, owner,
                     factor);
  box.setWindowModality(Qt::ApplicationModal);
  box.setFont(qtFont(kBoxFont, factor));
  box.setStyleSheet(styleSheet(factor));
  // Some room inside the rim, and the buttons in the middle, as the screens' "OK" is.
  box.setContentsMargins(8 * factor, 4 * factor, 8 * factor, 4 * factor);
  if (auto* row = box.findChild<QDialogButtonBox*>()) row->setCenterButtons(true);
  scaleIcon(box, factor);
  QPushButton* yes = nullptr;
  if (buttons == MsgButtons::Ok) {
    box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
  } else {
    yes = box.addButton(QStringLiteral("Ano"), QMessageBox::YesRole);
    QPushButton* no = box.addButton(QStringLiteral("Ne"), QMessageBox::NoRole);
    box.setDefaultButton(yes);
    // Esc and the close button answer No: leaving the box never does what Yes does.
    box.setEscapeButton(no);
  }
  QFont bold = box.font();
  bold.setBold(true);
  for (QAbstractButton* button : box.buttons()) button->setFont(bold);
  if (owner) {
    QObject::connect(owner, &QObject::destroyed, &box, &QMessageBox::reject);
    box.adjustSize();
    box.move(owner->geometry().center() - box.rect().center());
  }
  open_.emplace_back(&box);
  box.exec();
  std::erase_if(open_, [&box](const QPointer<QMessageBox>& b) { return b.isNull() || b == &box; });
  // The keys go back to the window the box was opened over, if it is still there.
  if (owner && owner->isVisible()) owner->activateWindow();
  if (buttons == MsgButtons::Ok) return MsgResult::Ok;
  return box.clickedButton() == yes ? MsgResult::Yes : MsgResult::No;
}

void QtMessageBoxes::dismiss() {
  for (const QPointer<QMessageBox>& box : open_)
    if (box) box->reject();
}

}  // namespace kvz
