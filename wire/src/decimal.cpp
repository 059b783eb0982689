#include <wire/decimal.h>

#include <algorithm>
#include <charconv>
#include <cmath>

namespace wire {

Decimal toDecimal(double value, int decimals)
{
  // "d.dddddddddddddde+XX": 15 significant digits, correctly rounded.
  char buffer[40];
  const auto written =
      std::to_chars(buffer, buffer + sizeof buffer, std::fabs(value), std::chars_format::scientific, 14);
  const char *const begin = buffer;
  const char *const end = written.ptr;
  const char *const e = std::find(begin, end, 'e');
  std::string digits;
  digits.reserve(size_t(std::max(0, decimals)) + 32);
  digits.push_back(buffer[0]);
  digits.append(begin + 2, e);

  const char *exponentText = e + 1;
  const bool negativeExponent = *exponentText == '-';
  if (*exponentText == '+' || *exponentText == '-')
    ++exponentText;
  int exponent = 0;
  std::from_chars(exponentText, end, exponent);
  if (negativeExponent)
    exponent = -exponent;

  // The first digit has the weight 10^exponent: `point` digits stand before
  // the decimal point once the small values are padded with leading zeros.
  int point = exponent + 1;
  if (point <= 0) {
    digits.insert(0, size_t(1 - point), '0');
    point = 1;
  }
  const size_t keep = size_t(point) + size_t(std::max(0, decimals));
  if (digits.size() < keep + 1)
    digits.resize(keep + 1, '0');
  const bool up = digits[keep] >= '5';
  digits.resize(keep);
  if (up) {
    size_t i = keep;
    while (i > 0 && digits[i - 1] == '9')
      digits[--i] = '0';
    if (i == 0) {
      digits.insert(digits.begin(), '1');
      ++point;
    } else {
      ++digits[i - 1];
    }
  }

  Decimal result;
  result.integer = digits.substr(0, size_t(point));
  result.integer.erase(0, std::min(result.integer.find_first_not_of('0'), result.integer.size()));
  result.fraction = digits.substr(size_t(point));
  return result;
}

double roundDecimal(double value, int decimals)
{
  if (!std::isfinite(value))
    return value;
  const Decimal d = toDecimal(value, decimals);
  if (d.isZero())
    return 0.0; // also turns -0 into 0
  std::string text;
  if (value < 0)
    text.push_back('-');
  text += d.integer.empty() ? std::string("0") : d.integer;
  text.push_back('.');
  text += d.fraction;
  double result = 0.0;
  std::from_chars(text.data(), text.data() + text.size(), result);
  return result;
}

} // namespace wire
