#!/usr/bin/env python3
"""Quotes for the end-to-end test of the search and the export.

  search_quotes.py make FOLDER COUNT STORED  writes datos.dat (STORED quotes)
                                             and config.cfg (COUNT of them)
  search_quotes.py field FOLDER N INDEX      prints field INDEX (0 body, 1 name,
                                             2 date, 3 address, 4 total) of quote N
  search_quotes.py matching FOLDER WORD      prints the numbers of the quotes
                                             whose fields hold WORD, case and
                                             accents aside, one a line
  search_quotes.py check-csv FILE FOLDER [N...]  checks that FILE, read as a
                                             spreadsheet would, holds the stored
                                             fields of quotes N (all whole ones
                                             when none are given), in order

Texts are Windows-1252 in the files; the folding here is Python's own.
"""
import csv
import random
import struct
import sys
import unicodedata

WIDTHS = [1800, 40, 40, 40, 40]
RECORD = 1960
PENA = ["Pe\u00f1a", "PE\u00d1A", "pena"]


def record(fields, leftovers=b""):
    out = b""
    for text, width in zip(fields, WIDTHS):
        data = text.encode("cp1252")
        tail = (b"\0" + leftovers)[: width - len(data)] if leftovers else b""
        out += (data + tail).ljust(width, b"\0")
    return out


def make(folder, count, stored):
    rng = random.Random(17)
    names = ["Jos\u00e9 Mu\u00f1oz Garc\u00eda", "Talleres Ib\u00e1\u00f1ez S.L.", "Ana L\u00f3pez",
             "Mar\u00eda Pe\u00f1o", "Hermanos Pa\u00f1a", "Comunidad Ca\u00f1ada 5"]
    lines = ["- Desmontaje de la cocina", "Alicatado de 12 m\u00b2", "Pintura \"pl\u00e1stica\"; dos manos",
             "=Material aparte", "Fontaner\u00eda y desag\u00fces", "@ consultar plazo"]
    quotes = []
    for n in range(1, stored + 1):
        name = rng.choice(names)
        address = "C/ Mayor %d, %d\u00ba" % (n, n % 9 + 1)
        body = "\r\n".join(rng.sample(lines, 3))
        if n % 7 == 3:  # a form of "pe\u00f1a" in one of the fields
            form = PENA[(n // 7) % 3]
            where = (n // 21) % 3
            if where == 0:
                name = form + " e hijos"
            elif where == 1:
                address = "Plaza " + form + " %d" % n
            else:
                body += "\r\nCasa " + form
        if n == 1234:
            name = "Bodegas Zarzuela"
        date = "%d/%02d/2026" % (n % 28 + 1, n % 12 + 1)
        total = "%d,%02d" % (n * 7, n % 100)
        quotes.append(record([body, name, date, address, total], b"ZZZ" if n % 50 == 0 else b""))
    with open(folder + "/datos.dat", "wb") as f:
        f.write(b"".join(quotes))
    with open(folder + "/config.cfg", "wb") as f:
        f.write(struct.pack("<ii", count, 1))


def stored_fields(folder):
    data = open(folder + "/datos.dat", "rb").read()
    for i in range(len(data) // RECORD):
        raw = data[i * RECORD:(i + 1) * RECORD]
        fields, at = [], 0
        for width in WIDTHS:
            fields.append(raw[at:at + width].split(b"\0")[0].decode("cp1252"))
            at += width
        yield i + 1, fields


def fold(text):
    return "".join(c for c in unicodedata.normalize("NFD", text.lower()) if not unicodedata.combining(c))


def guarded(text):
    return "'" + text if text[:1] in ("=", "+", "-", "@") else text


def check_csv(path, folder, numbers):
    quotes = dict(stored_fields(folder))
    wanted = numbers or sorted(quotes)
    with open(path, "rb") as f:
        raw = f.read()
    problems = []
    if not raw.startswith(b"\xef\xbb\xbf"):
        problems.append("no byte order mark")
    with open(path, encoding="utf-8-sig", newline="") as f:
        rows = list(csv.reader(f, delimiter=";"))
    if rows[:1] != [["N\u00famero", "Fecha", "Nombre", "Domicilio", "Total", "Texto"]]:
        problems.append("header %r" % rows[:1])
    expected = [[str(n)] + [guarded(quotes[n][i]) for i in (2, 1, 3, 4, 0)] for n in wanted]
    if rows[1:] != expected:
        got = [r[0] for r in rows[1:]]
        problems.append("%d rows (%s...), expected %d" % (len(got), ",".join(got[:5]), len(expected)))
        for row, want in zip(rows[1:], expected):
            if row != want:
                problems.append("first difference: %r != %r" % (row, want))
                break
    if raw.count(b"\r\n") < len(expected) + 1 or b'"\n"' in raw:
        problems.append("records not ended by CR LF")
    for p in problems:
        print(p, file=sys.stderr)
    return not problems


def main():
    command, folder = sys.argv[1], sys.argv[2]
    if command == "make":
        make(folder, int(sys.argv[3]), int(sys.argv[4]))
    elif command == "field":
        fields = dict(stored_fields(folder))[int(sys.argv[3])]
        sys.stdout.buffer.write(fields[int(sys.argv[4])].encode("cp1252"))
    elif command == "matching":
        word = fold(sys.argv[3])
        for n, fields in stored_fields(folder):
            if any(word in fold(f) for f in fields + [str(n)]):
                print(n)
    elif command == "check-csv":
        sys.exit(0 if check_csv(folder, sys.argv[3], [int(n) for n in sys.argv[4:]]) else 1)


if __name__ == "__main__":
    main()
