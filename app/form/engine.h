#ifndef PELMORA_FORM_ENGINE_H
#define PELMORA_FORM_ENGINE_H

#include <optional>
#include <string>

namespace pelmora {

// What an engine call gives: the engine's answer, or, when the library or its export could not be
// bound, no answer and the loader's reason.
struct EngineAnswer {
    std::optional<double> value;
    std::u16string failure;
};

// The traffic engine vantrel, as the pages call it.
class Engine {
  public:
    virtual ~Engine() = default;

    virtual EngineAnswer cal_trunk(double A, double p) = 0;
    virtual EngineAnswer cal_traffic(double p, double n, double t) = 0;
};

// The engine's library file, as a platform finds and loads it.
class EngineLibrary {
  public:
    using Address = void (*)();

    virtual ~EngineLibrary() = default;

    // Loads the library unless it is loaded already; false, with the loader's reason, when it
    // cannot be loaded.
    virtual bool load(std::u16string& failure) = 0;

    // The address of an export of the loaded library; null, with the reason, when it has none.
    virtual Address find(const char* name, std::u16string& failure) = 0;
};

// The engine bound by name: each export is looked up at its first call and its address kept for
// later calls; a binding that failed is tried again at the next call.
class BoundEngine final : public Engine {
  public:
    explicit BoundEngine(EngineLibrary& library) : library_(library) {}

    EngineAnswer cal_trunk(double A, double p) override;
    EngineAnswer cal_traffic(double p, double n, double t) override;

  private:
    // Whether `kept` holds the export's address, binding it now if need be.
    bool bind(const char* name, EngineLibrary::Address& kept, std::u16string& failure);

    EngineLibrary& library_;
    EngineLibrary::Address trunk_ = nullptr;
    EngineLibrary::Address traffic_ = nullptr;
};

}  // namespace pelmora

#endif
