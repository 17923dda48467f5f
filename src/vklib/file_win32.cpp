#include <windows.h>

#include <io.h>

#include <cctype>
#include <cstring>

#include "vklib/file.h"

namespace vklib {

uint32_t FileAttributes(const std::string& path) {
  return GetFileAttributesA(path.c_str());
}

std::FILE* OpenFile(const std::string& path, const char* mode) {
  std::FILE* file = std::fopen(path.c_str(), mode);
  if (file == nullptr || !IsReadMode(mode)) return file;
  // A device such as CON or a pipe would block the reader for good.
  if (GetFileType(reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(file)))) != FILE_TYPE_DISK) {
    std::fclose(file);
    return nullptr;
  }
  return file;
}

bool ReadWholeFile(const std::string& path, std::string& bytes) {
  bytes.clear();
  UniqueFile file(OpenFile(path, "rb"));
  if (!file) return false;
  char block[16384];
  while (size_t count = std::fread(block, 1, sizeof block, file.get()))
    bytes.append(block, count);
  if (!std::ferror(file.get())) return true;
  bytes.clear();
  return false;
}

FileStamp StampOf(const std::string& path) {
  WIN32_FILE_ATTRIBUTE_DATA data{};
  if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) return FileStamp();
  return {static_cast<int64_t>((static_cast<uint64_t>(data.ftLastWriteTime.dwHighDateTime) << 32) |
                               data.ftLastWriteTime.dwLowDateTime),
          (static_cast<uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow};
}

bool IdentityOf(const std::string& path, FileIdentity& identity) {
  // Opened for no access at all, which needs no right to read; a directory opens only with
  // FILE_FLAG_BACKUP_SEMANTICS.
  HANDLE file = CreateFileA(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                            nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  BY_HANDLE_FILE_INFORMATION info{};
  const bool known = GetFileInformationByHandle(file, &info) != 0;
  CloseHandle(file);
  if (!known) return false;
  identity = {info.dwVolumeSerialNumber,
              (static_cast<uint64_t>(info.nFileIndexHigh) << 32) | info.nFileIndexLow};
  return true;
}

std::string ModuleFileName() {
  char buffer[4096];
  DWORD length = GetModuleFileNameA(nullptr, buffer, 4095);
  return std::string(buffer, length < 4095 ? length : 4095);
}

std::string FullPath(const std::string& path) {
  char buffer[4096];
  DWORD length = GetFullPathNameA(path.c_str(), sizeof buffer, buffer, nullptr);
  if (length == 0 || length >= sizeof buffer) return path;
  return std::string(buffer, length);
}

std::string WorkingDirectory(const std::string& directory) {
  bool bare_drive = directory.size() == 2 && directory[1] == ':' &&
                    std::isalpha(static_cast<unsigned char>(directory[0]));
  return bare_drive ? directory + "\\" : directory;
}

std::string EnvironmentVariable(const std::string& name) {
  DWORD length = GetEnvironmentVariableA(name.c_str(), nullptr, 0);
  if (length == 0) return std::string();
  std::string value(length, '\0');
  length = GetEnvironmentVariableA(name.c_str(), value.data(), length);
  value.resize(length);
  return value;
}

struct FindFile::State {
  HANDLE handle = INVALID_HANDLE_VALUE;
  WIN32_FIND_DATAA kept{};
  bool has_kept = false;
};

namespace {

bool IsDotEntry(const char* name) {
  return std::strcmp(name, ".") == 0 || std::strcmp(name, "..") == 0;
}

}  // namespace

FindFile::FindFile() : state_(std::make_unique<State>()) {}

FindFile::~FindFile() {
  Close();
}

bool FindFile::First(const std::string& pattern) {
  Close();
  state_->handle = FindFirstFileA(pattern.c_str(), &state_->kept);
  if (state_->handle == INVALID_HANDLE_VALUE) return false;
  while (IsDotEntry(state_->kept.cFileName)) {
    if (!FindNextFileA(state_->handle, &state_->kept)) return false;
  }
  state_->has_kept = true;
  return true;
}

bool FindFile::Next(FindData& entry) {
  if (state_->handle == INVALID_HANDLE_VALUE) return false;
  if (!state_->has_kept) {
    do {
      if (!FindNextFileA(state_->handle, &state_->kept)) return false;
    } while (IsDotEntry(state_->kept.cFileName));
  }
  state_->has_kept = false;
  entry.name = state_->kept.cFileName;
  entry.attributes = state_->kept.dwFileAttributes;
  return true;
}

void FindFile::Close() {
  if (state_->handle != INVALID_HANDLE_VALUE) FindClose(state_->handle);
  state_->handle = INVALID_HANDLE_VALUE;
  state_->has_kept = false;
}

}  // namespace vklib
