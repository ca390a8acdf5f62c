#!/usr/bin/env python3
"""Names the failed tests of the last ctest run in BUILD_DIR that may run once more.

LeakSanitizer stops the whole process with a tracer of its own when the program exits; that
tracer can die ("Tracer caught signal 11 ... LeakSanitizer has encountered a fatal error")
after the test passed and with only the main thread left. That is the checker failing, not
the program, and no leak report was made. A test that failed that way, and only that way, may
run once more; any other failure stands. Prints a ctest -R expression for the tests to run
again, and exits 1 when a failure is of another kind (or there is nothing to read).
"""
import re
import sys
from pathlib import Path

SEGNO = "LeakSanitizer has encountered a fatal error"


def main() -> int:
    cartella = Path(sys.argv[1]) / "Testing" / "Temporary"
    try:
        falliti = [r.split(":", 1)[1].strip() for r in (cartella / "LastTestsFailed.log").read_text().splitlines() if ":" in r]
        registro = (cartella / "LastTest.log").read_text(errors="replace")
    except OSError:
        return 1
    # Each test's output stands between "N/M Testing: NAME" and the next such line.
    uscite = {}
    for parte in re.split(r"^\d+/\d+ Testing: ", registro, flags=re.M)[1:]:
        nome, _, resto = parte.partition("\n")
        uscite[nome.strip()] = resto
    if not falliti:
        return 1
    for nome in falliti:
        uscita = uscite.get(nome, "")
        if SEGNO not in uscita or "[  PASSED  ]" not in uscita or "ERROR: LeakSanitizer: detected memory leaks" in uscita:
            return 1
    print("^(" + "|".join(re.escape(n) for n in falliti) + ")$")
    return 0


if __name__ == "__main__":
    sys.exit(main())
