#ifndef PELMORA_ABOUT_WINDOW_H
#define PELMORA_ABOUT_WINDOW_H

#include <QDialog>
#include <QGroupBox>
#include <QPushButton>

#include "form/front_end.h"
#include "form/main_form.h"

namespace pelmora {

// frmSplash in Qt: the about window, a small fixed panel without a title bar, made afresh for
// every opening and shown modally in the middle of the screen. It reports its button, clicks on
// its frame and the characters of key presses to the form, which decides when it closes.
class AboutWindow : public QDialog, public AboutFrontEnd {
    Q_OBJECT

  public:
    explicit AboutWindow(QWidget* owner);

    // Opens the window modally, centred on the owner's screen; returns once it has closed.
    void open_modally();

    void unload() override;

    QGroupBox* frame() const { return frame_; }
    QPushButton* button() const { return button_; }

  protected:
    // The raised edge of a fixed dialog border, which a window without title bar lacks.
    void paintEvent(QPaintEvent* event) override;

    // The window system asks the window to close (Alt+F4 under a window manager that gives it
    // one): the form decides, as for every other closing action.
    void closeEvent(QCloseEvent* event) override;

    // Every key reaches the window before the button that has the focus.
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    AboutForm form_;
    QGroupBox* frame_ = nullptr;
    QPushButton* button_ = nullptr;
};

}  // namespace pelmora

#endif
