#!/usr/bin/env python3
"""Reads a calendar (.ics) or an address book (.vcf) with Debian's own parsers, independent of
Brevanta, and prints each item found as its fields joined by '|', items ended by a NUL (a field may
hold line breaks). Exit status 3 when a parser is not installed."""
import sys


def agenda(chemin):
    import icalendar
    with open(chemin, 'rb') as f:
        calendrier = icalendar.Calendar.from_ical(f.read())
    for c in calendrier.walk():
        if c.name == 'VEVENT':
            yield ['EVENEMENT', str(c['UID']), c.decoded('DTSTART').isoformat(), c.decoded('DTEND').isoformat(),
                   str(c['STATUS']), str(c['SUMMARY']), str(c.get('DESCRIPTION', ''))]
        elif c.name == 'VTODO':
            yield ['TACHE', str(c['UID']), c.decoded('DUE').isoformat(), str(c['STATUS']), str(c['SUMMARY']),
                   str(c.get('DESCRIPTION', ''))]


def carnet(chemin):
    import vobject
    with open(chemin, encoding='utf-8') as f:
        texte = f.read()
    for carte in vobject.readComponents(texte):
        def valeur(nom):
            return carte.contents[nom][0].value if nom in carte.contents else ''
        telephones = ['+'.join(t.params.get('TYPE', [])) + '=' + t.value for t in carte.contents.get('tel', [])]
        organisation = valeur('org')
        adresse = valeur('adr')
        yield ['CARTE', valeur('version'), valeur('uid'), valeur('fn'), carte.n.value.family, carte.n.value.given,
               ' / '.join(organisation) if isinstance(organisation, list) else organisation, valeur('title'),
               ' '.join(telephones), valeur('email'), valeur('note'),
               ' / '.join([adresse.street, adresse.code, adresse.city]) if adresse else '']


def main():
    try:
        elements = list(agenda(sys.argv[2]) if sys.argv[1] == 'ics' else carnet(sys.argv[2]))
    except ImportError as e:
        print(e, file=sys.stderr)
        return 3
    for e in elements:
        sys.stdout.write('|'.join(e) + '\0')
    return 0


if __name__ == '__main__':
    sys.exit(main())
