#include <QApplication>

#include "form/engine.h"
#include "qt/engine_library.h"
#include "qt/main_window.h"
#include "qt/message_boxes.h"
#include "qt/translations.h"

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Pelmora"));
    QApplication::setApplicationVersion(QStringLiteral(PELMORA_VERSION));
    // Docks and task switchers find the desktop entry, with its icon and name, by this id: the
    // Wayland app id. On X11 the window's class stays "Pelmora", which the entry names too.
    QGuiApplication::setDesktopFileName(QStringLiteral("jp.example.pelmora"));
    pelmora::install_qt_translations();
    pelmora::ModalMessageBoxes messages;
    pelmora::InstalledLibrary library;
    pelmora::BoundEngine engine(library);
    pelmora::MainWindow window(messages, engine);
    messages.set_owner(&window);
    window.show();
    // Focus, and with it the first box's help, comes with activation; ask for it rather than
    // wait for a window manager that may hand it out late or not at all.
    window.activateWindow();
    return QApplication::exec();
}
