// Registry editor text: a malformed file is refused whole with the line
// named; a file that parses is applied to a registry, and every key it wrote
// exports to text that imports again and exports the same.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <set>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "fuzz/fuzz_support.h"
#include "platform/target_system/registry.h"
#include "platform/target_system/registry_text.h"

namespace {

using platform::target::Registry;
using platform::target::RegistryBatch;
using platform::target::RegistryRoot;
using platform::target::RegistryValue;
using platform::target::Status;

Registry& TheRegistry() {
  static std::unique_ptr<Registry> registry = [] {
    std::unique_ptr<Registry> r;
    FUZZ_CHECK(Registry::OpenOrCreate(fuzzing::ScratchFolder() / "registry.db", &r).ok());
    return r;
  }();
  return *registry;
}

// Removes what an input added below the key, keeping the named subkeys.
void Clear(Registry& registry, RegistryRoot root, const std::string& key,
           std::initializer_list<std::string_view> keep = {}) {
  std::vector<RegistryValue> values;
  if (registry.ListValues(root, key, &values).ok()) {
    // A value that stays only makes the next input's start differ.
    for (const RegistryValue& value : values) {
      static_cast<void>(registry.DeleteValue(root, key, value.name));
    }
  }
  std::vector<std::string> subkeys;
  if (!registry.ListSubkeys(root, key, &subkeys).ok()) return;
  for (const std::string& name : subkeys) {
    bool kept = false;
    for (std::string_view k : keep) kept = kept || name == k;
    if (!kept) FUZZ_CHECK(registry.DeleteTree(root, key.empty() ? name : key + "\\" + name).ok());
  }
}

// Back to the registry as it was created: the roots and Software\Classes.
void Reset(Registry& registry) {
  for (RegistryRoot root : {RegistryRoot::kCurrentUser, RegistryRoot::kUsers, RegistryRoot::kCurrentConfig,
                            RegistryRoot::kDynData}) {
    Clear(registry, root, "");
  }
  Clear(registry, RegistryRoot::kLocalMachine, "", {"Software"});
  Clear(registry, RegistryRoot::kLocalMachine, "Software", {"Classes"});
  Clear(registry, RegistryRoot::kLocalMachine, "Software\\Classes");
}

void CheckRoundTrip(Registry& registry, RegistryRoot root, const std::string& key) {
  std::string first;
  if (!platform::target::ExportRegistryText(registry, root, key, &first).ok()) return;
  const Status imported = platform::target::ImportRegistryText(registry, first);
  if (!imported.ok()) std::fprintf(stderr, "%s\n%s\n", first.c_str(), imported.ToString().c_str());
  FUZZ_CHECK(imported.ok());
  std::string second;
  FUZZ_CHECK(platform::target::ExportRegistryText(registry, root, key, &second).ok());
  FUZZ_CHECK(first == second);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  RegistryBatch batch;
  const Status parsed = platform::target::ParseRegistryText(bytes, &batch);
  if (!parsed.ok()) {
    FUZZ_CHECK(parsed.IsInvalidArgument());
    FUZZ_CHECK(parsed.message().starts_with("line "));
    FUZZ_CHECK(batch.empty());
    return 0;
  }

  Registry& registry = TheRegistry();
  if (registry.Apply(batch).ok()) {
    std::set<std::pair<RegistryRoot, std::string>> keys;
    for (const RegistryBatch::Operation& op : batch.operations()) {
      if (op.kind == RegistryBatch::Kind::kSetValue || op.kind == RegistryBatch::Kind::kCreateKey)
        keys.emplace(op.root, op.key);
      if (keys.size() == 4) break;
    }
    for (const auto& [root, key] : keys) CheckRoundTrip(registry, root, key);
  }
  Reset(registry);
  return 0;
}
