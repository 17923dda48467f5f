#pragma once

#include <cstdint>
#include <list>
#include <memory>

#include "vklib/window/edit/command.h"

namespace vklib::window::edit {

// The inverse commands of the changes made, oldest first, bounded by a limit. Nothing replays
// them yet; recording keeps the bound and discards what lies behind the current entry.
class CommandHistory {
 public:
  void Record(std::unique_ptr<Command> command);
  // A new limit (at least 1) discards every entry.
  void SetLimit(int32_t limit);

  int32_t Limit() const { return limit_; }
  int32_t Count() const { return static_cast<int32_t>(entries_.size()); }
  uint32_t ChangeCounter() const { return changes_; }
  // The newest entry, or null.
  Command* Current() const;

 private:
  std::list<std::unique_ptr<Command>> entries_;
  std::list<std::unique_ptr<Command>>::iterator current_ = entries_.end();
  int32_t limit_ = 100;
  uint32_t changes_ = 0;
};

}  // namespace vklib::window::edit
