// A stand-in for the dviout previewer (Windows only): it owns a top-level window of class
// "dviout", serves the DDE service and topic "dviout", and appends what it is asked to the log
// named by FAKE_TOOL_LOG:
//   start ARGS           when it starts
//   execute COMMAND      for each DDE execute
//   request ITEM         for each DDE request; "dvifile" is answered with the name of the
//                        last file opened by "[FileOpen(path)]" (nothing at first)
// Started under a name that holds "mute", it serves no DDE at all.
#include <windows.h>

#include <ddeml.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

DWORD instance = 0;
HSZ service = nullptr;
std::string open_file;

void Log(const std::string& line) {
  const char* path = std::getenv("FAKE_TOOL_LOG");
  if (path == nullptr) return;
  if (std::FILE* log = std::fopen(path, "ab")) {
    std::fprintf(log, "%s\n", line.c_str());
    std::fclose(log);
  }
}

std::string StringOf(HSZ handle) {
  char text[256] = "";
  DdeQueryStringA(instance, handle, text, sizeof text, CP_WINANSI);
  return text;
}

HDDEDATA CALLBACK Serve(UINT type, UINT format, HCONV, HSZ topic, HSZ item, HDDEDATA data,
                        ULONG_PTR, ULONG_PTR) {
  switch (type) {
    case XTYP_CONNECT:
      return reinterpret_cast<HDDEDATA>(StringOf(topic) == "dviout" ? TRUE : FALSE);
    case XTYP_EXECUTE: {
      char command[1024] = "";
      DdeGetData(data, reinterpret_cast<LPBYTE>(command), sizeof command - 1, 0);
      std::string text = command;
      Log("execute " + text);
      const std::string open = "[FileOpen(";
      if (text.compare(0, open.size(), open) == 0) {
        std::string path = text.substr(open.size(), text.size() - open.size() - 2);
        open_file = path.substr(path.find_last_of('\\') + 1);
      }
      return reinterpret_cast<HDDEDATA>(DDE_FACK);
    }
    case XTYP_REQUEST: {
      Log("request " + StringOf(item));
      if (format != CF_TEXT) return nullptr;
      return DdeCreateDataHandle(instance, reinterpret_cast<LPBYTE>(open_file.data()),
                                 static_cast<DWORD>(open_file.size() + 1), 0, item, CF_TEXT, 0);
    }
    default:
      return nullptr;
  }
}

}  // namespace

int WINAPI WinMain(HINSTANCE module, HINSTANCE, LPSTR arguments, int) {
  Log(std::string("start ") + arguments);
  // The conversation is offered before the window exists: the previewer's starter goes on as
  // soon as we are idle.
  char self[MAX_PATH] = "";
  GetModuleFileNameA(nullptr, self, MAX_PATH);
  if (std::string(self).find("mute") == std::string::npos) {
    DdeInitializeA(&instance, Serve, APPCLASS_STANDARD | CBF_SKIP_ALLNOTIFICATIONS, 0);
    service = DdeCreateStringHandleA(instance, "dviout", CP_WINANSI);
    DdeNameService(instance, service, nullptr, DNS_REGISTER);
  }
  WNDCLASSA window_class{};
  window_class.lpfnWndProc = DefWindowProcA;
  window_class.hInstance = module;
  window_class.lpszClassName = "dviout";
  RegisterClassA(&window_class);
  HWND window = CreateWindowA("dviout", "fake dviout", WS_OVERLAPPEDWINDOW, 0, 0, 300, 200, nullptr,
                              nullptr, module, nullptr);
  ShowWindow(window, SW_SHOWNORMAL);
  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
    if (!IsWindow(window)) break;
  }
  return 0;
}
