#include "catalog/catalog_list.h"

#include <algorithm>
#include <cstring>

#include "catalog/sort_key.h"
#include "platform/collate.h"

namespace pixdeck {

CatalogList::CatalogList(
    std::initializer_list<std::pair<std::string_view, std::uint64_t>> entries) {
  for (const auto& [name, size] : entries) {
    Add(name, size);
  }
}

void CatalogList::Add(std::string_view name, std::uint64_t size) {
  // Two patterns often match the same entry one after the other: its name is
  // kept once.
  if (!items_.empty() && NameAt(items_.size() - 1) == name) {
    items_.push_back({items_.back().offset, items_.back().length, size});
    return;
  }
  items_.push_back({names_.size(), static_cast<std::uint32_t>(name.size()), size});
  names_.append(name);
}

void CatalogList::Reorder(const std::vector<std::uint32_t>& order) {
  std::vector<Item> reordered;
  reordered.reserve(order.size());
  for (const std::uint32_t index : order) {
    reordered.push_back(items_[index]);
  }
  items_ = std::move(reordered);
}

void CatalogList::Clear() {
  std::string().swap(names_);
  std::vector<Item>().swap(items_);
}

namespace {

struct KeyRef {
  const unsigned char* bytes;
  std::uint32_t length;
};

// Sorts items by their keys, byte by byte (a key that ends first comes
// first), and items with equal keys by tieBreak. Most-significant-byte radix
// sort: names share long beginnings ("Photo 0..."), which a comparison sort
// would compare again and again.
template <class TieBreak>
class KeySorter {
 public:
  KeySorter(const std::vector<KeyRef>& keys, TieBreak tieBreak)
      : keys_(keys), tieBreak_(tieBreak) {}

  void Sort(std::vector<std::uint32_t>& items) {
    scratch_.resize(items.size());
    Sort(items.data(), items.data() + items.size(), 0, 0);
  }

 private:
  static constexpr std::size_t kSmall = 24;      // fewer items: compare directly
  static constexpr std::size_t kMaxLevels = 32;  // deeper: compare directly too,
                                                 // so the stack stays small

  // 0 when the key has no byte at depth, else 1 + the byte.
  std::size_t BucketOf(std::uint32_t item, std::size_t depth) const {
    const KeyRef& key = keys_[item];
    return depth < key.length ? 1 + key.bytes[depth] : 0;
  }

  bool Less(std::uint32_t a, std::uint32_t b, std::size_t depth) const {
    const KeyRef& ka = keys_[a];
    const KeyRef& kb = keys_[b];
    const std::size_t common = std::min(ka.length, kb.length);
    if (depth < common) {
      const int c = std::memcmp(ka.bytes + depth, kb.bytes + depth, common - depth);
      if (c != 0) {
        return c < 0;
      }
    }
    if (ka.length != kb.length) {
      return ka.length < kb.length;
    }
    return tieBreak_(a, b);
  }

  // Sorts [first, last), whose keys agree on their first depth bytes; level
  // counts the calls above this one.
  void Sort(std::uint32_t* first, std::uint32_t* last, std::size_t depth, std::size_t level) {
    for (;;) {
      const std::size_t count = static_cast<std::size_t>(last - first);
      if (count < 2) {
        return;
      }
      if (count < kSmall || level >= kMaxLevels) {
        std::sort(first, last,
                  [this, depth](std::uint32_t a, std::uint32_t b) { return Less(a, b, depth); });
        return;
      }
      std::size_t counts[257] = {};
      for (const std::uint32_t* p = first; p != last; ++p) {
        ++counts[BucketOf(*p, depth)];
      }
      if (counts[0] == count) {  // every key ends here: all equal
        std::sort(first, last, tieBreak_);
        return;
      }
      const std::size_t only = BucketOf(*first, depth);
      if (counts[only] == count) {  // one byte for all: look at the next one
        ++depth;
        continue;
      }
      std::size_t starts[257];
      std::size_t at = 0;
      for (std::size_t b = 0; b < 257; ++b) {
        starts[b] = at;
        at += counts[b];
      }
      std::uint32_t* out = scratch_.data();
      for (const std::uint32_t* p = first; p != last; ++p) {
        out[starts[BucketOf(*p, depth)]++] = *p;
      }
      std::copy(out, out + count, first);
      // The keys that ended are equal; every other bucket goes one byte deeper.
      std::sort(first, first + counts[0], tieBreak_);
      std::uint32_t* bucket = first + counts[0];
      for (std::size_t b = 1; b < 257; ++b) {
        if (counts[b] > 1) {
          Sort(bucket, bucket + counts[b], depth + 1, level + 1);
        }
        bucket += counts[b];
      }
      return;
    }
  }

  const std::vector<KeyRef>& keys_;
  TieBreak tieBreak_;
  std::vector<std::uint32_t> scratch_;
};

}  // namespace

void CatalogList::Sort() {
  const std::size_t count = items_.size();
  std::vector<std::uint32_t> order(count);
  for (std::size_t i = 0; i < count; ++i) {
    order[i] = static_cast<std::uint32_t>(i);
  }
  const auto byBytes = [this](std::uint32_t a, std::uint32_t b) {
    const std::string_view na = NameAt(a), nb = NameAt(b);
    return na != nb ? na < nb : a < b;
  };

  if (!HaveSortKeys()) {
    std::sort(order.begin(), order.end(), [&](std::uint32_t a, std::uint32_t b) {
      const int c = platform::CompareTextLocale(NameAt(a), NameAt(b));
      return c != 0 ? c < 0 : byBytes(a, b);
    });
    Reorder(order);
    return;
  }

  // Folding and collating once per name instead of once per comparison keeps
  // a catalog of 100,000 names fast. All keys share one buffer.
  std::string keyBytes;
  keyBytes.reserve(names_.size() + names_.size() / 8);
  std::vector<std::pair<std::size_t, std::uint32_t>> spans(count);  // offset, length
  SortKeyMaker maker;
  for (std::size_t i = 0; i < count; ++i) {
    // An entry that repeats the name before it repeats its key.
    if (i > 0 && items_[i].offset == items_[i - 1].offset) {
      spans[i] = spans[i - 1];
      continue;
    }
    const std::size_t start = keyBytes.size();
    maker.Append(keyBytes, NameAt(i));
    spans[i] = {start, static_cast<std::uint32_t>(keyBytes.size() - start)};
  }
  std::vector<KeyRef> keys(count);
  const auto* base = reinterpret_cast<const unsigned char*>(keyBytes.data());
  for (std::size_t i = 0; i < count; ++i) {
    keys[i] = {base + spans[i].first, spans[i].second};
  }
  std::vector<std::pair<std::size_t, std::uint32_t>>().swap(spans);
  KeySorter(keys, byBytes).Sort(order);
  Reorder(order);
}

}  // namespace pixdeck
