#ifndef PELMORA_TESTS_MEMORY_WINDOW_H
#define PELMORA_TESTS_MEMORY_WINDOW_H

#include <array>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "form/front_end.h"
#include "form/layout.h"
#include "form/main_form.h"

// A front end that keeps the window in memory and logs every request of the form, in order. Like a
// real toolkit it reports a focus move to the form (a move to the control that has the focus
// already is none), and the user's actions below as a toolkit reports them: the characters typed
// before the box takes them, the edit after. What the form leaves for after an event runs once the
// user's action is over.
class MemoryWindow : public pelmora::FrontEnd {
  public:
    using Control = pelmora::Control;
    using Mark = pelmora::Mark;

    struct Message {
        std::u16string title;
        std::u16string text;
    };

    void attach(pelmora::MainForm& form) { form_ = &form; }

    // What the form asks.
    std::u16string text(Control box) const override { return texts[at(box)]; }
    void set_text(Control box, std::u16string_view text) override {
        log.push_back("write " + name(box));
        texts[at(box)] = text;
        at_start[at(box)] = false;
    }
    void show_start(Control box) override { at_start[at(box)] = true; }
    void select_all(Control box) override { selected = box; }
    void mark(Control box, Mark mark) override {
        log.push_back("mark " + name(box) + (mark == Mark::Accepted ? " white" : " red"));
        marks[at(box)] = mark;
    }
    void set_focus(Control control) override {
        log.push_back("focus " + name(control));
        move_focus(control);
    }
    void message_box(std::u16string_view title, std::u16string_view text) override {
        log.push_back("message");
        messages.push_back({std::u16string(title), std::u16string(text)});
        if (while_message) {
            while_message();
        }
    }
    // What the form leaves for after an event runs once the user's action is over.
    void wake_after_event() override {}
    bool commit_composition() override { return false; }
    void handle_waiting_events() override { log.push_back("waiting events"); }
    void show_page(Control frame) override {
        log.push_back("page " + name(frame));
        page = frame;
    }
    Control shown_page() const override { return page; }
    void select_tab(int index) override {
        form_->TabStrip1_Click(pelmora::layout::tabs()[static_cast<std::size_t>(index)].caption);
    }
    void open_about() override { log.push_back("about"); }
    void end_program() override { log.push_back("end"); }

    // What the user does.
    void focus(Control control) { move_focus(control); }
    void type(Control box, std::u16string_view typed) {
        focus(box);
        for (const char16_t ch : typed) {
            if (ch == u'\r') {
                form_->KeyDown(box, {pelmora::input::Key::Enter, {}, false});
            } else if (!form_->Character(box, ch)) {
                texts[at(box)] += ch;
                at_start[at(box)] = false;
                form_->Change(box);
            }
            end_event();
        }
    }
    // Any other edit: a deletion, a paste over the whole text.
    void edit(Control box, std::u16string_view text) {
        focus(box);
        texts[at(box)] = text;
        at_start[at(box)] = false;
        form_->Change(box);
        end_event();
    }
    void press_enter(Control box) {
        focus(box);
        press({pelmora::input::Key::Enter, {}, false});
    }
    void press_tab(bool backward = false) {
        press({pelmora::input::Key::Tab, {.shift = backward}, false});
    }
    // A key pressed where the focus is; answers whether the form took it.
    bool press(const pelmora::input::KeyDown& key) {
        const bool taken = form_->KeyDown(focused, key);
        end_event();
        return taken;
    }
    void click(Control button) {
        focus(button);
        form_->Click(button);
    }

    // Runs what the form left for after the event.
    void end_event() { form_->EventOver(); }

    // The log since the last call.
    std::vector<std::string> take_log() { return std::exchange(log, {}); }

    std::array<std::u16string, pelmora::kControlCount> texts;
    std::array<Mark, pelmora::kControlCount> marks{};
    // Whether a box was last asked to show its start, and the box last selected whole.
    std::array<bool, pelmora::kControlCount> at_start{};
    Control selected = Control::Pelmora_Main;
    Control focused = Control::Pelmora_Main;
    Control page = Control::Pelmora_Main;
    std::vector<Message> messages;
    std::vector<std::string> log;
    std::function<void()> while_message;

  private:
    static std::size_t at(Control control) { return static_cast<std::size_t>(index_of(control)); }
    static std::string name(Control control) { return std::string(pelmora::name_of(control)); }

    void move_focus(Control control) {
        if (focused != control) {
            const Control left = std::exchange(focused, control);
            if (left != Control::Pelmora_Main) {
                form_->FocusLeft(left, pelmora::input::FocusTarget::ThisWindow);
            }
            form_->GotFocus(control);
        }
    }

    pelmora::MainForm* form_ = nullptr;
};

#endif
