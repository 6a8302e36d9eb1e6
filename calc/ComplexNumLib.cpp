#include "calc/ComplexNumLib.h"

#include "calc/MathError.h"

#include <cmath>

COMPLEX CAdd(COMPLEX a, COMPLEX b) {
    return {Checked(static_cast<long double>(a.re) + b.re, "komplex addition"),
            Checked(static_cast<long double>(a.im) + b.im, "komplex addition")};
}

COMPLEX CMul(COMPLEX a, COMPLEX b) {
    const long double re = static_cast<long double>(a.re) * b.re - static_cast<long double>(a.im) * b.im;
    const long double im = static_cast<long double>(a.re) * b.im + static_cast<long double>(b.re) * a.im;
    return {Checked(re, "komplex multiplikation"), Checked(im, "komplex multiplikation")};
}

COMPLEX CDiv(COMPLEX a, COMPLEX b) {
    const long double e = static_cast<long double>(b.re) * b.re + static_cast<long double>(b.im) * b.im;
    const long double re = (static_cast<long double>(a.re) * b.re + static_cast<long double>(a.im) * b.im) / e;
    const long double im = (static_cast<long double>(b.re) * a.im - static_cast<long double>(a.re) * b.im) / e;
    return {Checked(re, "komplex division"), Checked(im, "komplex division")};
}

double CAbs(COMPLEX z) {
    const long double re = z.re;
    const long double im = z.im;
    return Checked(std::sqrt(re * re + im * im), "komplext belopp");
}
