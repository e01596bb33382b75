#!/usr/bin/env python3
"""Writes a large IE529 (or IE599) message for the benchmarks.

    generuj_ie529.py N OUT.xml [--ie599]      N goods items
    generuj_ie529.py --mb 100 OUT.xml         as many items as make about 100 MB

The header and the goods item are taken from the full fixtures in tests/data, so the
generated file carries every element the page renders; each item gets its own number
and a statistical value that varies, so the computed sums stay checkable.
"""
import argparse
import os
import re
import sys

DANE = os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', 'tests', 'data')


def wzorzec(nazwa):
    """Splits a fixture into the text before the goods items, one item, and the rest."""
    with open(os.path.join(DANE, nazwa), encoding='utf-8') as plik:
        tekst = plik.read()
    # anchored on whole lines: a nested GoodsItem of the special-procedure documents is not one
    poczatek = tekst.index('\n    <GoodsItem>\n') + 1
    koniec_pozycji = tekst.index('\n    </GoodsItem>\n', poczatek) + len('\n    </GoodsItem>\n')
    reszta = tekst.index('\n  </GoodsShipment>') + 1
    return tekst[:poczatek], tekst[poczatek:koniec_pozycji], tekst[reszta:]


def pozycja(szablon, numer):
    tekst = re.sub(r'<declarationGoodsItemNumber>\d+</declarationGoodsItemNumber>',
                   '<declarationGoodsItemNumber>%d</declarationGoodsItemNumber>' % numer, szablon, count=1)
    return re.sub(r'<statisticalValue>[^<]*</statisticalValue>',
                  '<statisticalValue>%d.%02d</statisticalValue>' % (1000 + numer % 9000, numer % 100),
                  tekst, count=1)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument('n', nargs='?', type=int, help='number of goods items')
    parser.add_argument('out', help='output file')
    parser.add_argument('--ie599', action='store_true', help='write an IE599 (with values found at the border)')
    parser.add_argument('--mb', type=float, help='write items until the file reaches about this many megabytes')
    args = parser.parse_args()
    if (args.n is None) == (args.mb is None):
        parser.error('give either N or --mb')
    if args.n is not None and args.n < 0:
        parser.error('N must not be negative')

    glowa, szablon, stopka = wzorzec('IE599.xml' if args.ie599 else 'IE529.xml')
    limit = int(args.mb * 1024 * 1024) if args.mb is not None else None
    with open(args.out, 'w', encoding='utf-8', newline='\n') as wyjscie:
        wyjscie.write(glowa)
        rozmiar = len(glowa.encode('utf-8')) + len(stopka.encode('utf-8'))
        numer = 0
        while (limit is None and numer < args.n) or (limit is not None and rozmiar < limit):
            numer += 1
            tekst = pozycja(szablon, numer)
            wyjscie.write(tekst)
            rozmiar += len(tekst.encode('utf-8'))
        wyjscie.write(stopka)
    print('%s: %d goods items, %d bytes' % (args.out, numer, os.path.getsize(args.out)), file=sys.stderr)


if __name__ == '__main__':
    main()
