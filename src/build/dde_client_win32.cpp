#include <windows.h>

#include <ddeml.h>

#include "build/dde_client.h"

namespace {

constexpr DWORD kTimeout = 9999;

HDDEDATA CALLBACK AcceptEverything(UINT, UINT, HCONV, HSZ, HSZ, HDDEDATA, ULONG_PTR, ULONG_PTR) {
  return reinterpret_cast<HDDEDATA>(1);
}

}  // namespace

struct DdeClient::State {
  DWORD instance = 0;
  HSZ service = nullptr;
  HSZ topic = nullptr;
  std::string service_name;
  std::string topic_name;
  HCONV conversation = nullptr;

  void FreeNames() {
    if (service != nullptr) DdeFreeStringHandle(instance, service);
    if (topic != nullptr) DdeFreeStringHandle(instance, topic);
    service = topic = nullptr;
  }
};

DdeClient::DdeClient() : state_(std::make_unique<State>()) {
  if (DdeInitializeA(&state_->instance, AcceptEverything, APPCMD_CLIENTONLY, 0) !=
      DMLERR_NO_ERROR) {
    state_->instance = 0;
  }
}

DdeClient::~DdeClient() {
  Disconnect();
  if (state_->instance != 0) DdeUninitialize(state_->instance);
}

bool DdeClient::Connect(const std::string& service, const std::string& topic) {
  if (state_->instance == 0 || state_->conversation != nullptr) return false;
  state_->service_name = service;
  state_->topic_name = topic;
  state_->service = DdeCreateStringHandleA(state_->instance, service.c_str(), CP_WINANSI);
  state_->topic = DdeCreateStringHandleA(state_->instance, topic.c_str(), CP_WINANSI);
  state_->conversation = DdeConnect(state_->instance, state_->service, state_->topic, nullptr);
  if (state_->conversation == nullptr) {
    state_->FreeNames();
    return false;
  }
  return true;
}

void DdeClient::Execute(const std::string& command) {
  if (state_->conversation == nullptr) return;
  DWORD result = 0;
  std::string data = command;  // the command bytes and their terminating zero byte
  DdeClientTransaction(reinterpret_cast<LPBYTE>(data.data()), static_cast<DWORD>(data.size() + 1),
                       state_->conversation, nullptr, 0, XTYP_EXECUTE, kTimeout, &result);
}

std::string DdeClient::Request(const std::string& item) {
  if (state_->conversation == nullptr) return std::string();
  HSZ item_name = DdeCreateStringHandleA(state_->instance, item.c_str(), CP_WINANSI);
  DWORD result = 0;
  HDDEDATA data = DdeClientTransaction(nullptr, 0, state_->conversation, item_name, CF_TEXT,
                                       XTYP_REQUEST, kTimeout, &result);
  std::string text;
  if (data != nullptr) {
    DWORD size = 0;
    if (const BYTE* bytes = DdeAccessData(data, &size)) {
      const char* chars = reinterpret_cast<const char*>(bytes);
      text.assign(chars, strnlen(chars, size));
      DdeUnaccessData(data);
    }
    DdeFreeDataHandle(data);
  }
  DdeFreeStringHandle(state_->instance, item_name);
  return text;
}

void DdeClient::Disconnect() {
  state_->FreeNames();
  if (state_->conversation != nullptr) DdeDisconnect(state_->conversation);
  state_->conversation = nullptr;
}
