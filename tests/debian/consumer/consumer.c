/* A program written against the installed engine: 10 erlangs at a loss probability of 0.01 need
 * the grid's 17.44999999999993 lines, to the bit. */
#include <stdio.h>
#include <vantrel.h>

int main(void) {
    double lines = cal_trunk(10.0, 0.01);
    printf("cal_trunk(10, 0.01) = %.17g\n", lines);
    return lines == 17.44999999999993 ? 0 : 1;
}
