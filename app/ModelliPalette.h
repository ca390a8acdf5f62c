// The command palette's buttons and the statements they put into the command bar: each
// button either gives its template at once or opens a popup of items, and each popup item
// has a code whose template fills the placeholders with interactive reads.
#pragma once
#include <string>
#include <vector>

namespace qx {

struct TVocePopup {
  const char* caption;
  int codice;
};

enum class TBanda { Geometria, Spazio };

struct TVocePalette {
  const char* nome;     // the button's name ("sbPunto")
  int tag;              // its command number
  TBanda banda;
  const char* hint;
  const char* modello;  // the template it gives at once, or nullptr when it opens a popup
  std::vector<TVocePopup> voci;
};

// Every button of the palette, band by band, in the order they are laid out.
const std::vector<TVocePalette>& PulsantiPalette();
// The button with this Tag, or nullptr (popup codes are not buttons' tags).
const TVocePalette* PulsantePerTag(int tag);
// The template of a popup item's code; empty for any other code.
std::string ModelloPerCodice(int codice);

// The control structures of the editors' popup menu, each as its lines.
struct TStruttura {
  const char* nome;  // "Se1"
  std::vector<const char*> righe;
};
const std::vector<TStruttura>& StruttureControllo();

}  // namespace qx
