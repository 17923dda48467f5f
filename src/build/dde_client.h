#pragma once

#include <memory>
#include <string>

// A DDE client conversation (DDEML on Windows), as the DVI preview holds with dviout. The POSIX
// build has no DDE: Connect fails there.
class DdeClient {
 public:
  DdeClient();
  ~DdeClient();
  DdeClient(const DdeClient&) = delete;
  DdeClient& operator=(const DdeClient&) = delete;

  // Connects to a service and topic; false when nobody answers, or already connected.
  bool Connect(const std::string& service, const std::string& topic);
  // Sends a command (XTYP_EXECUTE, 9999 ms); the result is not looked at.
  void Execute(const std::string& command);
  // Asks for an item as text (CF_TEXT, 9999 ms); "" on failure.
  std::string Request(const std::string& item);
  void Disconnect();

 private:
  struct State;
  std::unique_ptr<State> state_;
};
