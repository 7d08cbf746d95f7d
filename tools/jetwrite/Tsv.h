#pragma once
// The writer's input format. Line 1 declares the columns, `name:Type` with
// Type one of Text(n), Memo, DateTime, separated by tabs; every further line
// is one row. In a value `\t`, `\n`, `\r` and `\\` stand for tab, line feed,
// carriage return and backslash; a value that is exactly `\N` is NULL, an
// empty value is empty text. UTF-8, lines end in LF.
#include <string>
#include <string_view>

#include "tools/jetwrite/JetWriter.h"

namespace jetwrite {

// Throws WriteError naming `source` and the line for malformed input.
Table ParseTsv(std::string tableName, std::string_view text, const std::string& source);

// Reads a plain or gzip-compressed file whole.
std::string ReadMaybeGzipped(const std::string& path);

}  // namespace jetwrite
