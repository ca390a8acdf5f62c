#include "interpreter/TabelleComandi.h"

#include "runstate/ParoleChiave.h"

namespace qx {

namespace {
constexpr FormaGestore I = FormaGestore::Istruzione;
constexpr FormaGestore V = FormaGestore::Valore;

// The geometry rows shared by both tables, in their order.
std::vector<RigaComando> RigheGeometria(const TParoleChiave& k) {
  return {
      {{k.PUNTO, k.PUNTO_A_CASO, k.PUNTO_MEDIO, k.PUNTO_SU, k.PUNTOACASO_SU, k.PUNTO_SU_OGGETTO}, "CmdPunto", V},
      {{k.TRASLA_PUNTO}, "CmdTraslaPunto", V},
      {{k.DISEGNA_DISTANZA}, "CmdDisegnaDistanza", V},
      {{k.LINEA}, "CmdLinea", V},
      {{k.PENNA}, "CmdPenna", V},
      {{k.POLIGONO, k.POLIGONALE}, "CmdPoligono", V},
      {{k.SCRIVI, k.SCRIVIXY}, "CmdScrivi", V},
      {{k.IMMAGINE}, "CmdImmagine", V},
      {{k.QUADRATO, k.TRIANGOLO_RETTANGOLO, k.TRAPEZIO_ISOSCELE, k.ROMBO, k.TRIANGOLO_ISOSCELE, k.TRIANGOLO_EQUILATERO,
        k.TRAPEZIO_RETTANGOLO, k.RETTANGOLO, k.PENTAGONO, k.ESAGONO},
       "CmdFigura", V},
      {{k.RETTA, k.SEMIRETTA, k.SEGMENTO, k.SEGMENTO_OR, k.SEGMENTO_ORIENTATO, k.PARALLELA, k.PERPENDICOLARE,
        k.RETTANUM, k.RETTAPAR_ASSE, k.RETTA_FASCIO, k.RETTA_REGR},
       "CmdRetta", V},
  };
}
// Angles to tangents, also shared by both tables in the same order.
std::vector<RigaComando> RigheFigureTrasformazioni(const TParoleChiave& k) {
  return {
      {{k.ANGOLO}, "CmdAngolo", V},
      {{k.ARCO, k.SETTORE_CIRC}, "CmdArco", V},
      {{k.CIRC, k.CIRCONFERENZA}, "CmdCirconferenza", V},
      {{k.ELLISSE, k.IPERBOLE, k.PARABOLA}, "CmdConica", V},
      {{k.DIAGSTR, k.ISTOGRAMMA, k.DIAGCIRC, k.LANCIO_MONETA, k.LANCIO_DADI}, "CmdDiagramma", V},
      {{k.RUOTA}, "CmdRuota", V},
      {{k.TRASLA}, "CmdTrasla", V},
      {{k.SIMMETRIA_ASS, k.SIMMETRIA_ASSIALE}, "CmdSimmetriaAssiale", V},
      {{k.OMOTETIA}, "CmdOmotetia", V},
      {{k.INGRANDISCI, k.RIMPICCIOLISCI}, "CmdIngrandisci", V},
      {{k.INTERSEZIONE}, "CmdIntersezione", V},
      {{k.TANGENTE}, "CmdTangente", V},
  };
}
}  // namespace

const std::vector<RigaComando>& TabellaIstruzioni() {
  static const std::vector<RigaComando> tabella = [] {
    const TParoleChiave& k = ParoleChiave;
    std::vector<RigaComando> t = {
        {{k.STOP}, "CmdStop", I},
        {{"CLRSCR"}, "CmdClrScr", I},
        {{k.STAMPA}, "CmdStampa", I},
        {{k.STAMPAFUNZ, k.STAMPAFRAZ, k.STAMPAESPR}, "CmdStampaFunz", I},
        {{k.GRAFICOFUNZ}, "CmdGraficoFunz", I},
        {{k.GRAFICOFUNZ3D}, "CmdGraficoFunz3D", I},
        {{k.LEGGIVETT}, "CmdLeggiVett", I},
        {{k.STAMPAVETT}, "CmdStampaVett", I},
        {{k.LEGGIMATR, k.LEGGITAB_DE}, "CmdLeggiMatr", I},
        {{k.STAMPAMATR, k.STAMPATAB_DE}, "CmdStampaMatr", I},
        {{k.APRI_ARCHIVIO}, "CmdApriArchivio", I},
        {{k.CREA_ARCHIVIO}, "CmdCreaArchivio", I},
        {{k.SUONANOTA}, "CmdSuonaNota", I},
        {{k.COLORE}, "CmdColore", I},
        {{k.TRACCIA}, "CmdTraccia", I},
        {{k.COLOREPENNA, k.COLORESFONDO, k.COLORERIEMPIMENTO}, "CmdColoreRGB", I},
        {{k.STILEPENNA, k.MOTIVORIEMPIMENTO, k.SPESSOREPENNA}, "CmdStilePenna", I},
        {{k.STILE}, "CmdStile", I},
        {{k.CANCELLA}, "CmdCancella", I},
        {{k.PAUSA}, "CmdPausa", I},
        {{k.SUONA}, "CmdSuona", I},
        {{k.CARATTERE}, "CmdCarattere", I},
        {{k.RIFCART}, "CmdRifCart", I},
        {{k.RIFCART1}, "CmdRifCart1", I},
        {{k.STELLA, k.FASCIORAG}, "CmdStella", I},
    };
    for (auto& r : RigheGeometria(k)) t.push_back(std::move(r));
    t.push_back({{k.SCEGLIPUNTO, k.SCEGLISEGMENTO, k.SCEGLIOGGETTO, k.SCEGLILATO, k.SCEGLIVERTICE},
                 "CmdScegliIstruzione", V});
    for (auto& r : RigheFigureTrasformazioni(k)) t.push_back(std::move(r));
    const std::vector<RigaComando> resto = {
        {{k.DIAMETRO}, "CmdDiametro", V},
        {{k.RIFCART3D}, "CmdRifCart3D", I},
        {{k.PUNTO3D}, "CmdPunto3D", V},
        {{k.SEGMENTO3D, k.RETTA3D}, "CmdSegmento3D", V},
        {{k.CILINDRO}, "CmdCilindro", V},
        {{k.SFERA}, "CmdSfera", V},
        {{k.PARALLELEPIPEDO, k.CUBO}, "CmdParallelepipedo", V},
        {{k.CONO, k.CONO2}, "CmdCono", V},
        {{k.TETRAEDRO, k.OTTAEDRO, k.DODECAEDRO, k.ICOSAEDRO, k.PRISMA, k.PIRAMIDE}, "CmdPoliedro", V},
        {{k.PIANO, k.PIANOSEC}, "CmdPiano", V},
        {{k.FACCIA}, "CmdFaccia", V},
        {{k.SOLIDO}, "CmdSolido", V},
        {{k.FUNZIONE3D}, "CmdFunzione3D", V},
        {{k.RUOTA3D}, "CmdRuota3D", V},
        {{k.APRIPOLIEDRO}, "CmdApriPoliedro", V},
        {{k.AGGIUNGI}, "CmdAggiungi", I},
        {{k.TOGLI}, "CmdTogli", I},
        {{k.INTERSEZIONE3D}, "CmdIntersezione3D", V},
    };
    t.insert(t.end(), resto.begin(), resto.end());
    return t;
  }();
  return tabella;
}

const std::vector<RigaComando>& TabellaEspressioni() {
  static const std::vector<RigaComando> tabella = [] {
    const TParoleChiave& k = ParoleChiave;
    std::vector<RigaComando> t = {
        {{k.SCEGLIPUNTO, k.SCEGLISEGMENTO, k.SCEGLIOGGETTO, k.SCEGLILATO, k.SCEGLIVERTICE, k.CLICCA}, "CmdScegli", V},
        {{k.LEGGINUM}, "CmdLeggiNum", V},
        {{k.LEGGIMISURAANG}, "CmdLeggiMisuraAng", V},
        {{k.LEGGISTR, k.LEGGITESTO}, "CmdLeggiStr", V},
        {{k.NUMERO_A_CASO}, "CmdNumeroACaso", V},
        {{k.DOMANDA}, "CmdDomanda", V},
        {{k.FUNZIONE}, "CmdFunzione", V},
        {{k.SOMMATORIA, k.PRODUTTORIA}, "CmdSommatoria", V},
        {{k.LEGGIFUNZ}, "CmdLeggiFunz", V},
        {{k.COMDENOFUNZ}, "CmdComDenoFunz", V},
        {{k.DERIVATAFUNZ}, "CmdDerivataFunz", V},
        {{k.PRIMITIVA}, "CmdPrimitiva", V},
        {{k.INTEGRALE}, "CmdIntegrale", V},
        {{k.VALUTAFUNZ, k.VALUTAVETTORE_FUNZ}, "CmdValutaFunz", V},
        {{k.LEGGIFRAZ}, "CmdLeggiFraz", V},
        {{k.FRAZIONE}, "CmdFrazione", V},
        {{k.FRAZ_GENERATRICE}, "CmdFrazione", V},
        {{k.MISURAANG}, "CmdMisuraAng", V},
        {{k.LEGGIESPR}, "CmdLeggiEspr", V},
        {{k.ESPRESSIONE}, "CmdEspressione", V},
        {{k.CALCOLAESPR}, "CmdCalcolaEspr", V},
        {{k.POLT}, "CmdPolT", V},
        {{k.VETTORE, k.VETTORE_STR}, "CmdVettore", V},
        {{k.LISTA, k.VETTORE_FUNZ}, "CmdLista", V},
        {{k.MATRICE, k.TABELLA_DE, k.MATRICE_STR}, "CmdMatrice", V},
    };
    for (auto& r : RigheGeometria(k)) t.push_back(std::move(r));
    for (auto& r : RigheFigureTrasformazioni(k)) t.push_back(std::move(r));
    const std::vector<RigaComando> resto = {
        {{k.DISTANZA}, "CmdDistanza", V},
        {{k.AREA}, "CmdArea", V},
        {{k.AMPIEZZA}, "CmdAmpiezza", V},
        {{k.MISURA, k.GRADI, k.PRIMI, k.SECONDI}, "CmdMisura", V},
        {{k.ESTREMO}, "CmdEstremo", V},
        {{k.LATO}, "CmdLato", V},
        {{k.DIAMETRO}, "CmdDiametro", V},
        {{k.ASCISSA}, "CmdAscissa", V},
        {{k.SEN}, "CmdSen", V},
        {{k.COS}, "CmdCos", V},
        {{k.RADICEQ}, "CmdRadiceQ", V},
        {{k.VALOREASS}, "CmdValoreAss", V},
        {{k.MCM, k.MCD}, "CmdMcmMcd", V},
        {{k.DETERMINANTE}, "CmdDeterminante", V},
        {{k.FATTORIALE}, "CmdFattoriale", V},
        {{k.BINOMIALE}, "CmdBinomiale", V},
        {{k.INT}, "CmdInt", V},
        {{k.NUM, k.STR}, "CmdNumStr", V},
        {{k.PRIMO}, "CmdPrimo", V},
        {{k.INVERSA}, "CmdInversa", V},
        {{k.SISTEMALIN}, "CmdSistemaLin", V},
        {{k.AUTOVALORI}, "CmdAutovalori", V},
        {{k.PUNTO3D}, "CmdPunto3D", V},
        {{k.MEDIA, k.MEDIANA, k.MODA, k.SSM, k.SQM, k.VARIANZA, k.COVARIANZA, k.COEFF_CORR}, "CmdStatistica", V},
        {{k.FZERO}, "CmdFZero", V},
        {{k.SEGMENTO3D, k.RETTA3D}, "CmdSegmento3D", V},
        {{k.CILINDRO}, "CmdCilindro", V},
        {{k.GRUPPO3D}, "CmdGruppo3D", V},
        {{k.CONO, k.CONO2}, "CmdCono", V},
        {{k.TETRAEDRO, k.OTTAEDRO, k.DODECAEDRO, k.ICOSAEDRO, k.PRISMA, k.PIRAMIDE}, "CmdPoliedro", V},
        {{k.SFERA}, "CmdSfera", V},
        {{k.PARALLELEPIPEDO, k.CUBO}, "CmdParallelepipedo", V},
        {{k.PIANO, k.PIANOSEC}, "CmdPiano", V},
        {{k.FACCIA}, "CmdFaccia", V},
        {{k.SOLIDO}, "CmdSolido", V},
        {{k.FUNZIONE3D}, "CmdFunzione3D", V},
        {{k.RUOTA3D}, "CmdRuota3D", V},
        {{k.INTERSEZIONE3D}, "CmdIntersezione3D", V},
        {{k.EDOGRAF, k.EDONUM}, "CmdEdo", V},
    };
    t.insert(t.end(), resto.begin(), resto.end());
    return t;
  }();
  return tabella;
}

}  // namespace qx
