#ifndef VANTREL_FP_ENVIRONMENT_H
#define VANTREL_FP_ENVIRONMENT_H

#include <cfenv>
#if defined(__x86_64__)
#include <xmmintrin.h>
#endif

namespace vantrel {

// Runs a scope in the default floating-point environment (round to nearest, subnormals kept,
// no traps) and gives the caller's environment back afterwards. The answers are defined by
// round-to-nearest arithmetic; a host that flushes subnormals or rounds upwards must not change
// them, nor make a search run on for ever.
class DefaultFloatingPointEnvironment {
  public:
    DefaultFloatingPointEnvironment() : changed_(!is_default()) {
        if (changed_) {
            std::fegetenv(&saved_);
            std::fesetenv(FE_DFL_ENV);
        }
    }
    ~DefaultFloatingPointEnvironment() {
        if (changed_) {
            std::fesetenv(&saved_);
        }
    }

    DefaultFloatingPointEnvironment(const DefaultFloatingPointEnvironment&) = delete;
    DefaultFloatingPointEnvironment& operator=(const DefaultFloatingPointEnvironment&) = delete;

  private:
    // Saving and loading a whole environment costs about 200 ns, more than many searches; nearly
    // every caller runs in the default environment already, which on x86-64 (where doubles are
    // computed by SSE alone) shows in the control bits of MXCSR.
    static bool is_default() {
#if defined(__x86_64__)
        constexpr unsigned int kStatusFlags = 0x3f;
        constexpr unsigned int kDefaultControl = 0x1f80;
        return (_mm_getcsr() & ~kStatusFlags) == kDefaultControl;
#else
        return false;
#endif
    }

    bool changed_;
    std::fenv_t saved_{};
};

}  // namespace vantrel

#endif
