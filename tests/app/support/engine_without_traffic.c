/* A library with the engine's file name that exports only cal_trunk: the program must report the
   missing export instead of calling it. Its answer, 42, shows that it was this file that loaded. */
double cal_trunk(double A, double p) {
    (void)A;
    (void)p;
    return 42;
}
