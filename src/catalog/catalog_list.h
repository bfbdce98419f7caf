// The entries that one Filter run collects: names and sizes in the order they
// were found, kept in one buffer so that a large catalog costs a handful of
// allocations rather than one per name.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace pixdeck {

class CatalogList {
 public:
  CatalogList() = default;
  CatalogList(std::initializer_list<std::pair<std::string_view, std::uint64_t>> entries);

  // Appends an entry; duplicates are kept.
  void Add(std::string_view name, std::uint64_t size);

  std::size_t Count() const { return items_.size(); }
  bool Empty() const { return items_.empty(); }
  std::string_view NameAt(std::size_t index) const {
    return std::string_view(names_).substr(items_[index].offset, items_[index].length);
  }
  std::uint64_t SizeAt(std::size_t index) const { return items_[index].size; }
  // The bytes all names take together.
  std::size_t NameBytes() const { return names_.size(); }

  // Sorts by name, case ignored by the user's locale (platform::
  // CompareTextLocale). Names that compare equal end up in the order of their
  // bytes, so the result never depends on the order they were found in.
  void Sort();
  // Puts the entries in the order given by a list of their indexes.
  void Reorder(const std::vector<std::uint32_t>& order);
  void Clear();

 private:
  struct Item {
    std::size_t offset;    // into names_
    std::uint32_t length;  // of the name
    std::uint64_t size;
  };

  std::string names_;
  std::vector<Item> items_;
};

}  // namespace pixdeck
