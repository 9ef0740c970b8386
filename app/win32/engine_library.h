#ifndef PELMORA_WIN32_ENGINE_LIBRARY_H
#define PELMORA_WIN32_ENGINE_LIBRARY_H

#include <windows.h>

#include <string>

#include "form/engine.h"

namespace pelmora {

// vantrel.dll from the program's own folder, loaded by its full path only: never from the current
// folder or the search path, where someone could plant a DLL beside a document.
class DllLibrary final : public EngineLibrary {
  public:
    // The folder of the running program.
    static std::wstring program_folder();

    // Tests point the loader at other folders.
    explicit DllLibrary(std::wstring folder = program_folder());
    ~DllLibrary() override;
    DllLibrary(const DllLibrary&) = delete;
    DllLibrary& operator=(const DllLibrary&) = delete;

    bool load(std::u16string& failure) override;
    Address find(const char* name, std::u16string& failure) override;

  private:
    std::wstring path_;
    HMODULE module_ = nullptr;
};

}  // namespace pelmora

#endif
