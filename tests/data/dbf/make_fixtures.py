#!/usr/bin/python3
"""Writes the table fixtures of the storage tests into this folder.

The tables are written by python3-dbf (Debian's package), a writer
independent of our reader; the damaged ones are cut and patched copies of
them, and the formats python3-dbf cannot write (dBase IV memo files, the
national code pages under FoxPro's language-driver numbers) are patched or
written by hand below. Run with /usr/bin/python3 from anywhere; the output is
deterministic apart from the date of last update in the headers.
"""

import datetime
import os
import struct

import dbf

HERE = os.path.dirname(os.path.abspath(__file__))


def path(name):
    return os.path.join(HERE, name)


def remove(*names):
    for name in names:
        if os.path.exists(path(name)):
            os.remove(path(name))


def write_table(name, fields, rows, dbf_type, codepage='cp1252', delete=()):
    """Creates the table and appends rows; the rows whose index is in delete
    are marked deleted."""
    table = dbf.Table(path(name), fields, dbf_type=dbf_type, codepage=codepage)
    table.open(dbf.READ_WRITE)
    for index, row in enumerate(rows):
        table.append(row)
        if index in delete:
            dbf.delete(table[-1])
    table.close()


def read(name):
    with open(path(name), 'rb') as f:
        return bytearray(f.read())


def write(name, data):
    with open(path(name), 'wb') as f:
        f.write(bytes(data))


def header_length(data):
    return struct.unpack_from('<H', data, 8)[0]


def record_length(data):
    return struct.unpack_from('<H', data, 10)[0]


def descriptor_offset(data, field_name):
    pos = 32
    while data[pos] != 0x0D:
        if data[pos:pos + 11].split(b'\0')[0] == field_name.encode():
            return pos
        pos += 32
    raise KeyError(field_name)


CONTACT_FIELDS = ('FIRMA C(30); NAME C(20); UNIQUE_ID C(12); ANZAHL N(6,0); '
                 'BETRAG N(10,2); GEBOREN D; AKTIV L')
CONTACT_ROWS = [
    ('Müller GmbH', 'Hans Müller', 'ID0001', 12, 1234.5,
     datetime.date(1961, 2, 28), True),
    ('MÜLLER & SÖHNE', 'Straße', 'ID0002', -3, -0.25,
     datetime.date(2000, 12, 31), False),
    ('Krümmüller AG', 'Ärger Öl', 'ID0003', 0, 0, None, None),
    ('Gelöscht KG', 'Weg', 'ID0004', 1, 1, datetime.date(1999, 1, 1), True),
    (None, None, None, None, None, None, None),
]


def contact_tables():
    # The same words in two code pages: the umlauts differ in bytes.
    remove('db3_kontakte.dbf', 'cp850_kontakte.dbf')
    write_table('db3_kontakte.dbf', CONTACT_FIELDS, CONTACT_ROWS, 'db3',
                codepage='cp1252', delete={3})
    write_table('cp850_kontakte.dbf', CONTACT_FIELDS, CONTACT_ROWS, 'db3',
                codepage='cp850', delete={3})


def memo_tables():
    rows = [('Erste', 'Ein Memo mit Umlauten: äöü ÄÖÜ ß'),
            ('Zweite', None),
            ('Dritte', 'Zeile 1\r\nZeile 2\r\n' + 'lang ' * 150)]
    remove('db3_memo.dbf', 'db3_memo.dbt', 'FP_MEMO.DBF', 'FP_MEMO.FPT',
           'fp_memo.Fpt')
    write_table('db3_memo.dbf', 'TITEL C(10); NOTIZ M', rows, 'db3')
    write_table('FP_MEMO.DBF', 'TITEL C(10); NOTIZ M', rows, 'fp')
    # The memo file is found whatever the letter case of its name.
    os.rename(path('FP_MEMO.FPT'), path('fp_memo.Fpt'))


def visual_foxpro_table():
    rows = [
        ('Müller', 'Straße', 42, 1234.5678, 2.5,
         datetime.datetime(2023, 5, 17, 13, 45, 10), 'Notiz eins', 7),
        (None, None, -2147483647, -0.0001, -1e100,
         datetime.datetime(1900, 1, 1, 0, 0, 0), None, None),
        ('', '', 0, 0, 0, None, '', 0),
    ]
    remove('vfp_typen.dbf', 'vfp_typen.fpt')
    write_table('vfp_typen.dbf',
                'FIRMA C(20); ORT C(15) null; ANZ I; BETRAG Y; WERT B; '
                'ZEIT T; NOTIZ M null; ZAHL N(5,0) null',
                rows, 'vfp')


def foxpro_float_tables():
    """An F field under both FoxPro version bytes: 0xF5 as written, 0xFB
    patched."""
    remove('fp_zahlen.dbf', 'fp_zahlen.fpt', 'fp_fb.dbf', 'fp_fb.fpt')
    write_table('fp_zahlen.dbf', 'NAME C(10); ZAHL F(10,3); NOTIZ M',
                [('Eins', 1.5, 'eins'), ('Zwei', -2.125, None)], 'fp')
    data = read('fp_zahlen.dbf')
    data[0] = 0xFB
    write('fp_fb.dbf', data)
    with open(path('fp_zahlen.fpt'), 'rb') as f:
        write('fp_fb.fpt', f.read())


def codepage_tables():
    """One word per code page, under the language-driver byte FoxPro uses;
    python3-dbf writes dBase's numbers for some of them, so patch byte 29."""
    words = {
        'cp437': ('Grüße Müller', 0x01),
        'cp852': ('Łódź Źródło', 0x64),
        'cp866': ('Москва Ёж', 0x65),
        'cp865': ('Ærø Øst', 0x66),
        'cp1250': ('Łódź Źródło', 0xC8),
    }
    for page, (word, driver) in words.items():
        name = 'cp_%s.dbf' % page
        remove(name)
        write_table(name, 'NAME C(20)', [(word,)], 'db3', codepage=page)
        data = read(name)
        data[29] = driver
        write(name, data)


def dbase4_memo_table():
    """python3-dbf writes no dBase IV memo files: build one by hand. Block
    size 256; blocks start FF FF 08 00 and a length that counts those 8."""
    remove('db4_memo.dbf', 'db4_memo.dbt')
    write_table('db4_memo.dbf', 'TITEL C(10); NOTIZ C(10)',
                [('Eins',), ('Zwei',), ('Leer',)], 'db3', codepage='cp850')
    texts = [b'dBase-IV-Memo \x84\x94\x81', b'zweites Memo ' * 40]  # cp850
    block_size = 256
    memo = bytearray(block_size)
    struct.pack_into('<I', memo, 0, 1)
    struct.pack_into('<H', memo, 20, block_size)
    pointers = []
    for text in texts:
        pointers.append(len(memo) // block_size)
        block = b'\xff\xff\x08\x00' + struct.pack('<I', 8 + len(text)) + text
        block += b'\0' * (-len(block) % block_size)
        memo += block
    struct.pack_into('<I', memo, 0, len(memo) // block_size)
    data = read('db4_memo.dbf')
    data[0] = 0x8B
    data[descriptor_offset(data, 'NOTIZ') + 11] = ord('M')
    start = header_length(data)
    notiz = start + 1 + 10
    for index, value in enumerate(['%10d' % pointers[0], '%10d' % pointers[1], ' ' * 10]):
        offset = notiz + index * record_length(data)
        data[offset:offset + 10] = value.encode()
    write('db4_memo.dbf', data)
    write('db4_memo.dbt', memo)


def damaged_tables():
    base = read('db3_kontakte.dbf')
    hl, rl = header_length(base), record_length(base)
    records_end = hl + 5 * rl
    damaged = {}

    damaged['kaputt_kurz.dbf'] = base[:records_end - 7]
    patched = bytearray(base)
    struct.pack_into('<H', patched, 10, rl + 1)
    damaged['kaputt_satzlaenge.dbf'] = patched
    patched = bytearray(base)
    patched[hl - 1] = ord(' ')  # the 0x0D after the descriptors
    patched = patched[:hl] + b'\x1a'  # no records, so no stray 0x0D either
    struct.pack_into('<I', patched, 4, 0)
    damaged['kaputt_ohne_endezeichen.dbf'] = patched
    patched = bytearray(base)
    struct.pack_into('<H', patched, 8, 32 + 2 * 32)
    damaged['kaputt_kopflaenge.dbf'] = patched
    patched = bytearray(base)
    struct.pack_into('<I', patched, 4, 0xFFFFFFFF)
    damaged['kaputt_satzanzahl.dbf'] = patched
    patched = bytearray(base)
    patched[descriptor_offset(patched, 'GEBOREN') + 16] = 9
    struct.pack_into('<H', patched, 10, rl + 1)
    damaged['kaputt_datumslaenge.dbf'] = patched
    patched = bytearray(base)
    patched[0] = 0x02
    damaged['kaputt_version.dbf'] = patched
    damaged['kaputt_leer.dbf'] = b''
    damaged['kaputt_winzig.dbf'] = base[:20]
    damaged['kaputt_text.dbf'] = (
        b'Dies ist keine Tabelle, nur ein Text, der so tut als ob.\n' * 3)

    vfp = read('vfp_typen.dbf')
    patched = bytearray(vfp)
    struct.pack_into('<I', patched, descriptor_offset(patched, 'ORT') + 12, 200)
    damaged['kaputt_vfp_versatz.dbf'] = patched
    patched = bytearray(vfp)
    struct.pack_into('<H', patched, 8, header_length(vfp) - 263)
    damaged['kaputt_vfp_backlink.dbf'] = patched

    for name, data in damaged.items():
        write(name, data)

    # Memo faults show when the memo is read, not at open.
    memo_table = read('FP_MEMO.DBF')
    with open(path('fp_memo.Fpt'), 'rb') as f:
        memo = f.read()
    hl, rl = header_length(memo_table), record_length(memo_table)
    notiz = hl + 1 + 10
    patched = bytearray(memo_table)
    patched[notiz:notiz + 10] = b'%10d' % 99999
    write('kaputt_memoverweis.dbf', patched)
    write('kaputt_memoverweis.fpt', memo)
    write('kaputt_memolaenge.dbf', memo_table)
    # The first memo's block now claims more bytes than the file holds.
    block = int(memo_table[notiz:notiz + 10].strip())
    block_size = struct.unpack_from('>H', memo, 6)[0]
    cut = bytearray(memo)
    struct.pack_into('>I', cut, block * block_size + 4, 1 << 30)
    write('kaputt_memolaenge.fpt', cut)
    write('kaputt_ohne_memo.dbf', memo_table)


if __name__ == '__main__':
    contact_tables()
    memo_tables()
    visual_foxpro_table()
    foxpro_float_tables()
    codepage_tables()
    dbase4_memo_table()
    damaged_tables()
