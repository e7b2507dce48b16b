#!/usr/bin/python3
"""Writes the SQL fixture tables of this folder with python3-dbf, an
independent dBase writer, so the engine is not only checked against its own
idea of the format. Run it with /usr/bin/python3 (the interpreter that has
python3-dbf); the rows are described in README.txt. Rerunning it rewrites the
same content."""

import os

import dbf

HERE = os.path.dirname(os.path.abspath(__file__))

CONTACTS = [
    # UNIQUE_ID, COMPANY, NAME, CITY, deleted
    ("A00000000001", "Müller GmbH", "Hans Müller", "München", False),
    ("A00000000002", "MÜLLER & SÖHNE", "Karl Schmidt", "Hamburg", False),
    ("A00000000003", "Bäckerei Krümmüller", "Eva Krümmüller", "Köln", False),
    ("A00000000004", "Pub Dublin Ltd", "Sean O'Neil", "Dublin", False),
    ("A00000000005", "Meyer AG", "Peter Meyer", "Berlin", False),
    ("A00000000006", "Meier & Co", "Anna Meier", "", False),
    ("A00000000007", "", "Jürgen Mühlbauer", "Bonn", False),
    ("A00000000008", "Müller Gelöscht", "Gerd Müller", "Essen", True),
    ("X1", "Schulz KG", "Otto Schulz", "Leipzig", False),
]

GROUPS = [(id_nr, False) for id_nr in ["K-7", "k-12", "K-3", "X-99", ""]]


def write_table(name, fields, rows):
    """Writes the table under name; the last item of each row says whether it
    is deleted. python3-dbf always gives its files the ending .dbf, so the
    table is written under such a name and renamed. The header's last-update
    date is pinned to 2024-01-01, so rerunning gives the same bytes."""
    path = os.path.join(HERE, name)
    table = dbf.Table(path + ".dbf", fields, dbf_type="db3", codepage="cp1252")
    table.open(dbf.READ_WRITE)
    for *values, deleted in rows:
        table.append(tuple(values))
        if deleted:
            dbf.delete(table[-1])
    table.close()
    with open(path + ".dbf", "r+b") as handle:
        handle.seek(1)
        handle.write(bytes([124, 1, 1]))
    os.replace(path + ".dbf", path)


if __name__ == "__main__":
    write_table("KONTAKTE.dbf", "UNIQUE_ID C(12); COMPANY C(40); NAME C(40); CITY C(30)", CONTACTS)
    write_table("KONTAKTE.gdb", "ID_NR C(10)", GROUPS)
