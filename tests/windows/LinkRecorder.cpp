// Stands in for IEXPLORE.EXE and the mail program in the Wine prefix: appends
// its arguments (UTF-8, tab-separated) as one line to %TONGSHU_LINK_LOG%.
#include <windows.h>
#include <shellapi.h>

#include <cstdio>
#include <string>

#include "text/WideText.h"

int main() {
  wchar_t log[MAX_PATH * 4];
  if (GetEnvironmentVariableW(L"TONGSHU_LINK_LOG", log, MAX_PATH * 4) == 0) return 2;
  int argc = 0;
  wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
  if (!argv) return 3;
  std::string line;
  for (int i = 1; i < argc; ++i) line += (i > 1 ? "\t" : "") + tongshu::Utf8FromWide(argv[i]);
  line += '\n';
  LocalFree(argv);
  // The test reads the log while starts may still come: write the line at once.
  FILE* f = _wfopen(log, L"ab");
  if (!f) return 4;
  const bool ok = std::fwrite(line.data(), 1, line.size(), f) == line.size();
  return std::fclose(f) == 0 && ok ? 0 : 5;
}
