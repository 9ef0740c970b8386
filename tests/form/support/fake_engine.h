#ifndef PELMORA_TESTS_FAKE_ENGINE_H
#define PELMORA_TESTS_FAKE_ENGINE_H

#include <charconv>
#include <optional>
#include <string>
#include <vector>

#include "form/engine.h"

// An engine that answers what the test says, or fails to bind with the test's reason, and
// remembers its calls ("cal_trunk(10, 0.01)"). Its calls go into the window's log, if given one,
// so that a test sees them among the form's requests.
class FakeEngine : public pelmora::Engine {
  public:
    explicit FakeEngine(std::vector<std::string>* log = nullptr) : log_(log) {}

    pelmora::EngineAnswer cal_trunk(double A, double p) override {
        return answer("cal_trunk(" + text(A) + ", " + text(p) + ")");
    }
    pelmora::EngineAnswer cal_traffic(double p, double n, double t) override {
        return answer("cal_traffic(" + text(p) + ", " + text(n) + ", " + text(t) + ")");
    }

    double value = 0;
    std::optional<std::u16string> failure;
    std::vector<std::string> calls;

  private:
    // The shortest text that reads back as the value.
    static std::string text(double x) {
        char buffer[32];
        return {buffer, std::to_chars(buffer, buffer + sizeof buffer, x).ptr};
    }

    pelmora::EngineAnswer answer(const std::string& call) {
        calls.push_back(call);
        if (log_ != nullptr) {
            log_->push_back("engine " + call);
        }
        if (failure) {
            return {std::nullopt, *failure};
        }
        return {value, {}};
    }

    std::vector<std::string>* log_;
};

#endif
