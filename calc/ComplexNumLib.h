// Complex arithmetic for the heat-transfer matrices.
#pragma once

struct COMPLEX {
    double re = 0;
    double im = 0;
};

COMPLEX CAdd(COMPLEX a, COMPLEX b);
COMPLEX CMul(COMPLEX a, COMPLEX b);
// Raises EMathError when b is zero.
COMPLEX CDiv(COMPLEX a, COMPLEX b);
double CAbs(COMPLEX z);
