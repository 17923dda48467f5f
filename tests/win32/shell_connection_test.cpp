// The bridge's wait for the Linux shell: other connections to its port, wrong or silent, do not
// keep the right one out.
#include <winsock2.h>

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <thread>

#include "bridge/shell_connection.h"

namespace {

class ShellConnection : public ::testing::Test {
 protected:
  void SetUp() override {
    WSADATA winsock{};
    WSAStartup(MAKEWORD(2, 2), &winsock);
    listener_ = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    int size = sizeof address;
    ASSERT_EQ(0, bind(listener_, reinterpret_cast<sockaddr*>(&address), sizeof address));
    ASSERT_EQ(0, listen(listener_, SOMAXCONN));
    getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &size);
    address_ = address;
  }
  void TearDown() override {
    closesocket(listener_);
    WSACleanup();
  }
  // A client that connects and sends `text`.
  SOCKET Connect(const std::string& text) {
    SOCKET client = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    EXPECT_EQ(0, connect(client, reinterpret_cast<sockaddr*>(&address_), sizeof address_));
    if (!text.empty()) send(client, text.data(), static_cast<int>(text.size()), 0);
    return client;
  }

  SOCKET listener_ = INVALID_SOCKET;
  sockaddr_in address_{};
};

TEST_F(ShellConnection, WrongAndSilentConnectionsAreDroppedAndTheRightOneIsTaken) {
  SOCKET silent = Connect("");
  SOCKET wrong = Connect("guess\n");
  SOCKET too_long = Connect(std::string(200, 'x'));
  std::thread shell([&] {
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    SOCKET right = Connect("s3cret\nfirst output");
    std::this_thread::sleep_for(std::chrono::milliseconds(500));
    closesocket(right);
  });
  auto start = std::chrono::steady_clock::now();
  SOCKET accepted = AcceptShell(listener_, "s3cret", 10000, 5000);
  auto waited = std::chrono::steady_clock::now() - start;
  ASSERT_NE(INVALID_SOCKET, accepted);
  // The silent one did not hold the right one up until it was dropped, five seconds on.
  EXPECT_LT(waited, std::chrono::milliseconds(4000));
  char buffer[32] = "";
  int count = recv(accepted, buffer, sizeof buffer, 0);
  EXPECT_EQ("first output", std::string(buffer, count > 0 ? count : 0));
  shell.join();
  closesocket(accepted);
  for (SOCKET other : {silent, wrong, too_long})
    closesocket(other);
}

TEST_F(ShellConnection, NobodyRightGivesNothingAtTheEnd) {
  SOCKET wrong = Connect("guess\n");
  EXPECT_EQ(INVALID_SOCKET, AcceptShell(listener_, "s3cret", 500, 200));
  closesocket(wrong);
}

}  // namespace
