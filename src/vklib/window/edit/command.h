#pragma once

#include <memory>
#include <string>

#include "vklib/window/edit/text_buffer.h"

namespace vklib::window::edit {

class EditCore;

// One change of the text. Execute performs it on the control and returns the command that would
// take it back, or null when the change could not be made.
class Command {
 public:
  virtual ~Command() = default;
  virtual std::unique_ptr<Command> Execute(EditCore& control) = 0;
};

class InsertCommand : public Command {
 public:
  InsertCommand(Position at, std::string text, std::string separator = "\n")
      : at_(at), text_(std::move(text)), separator_(std::move(separator)) {}
  std::unique_ptr<Command> Execute(EditCore& control) override;

 private:
  Position at_;
  std::string text_;
  std::string separator_;
};

class DeleteCommand : public Command {
 public:
  DeleteCommand(Position start, Position end) : start_(start), end_(end) {}
  std::unique_ptr<Command> Execute(EditCore& control) override;

 private:
  Position start_;
  Position end_;
};

class ReplaceCommand : public Command {
 public:
  ReplaceCommand(Position start, Position end, std::string text, std::string separator = "\n")
      : start_(start), end_(end), text_(std::move(text)), separator_(std::move(separator)) {}
  std::unique_ptr<Command> Execute(EditCore& control) override;

 private:
  Position start_;
  Position end_;
  std::string text_;
  std::string separator_;
};

}  // namespace vklib::window::edit
