#ifndef PELMORA_FRM_SPLASH_H
#define PELMORA_FRM_SPLASH_H

#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

namespace pelmora {

// frmSplash, the about window: a small fixed panel without a title bar that names the product and
// its maker, the platforms and a version line, and invites comments. It is made afresh for every
// opening, shown modally in the middle of the screen, and closes on its button "閉じる", on a
// click on its frame (not on a label, not on the strip around the frame) and on any key that
// produces a character.
class FrmSplash : public QDialog {
    Q_OBJECT

  public:
    explicit FrmSplash(QWidget* owner);

    // Opens the window modally, centred on the owner's screen; returns once it has closed.
    void open_modally();

    QGroupBox* Frame1 = nullptr;
    QPushButton* Command1 = nullptr;

  protected:
    // The raised edge of a fixed dialog border, which a window without title bar lacks.
    void paintEvent(QPaintEvent* event) override;

    // Every key reaches the window before the button that has the focus.
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void Frame1_Click();
    void Command1_Click();
};

}  // namespace pelmora

#endif
