#pragma once
// A data file read whole, and the stamp that tells whether the file at a path
// is still the one that was read. POSIX calls on Linux; on Windows the wide
// API, so that any folder name works (a path is UTF-8, or code page 936 bytes
// where it is not UTF-8).
#include <cstddef>
#include <cstdint>
#include <memory>
#include <new>
#include <utility>
#include <string>
#include <vector>

#include "db/Database.h"

namespace tongshu::db {

// What ReadWholeFile throws for a FIFO, a device or a directory.
class NotRegularFileError : public DbError {
 public:
  using DbError::DbError;
};

// Storage for a whole file's bytes: buffers of 2 MB and more on huge-page
// boundaries, with huge pages asked for where the system gives them on
// request (10 page faults for the 19 MB almanac file instead of 4,700).
void* AllocateFileBuffer(std::size_t bytes);
void FreeFileBuffer(void* p, std::size_t bytes) noexcept;

// A file's bytes as read. The buffer is not zero-filled first: the read
// writes every byte it keeps.
template <class T>
struct UninitialisedAllocator : std::allocator<T> {
  template <class U>
  struct rebind {
    using other = UninitialisedAllocator<U>;
  };
  UninitialisedAllocator() = default;
  template <class U>
  UninitialisedAllocator(const UninitialisedAllocator<U>&) noexcept {}
  T* allocate(std::size_t n) { return static_cast<T*>(AllocateFileBuffer(n * sizeof(T))); }
  void deallocate(T* p, std::size_t n) noexcept { FreeFileBuffer(p, n * sizeof(T)); }
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
