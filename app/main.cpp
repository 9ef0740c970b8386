#include <QApplication>

#include "common/message_boxes.h"
#include "main_window/main_window.h"
#include "pages/engine_binding.h"

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Pelmora"));
    QApplication::setApplicationVersion(QStringLiteral(PELMORA_VERSION));
    pelmora::ModalMessageBoxes messages;
    pelmora::EngineBinding engine;
    pelmora::PelmoraMain window(messages, engine);
    messages.set_owner(&window);
    window.show();
    // Focus, and with it the first box's help, comes with activation; ask for it rather than
    // wait for a window manager that may hand it out late or not at all.
    window.activateWindow();
    return QApplication::exec();
}
