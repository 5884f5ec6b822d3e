#include "interpret/stars.h"

namespace vesprin {
namespace {

// เทียงเต็ก by the month branch: an upper sign (stem) or a lower one (branch).
struct TianDe {
  bool upper;
  int number;
};
constexpr std::array<TianDe, 12> kTianDe = {{{false, 6},
                                             {true, 7},
                                             {true, 4},
                                             {false, 9},
                                             {true, 9},
                                             {true, 8},
                                             {false, 12},
                                             {true, 1},
                                             {true, 10},
                                             {false, 3},
                                             {true, 3},
                                             {true, 2}}};

// ง้วยเต็ก: one upper sign for each group of three month branches that lie
// four apart (3, 7, 11 / 4, 8, 12 / 5, 9, 1 / 6, 10, 2), indexed by branch mod 4.
constexpr auto kYueDe = signs<Stem>(1, 9, 7, 3);

// เทียงอิก: two lower signs by the day stem, the stems paired as listed.
constexpr std::array<std::array<Branch, 2>, 10> kTianYi = {
    {signs<Branch>(2, 8), signs<Branch>(1, 9), signs<Branch>(12, 10), signs<Branch>(12, 10),
     signs<Branch>(2, 8), signs<Branch>(1, 9), signs<Branch>(3, 7), signs<Branch>(3, 7),
     signs<Branch>(4, 6), signs<Branch>(4, 6)}};

// บุ่งเชียง: a lower sign by the day stem.
constexpr auto kWenChang = signs<Branch>(6, 7, 9, 10, 9, 10, 12, 1, 3, 4);

// เทียงอุย stands eight branches on from the month.
constexpr int kTianYiUiSteps = 8;

}  // namespace

Stem yueDeStem(Branch m) { return m.ok() ? kYueDe[static_cast<std::size_t>(m.number() % 4)] : Stem{}; }

Branch wenChangBranch(Stem d) { return d.ok() ? kWenChang[d.index()] : Branch{}; }

StarSigns FindStarSigns(Branch m, Stem d) {
  StarSigns s;
  if (m.ok()) {
    const TianDe tg = kTianDe[m.index()];
    s.tianDe.upper = tg.upper;
    if (tg.upper) s.tianDe.stem = Stem(tg.number);
    else s.tianDe.branch = Branch(tg.number);
    s.yueDe = yueDeStem(m);
    s.tianYiUi = m + kTianYiUiSteps;
  }
  if (d.ok()) {
    s.tianYi = kTianYi[d.index()];
    s.wenChang = wenChangBranch(d);
  }
  return s;
}

}  // namespace vesprin
