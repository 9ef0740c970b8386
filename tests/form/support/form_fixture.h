#ifndef PELMORA_TESTS_FORM_FIXTURE_H
#define PELMORA_TESTS_FORM_FIXTURE_H

#include <gtest/gtest.h>

#include <string>

#include "form/main_form.h"
#include "form/texts.h"
#include "support/fake_engine.h"
#include "support/memory_window.h"

// The form over an in-memory window and a fake engine, started as the program starts it.
class FormTest : public testing::Test {
  protected:
    using Control = pelmora::Control;
    using Mark = pelmora::Mark;

    FormTest() {
        window.attach(form);
        form.Form_Load();
        window.take_log();
    }

    std::u16string& text(Control box) {
        return window.texts[static_cast<std::size_t>(index_of(box))];
    }
    Mark mark(Control box) const { return window.marks[static_cast<std::size_t>(index_of(box))]; }

    static std::u16string help(Control control) {
        return pelmora::texts::help_text(control).value();
    }

    MemoryWindow window;
    FakeEngine engine{&window.log};
    pelmora::MainForm form{window, engine};
};

// Test names for the design's controls.
inline std::string control_name(pelmora::Control control) {
    return std::string(pelmora::name_of(control));
}

#endif
