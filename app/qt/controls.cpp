#include "qt/controls.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>

#include "form/layout.h"
#include "qt/conversions.h"
#include "qt/fonts.h"
#include "qt/help_panel.h"
#include "qt/qt_text.h"
#include "qt/text_box.h"
#include "qt/twips.h"

namespace pelmora {

namespace {

using layout::Kind;

// Only the tabs and the page border show: the pages are empty and transparent, and the frames and
// the help panel stand above them.
QWidget* tab_strip(QWidget* parent) {
    auto* strip = new QTabWidget(parent);
    for (const layout::Tab& tab : layout::tabs()) {
        const int index = strip->addTab(new QWidget, qt_string(tab.caption));
        strip->setTabToolTip(index, qt_string(tab.tooltip));
    }
    strip->setCurrentIndex(0);
    return strip;
}

QWidget* help_panel(QWidget* parent) {
    auto* panel = new HelpPanel(parent);
    // Not a tab stop: the keyboard goes from the tab strip straight on to the page or the close
    // button, and focus on the panel shows no help of its own.
    panel->setFocusPolicy(Qt::ClickFocus);
    return panel;
}

QWidget* text_box(QWidget* parent) {
    auto* box = new TextBox(parent);
    box->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    box->setMaxLength(layout::kLongestBoxText);
    return box;
}

}  // namespace

QWidget* create_control(layout::Kind kind, std::u16string_view text, layout::Align align,
                        QWidget* parent) {
    const QString caption = qt_string(text);
    switch (kind) {
        case Kind::TabStrip:
            return tab_strip(parent);
        case Kind::Frame:
            return new QGroupBox(caption, parent);
        case Kind::HelpPanel:
            return help_panel(parent);
        case Kind::TextBox:
            return text_box(parent);
        case Kind::Button: {
            auto* button = new QPushButton(caption, parent);
            button->setAutoDefault(false);
            return button;
        }
        case Kind::Label: {
            auto* label = new QLabel(caption, parent);
            label->setAlignment(alignment(align) | Qt::AlignTop);
            return label;
        }
        case Kind::StatusBar:
            break;
    }
    return nullptr;
}

Widgets build_controls(QMainWindow& window, StatusBar::Clock clock) {
    auto* client = new QWidget(&window);
    window.setCentralWidget(client);
    Widgets widgets;
    widgets.set(Control::Pelmora_Main, &window);
    // In creation order, which is also the stacking order.
    for (const layout::Placement& placed : layout::main_window()) {
        QWidget* parent =
            placed.container == Control::Pelmora_Main ? client : widgets.at(placed.container);
        QWidget* widget = placed.kind == Kind::StatusBar
                              ? new StatusBar(clock, &window)
                              : create_control(placed.kind, placed.caption, placed.align, parent);
        widget->setObjectName(QString::fromLatin1(name_of(placed.control)));
        if (placed.kind == Kind::StatusBar) {
            window.setStatusBar(static_cast<StatusBar*>(widget));
        } else {
            widget->setGeometry(pixels(placed.at));
            if (placed.font.points != 0) {
                widget->setFont(font_of(placed.font));
            }
        }
        widgets.set(placed.control, widget);
    }
    return widgets;
}

}  // namespace pelmora
