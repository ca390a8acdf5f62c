// The plane-geometry commands: points, lines, circles, arcs, angles, polygons, named shapes,
// transformations, and the member readers of geometric values (P.X, S.ESTREMO(1) ...).
#pragma once
#include <string>

#include "interpreter/Dispatch.h"

namespace qx {

PValore CmdPunto(ListaArgomenti& a, const std::string& nome, bool Esegui);
PValore CmdRetta(ListaArgomenti& a, const std::string& nome, bool Esegui);
void CmdStella(bool Esegui, ListaArgomenti& a, const std::string& nome);
PValore CmdCirconferenza(ListaArgomenti& a, const std::string& nome, bool Esegui);
PValore CmdArco(ListaArgomenti& a, const std::string& nome, bool Esegui);
PValore CmdAngolo(ListaArgomenti& a, const std::string& nome, bool Esegui);
PValore CmdPoligono(ListaArgomenti& a, const std::string& nome, bool Esegui);
PValore CmdFigura(ListaArgomenti& a, const std::string& nome, bool Esegui);
PValore CmdRuota(ListaArgomenti& a, const std::string& nome, bool Esegui);
PValore CmdTrasla(ListaArgomenti& a, const std::string& nome, bool Esegui);
PValore CmdSimmetriaAssiale(ListaArgomenti& a, const std::string& nome, bool Esegui);
PValore CmdIngrandisci(ListaArgomenti& a, const std::string& nome, bool Esegui);
PValore CmdOmotetia(ListaArgomenti& a, const std::string& nome, bool Esegui);

// The member readers, one per kind of value.
void RegistraLettoriMembri();
// The members of a matrix (the marginal frequencies of a double-entry table); the element
// reader of matrices hands it every member.
PValore MembriMatrice(cVariabile& var, ListaArgomenti& a, bool Esegui);

// Installs every handler above (called from RegistraComandiBase).
void RegistraComandiGeometria();

}  // namespace qx
