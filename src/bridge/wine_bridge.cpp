// pressel2-bridge: lets Pressel2 under Wine run the TeX programs of the Linux system. Copied
// under the name of a program (platex.exe, pbibtex.exe, ...) into a directory that comes first
// on the Windows PATH, it runs the Linux program of that name:
//  - in the current directory, with the same arguments (absolute Windows paths made Unix ones);
//  - its standard output and standard error come back through our standard output as they are
//    written, UTF-8 text turned into the ANSI code page (Shift_JIS) for the output pane;
//  - our standard input reaches it (Shift_JIS turned into UTF-8), and its end closes the
//    program's input;
//  - we end with its exit code; when we are ended (the window closed mid-build), a watchdog in
//    the Linux shell ends the program and its children too.
// The Linux program does not inherit our Windows handles, so its standard streams travel over a
// loopback socket that the shell connects to us (bash's /dev/tcp). Any local user can reach that
// port, so the shell proves itself with a random token, which it reads from a file in a
// directory only our user can open (never from a command line, which every user can read).
#include <windows.h>
#include <winsock2.h>

#include <bcrypt.h>
#include <shellapi.h>
#include <ws2tcpip.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

#include "bridge/bridge_text.h"
#include "bridge/piece_text.h"
#include "bridge/shell_connection.h"
#include "bridge/wine_unix.h"

namespace {

// The shell that runs the program. Arguments: port, token file, directory, program, its
// arguments.
const char kScript[] = R"SH(
port=$1 token_file=$2 dir=$3 tool=$4
shift 4
IFS= read -r token <"$token_file" || exit 126
rm -f "$token_file"
exec 3<>"/dev/tcp/127.0.0.1/$port" || exit 126
printf '%s\n' "$token" >&3
bridge=$PPID
cd "$dir" 2>/dev/null || { printf 'pressel2-bridge: no such directory %s\n' "$dir" >&3; exit 127; }
exec 2>/dev/null  # no job notices of the shell's own
set -m
"$tool" "$@" <&3 >&3 2>&3 &
child=$!
exec 3>&-
# The bridge ended before the program: end the program's whole process group.
( while [ -r "/proc/$bridge/stat" ] && ! grep -q '^[0-9]* ([^)]*) Z' "/proc/$bridge/stat"; do
    sleep 0.2
  done
  kill -TERM -- "-$child" ) >/dev/null 2>&1 </dev/null &
watch=$!
wait "$child"
status=$?
kill "$watch" 2>/dev/null
exit "$status"
)SH";

bool IsAbsoluteWindowsPath(const std::wstring& text) {
  return text.size() >= 3 && iswalpha(text[0]) && text[1] == L':' &&
         (text[2] == L'\\' || text[2] == L'/');
}

// An argument for the Linux program: an absolute Windows path, alone or after "=", becomes the
// Unix path of the same file.
std::string UnixArgument(const std::wstring& argument) {
  size_t equals = argument.find(L'=');
  std::wstring value = equals == std::wstring::npos ? argument : argument.substr(equals + 1);
  if (!IsAbsoluteWindowsPath(value)) return Narrow(CP_UTF8, argument);
  std::string path = UnixPath(value);
  if (path.empty()) return Narrow(CP_UTF8, argument);
  return equals == std::wstring::npos ? path
                                      : Narrow(CP_UTF8, argument.substr(0, equals + 1)) + path;
}

std::string ProgramName() {
  char module[MAX_PATH] = "";
  GetModuleFileNameA(nullptr, module, MAX_PATH);
  std::string name = module;
  name = name.substr(name.find_last_of("\\/") + 1);
  if (name.size() > 4 && _stricmp(name.c_str() + name.size() - 4, ".exe") == 0)
    name.resize(name.size() - 4);
  for (char& c : name)
    c = static_cast<char>(tolower(static_cast<unsigned char>(c)));
  return name;
}

// `bytes` bytes from the system's random generator, in hexadecimal; "" when it fails.
std::string RandomHex(size_t bytes) {
  std::vector<unsigned char> random(bytes);
  if (!BCRYPT_SUCCESS(BCryptGenRandom(nullptr, random.data(), static_cast<ULONG>(random.size()),
                                      BCRYPT_USE_SYSTEM_PREFERRED_RNG))) {
    return std::string();
  }
  std::string hex;
  for (unsigned char byte : random) {
    char digits[3];
    std::snprintf(digits, sizeof digits, "%02x", byte);
    hex += digits;
  }
  return hex;
}

// A new directory that only our user can open (Unix path), for the token file; "" when none
// could be made. Made by mkdir itself, so that it never exists with a wider mode.
std::string PrivateDirectory(UnixSpawn spawn) {
  std::string parent = "/tmp";
  if (const char* runtime = std::getenv("XDG_RUNTIME_DIR")) {
    if (*runtime == '/') parent = runtime;
  }
  for (int attempt = 0; attempt < 3; ++attempt) {
    std::string name = RandomHex(8);
    if (name.empty()) return std::string();
    std::string directory = parent + "/pressel2-bridge-" + name;
    std::string mkdir = "/bin/mkdir", mode = "-m", private_mode = "700";
    char* argv[] = {mkdir.data(), mode.data(), private_mode.data(), directory.data(), nullptr};
    if (spawn(argv, 1) == 0) return directory;
  }
  return std::string();
}

// Writes the token into a new file of the private directory; its Windows path, or "".
std::wstring WriteTokenFile(const std::string& directory, const std::string& token) {
  std::wstring dos = DosPath(directory);
  if (dos.empty()) return dos;
  std::wstring path = dos + L"\\token";
  HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return std::wstring();
  std::string line = token + "\n";
  DWORD written = 0;
  bool ok = WriteFile(file, line.data(), static_cast<DWORD>(line.size()), &written, nullptr) &&
            written == line.size();
  CloseHandle(file);
  return ok ? path : std::wstring();
}

void WriteAll(HANDLE output, const std::string& bytes) {
  size_t done = 0;
  while (done < bytes.size()) {
    DWORD written = 0;
    if (!WriteFile(output, bytes.data() + done, static_cast<DWORD>(bytes.size() - done), &written,
                   nullptr) ||
        written == 0) {
      return;
    }
    done += written;
  }
}

}  // namespace

int main() {
  UnixSpawn spawn = UnixSpawnFunction();
  if (spawn == nullptr) {
    std::fprintf(stderr, "pressel2-bridge: this program runs only under Wine\n");
    return 127;
  }
  const std::string program = ProgramName();
  int argc = 0;
  LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &argc);
  std::vector<std::wstring> arguments(argv + 1, argv + argc);
  LocalFree(argv);
  const bool kpathsea_path = program == "kpsewhich" && IsPathQuery(arguments);

  WSADATA winsock{};
  WSAStartup(MAKEWORD(2, 2), &winsock);
  SOCKET listener = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  int address_size = sizeof address;
  if (bind(listener, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
      listen(listener, SOMAXCONN) != 0 ||
      getsockname(listener, reinterpret_cast<sockaddr*>(&address), &address_size) != 0) {
    std::fprintf(stderr, "pressel2-bridge: no loopback socket\n");
    return 127;
  }
  const std::string port = std::to_string(ntohs(address.sin_port));
  const std::string token = RandomHex(32);
  const std::string private_directory = PrivateDirectory(spawn);
  const std::wstring token_file = token.empty() || private_directory.empty()
                                      ? std::wstring()
                                      : WriteTokenFile(private_directory, token);
  if (token_file.empty()) {
    std::fprintf(stderr, "pressel2-bridge: no private place for the connection's token\n");
    return 127;
  }
  wchar_t directory[MAX_PATH] = L"";
  GetCurrentDirectoryW(MAX_PATH, directory);

  std::vector<std::string> command = {"/bin/bash",         "-c",   kScript,
                                      "pressel2-bridge",   port,   private_directory + "/token",
                                      UnixPath(directory), program};
  for (const std::wstring& argument : arguments)
    command.push_back(UnixArgument(argument));
  std::vector<char*> command_argv;
  for (std::string& part : command)
    command_argv.push_back(part.data());
  command_argv.push_back(nullptr);

  LONG status = 127;
  std::thread shell([&] { status = spawn(command_argv.data(), 1); });

  SOCKET connection = AcceptShell(listener, token, 10000, 2000);
  closesocket(listener);
  DeleteFileW(token_file.c_str());  // read by now, or never to be
  RemoveDirectoryW(DosPath(private_directory).c_str());
  if (connection != INVALID_SOCKET) {
    // What we are given on our standard input goes to the program; its end, too.
    std::thread([connection] {
      HANDLE input = GetStdHandle(STD_INPUT_HANDLE);
      ShiftJisToUtf8 converter;
      char buffer[4096];
      DWORD count = 0;
      while (ReadFile(input, buffer, sizeof buffer, &count, nullptr) && count > 0) {
        std::string utf8 = converter.Convert(std::string_view(buffer, count));
        if (send(connection, utf8.data(), static_cast<int>(utf8.size()), 0) == SOCKET_ERROR) return;
      }
      std::string rest = converter.Finish();
      send(connection, rest.data(), static_cast<int>(rest.size()), 0);
      shutdown(connection, SD_SEND);
    }).detach();

    HANDLE output = GetStdHandle(STD_OUTPUT_HANDLE);
    Utf8ToShiftJis converter;
    std::string collected;
    char buffer[4096];
    int count;
    while ((count = recv(connection, buffer, sizeof buffer, 0)) > 0) {
      std::string text = converter.Convert(std::string_view(buffer, static_cast<size_t>(count)));
      if (kpathsea_path) {
        collected += text;
      } else {
        WriteAll(output, text);
      }
    }
    // The program's last bytes, held back as the start of a character that never came.
    if (kpathsea_path) {
      WriteAll(output, WindowsSearchPath(collected + converter.Finish()));
    } else {
      WriteAll(output, converter.Finish());
    }
  }
  shell.join();
  return static_cast<int>(status);
}
