#include "platform/profile_cache.h"

#include <algorithm>
#include <list>
#include <mutex>

#include "platform/atomic_file.h"
#include "platform/file_facts.h"
#include "platform/private_profile.h"
#include "platform/profile_grammar.h"

namespace platform {
namespace {

std::string Fold(std::string_view name) { return FoldProfileName(name); }

std::int64_t NowNs() {
  return std::chrono::duration_cast<std::chrono::nanoseconds>(
             std::chrono::system_clock::now().time_since_epoch())
      .count();
}

struct CachedFile {
  std::filesystem::path path;
  FileStamp stamp;
  std::int64_t read_at_ns = 0;  // clock reading taken before the bytes were read
  std::string bytes;
  std::shared_ptr<const ProfileIndex> index;
};

// A few files at most: the script, a settings file, the INI files an
// install touches.
constexpr std::size_t kCachedFiles = 8;

// A modification time with a fraction of a second comes from a file system
// that keeps fine times: a change there moves it within the clock's coarse
// tick, not within two seconds (and a script of megabytes, unpacked just
// before Setup starts, is not read again at every lookup for that long).
std::chrono::nanoseconds ProfileTimeSlack(const FileStamp& stamp) {
  return stamp.modified_ns % 1000000000 != 0 ? std::chrono::nanoseconds(kFineProfileTimeSlack)
                                             : std::chrono::nanoseconds(kProfileTimeSlack);
}

}  // namespace

ProfileIndex::ProfileIndex(std::string_view bytes) {
  Section* current = nullptr;
  ForEachProfileLine(bytes, [this, &current](std::string_view text, std::string_view) {
    const ProfileLine line = ParseProfileLine(text);
    if (line.kind == ProfileLine::Kind::kSection) {
      sections_.emplace_back(line.name);
      current = &by_name_[Fold(line.name)];
    } else if (line.kind == ProfileLine::Kind::kKey && current != nullptr) {
      current->keys.emplace_back(line.name);
      current->values.emplace(Fold(line.name), std::string(line.value));
    }
  });
  for (auto& [name, section] : by_name_) IndexItems(section);
}

void ProfileIndex::IndexItems(Section& section) {
  std::vector<std::pair<ProfileItemName, const std::string*>> found;
  std::map<std::string_view, std::pair<std::int64_t, std::int64_t>> fields;  // items, highest number
  for (const auto& [key, value] : section.values) {
    const auto item = SplitProfileItemName(key);
    if (!item) continue;
    found.emplace_back(*item, &value);
    auto& [items, highest] = fields[item->field];
    ++items;
    highest = std::max(highest, item->n);
  }
  // A field's items are kept in place by number while the numbers are not
  // far beyond their count, else by number in a map: the memory stays in
  // proportion to the file either way.
  for (const auto& [item, value] : found) {
    const auto& [items, highest] = fields[item.field];
    Section::Numbered& numbered = section.items[std::string(item.field)];
    if (highest > 4 * items + 64) {
      numbered.sparse.emplace(item.n, value);
      continue;
    }
    const auto n = static_cast<std::size_t>(item.n);
    if (numbered.dense.size() <= n) numbered.dense.resize(n + 1, nullptr);
    numbered.dense[n] = value;
  }
}

std::optional<std::string_view> ProfileIndex::FindItem(std::string_view section, std::string_view field,
                                                       std::int64_t n) const {
  // A field that ends in a digit, or that folding would trim, is looked up
  // by its whole name.
  const bool plain = n >= 1 && !field.empty() && Fold(field).size() == field.size() &&
                     !(field.back() >= '0' && field.back() <= '9');
  const auto s = by_name_.find(Fold(section));
  if (s == by_name_.end()) return std::nullopt;
  if (!plain) return Find(section, std::string(field) + std::to_string(n));
  const auto numbered = s->second.items.find(Fold(field));
  if (numbered == s->second.items.end()) return std::nullopt;
  const std::vector<const std::string*>& dense = numbered->second.dense;
  if (static_cast<std::uint64_t>(n) < dense.size()) {
    const std::string* value = dense[static_cast<std::size_t>(n)];
    return value ? std::optional<std::string_view>(*value) : std::nullopt;
  }
  const auto sparse = numbered->second.sparse.find(n);
  if (sparse == numbered->second.sparse.end()) return std::nullopt;
  return std::string_view(*sparse->second);
}

std::optional<std::string_view> ProfileIndex::Find(std::string_view section, std::string_view key) const {
  const auto s = by_name_.find(Fold(section));
  if (s == by_name_.end()) return std::nullopt;
  const auto v = s->second.values.find(Fold(key));
  if (v == s->second.values.end()) return std::nullopt;
  return std::string_view(v->second);
}

std::vector<std::string> ProfileIndex::Keys(std::string_view section) const {
  const auto s = by_name_.find(Fold(section));
  return s == by_name_.end() ? std::vector<std::string>() : s->second.keys;
}

std::shared_ptr<const ProfileIndex> ReadProfileIndex(const std::filesystem::path& file) {
  static std::mutex mutex;
  static std::list<CachedFile> cache;  // most recently used first
  const std::lock_guard<std::mutex> lock(mutex);

  auto cached = cache.begin();
  while (cached != cache.end() && cached->path != file) ++cached;

  const std::int64_t now = NowNs();
  FileStamp stamp;
  if (!ReadFileStamp(file, &stamp)) {
    if (cached != cache.end()) cache.erase(cached);
    return nullptr;
  }
  if (cached != cache.end() && cached->stamp == stamp) {
    const std::int64_t last_change = std::max(stamp.modified_ns, stamp.changed_ns);
    const std::int64_t slack = std::chrono::nanoseconds(ProfileTimeSlack(stamp)).count();
    if (cached->read_at_ns - last_change >= slack) {
      cache.splice(cache.begin(), cache, cached);
      return cached->index;
    }
  }

  std::string bytes;
  if (!ReadWholeFile(file, bytes).ok()) {
    if (cached != cache.end()) cache.erase(cached);
    return nullptr;
  }
  if (cached != cache.end() && cached->stamp == stamp && cached->bytes == bytes) {
    cached->read_at_ns = now;  // the same bytes, now known at a later time
    cache.splice(cache.begin(), cache, cached);
    return cached->index;
  }
  if (cached != cache.end()) cache.erase(cached);
  auto index = std::make_shared<const ProfileIndex>(bytes);
  cache.push_front(CachedFile{file, stamp, now, std::move(bytes), index});
  if (cache.size() > kCachedFiles) cache.pop_back();
  return index;
}

}  // namespace platform
