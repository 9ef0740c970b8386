/* The public header compiles as C and the library links from C. */
#include <stdio.h>

#include "vantrel.h"

int main(void) {
    const double lines = cal_trunk(10, 0.01);
    const double calls = cal_traffic(0.01, 10, 3);
    if (lines != 17.44999999999993 || calls != 90) {
        printf("cal_trunk(10, 0.01) = %.17g, cal_traffic(0.01, 10, 3) = %.17g\n", lines, calls);
        return 1;
    }
    return 0;
}
