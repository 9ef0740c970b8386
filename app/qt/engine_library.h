#ifndef PELMORA_ENGINE_LIBRARY_H
#define PELMORA_ENGINE_LIBRARY_H

#include <QLibrary>
#include <QStringList>

#include "form/engine.h"

namespace pelmora {

// The engine's library file of the program's own installation, loaded only by an absolute path,
// never from the current directory or a search path that someone else could plant a library in.
class InstalledLibrary final : public EngineLibrary {
  public:
    // The program's directory, then its library directory relative to it.
    static QStringList installation_directories();

    // Tests point the loader at other directories.
    explicit InstalledLibrary(QStringList directories = installation_directories());

    bool load(std::u16string& failure) override;
    Address find(const char* name, std::u16string& failure) override;

  private:
    QStringList directories_;
    QLibrary library_;
};

}  // namespace pelmora

#endif
