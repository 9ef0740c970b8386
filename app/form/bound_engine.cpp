#include "form/engine.h"

#include "vantrel.h"

namespace pelmora {

namespace {

// The exports as vantrel.h declares them, calling convention included.
using Trunk = decltype(&::cal_trunk);
using Traffic = decltype(&::cal_traffic);

}  // namespace

bool BoundEngine::bind(const char* name, EngineLibrary::Address& kept, std::u16string& failure) {
    if (kept == nullptr && library_.load(failure)) {
        kept = library_.find(name, failure);
    }
    return kept != nullptr;
}

EngineAnswer BoundEngine::cal_trunk(double A, double p) {
    std::u16string failure;
    if (!bind("cal_trunk", trunk_, failure)) {
        return {std::nullopt, failure};
    }
    return {reinterpret_cast<Trunk>(trunk_)(A, p), {}};
}

EngineAnswer BoundEngine::cal_traffic(double p, double n, double t) {
    std::u16string failure;
    if (!bind("cal_traffic", traffic_, failure)) {
        return {std::nullopt, failure};
    }
    return {reinterpret_cast<Traffic>(traffic_)(p, n, t), {}};
}

}  // namespace pelmora
