#pragma once
// The home folder of the user's entry in the password database, for when
// neither XDG_* nor HOME says where the user's files go.
#include <string>

namespace tongshu {

// The absolute home folder of the user running the program, or an empty text
// where there is no such entry (and on Windows, which keeps no such database).
std::string PasswordHome();

}  // namespace tongshu
