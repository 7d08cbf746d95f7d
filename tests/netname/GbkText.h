#pragma once
// Inputs of the converter's tests as readable text, put into GBK by the
// program's own codec.
#include <string>
#include <string_view>

#include "text/Cp936.h"

namespace tongshu::netname::testing {

inline std::string Gbk(std::string_view utf8) { return cp936::FromUtf8(utf8); }

}  // namespace tongshu::netname::testing
