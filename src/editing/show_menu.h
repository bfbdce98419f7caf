// The ten entries of the input boxes' shared context menu and a set of them,
// for every toolkit's menu.
#pragma once

#include <cstdint>
#include <initializer_list>

namespace pixdeck::editing {

// The ordinal of an entry is the Tag of its menu item (a QAction's data, a
// native menu item's id).
enum TShowMenu : int {
  smUndo,
  smOverwrite,
  smBreak1,
  smCut,
  smCopy,
  smPaste,
  smDelete,
  smClear,
  smBreak2,
  smSelectAll,
};

inline constexpr int kShowMenuCount = 10;

// A set of entries in one 16-bit word, bit n standing for the entry of ordinal n.
class TShowMenuSet {
 public:
  constexpr TShowMenuSet() = default;
  constexpr TShowMenuSet(std::initializer_list<TShowMenu> entries) {
    for (TShowMenu e : entries) {
      Include(e);
    }
  }
  static constexpr TShowMenuSet FromBits(std::uint16_t bits) {
    TShowMenuSet set;
    set.bits_ = bits & kAllBits;
    return set;
  }
  static constexpr TShowMenuSet All() { return FromBits(kAllBits); }

  constexpr std::uint16_t Bits() const { return bits_; }
  constexpr bool Contains(TShowMenu e) const { return (bits_ >> e) & 1u; }
  constexpr bool Empty() const { return bits_ == 0; }
  constexpr void Include(TShowMenu e) { bits_ = static_cast<std::uint16_t>(bits_ | (1u << e)); }
  constexpr void Exclude(TShowMenu e) { bits_ = static_cast<std::uint16_t>(bits_ & ~(1u << e)); }
  friend constexpr bool operator==(TShowMenuSet, TShowMenuSet) = default;

 private:
  static constexpr std::uint16_t kAllBits = 0x3FF;
  std::uint16_t bits_ = 0;
};

}  // namespace pixdeck::editing
