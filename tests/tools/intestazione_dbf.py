#!/usr/bin/env python3
"""A second reader of a dBASE file's header, independent of the one in the program.

Prints the version and language-driver bytes, the record count, then one line per field:
NAME TYPE WIDTH.DECIMALS (the name decoded from Windows-1252). Exits 1 when the sizes in
the header do not agree with each other or with the file.
"""
import struct
import sys

data = open(sys.argv[1], "rb").read()
version, records, header_len, record_len = data[0], *struct.unpack_from("<IHH", data, 4)
print(f"version 0x{version:02X} language 0x{data[29]:02X} records {records}")
fields, pos, width_sum = [], 32, 1
while data[pos] != 0x0D:
    name = data[pos:pos + 11].split(b"\0")[0].decode("cp1252")
    kind, width, decimals = chr(data[pos + 11]), data[pos + 16], data[pos + 17]
    print(f"{name} {kind} {width}.{decimals}")
    width_sum += width
    pos += 32
ok = header_len == pos + 1 and record_len == width_sum and len(data) >= header_len + records * record_len
sys.exit(0 if ok else 1)
