#!/usr/bin/python3
"""Writes the SQL fixture tables of this folder with python3-dbf, an
independent dBase writer, so the engine is not only checked against its own
idea of the format. Run it with /usr/bin/python3 (the interpreter that has
python3-dbf); the rows are described in README.txt. Rerunning it rewrites the
same content."""

import os
import sys

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

GROUP_IDS = ["K-7", "k-12", "K-3", "X-99", ""]


def write_contacts(path):
    table = dbf.Table(path, "UNIQUE_ID C(12); COMPANY C(40); NAME C(40); CITY C(30)",
                      dbf_type="db3", codepage="cp1252")
    table.open(dbf.READ_WRITE)
    for unique_id, company, name, city, deleted in CONTACTS:
        table.append((unique_id, company, name, city))
        if deleted:
            dbf.delete(table[-1])
    table.close()


def write_groups(path):
    table = dbf.Table(path, "ID_NR C(10)", dbf_type="db3", codepage="cp1252")
    table.open(dbf.READ_WRITE)
    for id_nr in GROUP_IDS:
        table.append((id_nr,))
    table.close()


def pin_header_date(path):
    """Sets the header's last-update date to 2024-01-01 so that rerunning the
    script gives the same bytes."""
    with open(path, "r+b") as handle:
        handle.seek(1)
        handle.write(bytes([124, 1, 1]))


def main():
    contacts = os.path.join(HERE, "KONTAKTE.dbf")
    write_contacts(contacts)
    pin_header_date(contacts)
    # python3-dbf always gives its files the ending .dbf; the group table
    # needs .gdb, so it is written under a .dbf name and renamed.
    groups = os.path.join(HERE, "KONTAKTE.gdb")
    write_groups(groups + ".dbf")
    os.replace(groups + ".dbf", groups)
    pin_header_date(groups)
    return 0


if __name__ == "__main__":
    sys.exit(main())
