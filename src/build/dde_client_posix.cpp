#include "build/dde_client.h"

struct DdeClient::State {};

DdeClient::DdeClient() : state_(std::make_unique<State>()) {}
DdeClient::~DdeClient() = default;
bool DdeClient::Connect(const std::string&, const std::string&) {
  return false;
}
void DdeClient::Execute(const std::string&) {}
std::string DdeClient::Request(const std::string&) {
  return std::string();
}
void DdeClient::Disconnect() {}
