#ifndef PELMORA_CONTROLS_H
#define PELMORA_CONTROLS_H

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>

#include "main_window/help_panel.h"
#include "main_window/status_bar.h"

namespace pelmora {

// The main window's controls, named as in the window's design so that a reaction reads like the
// design: Text7 is the loss-probability box of the required-lines page wherever it appears.
struct Controls {
    QTabWidget* TabStrip1 = nullptr;
    QGroupBox* Frame1 = nullptr;
    QGroupBox* Frame2 = nullptr;
    QGroupBox* Frame3 = nullptr;
    HelpPanel* Text1 = nullptr;
    QPushButton* Command4 = nullptr;
    StatusBar* StatusBar1 = nullptr;

    // Offered-traffic page, Frame1.
    QLabel* Label1 = nullptr;
    QLineEdit* Text2 = nullptr;
    QLabel* Label2 = nullptr;
    QLineEdit* Text3 = nullptr;
    QLabel* Label3 = nullptr;
    QLineEdit* Text4 = nullptr;
    QPushButton* Command1 = nullptr;
    QLabel* Label4 = nullptr;
    QLineEdit* Text5 = nullptr;

    // Required-lines page, Frame2.
    QLabel* Label5 = nullptr;
    QLineEdit* Text6 = nullptr;
    QLabel* Label6 = nullptr;
    QLineEdit* Text7 = nullptr;
    QPushButton* Command2 = nullptr;
    QLabel* Label7 = nullptr;
    QLineEdit* Text8 = nullptr;

    // Processable-calls page, Frame3.
    QLabel* Label8 = nullptr;
    QLineEdit* Text9 = nullptr;
    QLabel* Label9 = nullptr;
    QLineEdit* Text10 = nullptr;
    QLabel* Label10 = nullptr;
    QLineEdit* Text11 = nullptr;
    QPushButton* Command3 = nullptr;
    QLabel* Label11 = nullptr;
    QLineEdit* Text12 = nullptr;
};

}  // namespace pelmora

#endif
