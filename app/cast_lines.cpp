#include "app/cast_lines.h"

#include <algorithm>
#include <condition_variable>
#include <deque>
#include <exception>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "app/cast_request.h"
#include "core/text.h"

namespace vesprin {
namespace {

constexpr std::string_view kUtf8ByteOrderMark = "\xEF\xBB\xBF";
// Lines a block: enough that handing a block over costs nothing beside its
// casts, few enough that two threads share even a short input.
constexpr std::size_t kBlockLines = 64;
constexpr unsigned kMostThreads = 4;

struct Block {
  std::vector<std::string> lines;
  std::string json;        // a line for each birth line, each ending in '\n'
  bool allCast = true;
  bool done = false;       // cast; guarded by the caster's mutex
  std::exception_ptr failure;
};

// The input's birth lines, a block at a time.
class BirthLines {
 public:
  explicit BirthLines(std::istream& in) : in_(in) {}
  // The next birth lines, up to a block; none at the end of the input.
  void fill(Block& b) {
    std::string line;
    while (b.lines.size() < kBlockLines && std::getline(in_, line)) {
      std::string_view text = line;
      if (first_ && text.starts_with(kUtf8ByteOrderMark)) text.remove_prefix(kUtf8ByteOrderMark.size());
      first_ = false;
      text = trimTrailingBlanks(text);
      if (isBirthLine(text)) b.lines.emplace_back(text);
    }
  }
  bool ended() const { return !in_; }

 private:
  std::istream& in_;
  bool first_ = true;
};

void castBlock(Block& b, CalendarSession& calendar, ScriptedUserInterface& ui, const YearList& years,
               const BoundaryRule& boundaries) {
  b.json.reserve(b.lines.size() * 5000);  // a chart line is about five kilobytes
  for (const std::string& line : b.lines) {
    b.allCast = castLineToJson(line, calendar, ui, years, b.json, boundaries) && b.allCast;
    b.json += '\n';
  }
}

void write(std::FILE* out, const std::string& text) { std::fwrite(text.data(), 1, text.size(), out); }

}  // namespace

unsigned defaultCastThreads() {
  return std::clamp(std::thread::hardware_concurrency(), 1u, kMostThreads);
}

bool castLinesToJson(std::istream& in, std::FILE* out, CalendarSession& calendar,
                     ScriptedUserInterface& ui, const YearList& years,
                     const BoundaryRule& boundaries, unsigned threads) {
  BirthLines input(in);
  auto first = std::make_unique<Block>();
  input.fill(*first);
  bool allCast = true;
  if (threads <= 1 || input.ended()) {
    // One thread: block after block, each written when cast.
    for (Block& b = *first; !b.lines.empty(); input.fill(b)) {
      castBlock(b, calendar, ui, years, boundaries);
      write(out, b.json);
      allCast = allCast && b.allCast;
      b.lines.clear();
      b.json.clear();
    }
    return allCast;
  }

  std::mutex mutex;
  std::condition_variable work, finished;
  std::deque<Block*> waiting;                // blocks no thread has taken yet
  std::deque<std::unique_ptr<Block>> order;  // blocks read and not yet written
  bool closed = false;
  std::vector<std::unique_ptr<ScriptedUserInterface>> uis;
  std::vector<std::unique_ptr<CalendarSession>> sessions;
  std::vector<std::jthread> casters;
  // Whatever ends this function, the threads are told to end before they are joined.
  struct Closer {
    std::mutex& mutex;
    std::condition_variable& work;
    bool& closed;
    ~Closer() {
      {
        const std::lock_guard lock(mutex);
        closed = true;
      }
      work.notify_all();
    }
  };
  for (unsigned t = 0; t < threads; ++t) {
    uis.push_back(std::make_unique<ScriptedUserInterface>());
    sessions.push_back(calendar.sibling(*uis.back()));
    casters.emplace_back([&, &session = *sessions.back(), &threadUi = *uis.back()] {
      for (;;) {
        Block* b;
        {
          std::unique_lock lock(mutex);
          work.wait(lock, [&] { return !waiting.empty() || closed; });
          if (waiting.empty()) return;
          b = waiting.front();
          waiting.pop_front();
        }
        try {
          castBlock(*b, session, threadUi, years, boundaries);
        } catch (...) {
          b->failure = std::current_exception();
        }
        {
          const std::lock_guard lock(mutex);
          b->done = true;
        }
        finished.notify_one();
      }
    });
  }
  const Closer closer{mutex, work, closed};  // declared after the threads: runs before they are joined

  // Blocks are read while few wait to be written, so that memory stays flat
  // on a long input; each is written as soon as those before it are.
  const std::size_t mostInHand = 2 * std::size_t{threads} + 1;
  const auto hand = [&](std::unique_ptr<Block> b) {
    {
      const std::lock_guard lock(mutex);
      waiting.push_back(b.get());
      order.push_back(std::move(b));
    }
    work.notify_one();
  };
  // Blocks written are used again: their buffers keep their size, and the
  // memory of a run is touched once.
  std::vector<std::unique_ptr<Block>> spare;
  hand(std::move(first));
  for (;;) {
    while (!input.ended() && order.size() < mostInHand) {
      std::unique_ptr<Block> b;
      if (spare.empty()) {
        b = std::make_unique<Block>();
      } else {
        b = std::move(spare.back());
        spare.pop_back();
      }
      input.fill(*b);
      if (b->lines.empty()) break;
      hand(std::move(b));
    }
    if (order.empty()) break;
    std::unique_ptr<Block> next;
    {
      std::unique_lock lock(mutex);
      finished.wait(lock, [&] { return order.front()->done; });
      next = std::move(order.front());
      order.pop_front();
    }
    if (next->failure) std::rethrow_exception(next->failure);
    write(out, next->json);
    allCast = allCast && next->allCast;
    next->lines.clear();
    next->json.clear();
    next->allCast = true;
    next->done = false;
    spare.push_back(std::move(next));
  }
  return allCast;
}

}  // namespace vesprin
