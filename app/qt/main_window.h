#ifndef PELMORA_MAIN_WINDOW_H
#define PELMORA_MAIN_WINDOW_H

#include <QDateTime>
#include <QHash>
#include <QMainWindow>

#include "form/engine.h"
#include "form/front_end.h"
#include "form/main_form.h"
#include "qt/input_method.h"
#include "qt/message_boxes.h"
#include "qt/status_bar.h"
#include "qt/widgets.h"

namespace pelmora {

// Pelmora_Main in Qt: the stored controls, laid out once and never again, and the Qt side of the
// form's front end. It reports the user's events to the form and carries out what the form asks;
// the rules are the form's. The window keeps no data of its own: its state is its controls'.
class MainWindow : public QMainWindow, public FrontEnd {
    Q_OBJECT

  public:
    static QDateTime system_clock() { return QDateTime::currentDateTime(); }

    MainWindow(MessageBoxes& messages, Engine& engine, StatusBar::Clock clock = system_clock);
    ~MainWindow() override;

    std::u16string text(Control box) const override;
    void set_text(Control box, std::u16string_view text) override;
    void show_start(Control box) override;
    void select_all(Control box) override;
    void mark(Control box, Mark mark) override;
    void set_focus(Control control) override;
    void wake_after_event() override;
    bool commit_composition() override;
    void message_box(std::u16string_view title, std::u16string_view text) override;
    void handle_waiting_events() override;
    void show_page(Control frame) override;
    Control shown_page() const override;
    void select_tab(int index) override;
    void open_about() override;
    void end_program() override;

  protected:
    // Keys, characters, presses and focus moves, reported to the form.
    bool eventFilter(QObject* watched, QEvent* event) override;
    bool focusNextPrevChild(bool next) override;
    void showEvent(QShowEvent* event) override;

  private:
    void add_menu();
    void forward_events();
    void watch(QObject* object, Control control);

    Widgets widgets_;
    InputMethodGuard input_method_;
    MessageBoxes& messages_;
    MainForm form_;
    QHash<const QObject*, Control> watched_;
    // Set while the window writes a box on the form's behalf, so that the box's own change
    // signal is not taken for the user's.
    bool writing_ = false;
    // The key that last went up, and when by the window system's clock.
    int released_key_ = 0;
    quint64 released_at_ = 0;
};

}  // namespace pelmora

#endif
