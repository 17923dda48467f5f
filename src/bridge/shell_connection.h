#pragma once

#include <winsock2.h>

#include <string>

// The Linux shell that runs a tool connects to the bridge's loopback port and proves itself with
// a token line. Any local user can connect to that port, so a connection that sends a wrong line,
// or nothing, is dropped after a short time while the bridge goes on waiting for the right one.

// The first connection that sends `token` and a line feed, within `total_milliseconds`;
// INVALID_SOCKET when none did. A connection that has not sent its line after
// `line_milliseconds` is dropped, and many such connections are waited on together.
SOCKET AcceptShell(SOCKET listener, const std::string& token, unsigned total_milliseconds,
                   unsigned line_milliseconds);
