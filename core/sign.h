#pragma once
// The cyclic sign model every chart is written in: ten upper signs (heavenly
// stems, 1..10), twelve lower signs (earthly branches, 1 = Rat ... 12 = Pig),
// the sixty pillars they pair into, and the five elements both map onto.
//
// A sign is a value of its own type, never a bare number: it steps forward or
// back round its cycle and measures the distance to another sign of the same
// cycle, and nothing else (two stems do not add up to anything). A sign made
// from a number outside its cycle is "no sign", and every table answers "no
// sign" or nothing for it.
#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace vesprin {

// n counted round a cycle of `count` places numbered 1..count (floor-style:
// 0 is count, -1 is count - 1). The one wrap of the sign model.
constexpr int wrapInto(int n, int count) {
  const int r = n % count;
  return r <= 0 ? r + count : r;
}

// A sign of a cycle of N places.
template <int N>
class CyclicSign {
 public:
  static constexpr int kCount = N;

  constexpr CyclicSign() = default;  // no sign
  // The sign numbered n (1..N); any other number makes no sign.
  constexpr explicit CyclicSign(int n) : n_(static_cast<std::int8_t>(n >= 1 && n <= N ? n : 0)) {}
  // The sign n counts to going round the cycle from 1 (n - N, n + N count to the same).
  static constexpr CyclicSign wrapping(int n) { return CyclicSign(wrapInto(n, N)); }

  constexpr bool ok() const { return n_ != 0; }
  constexpr int number() const { return n_; }      // 1..N; 0 for no sign
  constexpr std::size_t index() const { return static_cast<std::size_t>(n_ - 1); }  // of a table of N, when ok()
  // Odd-numbered signs are yang, even-numbered ones yin.
  constexpr bool yang() const { return n_ % 2 == 1; }

  // k steps forward (k < 0: back) round the cycle; no sign stays no sign.
  friend constexpr CyclicSign operator+(CyclicSign s, int k) { return s.ok() ? wrapping(s.n_ + k) : s; }
  friend constexpr CyclicSign operator-(CyclicSign s, int k) { return s + -k; }
  CyclicSign& operator+=(int k) { return *this = *this + k; }
  // One step forward, without a division (the calendar load steps every line).
  constexpr CyclicSign next() const { return n_ == N ? CyclicSign(1) : ok() ? CyclicSign(n_ + 1) : *this; }
  // The steps forward from b to a, 0..N-1 (no sign counts as 0).
  friend constexpr int operator-(CyclicSign a, CyclicSign b) { return wrapInto(a.n_ - b.n_ + 1, N) - 1; }
  friend constexpr bool operator==(CyclicSign, CyclicSign) = default;

 private:
  std::int8_t n_ = 0;
};

using Stem = CyclicSign<10>;
using Branch = CyclicSign<12>;

constexpr int kStemCount = Stem::kCount;
constexpr int kBranchCount = Branch::kCount;

// A table of signs written as their numbers: signs<Branch>(5, 5, 2, ...).
template <class Sign, class... Numbers>
constexpr std::array<Sign, sizeof...(Numbers)> signs(Numbers... n) {
  return {Sign(n)...};
}

// A pillar of the sexagenary cycle: stem and branch of equal parity.
struct Pillar {
  Stem stem;
  Branch branch;

  constexpr Pillar() = default;
  constexpr Pillar(Stem s, Branch b) : stem(s), branch(b) {}
  // From the two numbers a calendar line or a table writes.
  constexpr Pillar(int s, int b) : stem(s), branch(b) {}

  // True for one of the sixty pillars; no sign and mixed parity are not.
  constexpr bool ok() const { return stem.ok() && branch.ok() && stem.yang() == branch.yang(); }
  // k pillars forward (back for k < 0) round the sixty: both signs move k steps.
  friend constexpr Pillar operator+(Pillar p, int k) { return {p.stem + k, p.branch + k}; }
  friend constexpr Pillar operator-(Pillar p, int k) { return p + -k; }
  constexpr Pillar next() const { return {stem.next(), branch.next()}; }
  friend constexpr bool operator==(const Pillar&, const Pillar&) = default;
};

// The five elements in generating order: Wood -> Fire -> Ground -> Gold -> Water -> Wood.
enum class Element : std::uint8_t { None, Wood, Fire, Ground, Gold, Water };

constexpr Element kElements[] = {Element::Wood, Element::Fire, Element::Ground, Element::Gold,
                                 Element::Water};

// Canonical name ("Wood", "Fire", "Ground", "Gold", "Water"); empty for None.
std::string_view elementName(Element e);
// Thai name (ไม้, ไฟ, ดิน, ทอง, น้ำ); empty for None.
std::string_view elementThaiName(Element e);
// The element k steps further along the generating order (k may be negative).
Element elementStep(Element e, int k);
// 0..4 in generating order; -1 for None.
int elementIndex(Element e);

Element StemElement(Stem s);
Element BranchElement(Branch b);
// The element that the stem's element controls (the wealth element of a day stem).
Element ControlledElement(Stem s);
// Treasury branch of a stem; no sign for no stem.
Branch TreasuryBranch(Stem s);
// Hidden stems of a branch in their three fixed slots (first, middle, last);
// no sign where a slot is empty, and in every slot for no branch.
std::array<Stem, 3> HiddenStems(Branch b);
// "Earth" for "Ground", "Metal" for "Gold"; any other text comes back unchanged.
std::string PrintElementName(std::string_view name);

// The stem that branch b carries in a year whose stem is yearStem (the stem of
// month b in that year). Used for every palace pillar built from a branch.
// The Tiger month (branch 3) opens the year with stem 2 x yearStem + 1; the
// Rat and Ox months close it.
constexpr Stem yearStemRule(Stem yearStem, Branch b) {
  return Stem(3) + 2 * (yearStem - Stem(1)) + (b - Branch(3));
}

}  // namespace vesprin
