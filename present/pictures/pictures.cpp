#include "present/pictures/pictures.h"

#include <cctype>

namespace vesprin {
namespace {
std::string named(std::string_view prefix, int k) {
  return std::string(prefix) + std::to_string(k) + ".bmp";
}
}  // namespace

std::string SignNumberPicture(int k) { return named("n", k); }
std::string SignNumberPicture(Stem s) { return named("n", s.number()); }
std::string SignNumberPicture(Branch b) { return named("n", b.number()); }
std::string StemPicture(Stem s) { return named("o", s.number()); }
std::string BranchPicture(Branch b) { return named("b", b.number()); }
std::string CapitalPicture(Stem s) { return named("O", s.number()); }
std::string CapitalPicture(Branch b) { return named("B", b.number()); }
std::string CapitalNumberPicture(Branch b) { return named("N", b.number()); }
std::string SmallStemPicture(int k) { return named("os", k); }
std::string SmallStemPicture(Stem s) { return named("os", s.number()); }
std::string SmallBranchPicture(int k) { return named("bs", k); }
std::string SmallBranchPicture(Branch b) { return named("bs", b.number()); }

std::string ElementPicture(std::string_view elementName) {
  std::string name = "e";
  for (char c : elementName) name += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return name + ".bmp";
}

std::string ElementPicture(Element e) { return ElementPicture(elementName(e)); }

std::string UncertainPicture(std::string_view name) {
  std::string s(name);
  const auto dot = s.rfind(".bmp");
  if (dot != std::string::npos) s.insert(dot, "_");
  return s;
}

}  // namespace vesprin
