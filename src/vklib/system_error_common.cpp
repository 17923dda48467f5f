#include "vklib/system_error.h"

namespace vklib {

std::string SystemErrorText(const SystemError& error) {
  switch (error.kind) {
    case SystemError::kNone:
      return std::string();
    case SystemError::kNotFound:
      return "ファイルが見つかりません";
    case SystemError::kAccessDenied:
      return "アクセスが拒否されました";
    case SystemError::kNotAProgram:
      return "実行できる形式のファイルではありません";
    case SystemError::kBadDirectory:
      return "作業ディレクトリがありません";
    case SystemError::kInUse:
      return "ほかのプログラムが使用中です";
    case SystemError::kNoMemory:
      return "メモリが足りません";
    case SystemError::kNoAssociation:
      return "関連付けられたプログラムがありません";
    case SystemError::kOther:
      break;
  }
  return "システムのエラーコード" + std::to_string(error.code);
}

}  // namespace vklib
