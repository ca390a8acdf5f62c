#!/usr/bin/env python3
"""A second, independent writer of Quorix program files, on Python's standard library only.

It writes each family of values below as a program file: the header, the frame, then per
value a type record and the value's record, in the toolkit's binary component stream. Like
a writer that leaves out whatever equals its default, every record holds only the
properties that differ from what the value's constructor gives (the frame's record holds
none at all). Beside each file NAME.qxs it writes NAME.txt, the program whose statements
make the same values, for the test to compare.

    scrivi_programmi.py OUTPUT_FOLDER
"""
import math
import os
import struct
import sys

# ---- The stream's values ------------------------------------------------------------------


def corto(testo):
    b = testo.encode("cp1252")
    return bytes([len(b)]) + b


def intero(n):
    if -128 <= n <= 127:
        return b"\x02" + struct.pack("<b", n)
    if -32768 <= n <= 32767:
        return b"\x03" + struct.pack("<h", n)
    return b"\x04" + struct.pack("<i", n)


def esteso(x):
    """The 10-byte extended real: 64-bit mantissa with its integer bit, 15-bit exponent."""
    if x == 0:
        return b"\x05" + bytes(10)
    segno = 0x8000 if x < 0 else 0
    m, e = math.frexp(abs(x))  # abs(x) = m * 2**e, 0.5 <= m < 1
    mantissa = int(m * 2**64)
    return b"\x05" + mantissa.to_bytes(8, "little") + (segno | (e - 1 + 16383)).to_bytes(2, "little")


def stringa(s):
    b = s.encode("cp1252")
    if len(b) <= 255:
        return b"\x06" + bytes([len(b)]) + b
    return b"\x0c" + struct.pack("<i", len(b)) + b


def ident(nome):
    return b"\x07" + corto(nome)


def booleano(v):
    return b"\x09" if v else b"\x08"


def collezione(elementi):
    """Each element a list of (name, encoded value)."""
    out = b"\x0e"
    for proprieta in elementi:
        out += b"\x01" + b"".join(corto(n) + v for n, v in proprieta) + b"\x00"
    return out + b"\x00"


def record(classe, proprieta):
    out = b"TPF0" + corto(classe) + corto("")
    for nome, valore in proprieta:
        out += corto(nome) + valore
    return out + b"\x00\x00"


# ---- The values ---------------------------------------------------------------------------
#
# A family: the program, the count of anonymous objects its statements make (each point given
# as an argument is one, and so is the value of each statement that names none), and its
# values.
#
# A value: (type code name, class, properties other than Tipo); the type record gets the
# polygon and list kinds when they are not the first members; `seguono` are the records that
# follow the value (a list's members).


def valore(tipo, classe, proprieta, tipo_pol=None, tipo_lista=None, seguono=()):
    return {"tipo": tipo, "classe": classe, "proprieta": proprieta, "pol": tipo_pol, "lista": tipo_lista,
            "seguono": list(seguono)}


def tipo_record(v):
    p = [("Tipo", ident(v["tipo"]))]
    if v["pol"]:
        p.append(("TipoPol", ident(v["pol"])))
    if v["lista"]:
        p.append(("TipoLista", ident(v["lista"])))
    return record("cTipo", p)


def file_programma(testo, valori, ultimo_numero=0):
    header = [("NumOfVar", intero(len(valori)))]
    if ultimo_numero:
        header.append(("LastNumVar", intero(ultimo_numero)))
    header.append(("Text", stringa(testo)))
    out = record("cFileHeader", header) + record("cRifCart", [])
    for v in valori:
        out += tipo_record(v)
        out += record(v["classe"], [("Tipo", ident(v["tipo"]))] + v["proprieta"])
        for classe, proprieta in v["seguono"]:
            out += record(classe, proprieta)
    return out


def nome(n):
    return ("Nome", stringa(n))


FAMIGLIE = {
    "scalari": (
        'A = 2.5;\r\nB = VERO;\r\nF = FALSO;\r\nS = "più";\r\nZ = 0;',
        0,
        [
            valore("T_REALE", "cValoreReale", [nome("A"), ("Value", esteso(2.5))]),
            valore("T_BOOLEANO", "cValoreBool", [nome("B"), ("Value", booleano(True))]),
            valore("T_BOOLEANO", "cValoreBool", [nome("F")]),
            valore("T_STRINGA", "cValoreStringa", [nome("S"), ("Value", stringa("più"))]),
            valore("T_REALE", "cValoreReale", [nome("Z")]),
        ],
    ),
    # A point without a pen takes the current one; a red pen, once read, is the current one
    # for the next point.
    "punti": (
        "P = PUNTO(3, -1.5);\r\nCOLORE(9);\r\nQ = PUNTO(1, 2);\r\nR = PUNTO(0, 0.25);",
        3,
        [
            valore("T_PUNTO", "cValorePunto", [nome("P"), ("xCart", esteso(3)), ("yCart", esteso(-1.5))]),
            valore("T_PUNTO", "cValorePunto",
                   [nome("Q"), ("Pen.Color", ident("clRed")), ("xCart", esteso(1)), ("yCart", esteso(2))]),
            valore("T_PUNTO", "cValorePunto", [nome("R"), ("yCart", esteso(0.25))]),
        ],
    ),
    "cerchio": (
        "C = CIRC(PUNTO(1, -2), 2.5);",
        2,
        [valore("T_CERCHIO", "cValoreCerchio",
                [nome("C"), ("x", esteso(1)), ("y", esteso(-2)), ("r", esteso(2.5))])],
    ),
    "segmento": (
        "S = SEGMENTO(PUNTO(0, 0), PUNTO(2, 1));",
        3,
        [valore("T_SEGMENTO", "cValoreRetta", [nome("S"), ("x2", esteso(2)), ("y2", esteso(1))])],
    ),
    "testo": (
        'T = SCRIVIXY(1, 2, "ciao");',
        1,
        [valore("T_TESTO", "cValoreTesto", [nome("T"), ("x", esteso(1)), ("y", esteso(2)), ("Testo", stringa("ciao"))])],
    ),
    "funzione": (
        'F = FUNZIONE("x^2+1");',
        0,
        [valore("T_FUNZIONE", "cValoreFunzione", [nome("F"), ("_sFunz", stringa("x^2+1"))])],
    ),
    "vettore": (
        "V = VETTORE(3);\r\nV(1) = 2;\r\nV(3) = -0.5;",
        0,
        [valore("T_VETT_REALE", "cVettReale",
                [nome("V"), ("_Count", intero(3)),
                 ("_Vett", collezione([[("val", esteso(2))], [], [("val", esteso(-0.5))]]))])],
    ),
    "matrice": (
        "M = MATRICE(2, 2);\r\nM(1, 2) = 3;",
        0,
        [valore("T_MATR_REALE", "cMatrReale",
                [nome("M"), ("_Rows", intero(2)), ("_Cols", intero(2)),
                 ("_Matr", collezione([[], [("val", esteso(3))], [], []]))])],
    ),
    # The empty place of a vector of functions is an empty function of its own.
    "funzioni": (
        'V = VETTORE_FUNZ(2);\r\nV(1) = FUNZIONE("x^2");',
        0,
        [valore("T_LISTA", "cValoreLista", [nome("V"), ("_Oggetti", collezione([[], []])), ("_nCount", intero(2))],
                tipo_lista="T_VETT_FUNZ",
                seguono=[("cValoreFunzione", [("Tipo", ident("T_FUNZIONE")), ("_sFunz", stringa("x^2"))]),
                         ("cValoreFunzione", [("Tipo", ident("T_FUNZIONE"))])])],
    ),
    "angolo": (
        "A = ANGOLO(PUNTO(1, 0), PUNTO(0, 0), PUNTO(0, 1));",
        4,
        [valore("T_ANGOLO", "cValoreAngolo",
                [nome("A"), ("x1", esteso(1)), ("y3", esteso(1))])],
    ),
}


def main():
    if len(sys.argv) != 2:
        sys.exit("uso: scrivi_programmi.py CARTELLA")
    cartella = sys.argv[1]
    os.makedirs(cartella, exist_ok=True)
    for famiglia, (testo, anonimi, valori) in FAMIGLIE.items():
        with open(os.path.join(cartella, famiglia + ".qxs"), "wb") as f:
            f.write(file_programma(testo, valori, anonimi))
        with open(os.path.join(cartella, famiglia + ".txt"), "w", encoding="utf-8") as f:
            f.write(testo)
        print(famiglia)


if __name__ == "__main__":
    main()
