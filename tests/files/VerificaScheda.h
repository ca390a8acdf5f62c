// What the second, independent reader of worksheets (verifica_scheda.py, on Python's own zip
// and XML modules) finds in a document, one fact per line.
#pragma once
#include <cstdio>
#include <memory>
#include <string>

namespace qx::test {

inline std::string LettoDaPython(const std::string& documento) {
  const std::string comando = "python3 " QUORIX_VERIFICA_SCHEDA " '" + documento + "' 2>&1";
  std::unique_ptr<FILE, int (*)(FILE*)> p(::popen(comando.c_str(), "r"), ::pclose);
  std::string r;
  char buf[4096];
  while (p && std::fgets(buf, sizeof buf, p.get())) r += buf;
  return r;
}

}  // namespace qx::test
