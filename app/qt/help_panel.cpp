#include "qt/help_panel.h"

#include <QEvent>
#include <QImage>
#include <QPainter>
#include <QRegion>

namespace pelmora {

HelpPanel::HelpPanel(QWidget* parent) : QPlainTextEdit(parent) {
    setTabChangesFocus(true);
    setLineWrapMode(QPlainTextEdit::WidgetWidth);
}

QString HelpPanel::text() const {
    return toPlainText().replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
}

void HelpPanel::setText(const QString& text) {
    setPlainText(QString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
}

// The style strokes the frame along the panel's edges, half of each line outside the panel. At a
// fractional scale the panel and its viewport start and end at rounded device pixels, which can
// leave the top and bottom lines outside the panel or under the viewport. A filled rectangle is
// rounded to the same device pixels as a widget, so the style's frame, drawn at one pixel per
// logical pixel, is filled in again pixel by pixel around the viewport: at scale 1 over the same
// pixels, and at any other scale over exactly the device pixels that the viewport leaves free.
bool HelpPanel::event(QEvent* event) {
    const bool handled = QPlainTextEdit::event(event);
    if (event->type() == QEvent::Paint) {
        QImage frame(size(), QImage::Format_ARGB32);
        frame.fill(Qt::transparent);
        QPainter style_painter(&frame);
        drawFrame(&style_painter);
        style_painter.end();
        QPainter painter(this);
        for (const QRect& strip : QRegion(rect()).subtracted(contentsRect())) {
            for (int y = strip.top(); y <= strip.bottom(); ++y) {
                for (int x = strip.left(); x <= strip.right(); ++x) {
                    painter.fillRect(QRect(x, y, 1, 1), frame.pixelColor(x, y));
                }
            }
        }
    }
    return handled;
}

}  // namespace pelmora
