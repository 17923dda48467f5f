#pragma once

#include <string>

namespace vklib {

// A failed call to the system, said alike on both platforms: the code the system gave
// (GetLastError on Windows, errno on POSIX) and the kind of failure it stands for.
struct SystemError {
  enum Kind {
    kNone,
    kNotFound,
    kAccessDenied,
    kNotAProgram,
    kBadDirectory,
    kInUse,
    kNoMemory,
    kNoAssociation,  // no program is associated with the file's kind
    kOther
  };
  Kind kind = kNone;
  long code = 0;
};

// The error a code stands for: a GetLastError code (Windows) or an errno value (POSIX); 0 is none.
SystemError SystemErrorOf(long code);
// The error of the last failed call on this thread (GetLastError or errno).
SystemError LastSystemError();
// The reason in Japanese, without a closing "．" ("アクセスが拒否されました"); "" for none.
std::string SystemErrorText(const SystemError& error);

}  // namespace vklib
