#include "qt/status_bar.h"

#include <QGuiApplication>
#include <QLocale>
#include <QRegularExpression>

#include "form/layout.h"
#include "form/minute_clock.h"
#include "qt/conversions.h"
#include "qt/twips.h"

namespace pelmora {

namespace {

constexpr int kHeight = 25;

// The locale's short time without its seconds, which some locales' short form has ("HH:mm:ss"):
// the clock shows the minute and wakes once a minute.
QString minute_format() {
    static const QRegularExpression seconds(QStringLiteral("[:.]?ss?(\\.z+)?"));
    return QLocale::system().timeFormat(QLocale::ShortFormat).remove(seconds);
}

QLabel* inset_panel(QWidget* parent, const layout::StatusPanel& stored) {
    auto* panel = new QLabel(parent);
    panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    panel->setAlignment(alignment(stored.align) | Qt::AlignVCenter);
    if (stored.fixed_width > 0) {
        panel->setFixedWidth(rounded_pixels(stored.fixed_width));
    } else {
        panel->setMinimumWidth(rounded_pixels(stored.minimum_width));
    }
    return panel;
}

}  // namespace

StatusBar::StatusBar(Clock clock, QWidget* parent) : QStatusBar(parent), clock_(std::move(clock)) {
    setFixedHeight(kHeight);
    const auto stored = layout::status_panels();
    for (std::size_t i = 0; i < panels_.size(); ++i) {
        panels_[i] = inset_panel(this, stored[i]);
        if (stored[i].springs) {
            addWidget(panels_[i], 1);
        } else {
            addPermanentWidget(panels_[i]);
        }
        if (stored[i].content == layout::PanelContent::Date) {
            date_ = panels_[i];
        } else if (stored[i].content == layout::PanelContent::Time) {
            time_ = panels_[i];
        }
    }
    timer_.setSingleShot(true);
    // A coarse timer this long would be rounded to whole seconds and could wake before the minute.
    timer_.setTimerType(Qt::PreciseTimer);
    connect(&timer_, &QTimer::timeout, this, &StatusBar::refresh);
    // The timer does not count a suspended computer's sleep, nor see the clock being set: the
    // user's return to the program puts the clock right at once.
    connect(qGuiApp, &QGuiApplication::applicationStateChanged, this, &StatusBar::refresh);
    refresh();
}

void StatusBar::refresh() {
    const QDateTime now = clock_();
    date_->setText(QLocale::system().toString(now.date(), QLocale::ShortFormat));
    time_->setText(QLocale::system().toString(now.time(), minute_format()));
    timer_.start(milliseconds_to_next_minute(now.time().second(), now.time().msec()));
}

}  // namespace pelmora
