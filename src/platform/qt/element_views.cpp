#include "platform/qt/element_views.h"

#include <QAccessible>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QTextLayout>
#include <QVBoxLayout>
#include <cmath>

#include "assets/picture_texts.h"
#include "platform/qt/picture_set.h"
#include "platform/qt/fonts.h"

namespace kvz {
namespace {

// The text panel's margin around its text, in the scene's pixels (the document's default).
constexpr int kPanelMargin = 4;

QColor toColor(const Rgb& c) { return QColor(c.r, c.g, c.b); }

// Left edge of a line of the given width in a box of the given width. A line too wide for
// its box starts at the left edge, so the start of the text stays readable.
qreal lineLeft(Align align, qreal boxWidth, qreal lineWidth) {
  if (lineWidth >= boxWidth) return 0;
  switch (align) {
    case Align::Center: return (boxWidth - lineWidth) / 2;
    case Align::Right: return boxWidth - lineWidth;
    case Align::Left: break;
  }
  return 0;
}

// Line breaks in a caption as the text layout knows them; a CR LF pair is one break.
QString withLineSeparators(QString text) {
  text.replace(QStringLiteral("\r\n"), QString(QChar::LineSeparator));
  text.replace(QLatin1Char('\r'), QChar::LineSeparator);
  text.replace(QLatin1Char('\n'), QChar::LineSeparator);
  return text;
}

// The picture as an element shows it at the scene's scale on a screen of that density (the
// desktop's own scale factor, rounded up): drawn at both together, or smoothly stretched from
// there to the element. The pixmap's ratio is the density, so it is painted at the scene's size.
QPixmap scaledPicture(const QString& name, int scale, int density, QSize stretchedTo) {
  if (name.isEmpty()) return {};
  QPixmap drawn = pictureNamed(name, scale * density);
  if (!drawn.isNull() && !stretchedTo.isEmpty())
    drawn = drawn.scaled(stretchedTo * density, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
  drawn.setDevicePixelRatio(density);
  return drawn;
}

}  // namespace

int twipsToPixels(int twips) { return static_cast<int>(std::lround(static_cast<double>(twips) / kTwipsPerPixel)); }

QRect toPixels(const Rect& r) {
  return {twipsToPixels(r.left), twipsToPixels(r.top), std::max(0, twipsToPixels(r.width)),
          std::max(0, twipsToPixels(r.height))};
}

void applyCommonState(QWidget& widget, const Element& element, int scale) {
  const QRect r = toPixels(element.geometry());
  widget.setGeometry(r.x() * scale, r.y() * scale, r.width() * scale, r.height() * scale);
  if (element.pointer() == Pointer::Hand)
    widget.setCursor(handPointer(scale));
  else
    widget.unsetCursor();
  widget.setVisible(element.visible());
}

PaintedElementView::PaintedElementView(Element& element, const SceneScale& scale, QWidget* parent)
    : QWidget(parent), element_(element), scale_(scale) {
  setAttribute(Qt::WA_NoSystemBackground);
  // A box takes no input: a click on it lands on whatever lies below.
  if (element.kind() == ElementKind::Box) setAttribute(Qt::WA_TransparentForMouseEvents);
  if (element.tabStop()) setFocusPolicy(Qt::StrongFocus);
  // Nobody has read this element yet: its first name is no change to tell.
  if (QAccessible::isActive()) spokenName_ = spokenName(element);
  sync();
}

void PaintedElementView::sync() {
  applyCommonState(*this, element_, scale_.factor);
  const QSize shown = element_.look().stretch ? size() : QSize();
  const int density = static_cast<int>(std::ceil(devicePixelRatioF()));
  if (element_.picture() != pictureName_ || scale_.factor != pixmapScale_ || density != pixmapDensity_ ||
      shown != pixmapSize_) {
    pictureName_ = element_.picture();
    pixmapScale_ = scale_.factor;
    pixmapDensity_ = density;
    pixmapSize_ = shown;
    pixmap_ = scaledPicture(pictureName_, pixmapScale_, density, shown);
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

void PaintedElementView::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  // Pictures come scaled already: a plain copy, the cheapest way to fill a large screen.
  if (element_.kind() == ElementKind::Picture) {
    if (!pixmap_.isNull()) painter.drawPixmap(0, 0, pixmap_);  // clipped to the element
    return;
  }
  // Drawn in the scene's pixels and scaled as a whole: texts come out at the scaled font
  // size, laid out exactly as at 640 x 480, boxes with outlines a scaled pixel wide.
  const int f = scale_.factor;
  painter.scale(f, f);
  const QRect area(0, 0, width() / f, height() / f);
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
    QString line = element_.caption();
    line.replace(QLatin1Char('\r'), QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1Char(' '));
    const qreal w = QFontMetricsF(font).horizontalAdvance(line);
    const qreal x = lineLeft(look.align, width, w);
    painter.setClipRect(area);
    painter.drawText(QRectF(x, 0, std::max<qreal>(w, width) + 1, height),
                     Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, line);
    return;
  }
  // Wrapped at word boundaries within the width; only the lines that fit whole in the
  // height are drawn (the first one always, clipped if the element is lower than a line).
  QTextLayout layout(withLineSeparators(element_.caption()), font);
  // Lines are placed by hand (lineLeft), so the layout itself aligns nothing.
  QTextOption option(Qt::AlignLeft);
  option.setWrapMode(QTextOption::WordWrap);
  layout.setTextOption(option);
  layout.beginLayout();
  qreal y = 0;
  int placed = 0;
  while (true) {
    QTextLine line = layout.createLine();
    if (!line.isValid()) break;
    line.setLineWidth(width);
    if (line.lineNumber() > 0 && y + line.height() > height) break;
    line.setPosition(QPointF(lineLeft(look.align, width, line.naturalTextWidth()), y));
    y += line.height();
    ++placed;
  }
  layout.endLayout();
  painter.setClipRect(area);
  // The line that did not fit was made but never placed: it would sit at the top.
  for (int i = 0; i < placed; ++i) layout.lineAt(i).draw(&painter, QPointF(0, 0));
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

TextPanelView::TextPanelView(Element& element, const SceneScale& scale, QWidget* parent)
    : QPlainTextEdit(parent), element_(element), scale_(scale) {
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
  setFont(qtFont(look.font, scale_.factor));
  document()->setDocumentMargin(kPanelMargin * scale_.factor);
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
  applyCommonState(*this, element_, scale_.factor);
}

ButtonView::ButtonView(Element& element, const SceneScale& scale, QWidget* parent)
    : QPushButton(parent), element_(element), scale_(scale) {
  connect(this, &QPushButton::clicked, this, [this] { element_.click(); });
  sync();
}

void ButtonView::sync() {
  setText(element_.caption());
  setFont(qtFont(element_.look().font, scale_.factor));
  setEnabled(element_.enabled());
  applyCommonState(*this, element_, scale_.factor);
}

MediaView::MediaView(Element& element, const SceneScale& scale, QWidget* parent)
    : QWidget(parent), element_(element), scale_(scale) {
  // A video player puts its picture in here; the layout keeps it filling the element.
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  setAutoFillBackground(true);
  QPalette pal = palette();
  pal.setColor(QPalette::Window, Qt::black);
  setPalette(pal);
  sync();
}

void MediaView::sync() { applyCommonState(*this, element_, scale_.factor); }

}  // namespace kvz
