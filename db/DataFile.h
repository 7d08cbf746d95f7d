#pragma once
// A data file read whole, and the stamp that tells whether the file at a path
// is still the one that was read. POSIX calls on Linux; on Windows the wide
// API, so that any folder name works (a path is UTF-8, or code page 936 bytes
// where it is not UTF-8).
#include <cstdint>
#ifdef __linux__
#include <sys/mman.h>
#endif
#include <memory>
#include <new>
#include <utility>
#include <string>
#include <vector>

#include "Database.h"

namespace tongshu::db {

// What ReadWholeFile throws for a FIFO, a device or a directory.
class NotRegularFileError : public DbError {
 public:
  using DbError::DbError;
};

// A file's bytes as read. The buffer is not zero-filled first: the read
// writes every byte it keeps, and filling the 19 MB almanac file's buffer
// beforehand cost an eighth of a whole-range search.
template <class T>
struct UninitialisedAllocator : std::allocator<T> {
  static constexpr std::size_t kHugePage = std::size_t{2} << 20;
  template <class U>
  struct rebind {
    using other = UninitialisedAllocator<U>;
  };
  UninitialisedAllocator() = default;
  template <class U>
  UninitialisedAllocator(const UninitialisedAllocator<U>&) noexcept {}
  T* allocate(std::size_t n) {
    const std::size_t bytes = n * sizeof(T);
    if (bytes < kHugePage) return std::allocator<T>::allocate(n);
    // Large buffers on huge-page boundaries, where the system has huge pages
    // for those who ask: 10 page faults for the almanac file instead of 4,700.
    void* p = ::operator new(bytes, std::align_val_t{kHugePage});
#ifdef __linux__
    ::madvise(p, bytes, MADV_HUGEPAGE);
#endif
    return static_cast<T*>(p);
  }
  void deallocate(T* p, std::size_t n) noexcept {
    if (n * sizeof(T) < kHugePage) return std::allocator<T>::deallocate(p, n);
    ::operator delete(p, std::align_val_t{kHugePage});
  }
  template <class U>
  void construct(U* p) noexcept {
    ::new (static_cast<void*>(p)) U;
  }
  template <class U, class... Args>
  void construct(U* p, Args&&... args) {
    ::new (static_cast<void*>(p)) U(std::forward<Args>(args)...);
  }
};
using FileBytes = std::vector<std::uint8_t, UninitialisedAllocator<std::uint8_t>>;

struct FileStamp {
  std::uint64_t volume = 0;
  std::uint64_t file = 0;  // inode, or the file index on Windows
  std::uint64_t size = 0;
  std::int64_t modified = 0;  // nanoseconds
  std::int64_t changed = 0;
  bool operator==(const FileStamp&) const = default;
};

// Throws DbError when the path names nothing or cannot be examined.
FileStamp StampOf(const std::string& path);

// The bytes and the stamp through one open handle, so that both describe the
// same file. Refuses what is not a regular file (a FIFO or a pipe would block,
// a device never ends: NotRegularFileError) and files over Jet 4's 2 GB.
// Throws DbError.
FileBytes ReadWholeFile(const std::string& path, FileStamp& stamp);

}  // namespace tongshu::db
