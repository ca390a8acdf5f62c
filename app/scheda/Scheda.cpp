#include "app/scheda/Scheda.h"

#include <pugixml.hpp>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <sstream>
#include <stdexcept>

#include "app/file/FileSicuro.h"
#include "app/scheda/Png.h"
#include "interpreter/Ambiente.h"
#include "platform/Cp1252.h"

namespace qx {

namespace {

constexpr const char* kMimetype = "application/vnd.oasis.opendocument.text";
// Pictures are shown at 96 pixels per inch, made smaller only when the page is narrower.
constexpr double kCmPerPixel = 2.54 / 96;
constexpr double kLarghezzaMassimaCm = 17, kAltezzaMassimaCm = 24;

[[noreturn]] void NonValido() { throw std::runtime_error("non è un documento valido"); }

TVoceZip* Voce(std::vector<TVoceZip>& voci, const std::string& nome) {
  for (auto& v : voci)
    if (v.Nome == nome) return &v;
  return nullptr;
}

pugi::xml_document Analizza(const std::string& xml) {
  pugi::xml_document d;
  if (!d.load_buffer(xml.data(), xml.size(), pugi::parse_default | pugi::parse_ws_pcdata)) NonValido();
  return d;
}

std::string Scrivi(const pugi::xml_document& d) {
  std::ostringstream s;
  d.save(s, "", pugi::format_raw, pugi::encoding_utf8);
  return s.str();
}

pugi::xml_node Segnalibro(const pugi::xml_document& d, const char* nome) {
  return d.find_node([nome](pugi::xml_node n) {
    return (std::strcmp(n.name(), "text:bookmark") == 0 || std::strcmp(n.name(), "text:bookmark-start") == 0) &&
           std::strcmp(n.attribute("text:name").value(), nome) == 0;
  });
}

void Dichiara(pugi::xml_node radice, const char* attributo, const char* spazio) {
  if (!radice.attribute(attributo)) radice.append_attribute(attributo) = spazio;
}

std::string Cm(double cm) {
  char b[32];
  std::snprintf(b, sizeof b, "%.3fcm", cm);
  return b;
}

// The text of a line as XML allows it: malformed bytes become U+FFFD, control characters
// other than the tab are left out.
std::string TestoXml(std::string_view riga) {
  std::string r;
  for (std::size_t i = 0; i < riga.size();) {
    char32_t c = 0;
    std::size_t n = DecodeUtf8At(riga, i, c);
    if (n == 0) c = 0xFFFD, n = 1;
    i += n;
    if ((c < 0x20 && c != '\t') || c == 0xFFFE || c == 0xFFFF) continue;
    char b[4];
    r.append(b, PutUtf8(b, c));
  }
  return r;
}

// Appends a line to a paragraph, blanks kept: a single blank between words stays a blank;
// any other run of blanks is a counted space element, and a tab a tab element.
pugi::xml_node AggiungiRiga(pugi::xml_node p, pugi::xml_node dopo, const std::string& riga) {
  auto inserisci = [&](pugi::xml_node_type tipo, const char* nome) {
    pugi::xml_node n = dopo ? p.insert_child_after(tipo, dopo) : p.append_child(tipo);
    if (nome) n.set_name(nome);
    dopo = n;
    return n;
  };
  std::string parola;
  auto chiudiParola = [&] {
    if (!parola.empty()) inserisci(pugi::node_pcdata, nullptr).set_value(parola.c_str());
    parola.clear();
  };
  for (std::size_t i = 0; i < riga.size();) {
    if (riga[i] == '\t') {
      chiudiParola();
      inserisci(pugi::node_element, "text:tab");
      ++i;
      continue;
    }
    if (riga[i] != ' ') {
      parola += riga[i++];
      continue;
    }
    std::size_t k = i;
    while (k < riga.size() && riga[k] == ' ') ++k;
    const std::size_t blanks = k - i;
    const bool interno = i > 0 && riga[i - 1] != '\t' && k < riga.size() && riga[k] != '\t';
    if (blanks == 1 && interno) {
      parola += ' ';
    } else {
      chiudiParola();
      inserisci(pugi::node_element, "text:s").append_attribute("text:c") = static_cast<unsigned>(blanks);
    }
    i = k;
  }
  chiudiParola();
  return dopo;
}

// The program's lines from the bookmark on, as the word processor types them: the first
// in the bookmark's paragraph, each further one a paragraph of the same style, and what
// followed the bookmark after the last line.
void InserisciProgramma(pugi::xml_node segnalibro, const std::string& programma) {
  const std::vector<std::string> righe = DividiRighe(programma);
  if (righe.empty()) return;
  pugi::xml_node p = segnalibro.parent();
  std::vector<pugi::xml_node> seguito;
  for (pugi::xml_node n = segnalibro.next_sibling(); n; n = n.next_sibling()) seguito.push_back(n);
  AggiungiRiga(p, segnalibro, TestoXml(righe[0]));
  pugi::xml_node ultimo = p;
  for (std::size_t i = 1; i < righe.size(); ++i) {
    pugi::xml_node q = p.parent().insert_child_after(p.name(), ultimo);
    for (pugi::xml_attribute a : p.attributes())
      if (std::strcmp(a.name(), "text:style-name") == 0) q.append_attribute(a.name()) = a.value();
    AggiungiRiga(q, pugi::xml_node(), TestoXml(righe[i]));
    ultimo = q;
  }
  if (ultimo != p)
    for (pugi::xml_node n : seguito) ultimo.append_move(n);
}

void InserisciImmagine(pugi::xml_document& d, pugi::xml_node segnalibro, const std::string& percorso, int w, int h) {
  pugi::xml_node radice = d.document_element();
  Dichiara(radice, "xmlns:draw", "urn:oasis:names:tc:opendocument:xmlns:drawing:1.0");
  Dichiara(radice, "xmlns:svg", "urn:oasis:names:tc:opendocument:xmlns:svg-compatible:1.0");
  Dichiara(radice, "xmlns:xlink", "http://www.w3.org/1999/xlink");
  const double cmW = w * kCmPerPixel, cmH = h * kCmPerPixel;
  const double scala = std::min({1.0, kLarghezzaMassimaCm / cmW, kAltezzaMassimaCm / cmH});
  pugi::xml_node f = segnalibro.parent().insert_child_after("draw:frame", segnalibro);
  f.append_attribute("draw:name") = "Figura";
  f.append_attribute("text:anchor-type") = "as-char";
  f.append_attribute("svg:width") = Cm(cmW * scala).c_str();
  f.append_attribute("svg:height") = Cm(cmH * scala).c_str();
  f.append_attribute("draw:z-index") = 0;
  pugi::xml_node i = f.append_child("draw:image");
  i.append_attribute("xlink:href") = percorso.c_str();
  i.append_attribute("xlink:type") = "simple";
  i.append_attribute("xlink:show") = "embed";
  i.append_attribute("xlink:actuate") = "onLoad";
}

std::string Manifesto(const std::string* vecchio, const std::string& immagine) {
  pugi::xml_document d;
  if (vecchio) {
    d = Analizza(*vecchio);
  } else {
    pugi::xml_node m = d.append_child("manifest:manifest");
    m.append_attribute("xmlns:manifest") = "urn:oasis:names:tc:opendocument:xmlns:manifest:1.0";
    m.append_attribute("manifest:version") = "1.2";
    pugi::xml_node r = m.append_child("manifest:file-entry");
    r.append_attribute("manifest:full-path") = "/";
    r.append_attribute("manifest:media-type") = kMimetype;
    pugi::xml_node c = m.append_child("manifest:file-entry");
    c.append_attribute("manifest:full-path") = "content.xml";
    c.append_attribute("manifest:media-type") = "text/xml";
  }
  pugi::xml_node m = d.document_element();
  if (std::strcmp(m.name(), "manifest:manifest") != 0) NonValido();
  pugi::xml_node e = m.append_child("manifest:file-entry");
  e.append_attribute("manifest:full-path") = immagine.c_str();
  e.append_attribute("manifest:media-type") = "image/png";
  return Scrivi(d);
}

}  // namespace

std::vector<TVoceZip> CompilaScheda(std::vector<TVoceZip> modello, const TBitmap& immagine, const std::string& programma) {
  TVoceZip* contenuto = Voce(modello, "content.xml");
  if (!contenuto) NonValido();
  pugi::xml_document d = Analizza(contenuto->Dati);
  if (!d.document_element()) NonValido();

  std::string nomeImmagine = "Pictures/scheda.png";
  for (int k = 1; Voce(modello, nomeImmagine); ++k) nomeImmagine = "Pictures/scheda-" + std::to_string(k) + ".png";
  const bool conImmagine = !immagine.Empty();

  // ALUNNO, CLASSE and DATA receive nothing: they stay for the pupil to fill in.
  if (pugi::xml_node s = Segnalibro(d, "TABELLA"); s && conImmagine)
    InserisciImmagine(d, s, nomeImmagine, immagine.Width(), immagine.Height());
  if (pugi::xml_node s = Segnalibro(d, "TABELLA1")) InserisciProgramma(s, programma);
  contenuto->Dati = Scrivi(d);

  std::vector<TVoceZip> r;
  r.push_back({"mimetype", kMimetype, false});
  const TVoceZip* manifesto = Voce(modello, "META-INF/manifest.xml");
  for (auto& v : modello)
    if (v.Nome != "mimetype" && v.Nome != "META-INF/manifest.xml") r.push_back(std::move(v));
  if (conImmagine) {
    r.push_back({nomeImmagine, CodificaPng(immagine), false});
    r.push_back({"META-INF/manifest.xml", Manifesto(manifesto ? &manifesto->Dati : nullptr, nomeImmagine), true});
  } else if (manifesto) {
    r.push_back(*manifesto);
  }
  return r;
}

bool EsportaScheda(const std::string& modello, const std::string& uscita, const TBitmap& immagine,
                   const std::string& programma, std::string& errore) {
  std::vector<TVoceZip> voci;
  switch (LeggiZip(modello, voci)) {
    case TEsitoZip::Mancante:
      errore = "Manca il modello della scheda: " + modello;
      return false;
    case TEsitoZip::Danneggiato:
      errore = "Il modello della scheda " + modello + " non è un documento valido";
      return false;
    case TEsitoZip::Letto:
      break;
  }
  std::string dati;
  try {
    if (!ScriviZip(CompilaScheda(std::move(voci), immagine, programma), dati)) {
      errore = "Impossibile comporre la scheda " + uscita;
      return false;
    }
  } catch (const std::exception&) {
    errore = "Il modello della scheda " + modello + " non è un documento valido";
    return false;
  }
  return SalvaFileSicuro(uscita, dati, errore);
}

std::string PercorsoScheda(const std::string& percorsoProgramma, const std::string& cartella) {
  if (percorsoProgramma.empty()) {
    std::string c = cartella.empty() ? "." : cartella;
    if (c.back() != '/') c += '/';
    return c + "scheda-senza-nome.odt";
  }
  const std::size_t barra = percorsoProgramma.find_last_of('/');
  const std::string c = barra == std::string::npos ? "" : percorsoProgramma.substr(0, barra + 1);
  std::string nome = barra == std::string::npos ? percorsoProgramma : percorsoProgramma.substr(barra + 1);
  if (const std::size_t punto = nome.find_last_of('.'); punto != std::string::npos && punto > 0) nome.resize(punto);
  return c + "scheda-" + nome + ".odt";
}

std::string PercorsoSchedaNuova(const std::string& percorsoProgramma, const std::string& cartella) {
  const std::string primo = PercorsoScheda(percorsoProgramma, cartella);
  const std::string base = primo.substr(0, primo.size() - 4);  // without ".odt"
  std::error_code e;
  std::string p = primo;
  for (int n = 2; std::filesystem::exists(p, e) || e; ++n) {
    // A folder that cannot be looked into gets the first name: the save says why it fails.
    if (e) return primo;
    p = base + "-" + std::to_string(n) + ".odt";
  }
  return p;
}

}  // namespace qx
