#include "bridge/wine_unix.h"

#include "vklib/codepage.h"

namespace {

template <typename Function>
Function WineFunction(const char* module, const char* name) {
  return reinterpret_cast<Function>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA(module), name)));
}

}  // namespace

UnixSpawn UnixSpawnFunction() {
  static UnixSpawn spawn = WineFunction<UnixSpawn>("ntdll.dll", "__wine_unix_spawnvp");
  return spawn;
}

std::string UnixPath(const std::wstring& windows_path) {
  using ToUnix = char*(CDECL*)(LPCWSTR dos_name);
  static ToUnix to_unix = WineFunction<ToUnix>("kernel32.dll", "wine_get_unix_file_name");
  if (to_unix == nullptr) return std::string();
  char* unix_path = to_unix(windows_path.c_str());
  if (unix_path == nullptr) return std::string();
  std::string path = unix_path;
  HeapFree(GetProcessHeap(), 0, unix_path);
  return path;
}

std::string UnixPath(unsigned code_page, const std::string& windows_path) {
  std::u16string wide;
  if (!vklib::MultiByteToWide(code_page, windows_path, wide)) return std::string();
  return UnixPath(std::wstring(wide.begin(), wide.end()));
}

std::wstring DosPath(const std::string& unix_path) {
  using ToDos = WCHAR*(CDECL*)(LPCSTR unix_name);
  static ToDos to_dos = WineFunction<ToDos>("kernel32.dll", "wine_get_dos_file_name");
  if (to_dos == nullptr) return std::wstring();
  WCHAR* dos = to_dos(unix_path.c_str());
  if (dos == nullptr) return std::wstring();
  std::wstring path = dos;
  HeapFree(GetProcessHeap(), 0, dos);
  if (path.compare(0, 4, L"\\\\?\\") == 0) path.erase(0, 4);
  return path;
}
