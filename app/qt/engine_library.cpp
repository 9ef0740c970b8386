#include "qt/engine_library.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include "qt/qt_text.h"

namespace pelmora {

// Both come from the build: where the library directory lies relative to the program's, and the
// library's file name (with its version).
QStringList InstalledLibrary::installation_directories() {
    const QString program = QCoreApplication::applicationDirPath();
    return {program,
            QDir::cleanPath(QDir(program).filePath(QStringLiteral(VANTREL_LIBRARY_DIRECTORY)))};
}

InstalledLibrary::InstalledLibrary(QStringList directories)
    : directories_(std::move(directories)) {}

bool InstalledLibrary::load(std::u16string& failure) {
    if (library_.isLoaded()) {
        return true;
    }
    QStringList reasons;
    for (const QString& directory : directories_) {
        const QString path = QDir(directory).absoluteFilePath(QStringLiteral(VANTREL_FILE_NAME));
        if (!QFileInfo(path).isAbsolute() || !QFileInfo::exists(path)) {
            reasons << QStringLiteral("%1: not found").arg(path);
            continue;
        }
        library_.setFileName(path);
        if (library_.load()) {
            return true;
        }
        reasons << library_.errorString();
    }
    failure = utf16(reasons.join(QLatin1Char('\n')));
    return false;
}

EngineLibrary::Address InstalledLibrary::find(const char* name, std::u16string& failure) {
    const QFunctionPointer address = library_.resolve(name);
    if (address == nullptr) {
        // Qt gives no reason of its own here; say it as the dynamic loader would.
        failure = utf16(QStringLiteral("%1: undefined symbol: %2")
                            .arg(library_.fileName(), QString::fromLatin1(name)));
    }
    return address;
}

}  // namespace pelmora
