#include "vantrel.h"

#include "fp_environment.h"
#include "searches.h"

extern "C" {

VANTREL_API double VANTREL_CALL cal_trunk(double A, double p) {
    const vantrel::DefaultFloatingPointEnvironment environment;
    return vantrel::required_lines(A, p);
}

VANTREL_API double VANTREL_CALL cal_traffic(double p, double n, double t) {
    const vantrel::DefaultFloatingPointEnvironment environment;
    return vantrel::processable_calls(p, n, t);
}

}  // extern "C"
