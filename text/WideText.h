#pragma once
// UTF-8 and the UTF-16 of the Windows wide-character API, both ways, through
// the system's own conversion. Windows only.
#ifdef _WIN32
#include <string>
#include <string_view>

namespace tongshu {

std::wstring WideFromUtf8(std::string_view utf8);
std::string Utf8FromWide(std::wstring_view wide);

}  // namespace tongshu
#endif
