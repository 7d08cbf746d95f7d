#pragma once
// The subcommands. Each writes its result to `out` and returns the exit
// status, or throws: InputError (2), ConvertError (2), db::DbError (3).
#include <chrono>
#include <istream>
#include <memory>
#include <ostream>
#include <string>
#include <string_view>

#include "cli/Arguments.h"
#include "cli/Cli.h"

namespace tongshu::db {
class Database;
}

namespace tongshu::cli {

struct Context {
  std::ostream& out;
  std::ostream& err;  // notes beside a result; failures are thrown
  std::string dataDir;  // ends in a separator
  db::Database& database;
  std::istream* in = nullptr;  // the standard input, for "-"; none: empty
  // The local date the program started on: what a command without a date means.
  std::chrono::year_month_day today{};
};

int LunarCommand(const CommandLine& line, Context& ctx);
int MonthCommand(const CommandLine& line, Context& ctx);
int SolarCommand(const CommandLine& line, Context& ctx);
int NumberCommand(const CommandLine& line, Context& ctx);
int PinyinCommand(const CommandLine& line, Context& ctx);
int NetNameCommand(const CommandLine& line, Context& ctx);
int AlmanacCommand(const CommandLine& line, Context& ctx);
int MobileCommand(const CommandLine& line, Context& ctx);
int JiriCommand(const CommandLine& line, Context& ctx);
int IcsCommand(const CommandLine& line, Context& ctx);
int HolidaysCommand(const CommandLine& line, Context& ctx);

// jiri's help table of everyday words: "结婚 → 嫁娶", one a line.
std::string EverydayWordsHelp();

// Exactly `count` positional arguments, else InputError naming the command.
void RequirePositional(std::string_view command, const CommandLine& line, std::size_t count);

// InputError unless the text is well-formed UTF-8.
void RequireUtf8(std::string_view text);

// Text output: fields joined by tabs, then a newline.
void WriteFields(std::ostream& out, std::initializer_list<std::string_view> fields);

}  // namespace tongshu::cli
