// The zip packages of documents, on libzip: every entry read whole, and a package written
// in memory with its entries in the given order (an OpenDocument's "mimetype" first and
// stored), each deflated unless it says otherwise.
#pragma once
#include <string>
#include <vector>

namespace qx {

struct TVoceZip {
  std::string Nome;
  std::string Dati;
  bool bCompressa = true;
};

enum class TEsitoZip { Letto, Mancante, Danneggiato };

// Entries larger than this are refused: no template holds one.
constexpr std::size_t kMassimoVoceZip = std::size_t(64) << 20;

TEsitoZip LeggiZip(const std::string& percorso, std::vector<TVoceZip>& voci);
// False when libzip refuses (it never should for entries it was given).
bool ScriviZip(const std::vector<TVoceZip>& voci, std::string& dati);

}  // namespace qx
