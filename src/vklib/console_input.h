#pragma once

#include <memory>
#include <string>

namespace vklib {

// Our standard input, read without ever blocking the caller: the headless driver passes what
// its user types to the running tool. POSIX polls the descriptor; Windows reads on a thread of
// its own (a console handle cannot be polled like a pipe).
class ConsoleInput {
 public:
  ConsoleInput();
  ~ConsoleInput();
  ConsoleInput(const ConsoleInput&) = delete;
  ConsoleInput& operator=(const ConsoleInput&) = delete;

  // What arrived since the last call, carriage returns removed; `ended` turns true once the
  // input has reached its end and everything before it was taken.
  std::string Take(bool& ended);

 private:
  struct State;
  std::unique_ptr<State> state_;
};

}  // namespace vklib
