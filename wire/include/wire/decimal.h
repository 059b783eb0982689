#pragma once
// Decimal rounding as a display shows amounts: the value taken to 15
// significant digits, then rounded half away from zero on its decimal digits
// (1.005 gives 1.01, although the double is a little below it). Works on
// digits only, so no locale is involved. Client and server round amounts with
// the same function, so both sides agree to the cent.

#include <string>

namespace wire {

struct Decimal {
  std::string integer;  // no leading zeros; empty when the integer part is 0
  std::string fraction; // exactly `decimals` digits
  bool isZero() const { return integer.empty() && fraction.find_first_not_of('0') == std::string::npos; }
};

// The digits of |value| rounded to `decimals` places.
Decimal toDecimal(double value, int decimals);
// The value rounded to `decimals` places; never -0; not-finite values as given.
double roundDecimal(double value, int decimals);

} // namespace wire
