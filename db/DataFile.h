#pragma once
// A data file read whole, and the stamp that tells whether the file at a path
// is still the one that was read. POSIX calls on Linux; on Windows the wide
// API, so that any folder name works (a path is UTF-8, or code page 936 bytes
// where it is not UTF-8).
#include <cstdint>
#include <string>
#include <vector>

#include "Database.h"

namespace tongshu::db {

// What ReadWholeFile throws for a FIFO, a device or a directory.
class NotRegularFileError : public DbError {
 public:
  using DbError::DbError;
};

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
std::vector<std::uint8_t> ReadWholeFile(const std::string& path, FileStamp& stamp);

}  // namespace tongshu::db
