#pragma once

// The weights of Tandrel Optimal's matching: whole numbers wide enough for four goals
// stacked one above the other (bouts short of the minimum, bouts outside the
// tolerances, bouts beyond the wanted maximum, total fit, then display order), each
// worth more than everything below it can add up to. For 10,000 wrestlers that needs
// about 2^95, past a 64-bit integer, hence 128 bits.

#include <cstdint>
#include <limits>

namespace kestrio::pairing {

class Weight {
 public:
  __extension__ typedef __int128 Raw;

  constexpr Weight() = default;
  constexpr Weight(long long v) : v_(v) {}  // NOLINT: weights mix freely with counts
  static constexpr Weight FromRaw(Raw v) {
    Weight w;
    w.v_ = v;
    return w;
  }
  constexpr Raw raw() const { return v_; }
  // The value when it fits a double (for display and tests).
  double ToDouble() const { return static_cast<double>(v_); }

  friend constexpr Weight operator+(Weight a, Weight b) { return FromRaw(a.v_ + b.v_); }
  friend constexpr Weight operator-(Weight a, Weight b) { return FromRaw(a.v_ - b.v_); }
  friend constexpr Weight operator*(Weight a, Weight b) { return FromRaw(a.v_ * b.v_); }
  friend constexpr Weight operator/(Weight a, Weight b) { return FromRaw(a.v_ / b.v_); }
  constexpr Weight operator-() const { return FromRaw(-v_); }
  constexpr Weight& operator+=(Weight b) {
    v_ += b.v_;
    return *this;
  }
  constexpr Weight& operator-=(Weight b) {
    v_ -= b.v_;
    return *this;
  }
  friend constexpr bool operator==(Weight a, Weight b) { return a.v_ == b.v_; }
  friend constexpr bool operator!=(Weight a, Weight b) { return a.v_ != b.v_; }
  friend constexpr bool operator<(Weight a, Weight b) { return a.v_ < b.v_; }
  friend constexpr bool operator>(Weight a, Weight b) { return a.v_ > b.v_; }
  friend constexpr bool operator<=(Weight a, Weight b) { return a.v_ <= b.v_; }
  friend constexpr bool operator>=(Weight a, Weight b) { return a.v_ >= b.v_; }

 private:
  Raw v_ = 0;
};

}  // namespace kestrio::pairing

// The matching library asks the weight type whether it is a whole number (its duals are
// then kept four times larger, exactly) and for its largest value.
template <>
struct std::numeric_limits<kestrio::pairing::Weight> {
  static constexpr bool is_specialized = true;
  static constexpr bool is_integer = true;
  static constexpr bool is_signed = true;
  static constexpr kestrio::pairing::Weight max() {
    using Raw = kestrio::pairing::Weight::Raw;
    return kestrio::pairing::Weight::FromRaw(((Raw(1) << 126) - 1) * 2 + 1);
  }
  static constexpr kestrio::pairing::Weight lowest() { return -max(); }
  static constexpr kestrio::pairing::Weight min() { return -max(); }
};
