#include "platform/qt/element_views.h"

#include <QAccessible>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QVBoxLayout>
#include <cmath>

#include "assets/picture_texts.h"
#include "platform/qt/picture_set.h"
#include "platform/qt/fonts.h"
#include "platform/qt/text_wrap.h"

namespace kvz {
namespace {

// The text panel's margin around its text, in the scene's pixels (the document's default).
constexpr int kPanelMargin = 4;

QColor toColor(const Rgb& c) { return QColor(c.r, c.g, c.b); }

// The picture as an element shows it: drawn at the fit's picture scale and, where that is not
// the density or the element stretches it, smoothly brought to the device pixels it covers.
// Its ratio is the window's, so it is painted pixel for pixel.
QPixmap shownPicture(const QString& name, const SceneFit& fit, QSize stretchedTo) {
  if (name.isEmpty() || fit.density <= 0) return {};
  const int scale = fit.pictureScale();
  QPixmap drawn = pictureNamed(name, scale);
  if (drawn.isNull()) return drawn;
  const QSizeF scene = stretchedTo.isEmpty() ? QSizeF(drawn.size()) / scale : QSizeF(stretchedTo);
  const QSize device = (scene * fit.density).toSize();
  if (device != drawn.size()) drawn = drawn.scaled(device, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
  drawn.setDevicePixelRatio(fit.ratio);
  return drawn;
}

}  // namespace

int twipsToPixels(int twips) { return static_cast<int>(std::lround(static_cast<double>(twips) / kTwipsPerPixel)); }

QRect toPixels(const Rect& r) {
  return {twipsToPixels(r.left), twipsToPixels(r.top), std::max(0, twipsToPixels(r.width)),
          std::max(0, twipsToPixels(r.height))};
}

void applyCommonState(QWidget& widget, const Element& element, const SceneFit& fit) {
  widget.setGeometry(fit.logical(toPixels(element.geometry())).toAlignedRect());
  // A pointer image is shown pixel for pixel: drawn at the density.
  if (element.pointer() == Pointer::Hand)
    widget.setCursor(handPointer(std::max(1, fit.pictureScale())));
  else
    widget.unsetCursor();
  widget.setVisible(element.visible());
}

PaintedElementView::PaintedElementView(Element& element, const SceneFit& fit, QWidget* parent)
    : QWidget(parent), element_(element), fit_(fit) {
  setAttribute(Qt::WA_NoSystemBackground);
  // A box takes no input: a click on it lands on whatever lies below.
  if (element.kind() == ElementKind::Box) setAttribute(Qt::WA_TransparentForMouseEvents);
  if (element.tabStop()) setFocusPolicy(Qt::StrongFocus);
  // Nobody has read this element yet: its first name is no change to tell.
  if (QAccessible::isActive()) spokenName_ = spokenName(element);
  sync();
}

void PaintedElementView::sync() {
  applyCommonState(*this, element_, fit_);
  const QSize stretch = element_.look().stretch ? toPixels(element_.geometry()).size() : QSize();
  if (element_.picture() != pictureName_ || fit_ != pixmapFit_ || stretch != pixmapStretch_) {
    pictureName_ = element_.picture();
    pixmapFit_ = fit_;
    pixmapStretch_ = stretch;
    pixmap_ = shownPicture(pictureName_, fit_, stretch);
  }
  update();
  // A screen reader hears a new name (a lifeline spent, the next ladder row) as it comes.
  if (QAccessible::isActive()) {
    const QString name = spokenName(element_);
    if (name != spokenName_) {
      spokenName_ = name;
      QAccessibleEvent event(this, QAccessible::NameChanged);
      QAccessible::updateAccessibility(&event);
    }
  }
}

void PaintedElementView::keyPressEvent(QKeyEvent* event) {
  const int key = event->key();
  if (element_.tabStop() && !event->isAutoRepeat() &&
      (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space)) {
    element_.click();
    return;
  }
  QWidget::keyPressEvent(event);
}

QPointF PaintedElementView::exactOffset() const {
  return fit_.logical(toPixels(element_.geometry())).topLeft() - QPointF(pos());
}

void PaintedElementView::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  // Pictures come scaled already: a plain copy, the cheapest way to fill a large screen.
  if (element_.kind() == ElementKind::Picture) {
    if (pixmap_.isNull()) return;
    const QRectF exact(exactOffset(), fit_.logical(toPixels(element_.geometry())).size());
    // Clipped to the element; a picture that fits needs no clip, which keeps the copy plain.
    if (!exact.contains(QRectF(exact.topLeft(), pixmap_.deviceIndependentSize()))) painter.setClipRect(exact);
    painter.drawPixmap(exact.topLeft(), pixmap_);
    return;
  }
  // Drawn in the scene's pixels and scaled as a whole: texts come out at the scaled font
  // size, laid out exactly as at 640 x 480, boxes with outlines a scaled pixel wide.
  painter.translate(exactOffset());
  const double f = fit_.logicalPerScenePixel();
  painter.scale(f, f);
  const QRect area(QPoint(), toPixels(element_.geometry()).size());
  switch (element_.kind()) {
    case ElementKind::Text: paintText(painter, area); break;
    case ElementKind::Box: paintBox(painter, area); break;
    default: break;
  }
}

void PaintedElementView::paintText(QPainter& painter, QRect area) {
  const Look& look = element_.look();
  const int width = area.width();
  const int height = area.height();
  if (!look.transparent) painter.fillRect(area, toColor(look.background));
  if (element_.caption().isEmpty()) return;
  const QFont font = qtFont(look.font);
  painter.setFont(font);
  painter.setPen(toColor(look.foreground));
  if (!look.wordWrap) {
    // One line, clipped at the element's edges; nothing spills onto what lies beside it.
    const QString line = oneLine(element_.caption());
    const qreal w = QFontMetricsF(font).horizontalAdvance(line);
    const qreal x = lineLeft(look.align, width, w);
    painter.setClipRect(area);
    painter.drawText(QRectF(x, 0, std::max<qreal>(w, width) + 1, height),
                     Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, line);
    return;
  }
  const WrappedText wrapped(element_.caption(), font, look.align, width, height);
  painter.setClipRect(area);
  wrapped.draw(painter);
}

void PaintedElementView::paintBox(QPainter& painter, QRect area) {
  const Look& look = element_.look();
  if (look.filled) painter.fillRect(area, toColor(look.background));
  if (look.outlined && !area.isEmpty()) {
    // A one-pixel outline of the scene: four filled strips, a whole square of screen
    // pixels wide at any scale.
    const QColor c = toColor(look.outline);
    const int w = area.width();
    const int h = area.height();
    painter.fillRect(0, 0, w, 1, c);
    painter.fillRect(0, h - 1, w, 1, c);
    painter.fillRect(0, 0, 1, h, c);
    painter.fillRect(w - 1, 0, 1, h, c);
  }
}

void PaintedElementView::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) pressed_ = true;
}

void PaintedElementView::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton || !pressed_) return;
  pressed_ = false;
  if (releaseEndsDoubleClick_) {
    releaseEndsDoubleClick_ = false;
    return;
  }
  if (rect().contains(event->position().toPoint())) element_.click();
}

void PaintedElementView::mouseDoubleClickEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  pressed_ = true;
  releaseEndsDoubleClick_ = true;
  element_.doubleClick();
}

TextPanelView::TextPanelView(Element& element, const SceneFit& fit, QWidget* parent)
    : QPlainTextEdit(parent), element_(element), fit_(fit) {
  setReadOnly(true);
  setFocusPolicy(Qt::NoFocus);
  setTextInteractionFlags(Qt::NoTextInteraction);
  setUndoRedoEnabled(false);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  sync();
}

void TextPanelView::sync() {
  const Look& look = element_.look();
  QPalette pal = palette();
  pal.setColor(QPalette::Base, toColor(look.background));
  pal.setColor(QPalette::Window, toColor(look.background));
  pal.setColor(QPalette::Text, toColor(look.foreground));
  setPalette(pal);
  setFont(qtFont(look.font, fit_.logicalPerScenePixel()));
  document()->setDocumentMargin(kPanelMargin * fit_.logicalPerScenePixel());
  setLineWrapMode(look.wordWrap ? QPlainTextEdit::WidgetWidth : QPlainTextEdit::NoWrap);

  QString text = element_.caption();
  text.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(QLatin1Char('\r'), QLatin1Char('\n'));
  if (text != shown_) {
    if (!shown_.isEmpty() && text.startsWith(shown_)) {
      QTextCursor cursor(document());
      cursor.movePosition(QTextCursor::End);
      cursor.insertText(text.mid(shown_.size()));
    } else {
      setPlainText(text);
    }
    shown_ = text;
    QTextCursor end(document());
    end.movePosition(QTextCursor::End);
    setTextCursor(end);
    ensureCursorVisible();
  }
  applyCommonState(*this, element_, fit_);
}

ButtonView::ButtonView(Element& element, const SceneFit& fit, QWidget* parent)
    : QPushButton(parent), element_(element), fit_(fit) {
  connect(this, &QPushButton::clicked, this, [this] { element_.click(); });
  sync();
}

void ButtonView::sync() {
  setText(element_.caption());
  setFont(qtFont(element_.look().font, fit_.logicalPerScenePixel()));
  setEnabled(element_.enabled());
  applyCommonState(*this, element_, fit_);
}

MediaView::MediaView(Element& element, const SceneFit& fit, QWidget* parent)
    : QWidget(parent), element_(element), fit_(fit) {
  // A video player puts its picture in here; the layout keeps it filling the element.
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  setAutoFillBackground(true);
  QPalette pal = palette();
  pal.setColor(QPalette::Window, Qt::black);
  setPalette(pal);
  sync();
}

void MediaView::sync() { applyCommonState(*this, element_, fit_); }

}  // namespace kvz
