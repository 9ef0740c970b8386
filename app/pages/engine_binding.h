#ifndef PELMORA_ENGINE_BINDING_H
#define PELMORA_ENGINE_BINDING_H

#include <QLibrary>
#include <QString>
#include <QStringList>
#include <optional>

namespace pelmora {

// What an engine call gives: the engine's answer, or, when the library or its export could not
// be bound, the loader's reason.
struct EngineAnswer {
    std::optional<double> value;
    QString failure;
};

// The traffic engine vantrel, bound by name at the first call of each export; the address found
// is kept for later calls, and a failed binding is tried again at the next call. The library is
// loaded only by an absolute path from the program's own installation, never from the current
// directory or a search path that someone else could plant a library in.
class EngineBinding {
  public:
    // The program's directory, then its library directory relative to it.
    static QStringList installation_directories();

    // Tests point the binding at other directories.
    explicit EngineBinding(QStringList directories = installation_directories());

    EngineAnswer cal_trunk(double A, double p);
    EngineAnswer cal_traffic(double p, double n, double t);

  private:
    // The export's address, or null with the reason in `failure`.
    QFunctionPointer bind(const char* symbol, QString& failure);

    QStringList directories_;
    QLibrary library_;
    QFunctionPointer trunk_ = nullptr;
    QFunctionPointer traffic_ = nullptr;
};

}  // namespace pelmora

#endif
