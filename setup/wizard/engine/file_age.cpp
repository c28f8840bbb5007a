#include "setup/wizard/engine/file_age.h"

#include <ctime>

namespace setup::wizard {

std::int32_t PackDosDateTime(std::chrono::system_clock::time_point time) {
  const std::time_t seconds =
      std::chrono::system_clock::to_time_t(std::chrono::floor<std::chrono::seconds>(time));
  std::tm local{};
  if (localtime_r(&seconds, &local) == nullptr) return -1;
  const int year = local.tm_year + 1900;
  if (year < 1980 || year > 2107) return -1;
  const std::uint32_t date =
      static_cast<std::uint32_t>(((year - 1980) << 9) | ((local.tm_mon + 1) << 5) | local.tm_mday);
  const std::uint32_t clock =
      static_cast<std::uint32_t>((local.tm_hour << 11) | (local.tm_min << 5) | (local.tm_sec / 2));
  return static_cast<std::int32_t>((date << 16) | clock);
}

std::int32_t FileAge(const platform::target::TargetSystem& system, std::string_view path) {
  platform::target::FileEntry entry;
  if (!system.files().Stat(path, &entry).ok()) return -1;
  return FileAge(entry);
}

std::int32_t FileAge(const platform::target::FileEntry& entry) {
  return entry.is_folder ? -1 : PackDosDateTime(entry.write_time);
}

}  // namespace setup::wizard
