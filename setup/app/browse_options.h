#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>

namespace setup::window {

// The folder picker's parts that the toolkit's picker and the shell's
// picker share: its options, the OK button request of its hooks and the
// pre-selection rule.

// The folder picker's options, in this order, and the shell flag each adds.
enum TBrowseOption {
  biBrowseForComputer,  // 0x1000
  biBrowseForPrinter,   // 0x2000
  biDontGoBelowDomain,  // 0x0002
  biReturnFSAncestors,  // 0x0008
  biReturnOnlyFSDirs,   // 0x0001
  biStatusText,         // 0x0004
};

class TBrowseOptions {
 public:
  TBrowseOptions() = default;
  TBrowseOptions(std::initializer_list<TBrowseOption> options) {
    for (TBrowseOption o : options) Include(o);
  }
  void Include(TBrowseOption o) { bits_ |= 1u << o; }
  void Exclude(TBrowseOption o) { bits_ &= ~(1u << o); }
  bool Has(TBrowseOption o) const { return (bits_ >> o) & 1u; }
  bool operator==(const TBrowseOptions&) const = default;

 private:
  std::uint32_t bits_ = 0;
};

// The OR of the shell flags of the options.
std::uint32_t ShellFlags(const TBrowseOptions& options);

// What a hook asks of the OK button, in this order: leave it, enable it,
// disable it.
enum class TOKButtonState { kUnchanged, kEnable, kDisable };

// Directory as the dialog pre-selects it: one trailing backslash removed
// when the text is longer than 3 characters, so that "C:\" keeps its own.
std::string PreselectionOf(const std::string& directory);

}  // namespace setup::window
