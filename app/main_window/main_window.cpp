#include "main_window/main_window.h"

#include <QIcon>
#include <QMenuBar>

#include "about/frm_splash.h"
#include "common/qt_text.h"
#include "main_window/accessibility.h"
#include "main_window/enter_navigation.h"
#include "main_window/enter_on_button.h"
#include "main_window/help_on_focus.h"
#include "main_window/layout.h"
#include "main_window/linked_boxes.h"
#include "pages/offered_traffic_page.h"
#include "pages/processable_calls_page.h"
#include "pages/required_lines_page.h"

namespace pelmora {

namespace {

// The client area below the menu bar, in pixels: 8535 by 5580 twips.
constexpr int kClientWidth = 569;
constexpr int kClientHeight = 372;

}  // namespace

PelmoraMain::PelmoraMain(MessageBoxes& messages, EngineBinding& engine, StatusBar::Clock clock)
    : c_(build_main_window(*this, std::move(clock))) {
    setObjectName(QStringLiteral("Pelmora_Main"));
    setWindowTitle(qt("呼損率の計算"));
    setWindowIcon(QIcon(QStringLiteral(":/resources/pelmora.ico")));

    QMenu* help = menuBar()->addMenu(QStringLiteral("Help"));
    help->setObjectName(QStringLiteral("help"));
    QAction* about = help->addAction(QStringLiteral("About"));
    about->setObjectName(QStringLiteral("about"));
    connect(about, &QAction::triggered, this, &PelmoraMain::about_Click);

    new HelpOnFocus(c_.Text1,
                    {c_.Text2, c_.Text3, c_.Text4, c_.Text5, c_.Text6, c_.Text7, c_.Text8, c_.Text9,
                     c_.Text10, c_.Text11, c_.Text12, c_.Command1, c_.Command2, c_.Command3});
    new EnterNavigation(this, {{c_.Text2, c_.Text3},
                               {c_.Text3, c_.Text4},
                               {c_.Text4, c_.Command1},
                               {c_.Text6, c_.Text7},
                               {c_.Text7, c_.Command2},
                               {c_.Text9, c_.Text10},
                               {c_.Text10, c_.Text11},
                               {c_.Text11, c_.Command3}});
    new EnterOnButton(this, {c_.Command1, c_.Command2, c_.Command3, c_.Command4});
    describe_for_screen_readers(c_);
    new LinkedBoxes(c_, messages, this);
    new OfferedTrafficPage(c_, messages, this);
    new RequiredLinesPage(c_, messages, engine, this);
    new ProcessableCallsPage(c_, messages, engine, this);
    connect(c_.TabStrip1, &QTabWidget::currentChanged, this, &PelmoraMain::TabStrip1_Click);
    connect(c_.Command4, &QPushButton::clicked, this, &PelmoraMain::Command4_Click);

    start_up();
    resize(kClientWidth, menuBar()->sizeHint().height() + kClientHeight);
}

void PelmoraMain::start_up() {
    c_.Text1->setText(QString());
    for (QLineEdit* box : {c_.Text2, c_.Text3, c_.Text4, c_.Text5, c_.Text6, c_.Text7, c_.Text8,
                           c_.Text9, c_.Text10, c_.Text11, c_.Text12}) {
        box->setText(QString());
    }
    show_only(c_.Frame1);
    c_.TabStrip1->setCurrentIndex(0);
    // The lowest tab index that takes focus; its focus reaction shows its help once the window is
    // shown.
    c_.Text2->setFocus();
}

void PelmoraMain::show_only(QGroupBox* page) {
    for (QGroupBox* frame : {c_.Frame1, c_.Frame2, c_.Frame3}) {
        frame->setVisible(frame == page);
    }
}

void PelmoraMain::TabStrip1_Click() {
    c_.Text1->setText(QString());
    const QString caption = c_.TabStrip1->tabText(c_.TabStrip1->currentIndex());
    if (caption == qt("アーラン")) {
        show_only(c_.Frame1);
        c_.Text2->setFocus(Qt::OtherFocusReason);
    } else if (caption == qt("必要回線数")) {
        show_only(c_.Frame2);
        c_.Text6->setFocus(Qt::OtherFocusReason);
    } else if (caption == qt("処理可能呼数")) {
        show_only(c_.Frame3);
        c_.Text9->setFocus(Qt::OtherFocusReason);
    }
}

void PelmoraMain::Command4_Click() {
    close();
}

void PelmoraMain::about_Click() {
    FrmSplash splash(this);
    splash.open_modally();
    // Take the keyboard back, with the focus where it was, rather than rely on the window
    // system to hand it over.
    activateWindow();
}

}  // namespace pelmora
