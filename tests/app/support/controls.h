#ifndef PELMORA_TESTS_CONTROLS_H
#define PELMORA_TESTS_CONTROLS_H

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>

#include "form/controls.h"
#include "form/texts.h"
#include "qt/help_panel.h"
#include "qt/qt_text.h"
#include "qt/status_bar.h"

// The main window's widgets as a test reaches them: by their object names, the design's names.
struct Controls {
    explicit Controls(const QWidget* window) : window_(window) {}

    template <class Widget>
    Widget* find(const char* name) const {
        return window_->findChild<Widget*>(QString::fromLatin1(name));
    }

    const QWidget* window_;
    QTabWidget* TabStrip1 = find<QTabWidget>("TabStrip1");
    QGroupBox* Frame1 = find<QGroupBox>("Frame1");
    QGroupBox* Frame2 = find<QGroupBox>("Frame2");
    QGroupBox* Frame3 = find<QGroupBox>("Frame3");
    pelmora::HelpPanel* Text1 = find<pelmora::HelpPanel>("Text1");
    QPushButton* Command4 = find<QPushButton>("Command4");
    pelmora::StatusBar* StatusBar1 = find<pelmora::StatusBar>("StatusBar1");
    QLabel* Label1 = find<QLabel>("Label1");
    QLineEdit* Text2 = find<QLineEdit>("Text2");
    QLineEdit* Text3 = find<QLineEdit>("Text3");
    QLineEdit* Text4 = find<QLineEdit>("Text4");
    QPushButton* Command1 = find<QPushButton>("Command1");
    QLineEdit* Text5 = find<QLineEdit>("Text5");
    QLineEdit* Text6 = find<QLineEdit>("Text6");
    QLineEdit* Text7 = find<QLineEdit>("Text7");
    QPushButton* Command2 = find<QPushButton>("Command2");
    QLineEdit* Text8 = find<QLineEdit>("Text8");
    QLineEdit* Text9 = find<QLineEdit>("Text9");
    QLineEdit* Text10 = find<QLineEdit>("Text10");
    QLineEdit* Text11 = find<QLineEdit>("Text11");
    QPushButton* Command3 = find<QPushButton>("Command3");
    QLineEdit* Text12 = find<QLineEdit>("Text12");
};

// The design's control of that name.
inline pelmora::Control control_named(const QString& name) {
    for (int i = 0; i < pelmora::kControlCount; ++i) {
        if (name == QLatin1String(pelmora::name_of(pelmora::Control(i)).data(),
                                  qsizetype(pelmora::name_of(pelmora::Control(i)).size()))) {
            return pelmora::Control(i);
        }
    }
    return pelmora::Control::Pelmora_Main;
}

// The help text that the control's focus reaction shows; every one of them is checked
// character for character in the form's tests.
inline QString help_of(const QString& control) {
    return pelmora::qt_string(pelmora::texts::help_text(control_named(control)).value_or(u""));
}

#endif
