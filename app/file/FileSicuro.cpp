#include "app/file/FileSicuro.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace qx {

namespace {

std::string Motivo(int e) {
  switch (e) {
    case EACCES:
    case EPERM: return "permesso negato";
    case EROFS: return "il disco è protetto dalla scrittura";
    case ENOSPC:
    case EDQUOT: return "il disco è pieno";
    case ENOENT:
    case ENOTDIR: return "la cartella non esiste";
    case EISDIR: return "è una cartella";
    default: return "errore " + std::to_string(e);
  }
}

// Closes a descriptor on every path.
class TDescrittore {
 public:
  explicit TDescrittore(int fd) : fd_(fd) {}
  ~TDescrittore() {
    if (fd_ >= 0) ::close(fd_);
  }
  TDescrittore(const TDescrittore&) = delete;
  TDescrittore& operator=(const TDescrittore&) = delete;
  int Get() const { return fd_; }
  int Rilascia() {
    const int fd = fd_;
    fd_ = -1;
    return fd;
  }

 private:
  int fd_;
};

bool ScriviTutto(int fd, std::string_view dati) {
  while (!dati.empty()) {
    const ssize_t n = ::write(fd, dati.data(), dati.size());
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    dati.remove_prefix(static_cast<std::size_t>(n));
  }
  return true;
}

std::string Cartella(const std::string& percorso) {
  const std::size_t barra = percorso.find_last_of('/');
  if (barra == std::string::npos) return ".";
  return barra == 0 ? "/" : percorso.substr(0, barra);
}

}  // namespace

bool LeggiFileIntero(const std::string& percorso, std::string& dati, std::string& errore) {
  TDescrittore fd(::open(percorso.c_str(), O_RDONLY | O_CLOEXEC));
  struct stat st {};
  if (fd.Get() < 0 || ::fstat(fd.Get(), &st) != 0 || S_ISDIR(st.st_mode)) {
    const int e = fd.Get() < 0 ? errno : EISDIR;
    // Reading, a missing name is the file itself (a missing folder on the way says the same).
    errore = "Impossibile aprire il file " + percorso + ": " + (e == ENOENT ? "il file non esiste" : Motivo(e));
    return false;
  }
  std::string r;
  char buf[1 << 16];
  while (true) {
    const ssize_t n = ::read(fd.Get(), buf, sizeof buf);
    if (n < 0) {
      if (errno == EINTR) continue;
      errore = "Impossibile leggere il file " + percorso + ": " + Motivo(errno);
      return false;
    }
    if (n == 0) break;
    r.append(buf, static_cast<std::size_t>(n));
  }
  dati = std::move(r);
  return true;
}

bool SalvaFileSicuro(const std::string& percorso, std::string_view dati, std::string& errore) {
  auto fallito = [&](int e) {
    errore = "Impossibile salvare il file " + percorso + ": " + Motivo(e);
    return false;
  };
  // A file the user has made read-only stays as it is, as it would if it were written in
  // place.
  if (::access(percorso.c_str(), F_OK) == 0 && ::access(percorso.c_str(), W_OK) != 0) return fallito(errno);
  std::string modello = percorso + ".XXXXXX";
  std::vector<char> nome(modello.begin(), modello.end());
  nome.push_back('\0');
  TDescrittore fd(::mkstemp(nome.data()));
  if (fd.Get() < 0) return fallito(errno);
  const std::string temporaneo(nome.data());
  // The new file keeps the old one's permissions, or takes the usual ones.
  struct stat st {};
  mode_t modo = 0666;
  if (::stat(percorso.c_str(), &st) == 0) {
    modo = st.st_mode & 07777;
  } else {
    const mode_t maschera = ::umask(0);
    ::umask(maschera);
    modo &= ~maschera;
  }
  if (!ScriviTutto(fd.Get(), dati) || ::fchmod(fd.Get(), modo) != 0 || ::fsync(fd.Get()) != 0 ||
      ::close(fd.Rilascia()) != 0 || ::rename(temporaneo.c_str(), percorso.c_str()) != 0) {
    const int e = errno;
    ::unlink(temporaneo.c_str());
    return fallito(e);
  }
  // The rename itself reaches the disk with the folder.
  TDescrittore cartella(::open(Cartella(percorso).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (cartella.Get() >= 0) ::fsync(cartella.Get());
  return true;
}

}  // namespace qx
