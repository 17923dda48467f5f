#include <windows.h>

#include <mutex>
#include <thread>

#include "vklib/console_input.h"

namespace vklib {
namespace {

// Filled by the reading thread, which keeps its own reference: it may still wait in ReadFile
// when the ConsoleInput is gone.
struct Shared {
  std::mutex mutex;
  std::string data;
  bool ended = false;
};

}  // namespace

struct ConsoleInput::State {
  std::shared_ptr<Shared> shared = std::make_shared<Shared>();
};

ConsoleInput::ConsoleInput() : state_(std::make_unique<State>()) {
  std::thread([shared = state_->shared] {
    HANDLE input = GetStdHandle(STD_INPUT_HANDLE);
    char buffer[4096];
    DWORD count = 0;
    while (ReadFile(input, buffer, sizeof buffer, &count, nullptr) && count > 0) {
      std::lock_guard<std::mutex> lock(shared->mutex);
      for (DWORD i = 0; i < count; ++i) {
        if (buffer[i] != '\r') shared->data += buffer[i];
      }
    }
    std::lock_guard<std::mutex> lock(shared->mutex);
    shared->ended = true;
  }).detach();
}

ConsoleInput::~ConsoleInput() = default;

std::string ConsoleInput::Take(bool& ended) {
  std::lock_guard<std::mutex> lock(state_->shared->mutex);
  std::string data;
  data.swap(state_->shared->data);
  ended = state_->shared->ended;
  return data;
}

}  // namespace vklib
