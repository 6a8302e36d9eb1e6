// Arithmetic faults of the thermal calculations.
//
// Every calculation clears the floating-point exception flags when it starts
// and passes each computed quantity through Checked() before storing it. A
// division by zero, an invalid operation (0/0, the logarithm or square root of
// a negative number) or an overflow then raises EMathError instead of leaving
// a silent infinity or NaN in a result.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>

class EMathError : public std::runtime_error {
public:
    explicit EMathError(const std::string& Msg) : std::runtime_error(Msg) {}
};

// A value the calculation cannot work with (a negative gain, a facade code
// outside its table). Distinct from an arithmetic fault so that callers can
// tell the user which input to correct.
class EInputError : public std::runtime_error {
public:
    explicit EInputError(const std::string& Msg) : std::runtime_error(Msg) {}
};

// Clears the division-by-zero, invalid and overflow flags.
void ClearMathFlags();

// Throws EMathError when one of the three flags is raised (clearing them) or
// when Value is not finite; otherwise returns Value rounded to double. What
// names the quantity for the message, for example "U-värde".
double Checked(long double Value, const char* What);

// Rounds to the nearest whole number, halves to the even neighbour
// (2.5 -> 2, 3.5 -> 4). Raises EMathError when the result does not fit.
int32_t RoundHalfEven(long double Value, const char* What);
