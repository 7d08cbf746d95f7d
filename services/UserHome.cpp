#include "services/UserHome.h"

#ifndef _WIN32
#include <pwd.h>
#include <unistd.h>

#include <cerrno>
#include <vector>
#endif

namespace tongshu {

std::string PasswordHome() {
#ifdef _WIN32
  return {};
#else
  const long hint = ::sysconf(_SC_GETPW_R_SIZE_MAX);
  std::vector<char> buf(hint > 0 ? static_cast<std::size_t>(hint) : 4096);
  passwd entry{};
  passwd* found = nullptr;
  int rc = 0;
  while ((rc = ::getpwuid_r(::getuid(), &entry, buf.data(), buf.size(), &found)) == ERANGE && buf.size() < (1u << 20))
    buf.resize(buf.size() * 2);
  if (rc != 0 || found == nullptr || found->pw_dir == nullptr || found->pw_dir[0] != '/') return {};
  return found->pw_dir;
#endif
}

}  // namespace tongshu
