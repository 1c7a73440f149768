// A set of addresses held in one array (open addressing, linear probing). Adding an address
// allocates nothing unless the array grows, which matters where every value the library makes
// is registered and every word it hands back is looked up.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace quenda {

class AddressSet {
 public:
  // Adds an address that is not held, such as a block just allocated: none is searched for.
  void insert(const void* p) {
    if ((used_ + 1) * 2 > slots_.size()) rehash();
    // The first free or vacated slot on p's probe path takes it.
    std::size_t at = indexOf(p);
    while (slots_[at] != kEmpty && slots_[at] != kGone) at = (at + 1) & mask();
    if (slots_[at] == kEmpty) ++used_;
    slots_[at] = p;
    ++size_;
  }
  void erase(const void* p) {
    if (slots_.empty()) return;
    std::size_t i = find(p);
    if (slots_[i] != p) return;
    slots_[i] = kGone;
    --size_;
  }
  bool contains(const void* p) const {
    return !slots_.empty() && p != kEmpty && p != kGone && slots_[find(p)] == p;
  }
  std::size_t size() const { return size_; }
  std::size_t slotCount() const { return slots_.size(); }
  template <typename F>
  void forEach(F f) const {
    for (const void* p : slots_)
      if (p != kEmpty && p != kGone) f(p);
  }

 private:
  // Never the address of a value: null, and the address 1, which no allocation has.
  static inline const void* const kEmpty = nullptr;
  static inline const void* const kGone = reinterpret_cast<const void*>(std::uintptr_t{1});

  std::size_t mask() const { return slots_.size() - 1; }
  // Addresses within 8 KB of each other take neighbouring slots, so that values made one after
  // another (neighbours in the pool) share cache lines: a listing registers thousands in a row.
  // The 8 KB regions are spread over the table, which is kept at most half full.
  std::size_t indexOf(const void* p) const {
    auto bits = static_cast<std::uint64_t>(reinterpret_cast<std::uintptr_t>(p));
    auto region = static_cast<std::uint32_t>((bits >> 13) ^ (bits >> 45));
    auto within = static_cast<std::uint32_t>(bits >> 7) & 63;
    return static_cast<std::size_t>(region * 2654435761u + within) & mask();
  }
  // The slot holding p, or the empty slot that ends its probe path.
  std::size_t find(const void* p) const {
    std::size_t i = indexOf(p);
    while (slots_[i] != p && slots_[i] != kEmpty) i = (i + 1) & mask();
    return i;
  }
  // Makes room: twice the slots when over a quarter are live, else the same number without the
  // vacated ones.
  void rehash() {
    std::size_t count =
        slots_.empty() ? 64 : slots_.size() * ((size_ + 1) * 4 > slots_.size() ? 2 : 1);
    std::vector<const void*> old(count, kEmpty);
    old.swap(slots_);
    used_ = size_;
    for (const void* p : old) {
      if (p == kEmpty || p == kGone) continue;
      std::size_t i = indexOf(p);
      while (slots_[i] != kEmpty) i = (i + 1) & mask();
      slots_[i] = p;
    }
  }

  std::vector<const void*> slots_;
  std::size_t size_ = 0;  // addresses held
  std::size_t used_ = 0;  // slots not empty: held and vacated
};

}  // namespace quenda
