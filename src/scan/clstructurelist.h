#pragma once

#include <cassert>
#include <compare>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <initializer_list>
#include <iterator>
#include <string_view>
#include <utility>

#include "scan/clcompositionfolder.h"
#include "scan/clcompositionfolderview.h"

// The structure list: the entries of a walk in walk order, appended at the end only.
// Trees of millions of entries make it the one large structure of a read, so it keeps
// its names back to back in one byte buffer and, per entry, a record of 12 bytes: where
// the entry's name ends in the buffer (it begins where the previous one ends), its level
// and whether it is a folder. Names are raw bytes of any length.
// Entries are read as views by value; a view's name points into the buffer and, like a
// vector's references, is valid until the list next grows or is emptied.
class clStructureList {
 public:
  class const_iterator {
   public:
    using iterator_concept = std::random_access_iterator_tag;
    using iterator_category = std::input_iterator_tag;  // it yields views, not references
    using value_type = clCompositionFolderView;
    using reference = clCompositionFolderView;
    using pointer = void;
    using difference_type = std::ptrdiff_t;

    const_iterator() = default;
    const_iterator(const clStructureList* list, std::size_t index) : list(list), index(index) {}

    reference operator*() const { return (*list)[index]; }
    reference operator[](difference_type n) const { return (*list)[Moved(n)]; }
    const_iterator& operator++() { return *this += 1; }
    const_iterator operator++(int) { return std::exchange(*this, *this + 1); }
    const_iterator& operator--() { return *this -= 1; }
    const_iterator operator--(int) { return std::exchange(*this, *this - 1); }
    const_iterator& operator+=(difference_type n) {
      index = Moved(n);
      return *this;
    }
    const_iterator& operator-=(difference_type n) { return *this += -n; }
    friend const_iterator operator+(const_iterator it, difference_type n) { return it += n; }
    friend const_iterator operator+(difference_type n, const_iterator it) { return it += n; }
    friend const_iterator operator-(const_iterator it, difference_type n) { return it -= n; }
    friend difference_type operator-(const const_iterator& a, const const_iterator& b) {
      return static_cast<difference_type>(a.index) - static_cast<difference_type>(b.index);
    }
    friend bool operator==(const const_iterator& a, const const_iterator& b) {
      return a.index == b.index;
    }
    friend std::strong_ordering operator<=>(const const_iterator& a, const const_iterator& b) {
      return a.index <=> b.index;
    }

   private:
    std::size_t Moved(difference_type n) const {
      return static_cast<std::size_t>(static_cast<difference_type>(index) + n);
    }
    const clStructureList* list = nullptr;
    std::size_t index = 0;
  };
  using iterator = const_iterator;
  using value_type = clCompositionFolderView;
  using size_type = std::size_t;

  clStructureList() = default;
  clStructureList(std::initializer_list<clCompositionFolder> entries);

  // Appends one entry; its name is copied into the buffer, the only copy made of it.
  void push_back(int16_t level, std::string_view name, int16_t isFolder);
  void push_back(const clCompositionFolder& entry);

  std::size_t size() const { return records.Count(); }
  bool empty() const { return records.Count() == 0; }
  // Empties the list and gives its memory back.
  void clear();

  clCompositionFolderView operator[](std::size_t index) const {
    assert(index < size());
    const Record& record = records.Data()[index];
    const uint64_t begin = index == 0 ? 0 : records.Data()[index - 1].End();
    const uint64_t end = record.End();
    if (end == begin) return {record.level, std::string_view(), record.isFolder};
    return {record.level, std::string_view(names.Data() + begin, end - begin), record.isFolder};
  }
  clCompositionFolderView back() const { return (*this)[size() - 1]; }
  const_iterator begin() const { return const_iterator(this, 0); }
  const_iterator end() const { return const_iterator(this, size()); }

 private:
  struct Record {
    uint32_t endLow;  // the end of the name in the buffer, in two halves: 12 bytes a record
    uint32_t endHigh;
    int16_t level;
    int16_t isFolder;
    uint64_t End() const { return (static_cast<uint64_t>(endHigh) << 32) | endLow; }
  };
  static_assert(sizeof(Record) == 12);

  // A growing array of plain values. It grows by doubling through realloc, which may move
  // a large block without copying it and never holds an old copy beside the new one.
  template <typename T>
  class Block {
   public:
    Block() = default;
    Block(const Block& other);
    Block(Block&& other) noexcept
        : data(std::exchange(other.data, nullptr)),
          count(std::exchange(other.count, 0)),
          capacity(std::exchange(other.capacity, 0)) {}
    Block& operator=(Block other) noexcept {
      std::swap(data, other.data);
      std::swap(count, other.count);
      std::swap(capacity, other.capacity);
      return *this;
    }
    ~Block() { std::free(data); }

    T* Data() { return data; }
    const T* Data() const { return data; }
    std::size_t Count() const { return count; }
    // Makes room for `more` further values; throws std::bad_alloc when there is none.
    void Reserve(std::size_t more);
    // Counts `more` values that Reserve made room for.
    void Grow(std::size_t more) { count += more; }

   private:
    T* data = nullptr;
    std::size_t count = 0;
    std::size_t capacity = 0;
  };

  Block<char> names;
  Block<Record> records;
};
