#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

// One private-profile file taken apart once, so that many lookups in it cost
// a map search each instead of a scan of the whole file. Names compare
// without regard to ASCII letter case and without surrounding blanks; when a
// section occurs more than once its keys are searched in file order, and the
// first line of a key is the one that counts.
class ProfileIndex {
 public:
  explicit ProfileIndex(std::string_view bytes);
  // Its item table points into its own values.
  ProfileIndex(const ProfileIndex&) = delete;
  ProfileIndex& operator=(const ProfileIndex&) = delete;

  // The value (blanks trimmed, quotes kept) or nullopt.
  std::optional<std::string_view> Find(std::string_view section, std::string_view key) const;
  // Find of the key that is field followed by n in decimal ("File" and 12:
  // "File12"), without the search among all keys that a list of thousands of
  // items would cost at every item.
  std::optional<std::string_view> FindItem(std::string_view section, std::string_view field,
                                           std::int64_t n) const;
  // Key names of every occurrence of the section, in file order.
  std::vector<std::string> Keys(std::string_view section) const;
  // Section names in file order, repeats included.
  const std::vector<std::string>& Sections() const { return sections_; }

 private:
  struct Section {
    std::vector<std::string> keys;              // as written, in file order
    std::map<std::string, std::string> values;  // folded key -> first value
    // The values of keys that name list items, by folded field and number
    // (in place when the numbers are dense, else in a map).
    struct Numbered {
      std::vector<const std::string*> dense;
      std::map<std::int64_t, const std::string*> sparse;
    };
    std::map<std::string, Numbered> items;
  };
  static void IndexItems(Section& section);
  std::map<std::string, Section> by_name_;  // folded section name
  std::vector<std::string> sections_;
};

// The index of a file's current content, or nullptr when it cannot be read.
//
// Each call looks at the file afresh (its identity: device, inode, size,
// modification and change times) and reuses the index made before only
// while nothing of that has changed. Times on disk are coarse (two seconds
// on some file systems), so a file rewritten in place within one tick could
// keep its identity: an index made less than kProfileTimeSlack (on a file
// system with fine times kFineProfileTimeSlack) after the file's last
// change is trusted only after its bytes were compared again.
std::shared_ptr<const ProfileIndex> ReadProfileIndex(const std::filesystem::path& file);

inline constexpr std::chrono::seconds kProfileTimeSlack{2};
// The same where the file's modification time has a fraction of a second
// (the file system keeps fine times; the kernel's clock ticks in at most
// ten milliseconds).
inline constexpr std::chrono::milliseconds kFineProfileTimeSlack{50};

}  // namespace platform
