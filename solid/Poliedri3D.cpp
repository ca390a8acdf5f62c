#include "solid/Poliedri3D.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <map>
#include <numeric>
#include <random>
#include <set>

#include "runstate/WindowServices.h"

namespace qx {

namespace {

using TV = TAffineVector;

constexpr double kPi = 3.14159265358979323846;

TV Sub(const TV& a, const TV& b) { return {a.X - b.X, a.Y - b.Y, a.Z - b.Z}; }
TV Add(const TV& a, const TV& b) { return {a.X + b.X, a.Y + b.Y, a.Z + b.Z}; }
TV Mul(const TV& a, double k) { return {float(a.X * k), float(a.Y * k), float(a.Z * k)}; }
double Dot(const TV& a, const TV& b) { return double(a.X) * b.X + double(a.Y) * b.Y + double(a.Z) * b.Z; }
TV Cross(const TV& a, const TV& b) {
  return {float(double(a.Y) * b.Z - double(a.Z) * b.Y), float(double(a.Z) * b.X - double(a.X) * b.Z),
          float(double(a.X) * b.Y - double(a.Y) * b.X)};
}
double Len(const TV& a) { return std::sqrt(Dot(a, a)); }
TV Unit(const TV& a) {
  const double l = Len(a);
  return l > 0 ? Mul(a, 1 / l) : TV{0, 0, 0};
}

// An affine map x -> M x + c (rows of M).
struct TMappa {
  std::array<std::array<double, 3>, 3> M{{{1, 0, 0}, {0, 1, 0}, {0, 0, 1}}};
  std::array<double, 3> c{0, 0, 0};
  TV operator()(const TV& x) const {
    const double v[3] = {x.X, x.Y, x.Z};
    double r[3];
    for (int i = 0; i < 3; ++i) r[i] = M[i][0] * v[0] + M[i][1] * v[1] + M[i][2] * v[2] + c[i];
    return {float(r[0]), float(r[1]), float(r[2])};
  }
};

// The turn by `angolo` about the line through `a` along the unit vector `u`.
TMappa Rotazione(const TV& a, const TV& u, double angolo) {
  const double s = std::sin(angolo), c = std::cos(angolo), t = 1 - c;
  const double x = u.X, y = u.Y, z = u.Z;
  TMappa m;
  m.M = {{{t * x * x + c, t * x * y - s * z, t * x * z + s * y},
          {t * x * y + s * z, t * y * y + c, t * y * z - s * x},
          {t * x * z - s * y, t * y * z + s * x, t * z * z + c}}};
  const double av[3] = {a.X, a.Y, a.Z};
  for (int i = 0; i < 3; ++i) m.c[i] = av[i] - (m.M[i][0] * av[0] + m.M[i][1] * av[1] + m.M[i][2] * av[2]);
  return m;
}

// p after q.
TMappa Componi(const TMappa& p, const TMappa& q) {
  TMappa r;
  for (int i = 0; i < 3; ++i) {
    for (int j = 0; j < 3; ++j) r.M[i][j] = p.M[i][0] * q.M[0][j] + p.M[i][1] * q.M[1][j] + p.M[i][2] * q.M[2][j];
    r.c[i] = p.M[i][0] * q.c[0] + p.M[i][1] * q.c[1] + p.M[i][2] * q.c[2] + p.c[i];
  }
  return r;
}

TV Centro(const TForma3D& f, const std::vector<int>& faccia) {
  TV c{0, 0, 0};
  for (int i : faccia) c = Add(c, f.vertici[std::size_t(i)]);
  return faccia.empty() ? c : Mul(c, 1.0 / double(faccia.size()));
}

TV NormaleFaccia(const std::vector<TV>& p) {
  TV n{0, 0, 0};
  for (std::size_t i = 0; i < p.size(); ++i) n = Add(n, Cross(p[i], p[(i + 1) % p.size()]));
  return Unit(n);
}

// The faces of a convex set of points: every plane through three of them with all the
// others on one side; corners in order round the face, counterclockwise from outside.
std::vector<std::vector<int>> Inviluppo(const std::vector<TV>& v) {
  const int n = int(v.size());
  TV centro{0, 0, 0};
  for (const auto& p : v) centro = Add(centro, p);
  centro = Mul(centro, 1.0 / n);
  std::set<std::vector<int>> viste;
  std::vector<std::vector<int>> facce;
  for (int i = 0; i < n; ++i)
    for (int j = i + 1; j < n; ++j)
      for (int k = j + 1; k < n; ++k) {
        TV nor = Cross(Sub(v[std::size_t(j)], v[std::size_t(i)]), Sub(v[std::size_t(k)], v[std::size_t(i)]));
        if (Len(nor) < 1e-6) continue;
        nor = Unit(nor);
        if (Dot(nor, Sub(centro, v[std::size_t(i)])) > 0) nor = Mul(nor, -1);
        std::vector<int> sul;
        bool convesso = true;
        for (int m = 0; m < n && convesso; ++m) {
          const double d = Dot(nor, Sub(v[std::size_t(m)], v[std::size_t(i)]));
          if (d > 1e-5) convesso = false;
          else if (d > -1e-5) sul.push_back(m);
        }
        if (!convesso || !viste.insert(sul).second) continue;
        TV c{0, 0, 0};
        for (int m : sul) c = Add(c, v[std::size_t(m)]);
        c = Mul(c, 1.0 / double(sul.size()));
        const TV e1 = Unit(Sub(v[std::size_t(sul[0])], c)), e2 = Cross(nor, e1);
        std::sort(sul.begin(), sul.end(), [&](int a, int b) {
          const TV pa = Sub(v[std::size_t(a)], c), pb = Sub(v[std::size_t(b)], c);
          return std::atan2(Dot(pa, e2), Dot(pa, e1)) < std::atan2(Dot(pb, e2), Dot(pb, e1));
        });
        facce.push_back(sul);
      }
  return facce;
}

// Stands the shape on the face whose normal points lowest: that face goes first, in z = 0,
// centred on the origin.
void Appoggia(TForma3D& f) {
  std::size_t base = 0;
  double minimo = 2;
  for (std::size_t i = 0; i < f.facce.size(); ++i) {
    std::vector<TV> p;
    for (int k : f.facce[i]) p.push_back(f.vertici[std::size_t(k)]);
    const double z = NormaleFaccia(p).Z;
    if (z < minimo - 1e-6) minimo = z, base = i;
  }
  std::rotate(f.facce.begin(), f.facce.begin() + std::ptrdiff_t(base), f.facce.begin() + std::ptrdiff_t(base) + 1);
  std::vector<TV> p;
  for (int k : f.facce[0]) p.push_back(f.vertici[std::size_t(k)]);
  const TV n = NormaleFaccia(p), giu{0, 0, -1};
  TMappa r;
  const TV asse = Cross(n, giu);
  if (Len(asse) > 1e-9) r = Rotazione({0, 0, 0}, Unit(asse), std::atan2(Len(asse), Dot(n, giu)));
  else if (Dot(n, giu) < 0) r = Rotazione({0, 0, 0}, {1, 0, 0}, kPi);
  for (auto& v : f.vertici) v = r(v);
  const TV c = Centro(f, f.facce[0]);
  for (auto& v : f.vertici) v = Sub(v, c);
}

// Face adjacency: the faces that share an edge, with the edge.
struct TLato {
  int faccia, a, b;
};
std::vector<std::vector<TLato>> Adiacenze(const TForma3D& f) {
  std::map<std::pair<int, int>, std::vector<int>> lati;
  for (std::size_t i = 0; i < f.facce.size(); ++i) {
    const auto& fa = f.facce[i];
    for (std::size_t k = 0; k < fa.size(); ++k) {
      const int a = fa[k], b = fa[(k + 1) % fa.size()];
      lati[{std::min(a, b), std::max(a, b)}].push_back(int(i));
    }
  }
  std::vector<std::vector<TLato>> adj(f.facce.size());
  for (const auto& [lato, facce] : lati)
    if (facce.size() == 2) {
      adj[std::size_t(facce[0])].push_back({facce[1], lato.first, lato.second});
      adj[std::size_t(facce[1])].push_back({facce[0], lato.first, lato.second});
    }
  return adj;
}

// The angle that turns face f flat beside its parent about the hinge a -> b.
float AngoloPiatto(const TForma3D& f, int figlia, int padre, int a, int b) {
  auto normale = [&](int i) {
    std::vector<TV> p;
    for (int k : f.facce[std::size_t(i)]) p.push_back(f.vertici[std::size_t(k)]);
    return NormaleFaccia(p);
  };
  const TV nf = normale(figlia), np = normale(padre);
  const TV u = Unit(Sub(f.vertici[std::size_t(b)], f.vertici[std::size_t(a)]));
  const double alfa = std::acos(std::clamp(Dot(nf, np), -1.0, 1.0));
  const TV prova = Rotazione({0, 0, 0}, u, alfa)(nf);
  return float(Dot(prova, np) > 1 - 1e-4 ? alfa : -alfa);
}

// Whether two convex faces laid in z = 0 overlap by more than a touch.
bool Sovrapposte(const std::vector<TV>& p, const std::vector<TV>& q) {
  auto separa = [](const std::vector<TV>& a, const std::vector<TV>& b) {
    for (std::size_t i = 0; i < a.size(); ++i) {
      const TV e = Sub(a[(i + 1) % a.size()], a[i]);
      const double nx = -e.Y, ny = e.X, l = std::hypot(nx, ny);
      if (l < 1e-9) continue;
      double amin = 1e30, amax = -1e30, bmin = 1e30, bmax = -1e30;
      for (const auto& v : a) amin = std::min(amin, (v.X * nx + v.Y * ny) / l), amax = std::max(amax, (v.X * nx + v.Y * ny) / l);
      for (const auto& v : b) bmin = std::min(bmin, (v.X * nx + v.Y * ny) / l), bmax = std::max(bmax, (v.X * nx + v.Y * ny) / l);
      if (amax <= bmin + 1e-4 || bmax <= amin + 1e-4) return true;
    }
    return false;
  };
  return !separa(p, q) && !separa(q, p);
}

// A net that does not lie over itself: spanning trees from the first face, breadth first
// with the neighbours taken in turned orders, then in orders drawn from a fixed seed.
void Rete(TForma3D& f) {
  const std::size_t n = f.facce.size();
  const auto adj = Adiacenze(f);
  std::mt19937 caso(12345);
  auto prova = [&](int giro, bool mescola) {
    std::vector<int> padre(n, -2), prof(n, 0);
    std::vector<std::pair<int, int>> cerniera(n, {0, 0});
    std::vector<int> coda{0};
    padre[0] = -1;
    for (std::size_t k = 0; k < coda.size(); ++k) {
      const int c = coda[k];
      std::vector<TLato> vicini = adj[std::size_t(c)];
      if (mescola) std::shuffle(vicini.begin(), vicini.end(), caso);
      else if (!vicini.empty())
        std::rotate(vicini.begin(), vicini.begin() + std::ptrdiff_t(std::size_t(giro) % vicini.size()), vicini.end());
      for (const TLato& l : vicini)
        if (padre[std::size_t(l.faccia)] == -2) {
          padre[std::size_t(l.faccia)] = c;
          prof[std::size_t(l.faccia)] = prof[std::size_t(c)] + 1;
          cerniera[std::size_t(l.faccia)] = {l.a, l.b};
          coda.push_back(l.faccia);
        }
    }
    f.padre = padre;
    f.profondita = prof;
    f.cerniera = cerniera;
    f.angolo.assign(n, 0);
    for (std::size_t i = 1; i < n; ++i)
      f.angolo[i] = AngoloPiatto(f, int(i), padre[i], cerniera[i].first, cerniera[i].second);
    const auto piatte = FacceAperte(f, std::vector<float>(n, 1));
    for (std::size_t i = 0; i < n; ++i)
      for (std::size_t j = i + 1; j < n; ++j)
        if (Sovrapposte(piatte[i], piatte[j])) return false;
    return true;
  };
  for (int giro = 0; giro < 6; ++giro)
    if (prova(giro, false)) return;
  for (int i = 0; i < 5000; ++i)
    if (prova(0, true)) return;
}

TForma3D Costruisci(std::vector<TV> vertici, std::vector<std::vector<int>> facce, bool rete) {
  TForma3D f;
  f.vertici = std::move(vertici);
  f.facce = facce.empty() ? Inviluppo(f.vertici) : std::move(facce);
  if (rete) {
    Appoggia(f);
    Rete(f);
  } else {
    f.padre.assign(f.facce.size(), -1);
    f.cerniera.assign(f.facce.size(), {0, 0});
    f.angolo.assign(f.facce.size(), 0);
    f.profondita.assign(f.facce.size(), 0);
  }
  return f;
}

// The regular polyhedra of side 1, with their nets, made once.
const TForma3D& Regolare(TipiValore tipo) {
  static std::map<TipiValore, TForma3D> cache;
  auto it = cache.find(tipo);
  if (it != cache.end()) return it->second;
  std::vector<TV> v;
  const double phi = (1 + std::sqrt(5.0)) / 2;
  // The corners of three golden rectangles, one in each coordinate plane: (0, ±p, ±q) and
  // its cyclic turns.
  const auto rettangoli = [&v](double p, double q) {
    for (int s1 : {-1, 1})
      for (int s2 : {-1, 1}) {
        const float a = float(s1 * p), b = float(s2 * q);
        v.push_back({0, a, b});
        v.push_back({a, b, 0});
        v.push_back({b, 0, a});
      }
  };
  switch (tipo) {
    case T_TETRAEDRO3D: {
      const double h = std::sqrt(3.0) / 2;
      v = {{0, 0, 0}, {0.5f, float(h), 0}, {1, 0, 0}, {0.5f, float(h / 3), float(std::sqrt(2.0 / 3.0))}};
      break;
    }
    case T_OTTAEDRO3D: {
      const float a = float(std::sqrt(2.0) / 2);
      v = {{a, 0, 0}, {-a, 0, 0}, {0, a, 0}, {0, -a, 0}, {0, 0, a}, {0, 0, -a}};
      break;
    }
    case T_ICOSAEDRO3D:
      rettangoli(0.5, phi / 2);
      break;
    case T_DODECAEDRO3D: {
      const double k = phi / 2;  // side 2 / phi becomes 1
      for (int x : {-1, 1})
        for (int y : {-1, 1})
          for (int z : {-1, 1}) v.push_back({float(x * k), float(y * k), float(z * k)});
      rettangoli(k / phi, k * phi);
      break;
    }
    default:
      break;
  }
  return cache.emplace(tipo, Costruisci(std::move(v), {}, true)).first->second;
}

void Scala(TForma3D& f, double k) {
  for (auto& v : f.vertici) v = Mul(v, k);
}

}  // namespace

bool Apribile(TipiValore tipo) {
  return tipo == T_TETRAEDRO3D || tipo == T_OTTAEDRO3D || tipo == T_DODECAEDRO3D || tipo == T_ICOSAEDRO3D;
}

TForma3D FormaPoliedro(TipiValore tipo, Reale lato, Reale altezza) {
  const double s = std::isfinite(double(lato)) ? double(lato) : 0;
  const double h = std::isfinite(double(altezza)) ? double(altezza) : 0;
  if (Apribile(tipo)) {
    TForma3D f = Regolare(tipo);
    Scala(f, s);
    return f;
  }
  if (tipo == T_PIRAMIDE3D) {
    const float m = float(s / 2);
    return Costruisci({{-m, m, 0}, {m, m, 0}, {m, -m, 0}, {-m, -m, 0}, {0, 0, float(h)}},
                      {{0, 1, 2, 3}, {0, 3, 4}, {3, 2, 4}, {2, 1, 4}, {1, 0, 4}}, false);
  }
  if (tipo == T_PRISMA3D) {
    // A regular pentagon of side s centred on the origin, then the same at height h.
    const double r = s / (2 * std::sin(kPi / 5));
    std::vector<TV> v;
    for (double z : {0.0, h})
      for (int i = 0; i < 5; ++i) {
        const double a = -kPi / 2 - kPi / 5 + 2 * kPi * i / 5;
        v.push_back({float(r * std::cos(a)), float(r * std::sin(a)), float(z)});
      }
    std::vector<std::vector<int>> facce{{4, 3, 2, 1, 0}, {5, 6, 7, 8, 9}};
    for (int i = 0; i < 5; ++i) facce.push_back({i, (i + 1) % 5, 5 + (i + 1) % 5, 5 + i});
    return Costruisci(std::move(v), std::move(facce), false);
  }
  return {};
}

std::vector<std::vector<TAffineVector>> FacceAperte(const TForma3D& forma, const std::vector<float>& frazioni) {
  const std::size_t n = forma.facce.size();
  std::vector<TMappa> mappe(n);
  std::vector<bool> fatta(n, false);
  // Parents before children: by depth.
  std::vector<std::size_t> ordine(n);
  std::iota(ordine.begin(), ordine.end(), 0);
  std::stable_sort(ordine.begin(), ordine.end(),
                   [&](std::size_t a, std::size_t b) { return forma.profondita[a] < forma.profondita[b]; });
  for (std::size_t i : ordine) {
    const int p = forma.padre[i];
    if (p < 0 || !fatta[std::size_t(p)]) {
      fatta[i] = true;
      continue;
    }
    const TV a = forma.vertici[std::size_t(forma.cerniera[i].first)];
    const TV b = forma.vertici[std::size_t(forma.cerniera[i].second)];
    const float t = i < frazioni.size() ? frazioni[i] : 0;
    mappe[i] = Componi(mappe[std::size_t(p)], Rotazione(a, Unit(Sub(b, a)), double(forma.angolo[i]) * t));
    fatta[i] = true;
  }
  std::vector<std::vector<TAffineVector>> r(n);
  for (std::size_t i = 0; i < n; ++i)
    for (int k : forma.facce[i]) r[i].push_back(mappe[i](forma.vertici[std::size_t(k)]));
  return r;
}

// ---- The value ----

namespace {

const char* Didascalia(TipiValore t) {
  switch (t) {
    case T_PRISMA3D: return "Prisma";
    case T_PIRAMIDE3D: return "Piramide";
    case T_OTTAEDRO3D: return "Ottaedro";
    case T_DODECAEDRO3D: return "Dodecaedro";
    case T_ICOSAEDRO3D: return "Icosaedro";
    default: return "Tetraedro";
  }
}

TipiValore TipoPoliedro(TipiValore t) {
  switch (t) {
    case T_PRISMA3D:
    case T_PIRAMIDE3D:
    case T_OTTAEDRO3D:
    case T_DODECAEDRO3D:
    case T_ICOSAEDRO3D: return t;
    default: return T_TETRAEDRO3D;
  }
}

}  // namespace

cValoreTetraedro3D::cValoreTetraedro3D(TipiValore tipo, cValoreGraf3D* padre, Reale altezza, Reale lato)
    : cValoreGraf3D(TipoPoliedro(tipo), padre, Didascalia(TipoPoliedro(tipo))), Lato(lato), Altezza(altezza) {
  forma_ = FormaPoliedro(Tipo, lato, altezza);
  nFacce = int(forma_.facce.size());
  TGLCube* h = NuovoPrincipaleVuoto();
  h->SetVisible(false);
  for (int i = 0; i < nFacce; ++i) NuovaFaccia(*h, Brush.Color);
  Disponi(std::vector<float>(std::size_t(nFacce), 0));
  AggiornaColore();
}

TGLPolygon* cValoreTetraedro3D::Faccia(int i) const { return FacciaDi(Principale(), i); }

void cValoreTetraedro3D::Disponi(const std::vector<float>& frazioni) {
  const auto facce = FacceAperte(forma_, frazioni);
  for (int i = 1; i <= nFacce; ++i)
    if (TGLPolygon* f = Faccia(i)) ImpostaNodiCentrati(*f, facce[std::size_t(i - 1)]);
  AggiornaSpigoli();
}

void cValoreTetraedro3D::Apri(bool animato) {
  if (!Apribile(Tipo)) return;
  const std::size_t n = std::size_t(nFacce);
  const bool chiudi = Aperto;
  auto frazione = [&](float t) { return std::vector<float>(n, chiudi ? 1 - t : t); };
  if (!animato) {
    Disponi(frazione(1));
  } else if (Tipo == T_ICOSAEDRO3D) {
    // Group by group: the hinges of one depth from the first face at a time (the last
    // ones first when folding back).
    const int massima = *std::max_element(forma_.profondita.begin(), forma_.profondita.end());
    std::vector<float> t(n, chiudi ? 1.0f : 0.0f);
    for (int k = 1; k <= massima; ++k) {
      const int livello = chiudi ? massima + 1 - k : k;
      for (std::size_t i = 0; i < n; ++i)
        if (forma_.profondita[i] == livello) t[i] = chiudi ? 0.0f : 1.0f;
      Disponi(t);
      Attendi(500);
    }
  } else {
    const int passi = Tipo == T_DODECAEDRO3D ? 15 : 10;
    const int pausa = Tipo == T_DODECAEDRO3D ? 100 : 200;
    for (int k = 1; k <= passi; ++k) {
      Disponi(frazione(float(k) / float(passi)));
      Attendi(pausa);
    }
  }
  Aperto = !Aperto;
}

void cValoreTetraedro3D::AggiornaSpigoli() {
  TGLCustomSceneObject* h = Principale();
  if (!h) return;
  TogliSpigoli(*h);
  for (int i = 1; i <= nFacce; ++i)
    if (TGLPolygon* f = Faccia(i)) DisegnaSpigoli(*f, TAG_SPIGOLO, Pen.Color);
}

void cValoreTetraedro3D::Copia(cValoreGraf& Dest) const {
  cValoreGraf3D::Copia(Dest);
  auto* d = dynamic_cast<cValoreTetraedro3D*>(&Dest);
  if (!d) return;
  d->Lato = Lato;
  d->Altezza = Altezza;
  d->nFacce = nFacce;
  if (Aperto && !d->Aperto) d->Apri(false);
}

std::unique_ptr<cValoreGraf3D> cValoreTetraedro3D::NuovoSimile() const {
  return std::make_unique<cValoreTetraedro3D>(Tipo, Padre(), Altezza, Lato);
}

}  // namespace qx
