/* The public header compiles as C and the library links from C, called directly and through the
 * header's function types. */
#include <stdio.h>
#include <string.h>

#include "vantrel.h"

int main(void) {
    const vantrel_trunk_function trunk = cal_trunk;
    const vantrel_traffic_function traffic = cal_traffic;
    const double lines = trunk(10, 0.01);
    const double calls = traffic(0.01, 10, 3);
    if (cal_trunk(10, 0.01) != lines || strcmp(VANTREL_VERSION, "1.0.0.1") != 0) {
        printf("cal_trunk differs through its type, or the version is %s\n", VANTREL_VERSION);
        return 1;
    }
    if (lines != 17.44999999999993 || calls != 90) {
        printf("cal_trunk(10, 0.01) = %.17g, cal_traffic(0.01, 10, 3) = %.17g\n", lines, calls);
        return 1;
    }
    return 0;
}
