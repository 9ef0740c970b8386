#include "status_bar.h"

#include <QLocale>

namespace pelmora {

namespace {

// Widths in pixels of the stored twips (15 to a pixel, rounded): 1440, 1000 and 800 twips.
constexpr int kSpringMinimumWidth = 96;
constexpr int kFixedPanelWidth = 67;
constexpr int kDateMinimumWidth = 67;
constexpr int kTimeMinimumWidth = 53;
constexpr int kHeight = 25;
constexpr int kRefreshMilliseconds = 1000;

QLabel* inset_panel(QWidget* parent, Qt::Alignment alignment) {
    auto* panel = new QLabel(parent);
    panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    panel->setAlignment(alignment | Qt::AlignVCenter);
    return panel;
}

}  // namespace

StatusBar::StatusBar(Clock clock, QWidget* parent) : QStatusBar(parent), clock_(std::move(clock)) {
    setFixedHeight(kHeight);
    for (std::size_t i = 0; i < panels_.size(); ++i) {
        panels_[i] = inset_panel(this, i < 2 ? Qt::AlignLeft : Qt::AlignHCenter);
    }
    panels_[0]->setMinimumWidth(kSpringMinimumWidth);
    panels_[1]->setFixedWidth(kFixedPanelWidth);
    panels_[2]->setMinimumWidth(kDateMinimumWidth);
    panels_[3]->setMinimumWidth(kTimeMinimumWidth);
    addWidget(panels_[0], 1);
    addPermanentWidget(panels_[1]);
    addPermanentWidget(panels_[2]);
    addPermanentWidget(panels_[3]);
    connect(&timer_, &QTimer::timeout, this, &StatusBar::refresh);
    timer_.start(kRefreshMilliseconds);
    refresh();
}

void StatusBar::refresh() {
    const QDateTime now = clock_();
    panels_[2]->setText(QLocale::system().toString(now.date(), QLocale::ShortFormat));
    panels_[3]->setText(now.time().toString(QStringLiteral("HH:mm")));
}

}  // namespace pelmora
