#include "app/scheda/PacchettoZip.h"

#include <zip.h>

#include <cstdio>
#include <memory>

namespace qx {

namespace {

struct ChiudiZip {
  void operator()(zip_t* z) const { zip_discard(z); }
};
struct ChiudiFile {
  void operator()(zip_file_t* f) const { zip_fclose(f); }
};
struct LiberaSorgente {
  void operator()(zip_source_t* s) const { zip_source_free(s); }
};

}  // namespace

TEsitoZip LeggiZip(const std::string& percorso, std::vector<TVoceZip>& voci) {
  int errore = 0;
  std::unique_ptr<zip_t, ChiudiZip> z(zip_open(percorso.c_str(), ZIP_RDONLY, &errore));
  if (!z) return errore == ZIP_ER_NOENT || errore == ZIP_ER_OPEN ? TEsitoZip::Mancante : TEsitoZip::Danneggiato;
  std::vector<TVoceZip> r;
  const zip_int64_t n = zip_get_num_entries(z.get(), 0);
  for (zip_int64_t i = 0; i < n; ++i) {
    zip_stat_t st;
    zip_stat_init(&st);
    if (zip_stat_index(z.get(), static_cast<zip_uint64_t>(i), 0, &st) != 0 || !(st.valid & ZIP_STAT_NAME) ||
        !(st.valid & ZIP_STAT_SIZE) || st.size > kMassimoVoceZip)
      return TEsitoZip::Danneggiato;
    std::unique_ptr<zip_file_t, ChiudiFile> f(zip_fopen_index(z.get(), static_cast<zip_uint64_t>(i), 0));
    if (!f) return TEsitoZip::Danneggiato;
    TVoceZip v;
    v.Nome = st.name;
    v.Dati.resize(static_cast<std::size_t>(st.size));
    zip_int64_t letti = 0;
    while (letti < static_cast<zip_int64_t>(st.size)) {
      const zip_int64_t k = zip_fread(f.get(), v.Dati.data() + letti, st.size - static_cast<zip_uint64_t>(letti));
      if (k <= 0) return TEsitoZip::Danneggiato;
      letti += k;
    }
    v.bCompressa = st.comp_method != ZIP_CM_STORE;
    r.push_back(std::move(v));
  }
  voci = std::move(r);
  return TEsitoZip::Letto;
}

bool ScriviZip(const std::vector<TVoceZip>& voci, std::string& dati) {
  zip_error_t errore;
  zip_error_init(&errore);
  std::unique_ptr<zip_source_t, LiberaSorgente> memoria(zip_source_buffer_create(nullptr, 0, 0, &errore));
  zip_error_fini(&errore);
  if (!memoria) return false;
  zip_source_keep(memoria.get());  // the package below takes one reference, we keep ours
  zip_t* z = zip_open_from_source(memoria.get(), ZIP_TRUNCATE, &errore);
  if (!z) return false;
  for (const auto& v : voci) {
    zip_source_t* s = zip_source_buffer(z, v.Dati.data(), v.Dati.size(), 0);
    const zip_int64_t i = s ? zip_file_add(z, v.Nome.c_str(), s, ZIP_FL_ENC_UTF_8) : -1;
    if (i < 0) {
      if (s) zip_source_free(s);
      zip_discard(z);
      return false;
    }
    zip_set_file_compression(z, static_cast<zip_uint64_t>(i), v.bCompressa ? ZIP_CM_DEFLATE : ZIP_CM_STORE, 0);
    // A fixed time, so that the same document gives the same bytes.
    zip_file_set_mtime(z, static_cast<zip_uint64_t>(i), 946684800, 0);
  }
  if (zip_close(z) != 0) {
    zip_discard(z);
    return false;
  }
  zip_stat_t st;
  if (zip_source_stat(memoria.get(), &st) != 0 || zip_source_open(memoria.get()) != 0) return false;
  std::string r(static_cast<std::size_t>(st.size), '\0');
  const zip_int64_t letti = zip_source_read(memoria.get(), r.data(), st.size);
  zip_source_close(memoria.get());
  if (letti != static_cast<zip_int64_t>(st.size)) return false;
  dati = std::move(r);
  return true;
}

}  // namespace qx
