#include "pages/engine_binding.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace pelmora {

namespace {

// Both come from the build: the library's file name (with its version) and where the library
// directory lies relative to the program's.
const QString kLibraryFileName = QStringLiteral(VANTREL_FILE_NAME);
const QString kLibraryDirectoryFromProgram = QStringLiteral(VANTREL_LIBRARY_DIRECTORY);

using Trunk = double (*)(double, double);
using Traffic = double (*)(double, double, double);

}  // namespace

QStringList EngineBinding::installation_directories() {
    const QString program = QCoreApplication::applicationDirPath();
    return {program, QDir::cleanPath(QDir(program).filePath(kLibraryDirectoryFromProgram))};
}

EngineBinding::EngineBinding(QStringList directories) : directories_(std::move(directories)) {}

QFunctionPointer EngineBinding::bind(const char* symbol, QString& failure) {
    if (!library_.isLoaded()) {
        QStringList reasons;
        for (const QString& directory : directories_) {
            const QString path = QDir(directory).absoluteFilePath(kLibraryFileName);
            if (!QFileInfo(path).isAbsolute() || !QFileInfo::exists(path)) {
                reasons << QStringLiteral("%1: not found").arg(path);
                continue;
            }
            library_.setFileName(path);
            if (library_.load()) {
                break;
            }
            reasons << library_.errorString();
        }
        if (!library_.isLoaded()) {
            failure = reasons.join(QLatin1Char('\n'));
            return nullptr;
        }
    }
    const QFunctionPointer address = library_.resolve(symbol);
    if (address == nullptr) {
        // Qt gives no reason of its own here; say it as the dynamic loader would.
        failure = QStringLiteral("%1: undefined symbol: %2")
                      .arg(library_.fileName(), QString::fromLatin1(symbol));
    }
    return address;
}

EngineAnswer EngineBinding::cal_trunk(double A, double p) {
    QString failure;
    if (trunk_ == nullptr) {
        trunk_ = bind("cal_trunk", failure);
    }
    if (trunk_ == nullptr) {
        return {std::nullopt, failure};
    }
    return {reinterpret_cast<Trunk>(trunk_)(A, p), QString()};
}

EngineAnswer EngineBinding::cal_traffic(double p, double n, double t) {
    QString failure;
    if (traffic_ == nullptr) {
        traffic_ = bind("cal_traffic", failure);
    }
    if (traffic_ == nullptr) {
        return {std::nullopt, failure};
    }
    return {reinterpret_cast<Traffic>(traffic_)(p, n, t), QString()};
}

}  // namespace pelmora
