#pragma once
// The chart sheet handed to the default CUPS queue as a PDF job, and told
// apart: a job the queue took (printed, or waiting in a stopped queue), and
// one it did not take (no default queue, a queue that rejects jobs, a
// scheduler that cannot be reached or stopped during the hand-over). Only a
// job the queue took counts as printed.
#include <string>
#include <string_view>

namespace vesprin {

struct QueueHandOver {
  bool taken = false;
  std::string queue;   // the default destination's name, when there is one
  int job = 0;         // the job's number, when taken
  // Taken: a note when the queue is stopped and the job waits in it. Not
  // taken: why, with the scheduler's own words.
  std::string note;
};

// `media`: the paper, as CUPS names it ("Letter", "A4").
QueueHandOver printOnDefaultQueue(std::string_view pdf, const std::string& title, const std::string& media);

}  // namespace vesprin
