#pragma once
// Jet connection strings of the three data files beside the executable.
// Built afresh at every call; nothing here checks or opens the files.
#include <stdexcept>
#include <string>
#include <string_view>

namespace tongshu {

// The system cannot say where the running executable is.
class DataDirectoryError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Directory of the running executable with its trailing separator, as UTF-8.
// Throws DataDirectoryError rather than answer with an empty directory, which
// would send every lookup to the root of the file system.
std::string ExecutableDir();

// Where the data files lie: a service, so that a test can stand in a
// directory that cannot be found.
class DataDirectory {
 public:
  virtual ~DataDirectory() = default;
  // With its trailing separator, as UTF-8. Throws DataDirectoryError.
  virtual std::string path() const = 0;
};

class ExecutableDirectory final : public DataDirectory {
 public:
  std::string path() const override { return ExecutableDir(); }
};

// The executable's directory, the program's data directory. Stateless.
const DataDirectory& ExecutableDataDirectory();

// "Provider=...;Data Source=" + exeDir + tail. exeDir must end in a separator.
std::string BuildConnStr(std::string_view exeDir, std::string_view tail);

// The builders; each throws the directory's DataDirectoryError.
std::string DreamConnStr(const DataDirectory& dir);
std::string FileConnStr(const DataDirectory& dir);
std::string BirthConnStr(const DataDirectory& dir);

// The same on the executable's directory.
std::string DreamConnStr();
std::string FileConnStr();
std::string BirthConnStr();

inline constexpr std::string_view kConnPrefix = "Provider=Microsoft.Jet.OLEDB.4.0;Data Source=";
inline constexpr std::string_view kDreamTail = "\\dream.dll;Persist Security Info=True";
inline constexpr std::string_view kFileTail = "\\KorFile.dll;Persist Security Info=True";
inline constexpr std::string_view kBirthTail = "\\KorBirth.dll;Persist Security Info=True";

}  // namespace tongshu
