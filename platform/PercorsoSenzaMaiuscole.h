// Finding a file that a program names as it would be found on the desktop the programs were
// written for, where upper and lower case do not tell names apart: "DING.WAV" is ding.wav.
#pragma once
#include <cctype>
#include <filesystem>
#include <string>

namespace qx {

// The path as written when it exists; otherwise each part of it beyond `cartella` matched
// without regard to case, in its folder. A part that no name matches keeps its spelling, so
// the caller gets a path that does not exist and says what it says of a missing file.
inline std::string PercorsoSenzaMaiuscole(const std::string& cartella, const std::string& relativo) {
  namespace fs = std::filesystem;
  std::error_code ec;
  fs::path trovato = fs::path(cartella) / relativo;
  if (fs::exists(trovato, ec)) return trovato.string();
  const auto maiuscolo = [](std::string s) {
    for (char& c : s) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return s;
  };
  trovato = cartella;
  for (const fs::path& parte : fs::path(relativo)) {
    fs::path prossimo = trovato / parte;
    if (!fs::exists(prossimo, ec) && parte != "." && parte != "..") {
      const std::string cercato = maiuscolo(parte.string());
      const fs::path dove = trovato.empty() ? fs::path(".") : trovato;
      for (fs::directory_iterator it(dove, ec), fine; !ec && it != fine; it.increment(ec))
        if (maiuscolo(it->path().filename().string()) == cercato) {
          prossimo = trovato / it->path().filename();
          break;
        }
    }
    trovato = prossimo;
  }
  return trovato.string();
}

}  // namespace qx
