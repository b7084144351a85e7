// A fade channel as IEEE 754 double arithmetic grades it, worked out with
// integers alone: step = d / n, then x * step, then + start, each rounded to
// the nearest double (ties to even), then to the nearest integer (ties to
// even). The tests check the fade against it on whatever floating-point unit
// runs them, the x87 one included, without trusting that unit themselves.
#pragma once

#include <cstdint>
#include <utility>

namespace quillon::testing {

// An unsigned 128-bit integer, enough for the products and sums below.
struct Wide {
  std::uint64_t high = 0, low = 0;

  friend bool operator<(const Wide& a, const Wide& b) { return a.high != b.high ? a.high < b.high : a.low < b.low; }
  friend bool operator==(const Wide& a, const Wide& b) = default;
  friend Wide operator+(const Wide& a, const Wide& b) {
    const std::uint64_t low = a.low + b.low;
    return {a.high + b.high + (low < a.low ? 1 : 0), low};
  }
  friend Wide operator-(const Wide& a, const Wide& b) {  // a >= b
    return {a.high - b.high - (a.low < b.low ? 1 : 0), a.low - b.low};
  }
  Wide Shifted(int left) const {  // a negative count shifts right
    if (left >= 128 || left <= -128) return {};
    if (left >= 64) return {low << (left - 64), 0};
    if (left > 0) return {(high << left) | (low >> (64 - left)), low << left};
    if (left <= -64) return {0, high >> (-left - 64)};
    if (left < 0) return {high >> -left, (low >> -left) | (high << (64 + left))};
    return *this;
  }
  int BitLength() const {
    int bits = 0;
    for (Wide v = *this; !(v == Wide{}); v = v.Shifted(-1)) ++bits;
    return bits;
  }
  bool Odd() const { return low & 1; }
};

inline Wide Times(std::uint64_t a, std::uint32_t b) {
  const Wide low{0, (a & 0xFFFFFFFFu) * b};
  const Wide high = Wide{0, (a >> 32) * b}.Shifted(32);
  return low + high;
}

// value * 2^exponent, value below 2^53 once rounded; value 0 is zero.
struct Binary {
  bool negative = false;
  Wide value;
  int exponent = 0;
};

// Rounds to 53 significant bits, ties to even.
inline Binary RoundToDouble(Binary b) {
  const int extra = b.value.BitLength() - 53;
  if (extra <= 0) return b;
  const Wide kept = b.value.Shifted(-extra);
  const Wide dropped = b.value - kept.Shifted(extra);
  const Wide half = Wide{0, 1}.Shifted(extra - 1);
  Wide rounded = kept;
  if (half < dropped || (dropped == half && kept.Odd())) rounded = rounded + Wide{0, 1};
  b.value = rounded;
  b.exponent += extra;
  return RoundToDouble(b);  // a carry past 53 bits rounds once more, exactly
}

// The nearest integer, ties to even.
inline std::int64_t RoundToInteger(const Binary& b) {
  std::int64_t magnitude;
  if (b.exponent >= 0) {
    magnitude = static_cast<std::int64_t>(b.value.Shifted(b.exponent).low);
  } else {
    const Wide whole = b.value.Shifted(b.exponent);
    const Wide dropped = b.value - whole.Shifted(-b.exponent);
    const Wide half = Wide{0, 1}.Shifted(-b.exponent - 1);
    magnitude = static_cast<std::int64_t>(whole.low);
    if (half < dropped || (dropped == half && whole.Odd())) ++magnitude;
  }
  return b.negative ? -magnitude : magnitude;
}

// start + x * ((end - start) / n), graded as the fade grades it.
inline std::int64_t ExactChannel(int start, int end, std::uint32_t n, std::uint32_t x) {
  const int difference = end - start;
  // The step: long division, one quotient bit at a time, until 53 bits and
  // a remainder decide the rounding.
  Binary step{difference < 0, {}, 0};
  std::uint64_t quotient = static_cast<std::uint64_t>(difference < 0 ? -difference : difference) / n;
  std::uint64_t remainder = static_cast<std::uint64_t>(difference < 0 ? -difference : difference) % n;
  if (quotient != 0 || remainder != 0) {
    while (quotient < (std::uint64_t{1} << 52)) {
      quotient = quotient * 2 + (remainder * 2 >= n ? 1 : 0);
      remainder = remainder * 2 >= n ? remainder * 2 - n : remainder * 2;
      --step.exponent;
    }
    // Past 53 bits only the first dropped bit and whether any follow count.
    const bool up = remainder * 2 > n || (remainder * 2 == n && (quotient & 1));
    step.value = Wide{0, quotient + (up ? 1 : 0)};
    step = RoundToDouble(step);
  }
  // The product, rounded.
  Binary product{step.negative, Times(step.value.low, x), step.exponent};
  product = RoundToDouble(product);
  // The sum with the start, exact on a common exponent, then rounded.
  const int exponent = product.exponent < 0 ? product.exponent : 0;
  const Wide scaledStart = Wide{0, static_cast<std::uint64_t>(start)}.Shifted(-exponent);
  const Wide scaledProduct = product.value.Shifted(product.exponent - exponent);
  Binary sum{false, {}, exponent};
  if (!product.negative) {
    sum.value = scaledStart + scaledProduct;
  } else if (scaledProduct < scaledStart) {
    sum.value = scaledStart - scaledProduct;
  } else {
    sum.negative = true;
    sum.value = scaledProduct - scaledStart;
  }
  return RoundToInteger(RoundToDouble(sum));
}

}  // namespace quillon::testing
