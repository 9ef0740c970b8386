#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "driver.h"
#include "form/contrast.h"
#include "form/layout.h"
#include "form/texts.h"

namespace pelmora::conformance {

namespace {

std::string name(Control control) {
    return std::string(name_of(control));
}

std::string shown(Rgb colour) {
    return std::to_string(colour.red) + "," + std::to_string(colour.green) + "," +
           std::to_string(colour.blue);
}

std::vector<Control> boxes() {
    std::vector<Control> found;
    for (const layout::Placement& placed : layout::main_window()) {
        if (placed.kind == layout::Kind::TextBox) {
            found.push_back(placed.control);
        }
    }
    return found;
}

void titled_and_sized_as_stored(Driver& driver) {
    EXPECT_TRUE(driver.caption() == layout::kMainCaption);
    const int per_pixel = layout::kTwipsPerPixelAt96Dpi;
    EXPECT_EQ(driver.client(), (Rect{0, 0, layout::kMainClientArea.width / per_pixel,
                                     layout::kMainClientArea.height / per_pixel}));
}

void tabs_carry_their_captions_and_tooltips(Driver& driver) {
    std::vector<std::u16string> captions;
    std::vector<std::u16string> tooltips;
    for (const layout::Tab& tab : layout::tabs()) {
        captions.emplace_back(tab.caption);
        tooltips.emplace_back(tab.tooltip);
    }
    EXPECT_EQ(driver.tab_captions(), captions);
    EXPECT_EQ(driver.tab_tooltips(), tooltips);
}

void resizing_moves_only_the_status_bar(Driver& driver) {
    std::vector<Rect> before;
    for (const layout::Placement& placed : layout::main_window()) {
        before.push_back(driver.place(placed.control));
    }
    const int spring = driver.status_widths().at(0);
    driver.resize(200, 100);
    const Rect client = driver.client();
    std::size_t i = 0;
    for (const layout::Placement& placed : layout::main_window()) {
        const Rect now = driver.place(placed.control);
        if (placed.kind == layout::Kind::StatusBar) {
            EXPECT_EQ(now.top + now.height, client.height);
            EXPECT_EQ(now.width, client.width);
        } else {
            EXPECT_EQ(now, before[i]) << name(placed.control);
        }
        ++i;
    }
    EXPECT_EQ(driver.status_widths().at(0), spring + 200);
}

void boxes_take_a_million_characters(Driver& driver) {
    for (const Control box : boxes()) {
        EXPECT_EQ(driver.text_limit(box), 1'000'000) << name(box);
    }
}

// The form runs the reactions of its own writes itself; an echo of one would run them twice.
void only_the_users_edits_reach_the_form(Driver& driver) {
    driver.write(Control::Text3, u"5");
    EXPECT_TRUE(driver.text(Control::Text3) == u"5");
    EXPECT_TRUE(driver.text(Control::Text11).empty());
    driver.click(Control::Text3);
    driver.press(Key::End);
    driver.type(u"7");
    EXPECT_TRUE(driver.text(Control::Text11) == u"57");
    driver.press(Key::Backspace);
    EXPECT_TRUE(driver.text(Control::Text11) == u"5");
    // A refused text written by the program is no edit: no message comes of it.
    driver.write(Control::Text7, u"5");
    EXPECT_TRUE(driver.messages().empty());
    EXPECT_TRUE(driver.text(Control::Text9).empty());
}

// As far as wine shows it, a box is named by its label's caption; Windows' annotation service and
// Qt name it without the colon.
void screen_readers_name_every_box_by_its_label(Driver& driver) {
    for (const Control box : boxes()) {
        const auto label = layout::label_of(box);
        if (!label) {
            continue;
        }
        const std::u16string heard = driver.screen_reader_name(box);
        EXPECT_TRUE(heard == layout::placement_of(*label).caption ||
                    heard == texts::screen_reader_name(box))
            << name(box) << ": " << std::string(heard.begin(), heard.end());
    }
}

// The date in the user's own short form and the time to the minute; the other panels stay empty.
void the_status_bar_shows_the_clocks_date_and_time(Driver& driver) {
    const std::vector<std::u16string> at_22_09 = driver.status_texts();
    EXPECT_EQ(at_22_09[0], u"");
    EXPECT_EQ(at_22_09[1], u"");
    EXPECT_EQ(at_22_09[2], driver.short_date(2004, 6, 25));
    EXPECT_NE(at_22_09[3].find(u"09"), std::u16string::npos);
    driver.set_clock(2004, 6, 25, 22, 9, 59);
    EXPECT_EQ(driver.status_texts(), at_22_09) << "the seconds show";
    driver.set_clock(2004, 6, 26, 0, 1);
    const std::vector<std::u16string> at_00_01 = driver.status_texts();
    EXPECT_EQ(at_00_01[2], driver.short_date(2004, 6, 26));
    EXPECT_NE(at_00_01[3], at_22_09[3]);
    EXPECT_NE(at_00_01[3].find(u"01"), std::u16string::npos);
}

void the_about_window_opens_modal_over_the_main_window(Driver& driver) {
    const Driver::AboutLook look = driver.about_look();
    EXPECT_FALSE(look.title_bar);
    EXPECT_TRUE(look.owned);
    EXPECT_TRUE(look.main_blocked);
    EXPECT_TRUE(look.focus_on_button);
    std::vector<std::u16string> stored;
    for (const layout::AboutPlacement& placed : layout::about_window()) {
        if (placed.kind == layout::Kind::Label) {
            stored.emplace_back(placed.caption);
        }
    }
    EXPECT_EQ(look.texts, stored);
}

void the_about_window_stands_in_the_middle_of_the_work_area(Driver& driver) {
    const Driver::AboutLook look = driver.about_look();
    const auto middle = [](int start, int length) { return start + length / 2; };
    EXPECT_NEAR(middle(look.window.left, look.window.width),
                middle(look.work_area.left, look.work_area.width), 1);
    EXPECT_NEAR(middle(look.window.top, look.window.height),
                middle(look.work_area.top, look.work_area.height), 1);
}

// The window keeps the theme's face; the two names keep their blue where it reads on it and take
// the theme's text colour where it would not.
void about_names_on(Driver& driver, Rgb face, Rgb text, Rgb product_name) {
    driver.use_theme(face, text);
    const Driver::AboutLook look = driver.about_look();
    EXPECT_EQ(shown(look.face), shown(face));
    ASSERT_EQ(look.names.size(), 2U);
    EXPECT_EQ(shown(look.names[1]), shown(product_name));
    for (const Rgb name : look.names) {
        EXPECT_TRUE(readable_on(name, look.face)) << shown(name) << " on " << shown(look.face);
    }
}

void the_about_windows_names_keep_their_blue_on_a_light_theme(Driver& driver) {
    about_names_on(driver, {240, 240, 240}, {0, 0, 0}, {0, 0, 255});
}

void the_about_windows_names_read_on_a_dark_theme(Driver& driver) {
    about_names_on(driver, {40, 40, 40}, {230, 230, 230}, {230, 230, 230});
}

}  // namespace

const std::vector<Invariant>& invariants() {
    static const std::vector<Invariant> all = {
        {"titled_and_sized_as_stored", &titled_and_sized_as_stored},
        {"tabs_carry_their_captions_and_tooltips", &tabs_carry_their_captions_and_tooltips},
        {"resizing_moves_only_the_status_bar", &resizing_moves_only_the_status_bar},
        {"boxes_take_a_million_characters", &boxes_take_a_million_characters},
        {"only_the_users_edits_reach_the_form", &only_the_users_edits_reach_the_form},
        {"screen_readers_name_every_box_by_its_label", &screen_readers_name_every_box_by_its_label},
        {"the_status_bar_shows_the_clocks_date_and_time",
         &the_status_bar_shows_the_clocks_date_and_time},
        {"the_about_window_opens_modal_over_the_main_window",
         &the_about_window_opens_modal_over_the_main_window},
        {"the_about_window_stands_in_the_middle_of_the_work_area",
         &the_about_window_stands_in_the_middle_of_the_work_area},
        {"the_about_windows_names_keep_their_blue_on_a_light_theme",
         &the_about_windows_names_keep_their_blue_on_a_light_theme},
        {"the_about_windows_names_read_on_a_dark_theme",
         &the_about_windows_names_read_on_a_dark_theme},
        {"random_input_of_seed_1", [](Driver& driver) { random_input(driver, 1); }},
        {"random_input_of_seed_2", [](Driver& driver) { random_input(driver, 2); }},
        {"random_input_of_seed_3", [](Driver& driver) { random_input(driver, 3); }},
    };
    return all;
}

}  // namespace pelmora::conformance
