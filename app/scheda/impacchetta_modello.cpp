// Builds the worksheet template from its readable source: every file of the given folder
// into an OpenDocument package, "mimetype" first and stored.
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>

#include "app/scheda/PacchettoZip.h"

int main(int argc, char** argv) {
  if (argc != 3) {
    std::cerr << "uso: impacchetta_modello CARTELLA USCITA.odt\n";
    return 2;
  }
  namespace fs = std::filesystem;
  const fs::path cartella = argv[1];
  std::vector<qx::TVoceZip> voci;
  for (const auto& e : fs::recursive_directory_iterator(cartella)) {
    if (!e.is_regular_file()) continue;
    std::ifstream f(e.path(), std::ios::binary);
    std::stringstream s;
    s << f.rdbuf();
    const std::string nome = e.path().lexically_relative(cartella).generic_string();
    voci.push_back({nome, s.str(), nome != "mimetype"});
  }
  std::sort(voci.begin(), voci.end(), [](const qx::TVoceZip& a, const qx::TVoceZip& b) {
    if ((a.Nome == "mimetype") != (b.Nome == "mimetype")) return a.Nome == "mimetype";
    return a.Nome < b.Nome;
  });
  std::string dati;
  if (voci.empty() || voci.front().Nome != "mimetype" || !qx::ScriviZip(voci, dati)) {
    std::cerr << "impacchetta_modello: impossibile comporre " << argv[2] << "\n";
    return 1;
  }
  std::ofstream(argv[2], std::ios::binary) << dati;
  return 0;
}
