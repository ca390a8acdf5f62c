#!/usr/bin/env python3
"""Reads a worksheet with Python's own zip and XML readers, apart from the code that wrote
it, and prints what a teacher would find in it, one fact per line."""
import struct
import sys
import xml.etree.ElementTree as ET
import zipfile

TEXT = "urn:oasis:names:tc:opendocument:xmlns:text:1.0"
DRAW = "urn:oasis:names:tc:opendocument:xmlns:drawing:1.0"
XLINK = "http://www.w3.org/1999/xlink"
MANIFEST = "urn:oasis:names:tc:opendocument:xmlns:manifest:1.0"


def testo(elemento):
    """The text of a paragraph as a reader shows it: counted spaces and tabs expanded."""
    parti = [elemento.text or ""]
    for figlio in elemento:
        if figlio.tag == "{%s}s" % TEXT:
            parti.append(" " * int(figlio.get("{%s}c" % TEXT, "1")))
        elif figlio.tag == "{%s}tab" % TEXT:
            parti.append("\t")
        elif figlio.tag == "{%s}frame" % DRAW:
            parti.append("[figura]")
        elif figlio.tag != "{%s}bookmark" % TEXT:
            parti.append(testo(figlio))
        parti.append(figlio.tail or "")
    return "".join(parti)


def main(percorso):
    z = zipfile.ZipFile(percorso)
    voci = z.infolist()
    primo = voci[0]
    print("primo %s %s" % (primo.filename, "stored" if primo.compress_type == zipfile.ZIP_STORED else "compresso"))
    print("mimetype %s" % z.read("mimetype").decode("ascii"))
    manifest = ET.fromstring(z.read("META-INF/manifest.xml"))
    for voce in manifest:
        if voce.get("{%s}media-type" % MANIFEST) == "image/png":
            print("manifest %s" % voce.get("{%s}full-path" % MANIFEST))
    contenuto = ET.fromstring(z.read("content.xml"))
    corpo = contenuto.find("{urn:oasis:names:tc:opendocument:xmlns:office:1.0}body")
    paragrafi = list(corpo.iter("{%s}p" % TEXT))
    dopo = None
    for p in paragrafi:
        segnalibri = [b.get("{%s}name" % TEXT) for b in p.iter("{%s}bookmark" % TEXT)]
        for nome in segnalibri:
            print("segnalibro %s: %s" % (nome, testo(p)))
            if nome == "TABELLA1":
                dopo = paragrafi.index(p)
        for immagine in p.iter("{%s}image" % DRAW):
            nome = immagine.get("{%s}href" % XLINK)
            dati = z.read(nome)
            larghezza, altezza = struct.unpack(">II", dati[16:24])
            cornice = next(p.iter("{%s}frame" % DRAW))
            print("immagine %s %dx%d %s %s" % (nome, larghezza, altezza,
                                               cornice.get("{urn:oasis:names:tc:opendocument:xmlns:svg-compatible:1.0}width"),
                                               cornice.get("{urn:oasis:names:tc:opendocument:xmlns:svg-compatible:1.0}height")))
    if dopo is not None:
        for p in paragrafi[dopo + 1:]:
            print("riga %s" % testo(p))


if __name__ == "__main__":
    main(sys.argv[1])
