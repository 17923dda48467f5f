#include "vklib/window/edit/command.h"

#include "vklib/window/edit/edit_core.h"

namespace vklib::window::edit {

std::unique_ptr<Command> InsertCommand::Execute(EditCore& control) {
  TextBuffer& buffer = control.Buffer();
  control.ClearSelection();
  int32_t rows_before = buffer.DisplayRowCount();
  Position end;
  if (!buffer.Insert(at_, text_, separator_, &end)) return nullptr;
  control.SetCaret(end);
  control.TextChanged(at_, end, buffer.DisplayRowCount() != rows_before);
  return std::make_unique<DeleteCommand>(at_, end);
}

std::unique_ptr<Command> DeleteCommand::Execute(EditCore& control) {
  TextBuffer& buffer = control.Buffer();
  Position start = start_ < end_ ? start_ : end_;
  control.ClearSelection();
  int32_t rows_before = buffer.DisplayRowCount();
  std::optional<std::string> removed = buffer.Delete(start_, end_);
  if (!removed) return nullptr;
  control.SetCaret(start);
  control.TextChanged(start, start, buffer.DisplayRowCount() != rows_before);
  return std::make_unique<InsertCommand>(start, std::move(*removed), "\n");
}

std::unique_ptr<Command> ReplaceCommand::Execute(EditCore& control) {
  TextBuffer& buffer = control.Buffer();
  Position start = start_ < end_ ? start_ : end_;
  control.ClearSelection();
  int32_t rows_before = buffer.DisplayRowCount();
  std::optional<std::string> removed = buffer.Delete(start_, end_);
  if (!removed) return nullptr;
  Position end;
  buffer.Insert(start, text_, separator_, &end);
  control.SetCaret(end);
  control.TextChanged(start, end, buffer.DisplayRowCount() != rows_before);
  return std::make_unique<ReplaceCommand>(start, end, std::move(*removed), "\n");
}

}  // namespace vklib::window::edit
