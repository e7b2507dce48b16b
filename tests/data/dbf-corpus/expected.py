#!/usr/bin/python3
"""Writes expected.txt: every live record of every table here as
python3-dbfread reads it, in the engine's text form (tab-separated, Null as
\\N, control characters escaped). Run with /usr/bin/python3. Where dbfread
reads wrongly, or differs from the engine by design, it is corrected below,
each place saying why."""

import codecs
import datetime
import decimal
import glob
import os
import sys

import dbfread
import dbfread.dbf
import dbfread.memo
from dbfread.field_parser import FieldParser

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, '..', '..', '..', 'tools'))
from make_codepage_tables import NATIONAL, upper_half  # noqa: E402

REFUSED = {
    # Chinese (GBK): a code page the engine does not read; it says so.
    'dbase-rs/cp936.dbf': 3051,
    # Its header's record length is one byte short of its fields: dbfread
    # ignores that; the engine takes it for a misaligned table.
    'dbase-rs/stations_with_deleted.dbf': 3049,
}
# Values dbfread gets wrong: (table, record, field) and the right value.
CORRECTED = {
    # A Visual FoxPro varchar shorter than its field keeps its length in the
    # last byte, flagged in _NullFlags; dbfread returns that byte too.
    ('dbf-ruby/dbase_32.dbf', 0, 'NAME'): 'Bad Meets Evil',
}
# Mazovia and Kamenicky, which dbfread and Python lack, as the engine reads
# them; Windows-1252 for 0 and the bytes that name no code page.
for page in NATIONAL:
    table = ''.join(map(chr, range(128))) + ''.join(map(chr, upper_half(page)))
    info = codecs.CodecInfo(None, lambda b, e='strict', t=table: codecs.charmap_decode(b, e, t))
    codecs.register(lambda name, p=page, i=info: i if name == p else None)
ENCODINGS = {0x68: 'cp895', 0x69: 'cp620'}
# A byte the code page leaves undefined reads as the C1 control of its number.
codecs.register_error('c1', lambda e: (chr(e.object[e.start]), e.start + 1))


class Parser(FieldParser):
    # dbfread takes NUL padding in numbers for digits and fails.
    def parseN(self, field, data):
        return super().parseN(field, data.replace(b'\0', b' '))

    parseF = parseN


def db4_memo(self, index):
    # dbfread reads 8 bytes past a dBase IV memo (its length counts the
    # block's 8-byte header) and cuts at the first 0x1F instead.
    if index <= 0:
        return None
    self._seek(index * 512)
    return self._read(dbfread.memo.DB4MemoHeader.read(self.file).length - 8)


def find_memofile(name, find=dbfread.dbf.find_memofile):
    # A database container keeps its memos in .dct.
    return name[:-2] + 'CT' if name.endswith('.DBC') else find(name)


def open_memofile(name, version):
    # ... which is a FoxPro memo file, whatever its ending.
    foxpro = version in (0x30, 0x31, 0x32, 0xF5, 0xFB)
    return dbfread.memo.VFPMemoFile(name) if foxpro else dbfread.memo.open_memofile(name, version)


dbfread.memo.DB4MemoFile.__getitem__ = db4_memo
dbfread.dbf.find_memofile = find_memofile
dbfread.dbf.open_memofile = open_memofile


def text(value):
    if value is None or value == '':  # the engine: an empty text has no value
        return '\\N'
    if isinstance(value, bool):
        return str(value)
    if isinstance(value, float):
        return format(decimal.Decimal(repr(value)), 'f').rstrip('0').rstrip('.') or '0'
    if isinstance(value, decimal.Decimal):
        return format(value.quantize(decimal.Decimal('0.0001')), 'f').rstrip('0').rstrip('.')
    if isinstance(value, datetime.date):  # a date-time at midnight shows as its date
        midnight = not isinstance(value, datetime.datetime) or value.time() == datetime.time()
        return value.strftime('%d.%m.%Y' if midnight else '%d.%m.%Y %H:%M:%S')
    escapes = {'\\': '\\\\', '\t': '\\t', '\n': '\\n', '\r': '\\r'}
    return ''.join(escapes.get(c, '\\x%02X' % ord(c) if ord(c) < 0x20 else c) for c in str(value))


def main():
    out = []
    for path in sorted(glob.glob(os.path.join(HERE, '*', '*'))):
        name = os.path.relpath(path, HERE)
        if os.path.splitext(path)[1].lower() not in ('.dbf', '.dbc'):
            continue
        out.append('== ' + name)
        if name in REFUSED:
            out.append('error %d' % REFUSED[name])
            continue
        with open(path, 'rb') as f:
            driver = f.read(30)[29]
        table = dbfread.DBF(path, parserclass=Parser, char_decode_errors='c1', recfactory=list,
                            encoding=ENCODINGS.get(driver, dbfread.codepages.codepages.get(
                                driver, ('cp1252',))[0].replace('ascii', 'cp1252')))
        # By position: two fields may share a name (the engine finds the
        # first by that name, SELECT * shows both).
        fields = [i for i, f in enumerate(table.fields) if f.type in 'CNFDLMIBYTV']
        out.append('\t'.join(['fields'] + [table.fields[i].name for i in fields]))
        # dbfread skips records whose flag is NUL; the engine reads them live.
        records = list(table) + list(table._iter_records(b'\0'))
        for number, record in enumerate(records):
            out.append('\t'.join(text(CORRECTED.get((name, number, record[i][0]), record[i][1]))
                                 for i in fields))
    with open(os.path.join(HERE, 'expected.txt'), 'w', encoding='utf-8', newline='\n') as f:
        f.write('\n'.join(out) + '\n')


if __name__ == '__main__':
    main()
