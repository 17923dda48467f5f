#include "bridge/shell_connection.h"

#include <windows.h>

#include <vector>

namespace {

// A connection that has not yet proved itself.
struct Candidate {
  SOCKET socket;
  ULONGLONG since;
  std::string line;
};

}  // namespace

SOCKET AcceptShell(SOCKET listener, const std::string& token, unsigned total_milliseconds,
                   unsigned line_milliseconds) {
  const ULONGLONG deadline = GetTickCount64() + total_milliseconds;
  std::vector<Candidate> candidates;
  SOCKET accepted = INVALID_SOCKET;
  while (accepted == INVALID_SOCKET && GetTickCount64() < deadline) {
    fd_set ready;
    FD_ZERO(&ready);
    FD_SET(listener, &ready);
    for (const Candidate& candidate : candidates)
      FD_SET(candidate.socket, &ready);
    timeval wait{0, 100 * 1000};
    if (select(0, &ready, nullptr, nullptr, &wait) == SOCKET_ERROR) break;
    const ULONGLONG now = GetTickCount64();
    for (auto it = candidates.begin(); it != candidates.end();) {
      bool drop = now - it->since > line_milliseconds;
      if (!drop && FD_ISSET(it->socket, &ready)) {
        // One byte at a time: nothing after the line belongs to us.
        char c = 0;
        if (recv(it->socket, &c, 1, 0) != 1) {
          drop = true;
        } else if (c != '\n') {
          it->line += c;
          drop = it->line.size() > token.size();
        } else if (it->line == token) {
          accepted = it->socket;
          it = candidates.erase(it);
          continue;
        } else {
          drop = true;
        }
      }
      if (drop) {
        closesocket(it->socket);
        it = candidates.erase(it);
      } else {
        ++it;
      }
    }
    if (accepted == INVALID_SOCKET && FD_ISSET(listener, &ready) &&
        candidates.size() < FD_SETSIZE - 1) {
      SOCKET connection = accept(listener, nullptr, nullptr);
      if (connection != INVALID_SOCKET) candidates.push_back({connection, now, std::string()});
    }
  }
  for (const Candidate& candidate : candidates)
    closesocket(candidate.socket);
  return accepted;
}
