#ifndef VANTREL_FP_ENVIRONMENT_H
#define VANTREL_FP_ENVIRONMENT_H

// GCC and Clang on x86-64 (Linux and MinGW alike) reach the processor's floating-point state
// directly: doubles are computed by SSE, whose controls and flags are all in MXCSR, and the x87
// unit only matters for the flags a library function may raise there. The C library's <cfenv> is
// not used: MinGW's default environment leaves MXCSR as it was.
//
// On 32-bit x86 (MinGW, 32-bit Windows callers) doubles are computed by SSE2 as well, but the C
// library's functions such as log still compute in the x87 unit, and the compiler converts 64-bit
// integers (the grids' indices) to doubles through it, all under its precision and rounding
// controls, which callers set as they please (53-bit precision in Office and MSVC programs, 64 in
// MinGW ones). There every call saves the x87 environment, sets the x87 controls of its own and
// loads the caller's environment back on return.
#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
#define VANTREL_FP_X86_64 1
#define VANTREL_FP_X86_32 0
#include <xmmintrin.h>
#elif defined(__i386__) && defined(__SSE2_MATH__) && (defined(__GNUC__) || defined(__clang__))
#define VANTREL_FP_X86_64 0
#define VANTREL_FP_X86_32 1
#include <xmmintrin.h>
#else
#define VANTREL_FP_X86_64 0
#define VANTREL_FP_X86_32 0
#include <cfenv>
#endif

namespace vantrel {

// Runs a scope in the default floating-point environment (round to nearest, subnormals kept, no
// traps) and gives the caller's environment back afterwards, exception flags included. The
// answers are defined by round-to-nearest arithmetic; a host that flushes subnormals, rounds
// upwards or traps on invalid operations must not change them, nor make a search run on for ever.
// And a call must leave no trace in the caller's flags: its arithmetic is inexact, compares NaN
// and takes the logarithm of 0 as a matter of course, none of which is an error of the caller's.
class DefaultFloatingPointEnvironment {
  public:
    DefaultFloatingPointEnvironment() {
#if VANTREL_FP_X86_32
        mxcsr_ = _mm_getcsr();
        // Stores the x87 environment and masks every x87 exception; then the engine's controls.
        asm volatile("fnstenv %0" : "=m"(x87_));
        asm volatile("fldcw %0" : : "m"(kEngineX87Control));
        _mm_setcsr(kDefaultControl);
#elif VANTREL_FP_X86_64
        mxcsr_ = _mm_getcsr();
        if ((mxcsr_ & ~kStatusFlags) != kDefaultControl || !x87_quiet()) {
            whole_ = true;
            // Stores the x87 environment and masks every x87 exception.
            asm volatile("fnstenv %0" : "=m"(x87_));
            _mm_setcsr(kDefaultControl);
        }
#else
        std::fegetenv(&saved_);
        std::fesetenv(FE_DFL_ENV);
#endif
    }

    ~DefaultFloatingPointEnvironment() {
#if VANTREL_FP_X86_32
        // Loading the environment empties the x87 registers, where a 32-bit function returns its
        // double: declared clobbered, so that the answer is loaded into them only afterwards.
        asm volatile("fldenv %0"
                     :
                     : "m"(x87_)
                     : "st", "st(1)", "st(2)", "st(3)", "st(4)", "st(5)", "st(6)", "st(7)");
        _mm_setcsr(mxcsr_);
#elif VANTREL_FP_X86_64
        if (whole_) {
            asm volatile("fldenv %0" : : "m"(x87_));
        } else if (!x87_quiet()) {
            // The x87 flags were clear on entry and every x87 trap masked.
            asm volatile("fnclex");
        }
        _mm_setcsr(mxcsr_);
#else
        std::fesetenv(&saved_);
#endif
    }

    DefaultFloatingPointEnvironment(const DefaultFloatingPointEnvironment&) = delete;
    DefaultFloatingPointEnvironment& operator=(const DefaultFloatingPointEnvironment&) = delete;

  private:
#if VANTREL_FP_X86_32
    static constexpr unsigned int kDefaultControl = 0x1f80;
    // Every x87 exception masked, 64-bit precision, round to nearest.
    static constexpr unsigned short kEngineX87Control = 0x037f;

    // The x87 environment as fnstenv stores it in 32-bit protected mode.
    struct X87Environment {
        unsigned char bytes[28];
    };

    unsigned int mxcsr_ = 0;
    X87Environment x87_{};
#elif VANTREL_FP_X86_64
    // Nearly every caller runs with the default SSE controls, every x87 trap masked and no x87
    // flag raised. Then reading MXCSR and the two x87 words on entry and writing MXCSR back on
    // return take a few nanoseconds; otherwise the x87 environment is saved and loaded as well.
    // (The x87 precision and rounding controls differ between Linux and Windows and decide no
    // answer: doubles never pass through the x87 unit here.)
    static constexpr unsigned int kStatusFlags = 0x3f;
    static constexpr unsigned int kDefaultControl = 0x1f80;
    static constexpr unsigned short kX87Exceptions = 0x3f;

    // No x87 flag raised and every x87 trap masked.
    static bool x87_quiet() {
        unsigned short status = 0;
        unsigned short control = 0;
        asm volatile("fnstsw %0" : "=m"(status));
        asm volatile("fnstcw %0" : "=m"(control));
        return (status & kX87Exceptions) == 0 && (control & kX87Exceptions) == kX87Exceptions;
    }

    // The x87 environment as fnstenv stores it in 64-bit mode.
    struct X87Environment {
        unsigned char bytes[28];
    };

    unsigned int mxcsr_ = 0;
    bool whole_ = false;
    X87Environment x87_{};
#else
    // Elsewhere (MSVC, other processors) the standard functions are the only portable access,
    // and the whole environment is saved and restored at every call.
    std::fenv_t saved_{};
#endif
};

}  // namespace vantrel

#endif
