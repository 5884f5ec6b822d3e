#include "app/progress_bar.h"

#include <string>

namespace vesprin {

void drawProgressBar(std::ostream& out, std::size_t done, std::size_t total) {
  constexpr std::size_t kWidth = 40;
  const std::size_t filled = total ? done * kWidth / total : kWidth;
  out << "\r[" << std::string(filled, '#') << std::string(kWidth - filled, '.') << "] " << done << "/"
      << total << (done == total ? "\n" : "") << std::flush;
}

}  // namespace vesprin
