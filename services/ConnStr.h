#pragma once
// Jet connection strings of the three data files beside the executable.
// Built afresh at every call; nothing here checks or opens the files.
#include <string>
#include <string_view>

namespace tongshu {

// Directory of the running executable with its trailing separator, as UTF-8.
std::string ExecutableDir();

// "Provider=...;Data Source=" + exeDir + tail. exeDir must end in a separator.
std::string BuildConnStr(std::string_view exeDir, std::string_view tail);

std::string DreamConnStr();
std::string FileConnStr();
std::string BirthConnStr();

inline constexpr std::string_view kConnPrefix = "Provider=Microsoft.Jet.OLEDB.4.0;Data Source=";
inline constexpr std::string_view kDreamTail = "\\dream.dll;Persist Security Info=True";
inline constexpr std::string_view kFileTail = "\\KorFile.dll;Persist Security Info=True";
inline constexpr std::string_view kBirthTail = "\\KorBirth.dll;Persist Security Info=True";

}  // namespace tongshu
