#include <poll.h>
#include <unistd.h>

#include "vklib/console_input.h"

namespace vklib {

struct ConsoleInput::State {
  bool ended = false;
};

ConsoleInput::ConsoleInput() : state_(std::make_unique<State>()) {}

ConsoleInput::~ConsoleInput() = default;

std::string ConsoleInput::Take(bool& ended) {
  std::string data;
  while (!state_->ended) {
    pollfd input{STDIN_FILENO, POLLIN, 0};
    if (poll(&input, 1, 0) <= 0) break;
    char buffer[4096];
    ssize_t count = read(STDIN_FILENO, buffer, sizeof buffer);
    if (count <= 0) {
      state_->ended = true;
      break;
    }
    for (ssize_t i = 0; i < count; ++i) {
      if (buffer[i] != '\r') data += buffer[i];
    }
  }
  ended = state_->ended;
  return data;
}

}  // namespace vklib
