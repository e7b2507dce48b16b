#!/usr/bin/python3
"""dbfread_search.py TABLE FRAGMENT: the fragment search in pure Python.

Reads the dBase table with dbfread (deleted records are skipped by default),
decodes it as Windows-1252 and writes COMPANY, NAME and UNIQUE_ID of every
record whose COMPANY or NAME contains FRAGMENT in any letter case (casefold),
one tab-separated line per hit. The way a Python script would do it.
"""
import sys

from dbfread import DBF


def main():
    table, fragment = sys.argv[1], sys.argv[2].casefold()
    out = sys.stdout
    for record in DBF(table, encoding="cp1252", char_decode_errors="replace"):
        company = record["COMPANY"] or ""
        name = record["NAME"] or ""
        if fragment in company.casefold() or fragment in name.casefold():
            out.write(f"{company}\t{name}\t{record['UNIQUE_ID']}\n")


if __name__ == "__main__":
    main()
