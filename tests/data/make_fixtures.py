#!/usr/bin/python3
"""Writes the table fixtures: those of the storage tests into dbf/, the SQL
tables of the engine's and the query class's tests into sql/ (their rows are
described in sql/README.txt).

The tables are written by python3-dbf (Debian's package), a writer
independent of our reader; the damaged ones are cut and patched copies of
them. (Other code pages and memo formats: the tables that other programs
wrote, in tests/data/dbf-corpus.) Run with /usr/bin/python3 from anywhere;
every header says it was last changed on 2024-01-01, so reruns give the
same bytes.
"""

import datetime
import os
import struct

import dbf

HERE = os.path.dirname(os.path.abspath(__file__))


def path(name):
    return os.path.join(HERE, 'dbf', name)


def write_table(name, fields, rows, dbf_type='db3', codepage='cp1252', delete=()):
    """Creates the table (and its memo file) afresh under name (relative to
    dbf/; another ending than .dbf is given to a written .dbf file) and
    appends rows; the rows whose index is in delete are marked deleted."""
    folder, stem = os.path.split(os.path.splitext(path(name))[0])
    for old in os.listdir(folder):  # the table and its memo file of an earlier run
        if os.path.splitext(old)[0].lower() == stem.lower() and (
                old == os.path.basename(name) or old.lower().endswith(('.fpt', '.dbt'))):
            os.remove(os.path.join(folder, old))
    dbf_name = name if name.lower().endswith('.dbf') else name + '.dbf'
    table = dbf.Table(path(dbf_name), fields, dbf_type=dbf_type, codepage=codepage)
    table.open(dbf.READ_WRITE)
    for index, row in enumerate(rows):
        table.append(row)
        if index in delete:
            dbf.delete(table[-1])
    table.close()
    with open(path(dbf_name), 'r+b') as f:
        f.seek(1)
        f.write(bytes([124, 1, 1]))
    os.replace(path(dbf_name), path(name))


def read(name):
    with open(path(name), 'rb') as f:
        return bytearray(f.read())


def write(name, data):
    with open(path(name), 'wb') as f:
        f.write(bytes(data))


def lengths(data):
    """The header length and the record length."""
    return struct.unpack_from('<HH', data, 8)


def descriptor_offset(data, field_name):
    return 32 + 32 * [data[pos:pos + 11].split(b'\0')[0] for pos in range(32, len(data), 32)
                      ].index(field_name.encode())


def patched(data, *changes):
    """A copy of data with each (struct format, offset, value) packed in."""
    data = bytearray(data)
    for fmt, offset, value in changes:
        struct.pack_into(fmt, data, offset, value)
    return data


def written_tables():
    date = datetime.date
    contacts = [('Müller GmbH', 'Hans Müller', 'ID0001', 12, 1234.5, date(1961, 2, 28), True),
                ('MÜLLER & SÖHNE', 'Straße', 'ID0002', -3, -0.25, date(2000, 12, 31), False),
                ('Krümmüller AG', 'Ärger Öl', 'ID0003', 0, 0, None, None),
                ('Gelöscht KG', 'Weg', 'ID0004', 1, 1, date(1999, 1, 1), True), (None,) * 7]
    write_table('db3_kontakte.dbf', 'FIRMA C(30); NAME C(20); UNIQUE_ID C(12); ANZAHL N(6,0); '
                'BETRAG N(10,2); GEBOREN D; AKTIV L', contacts, 'db3', delete={3})

    memos = [('Erste', 'Ein Memo mit Umlauten: äöü ÄÖÜ ß'), ('Zweite', None),
             ('Dritte', 'Zeile 1\r\nZeile 2\r\n' + 'lang ' * 150)]
    write_table('FP_MEMO.DBF', 'TITEL C(10); NOTIZ M', memos, 'fp')
    os.rename(path('FP_MEMO.FPT'), path('fp_memo.Fpt'))

    write_table('vfp_typen.dbf', 'FIRMA C(20); ORT C(15) null; ANZ I; BETRAG Y; WERT B; '
                'ZEIT T; NOTIZ M null; ZAHL N(5,0) null',
                [('Müller', 'Straße', 42, 1234.5678, 2.5,
                  datetime.datetime(2023, 5, 17, 13, 45, 10), 'Notiz eins', 7),
                 (None, None, -2147483647, -0.0001, -1e100,
                  datetime.datetime(1900, 1, 1, 0, 0, 0), None, None),
                 ('', '', 0, 0, 0, None, '', 0)], 'vfp')


def sql_tables():
    # IDs of both kinds: ACT!'s own (punctuation, letters, blanks, shorter
    # than 12) and plain ones.
    third_id = ' 3 "€" [*]'
    contacts = [('*[A1]?#%"Ü\'x', 'Müller GmbH', 'Hans Müller', 'München'),
                ('A00000000002', 'MÜLLER & SÖHNE', 'Karl Schmidt', 'Hamburg'),
                (third_id, 'Bäckerei Krümmüller', 'Eva Krümmüller', 'Köln'),
                ("(4) '*' \\#", 'Pub Dublin Ltd', "Sean O'Neil", 'Dublin'),
                ('A00000000005', 'Meyer AG', 'Peter Meyer', 'Berlin'),
                ('A00000000006', 'Meier & Co', 'Anna Meier', ''),
                ('[!7]*?#%\'"§', '', 'Jürgen Mühlbauer', 'Bonn'),
                ('A00000000008', 'Müller Gelöscht', 'Gerd Müller', 'Essen'),  # deleted
                ('X1', 'Schulz KG', 'Otto Schulz', 'Leipzig')]
    write_table('../sql/KONTAKTE.dbf', 'UNIQUE_ID C(12); COMPANY C(40); NAME C(40); CITY C(30)',
                contacts, delete={7})
    # python3-dbf drops a value's leading blanks: the third ID gets its own back.
    data = read('../sql/KONTAKTE.dbf')
    header_length, record_length = lengths(data)
    at = header_length + 2 * record_length + 1  # record 3's first field
    data[at:at + 12] = third_id.encode('cp1252').ljust(12)
    write('../sql/KONTAKTE.dbf', data)
    write_table('../sql/KONTAKTE.gdb', 'ID_NR C(10)',
                [(i,) for i in ('K-7', 'k-12', 'K-3', 'X-99', '')])


def damaged_tables():
    base = read('db3_kontakte.dbf')
    hl, rl = lengths(base)
    no_terminator = bytearray(base[:hl]) + b'\x1a'  # no records, so no stray 0x0D either
    no_terminator[hl - 1] = ord(' ')  # the 0x0D after the descriptors
    vfp = read('vfp_typen.dbf')
    damaged = {
        'kaputt_kurz.dbf': base[:hl + 5 * rl - 7],
        'kaputt_satzlaenge.dbf': patched(base, ('<H', 10, rl + 1)),
        'kaputt_ohne_endezeichen.dbf': patched(no_terminator, ('<I', 4, 0)),
        'kaputt_kopflaenge.dbf': patched(base, ('<H', 8, 32 + 2 * 32)),
        'kaputt_satzanzahl.dbf': patched(base, ('<I', 4, 0xFFFFFFFF)),
        'kaputt_datumslaenge.dbf': patched(
            base, ('B', descriptor_offset(base, 'GEBOREN') + 16, 9), ('<H', 10, rl + 1)),
        'kaputt_version.dbf': patched(base, ('B', 0, 0x02)),
        'kaputt_leer.dbf': b'',
        'kaputt_winzig.dbf': base[:20],
        'kaputt_text.dbf': b'Dies ist keine Tabelle, nur ein Text, der so tut als ob.\n' * 3,
        'kaputt_vfp_versatz.dbf': patched(vfp, ('<I', descriptor_offset(vfp, 'ORT') + 12, 200)),
        'kaputt_vfp_backlink.dbf': patched(vfp, ('<H', 8, lengths(vfp)[0] - 263)),
    }
    # Memo faults show when the memo is read, not at open.
    memo_table, memo = read('FP_MEMO.DBF'), read('fp_memo.Fpt')
    notiz = lengths(memo_table)[0] + 1 + 10
    pointer_past_end = bytearray(memo_table)
    pointer_past_end[notiz:notiz + 10] = b'%10d' % 99999
    # The first memo's block claims more bytes than the file holds.
    block = int(memo_table[notiz:notiz + 10].strip()) * struct.unpack_from('>H', memo, 6)[0]
    damaged.update({
        'kaputt_memoverweis.dbf': pointer_past_end, 'kaputt_memoverweis.fpt': memo,
        'kaputt_memolaenge.dbf': memo_table,
        'kaputt_memolaenge.fpt': patched(memo, ('>I', block + 4, 1 << 30)),
        'kaputt_ohne_memo.dbf': memo_table,
    })
    for name, data in damaged.items():
        write(name, data)


if __name__ == '__main__':
    sql_tables()
    written_tables()
    damaged_tables()
