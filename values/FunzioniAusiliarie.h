// Small helpers of the values and the built-ins: text utilities, pixel tests used by the
// hit tests, ordering of points by angle, colour packing, and the space helpers of the
// solid-geometry statements. The message-loop waits (Attendi) live with the window services.
#pragma once
#include <cmath>
#include <string>
#include <vector>

#include "platform/Graphics.h"
#include "scene/base/VectorGeometry.h"
#include "values/Funzioni.h"

namespace qx {

// Non-overlapping, left-to-right, case-sensitive replacement; an empty pattern changes nothing.
std::string SostituisciTesto(const std::string& s, const std::string& modello, const std::string& sostituto);
// Removes every blank (other white space stays).
std::string RimuoviSpazi(const std::string& s);
// Deletes lines from the end while they are blank; the first line is never deleted.
void RimuoviRigheVuoteFinali(std::vector<std::string>& righe);
// Drops keys typed during a run.
void ScartaTasti();

bool PuntoInRettangolo(const TRect& r, const TPoint& p);
// R within 3 pixels of the segment AB (with the rules for vertical and horizontal segments).
bool PuntoSuSegmentoPixel(const TPoint& R, const TPoint& A, const TPoint& B);
// Direction of (dx, dy) in degrees, anticlockwise from the x axis, in [0, 360).
Reale AngoloPolare(Reale dy, Reale dx);
// Moves the lowest point (then leftmost) first and sorts the others by polar angle about it.
void OrdinaPuntiPerAngolo(std::vector<TPuntoMondo>& punti, int ultimo);
inline Reale Ipotenusa(Reale a, Reale b) { return std::sqrt(a * a + b * b); }
inline TColor ComponiColore(int rosso, int verde, int blu) { return rosso + verde * 256 + blu * 65536; }
void ScomponiColore(TColor colore, int& rosso, int& verde, int& blu);
inline void ImpostaPunto(TPuntoMondo& p, Reale x, Reale y) { p = {x, y}; }
inline void ImpostaPunto3D(TPunto3D& p, Reale x, Reale y, Reale z) { p = {x, y, z}; }
void ScambiaPunti(TPuntoMondo& a, TPuntoMondo& b);
void ScambiaReali(Reale& a, Reale& b);

// A normal of the plane through three points and one point of it near the origin.
void PianoPerTrePunti(const TPunto3D& a, const TPunto3D& b, const TPunto3D& c, TPunto3D& normale, TPunto3D& punto);
// The missing coordinate of the point of the plane through a, b, c; false (nothing written)
// when the plane is parallel to that axis.
bool ZSuPiano(const TPunto3D& a, const TPunto3D& b, const TPunto3D& c, Reale x, Reale y, Reale& z);
bool XSuPiano(const TPunto3D& a, const TPunto3D& b, const TPunto3D& c, Reale y, Reale z, Reale& x);
bool YSuPiano(const TPunto3D& a, const TPunto3D& b, const TPunto3D& c, Reale x, Reale z, Reale& y);
// Rotation about the line through `centro` parallel to the axis X, Y or Z (either case); radians.
TPunto3D RuotaPunto3D(const TPunto3D& p, const TPunto3D& centro, char asse, Reale angolo);
TAffineVector RuotaVettore3D(const TAffineVector& v, const TAffineVector& centro, char asse, Reale angolo);
TPunto3D Punto3DSingleInEsteso(const TAffineVector& v);
TAffineVector Punto3DEstesoInSingle(Reale x, Reale y, Reale z);
float Distanza3D(const TAffineVector& a, const TAffineVector& b);
// The point at distance d from B towards A.
TAffineVector PuntoADistanza3D(float d, const TAffineVector& A, const TAffineVector& B);
// The line where two planes meet (a point and the direction); false for parallel planes.
bool IntersezionePiani3D(const TAffineVector& n1, const TAffineVector& p1, const TAffineVector& n2,
                         const TAffineVector& p2, TAffineVector& punto, TAffineVector& direzione);

}  // namespace qx
