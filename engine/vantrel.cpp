#include "vantrel.h"

#include <cerrno>

#include "fp_environment.h"
#include "searches.h"

namespace {

// A call gives the caller's errno back: the C library's log and nextafter set ERANGE on the
// underflows that the searches meet as a matter of course, which are no error of the caller's.
class CallersErrno {
  public:
    CallersErrno() : saved_(errno) {}
    ~CallersErrno() { errno = saved_; }
    CallersErrno(const CallersErrno&) = delete;
    CallersErrno& operator=(const CallersErrno&) = delete;

  private:
    int saved_;
};

}  // namespace

extern "C" {

VANTREL_API double VANTREL_CALL cal_trunk(double A, double p) {
    const CallersErrno callers_errno;
    const vantrel::DefaultFloatingPointEnvironment environment;
    return vantrel::required_lines(A, p);
}

VANTREL_API double VANTREL_CALL cal_traffic(double p, double n, double t) {
    const CallersErrno callers_errno;
    const vantrel::DefaultFloatingPointEnvironment environment;
    return vantrel::processable_calls(p, n, t);
}

}  // extern "C"
