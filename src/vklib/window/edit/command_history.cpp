#include "vklib/window/edit/command_history.h"

#include <algorithm>

namespace vklib::window::edit {

void CommandHistory::Record(std::unique_ptr<Command> command) {
  auto after_current = current_ == entries_.end() ? entries_.begin() : std::next(current_);
  entries_.erase(after_current, entries_.end());
  current_ = entries_.insert(entries_.end(), std::move(command));
  if (static_cast<int32_t>(entries_.size()) > limit_) entries_.pop_front();
  ++changes_;
}

void CommandHistory::SetLimit(int32_t limit) {
  if (limit == limit_) return;
  entries_.clear();
  current_ = entries_.end();
  limit_ = std::max(limit, 1);
}

Command* CommandHistory::Current() const {
  return current_ == entries_.end() ? nullptr : current_->get();
}

}  // namespace vklib::window::edit
