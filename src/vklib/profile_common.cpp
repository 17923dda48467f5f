#include "vklib/profile.h"

namespace vklib {

std::string ProfileText(const std::vector<ProfileValue>& values) {
  std::string text;
  const std::string* section = nullptr;
  for (const ProfileValue& value : values) {
    if (section == nullptr || *section != value.section) text += "[" + value.section + "]\r\n";
    section = &value.section;
    text += value.key + "=" + value.value + "\r\n";
  }
  return text;
}

}  // namespace vklib
