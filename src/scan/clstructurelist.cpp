#include "scan/clstructurelist.h"

#include <cstring>
#include <functional>
#include <iterator>
#include <limits>
#include <new>
#include <type_traits>

static_assert(std::random_access_iterator<clStructureList::const_iterator>);

namespace {

// The first blocks: enough for a small folder without growing, small enough to be cheap.
constexpr std::size_t kFirstNameBytes = 4096;
constexpr std::size_t kFirstRecords = 256;

}  // namespace

template <typename T>
clStructureList::Block<T>::Block(const Block& other) {
  static_assert(std::is_trivially_copyable_v<T>);
  if (other.count == 0) return;
  data = static_cast<T*>(std::malloc(other.count * sizeof(T)));
  if (data == nullptr) throw std::bad_alloc();
  std::memcpy(data, other.data, other.count * sizeof(T));
  count = capacity = other.count;
}

template <typename T>
void clStructureList::Block<T>::Reserve(std::size_t more) {
  constexpr std::size_t kMax = std::numeric_limits<std::size_t>::max() / sizeof(T);
  if (more <= capacity - count) return;
  if (more > kMax - count) throw std::bad_alloc();
  const std::size_t first = std::is_same_v<T, char> ? kFirstNameBytes : kFirstRecords;
  std::size_t wanted = capacity == 0 ? first : (capacity <= kMax / 2 ? capacity * 2 : kMax);
  if (wanted < count + more) wanted = count + more;
  void* grown = std::realloc(data, wanted * sizeof(T));
  if (grown == nullptr) throw std::bad_alloc();
  data = static_cast<T*>(grown);
  capacity = wanted;
}

template class clStructureList::Block<char>;
template class clStructureList::Block<clStructureList::Record>;

clStructureList::clStructureList(std::initializer_list<clCompositionFolder> entries) {
  for (const clCompositionFolder& entry : entries) push_back(entry);
}

void clStructureList::push_back(int16_t level, std::string_view name, int16_t isFolder) {
  // A name read from this very list lies in the buffer that may move: keep its place.
  const std::less<const char*> before;
  const char* const start = names.Data();
  const bool inside = !name.empty() && start != nullptr && !before(name.data(), start) &&
                      before(name.data(), start + names.Count());
  const std::size_t from = inside ? static_cast<std::size_t>(name.data() - start) : 0;

  // Both blocks get their room first, so a failure leaves the list as it was.
  records.Reserve(1);
  names.Reserve(name.size());
  if (!name.empty()) {
    std::memcpy(names.Data() + names.Count(), inside ? names.Data() + from : name.data(),
                name.size());
    names.Grow(name.size());
  }

  const uint64_t end = names.Count();
  records.Data()[records.Count()] =
      Record{static_cast<uint32_t>(end), static_cast<uint32_t>(end >> 32), level, isFolder};
  records.Grow(1);
}

void clStructureList::push_back(const clCompositionFolder& entry) {
  push_back(entry.GetLevel(), entry.Name(), entry.GetIsFolder());
}

void clStructureList::clear() {
  names = Block<char>();
  records = Block<Record>();
}
