// Opening a file named by a program or stored in a program file: only a regular file is
// read. A named pipe, a device, a socket or a folder is refused, and refusing it never waits
// (the file is opened without blocking and looked at before any read), so that a path to
// /dev/zero or to a pipe cannot fill the memory or hang the window. The size is known
// before the first byte is read, so a file beyond a reader's limit is refused unread.
#pragma once
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace qx {

enum class EsitoFileRegolare { Aperto, Mancante, NonRegolare, TroppoGrande, Illeggibile };

class TFileRegolare {
 public:
  // Opens `percorso` when it is a regular file of at most `massimo` bytes.
  TFileRegolare(const std::string& percorso, std::uint64_t massimo) {
    fd_ = ::open(percorso.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd_ < 0) {
      esito_ = errno == ENOENT || errno == ENOTDIR ? EsitoFileRegolare::Mancante : EsitoFileRegolare::Illeggibile;
      return;
    }
    struct stat st {};
    if (::fstat(fd_, &st) != 0) {
      Chiudi(EsitoFileRegolare::Illeggibile);
      return;
    }
    if (!S_ISREG(st.st_mode)) {
      Chiudi(EsitoFileRegolare::NonRegolare);
      return;
    }
    if (static_cast<std::uint64_t>(st.st_size) > massimo) {
      Chiudi(EsitoFileRegolare::TroppoGrande);
      return;
    }
    dimensione_ = static_cast<std::uint64_t>(st.st_size);
    // Reads from here on may wait for the disk as any read does.
    const int flag = ::fcntl(fd_, F_GETFL);
    if (flag >= 0) ::fcntl(fd_, F_SETFL, flag & ~O_NONBLOCK);
    esito_ = EsitoFileRegolare::Aperto;
  }
  ~TFileRegolare() {
    if (fd_ >= 0) ::close(fd_);
  }
  TFileRegolare(const TFileRegolare&) = delete;
  TFileRegolare& operator=(const TFileRegolare&) = delete;

  bool Aperto() const { return fd_ >= 0; }
  EsitoFileRegolare Esito() const { return esito_; }
  int Descrittore() const { return fd_; }
  std::uint64_t Dimensione() const { return dimensione_; }

  // Reads at most the size found at the opening (a file that grows meanwhile is cut there).
  bool LeggiTutto(std::vector<unsigned char>& dati) {
    dati.assign(static_cast<std::size_t>(dimensione_), 0);
    std::size_t letti = 0;
    while (letti < dati.size()) {
      const ssize_t n = ::read(fd_, dati.data() + letti, dati.size() - letti);
      if (n < 0 && errno == EINTR) continue;
      if (n < 0) return false;
      if (n == 0) break;
      letti += static_cast<std::size_t>(n);
    }
    dati.resize(letti);
    return true;
  }

  // The reason, in the words the messages use.
  static const char* Motivo(EsitoFileRegolare e) {
    switch (e) {
      case EsitoFileRegolare::Mancante: return "file non trovato";
      case EsitoFileRegolare::NonRegolare: return "non è un file";
      case EsitoFileRegolare::TroppoGrande: return "file troppo grande";
      case EsitoFileRegolare::Illeggibile: return "file non leggibile";
      default: return "";
    }
  }

 private:
  void Chiudi(EsitoFileRegolare e) {
    ::close(fd_);
    fd_ = -1;
    esito_ = e;
  }

  int fd_ = -1;
  std::uint64_t dimensione_ = 0;
  EsitoFileRegolare esito_ = EsitoFileRegolare::Illeggibile;
};

}  // namespace qx
