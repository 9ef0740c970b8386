#ifndef PELMORA_WIDGETS_H
#define PELMORA_WIDGETS_H

#include <QWidget>
#include <array>

#include "form/controls.h"

namespace pelmora {

// The main window's widgets, by the design's control names.
class Widgets {
  public:
    QWidget* at(Control control) const {
        return widgets_[static_cast<std::size_t>(index_of(control))];
    }
    void set(Control control, QWidget* widget) {
        widgets_[static_cast<std::size_t>(index_of(control))] = widget;
    }

  private:
    std::array<QWidget*, kControlCount> widgets_{};
};

}  // namespace pelmora

#endif
