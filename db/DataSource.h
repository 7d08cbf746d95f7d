#pragma once
// The file a Jet connection string names. Pure text work, no file access:
// fuzz targets and tests call it directly.
#include <string>
#include <string_view>

namespace tongshu::db {

// Takes the value of `Data Source=` (key in any case, blanks around it
// ignored, value optionally in double or single quotes) up to its `;`, reads
// `\` as a separator and collapses runs of separators, so the builders'
// "dir/\dream.dll" and "D:\\dream.dll" name dir/dream.dll and D:/dream.dll.
// Two backslashes at the start stay two: \\server\share\\dream.dll names
// //server/share/dream.dll.
// Bytes other than separators pass unchanged (GBK or UTF-8 folder names,
// blanks). Throws DbError when the string has no non-empty Data Source.
std::string DataSourcePathOf(std::string_view connectionString);

}  // namespace tongshu::db
