// A session under a desktop has a private runtime folder; a build machine or CI often has
// none, and the toolkit then says so on standard error each time a test program starts (and
// the build starts every test program to list its tests). The test programs that make their
// own application get one of their own, as a session would, before the application exists.
#pragma once

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <string>

namespace qx::test {

inline void CartellaRuntime() {
  if (const char* c = std::getenv("XDG_RUNTIME_DIR"); c && *c) return;
  const std::string dir = "/tmp/quorix-runtime-" + std::to_string(getuid());
  mkdir(dir.c_str(), 0700);
  struct stat st {};
  // Someone else's folder of that name is never used.
  if (lstat(dir.c_str(), &st) != 0 || !S_ISDIR(st.st_mode) || st.st_uid != getuid()) return;
  chmod(dir.c_str(), 0700);
  setenv("XDG_RUNTIME_DIR", dir.c_str(), 1);
}

}  // namespace qx::test
