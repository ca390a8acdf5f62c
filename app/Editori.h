// The main window's two editors: making them in their configurations, and the text
// operations the window uses on them in the window's own terms (UTF-8 lines).
#pragma once
#include <string>
#include <vector>

#include "app/Componenti.h"

namespace qx {

// The program editor (Shift+Enter breaks no line, F1 asks for no help) and the command bar
// (Enter and Shift+Enter break no line, Ctrl+Enter does).
TSrcEditFinestra* CreaEditorProgramma(QWidget* parent);
TSrcEditFinestra* CreaBarraComandi(QWidget* parent);

// The lines (none for an empty editor).
std::vector<std::string> RigheEditor(const TSrcEditFinestra& e);
// The whole text, lines split at CR, LF or CR LF; a final break adds no line.
void ImpostaTestoEditor(TSrcEditFinestra& e, const std::string& testo);
// Appends lines after the last one.
void AggiungiRigheEditor(TSrcEditFinestra& e, const std::vector<std::string>& righe);
// Replaces the selection, or inserts at the caret, as one undoable change.
void SostituisciSelezione(TSrcEditFinestra& e, const std::string& testo);
int DimensioneCarattere(const TSrcEditFinestra& e);
void ImpostaDimensioneCarattere(TSrcEditFinestra& e, int punti);

}  // namespace qx
