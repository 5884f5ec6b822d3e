#include "core/calendar_file_store.h"

namespace vesprin {

const CalendarFileStore::Entry& CalendarFileStore::get(const std::string& path) {
  Slot* slot;
  {
    const std::lock_guard lock(mutex_);
    std::unique_ptr<Slot>& s = slots_[path];
    if (!s) s = std::make_unique<Slot>();
    slot = s.get();  // slots are never removed: the pointer stays good
  }
  // Parsed outside the lock, so that two threads can parse two files at once.
  std::call_once(slot->once, [&] {
    if (CalendarFile::Load load = CalendarFile::load(path); load.file)
      slot->entry.file = std::make_shared<const CalendarFile>(std::move(*load.file));
    else
      slot->entry.error = std::move(load.error);
  });
  return slot->entry;
}

bool CalendarFileStore::known(const std::string& path) {
  const std::lock_guard lock(mutex_);
  return slots_.contains(path);
}

}  // namespace vesprin
