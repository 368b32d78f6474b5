#!/usr/bin/python3
"""Writes vCard 3.0 cards with python3-vobject, independently of Kestrin's reader.

Usage: write_vcards.py OUTPUT_FOLDER

Writes OUTPUT_FOLDER/book.vcf (every card in one file), OUTPUT_FOLDER/vdir/*.vcf
(one card per file, as vdirsyncer keeps them) and OUTPUT_FOLDER/expected.json:
the contacts a reader must list (names without surrounding blanks), in file
order, each with its preferred address (or null), its NOTE as one line and its
ORG.
"""
import json
import os
import sys

import vobject

LONG_TAIL = " — " + "długie nazwisko " * 8


def person(fn, family, given, emails, note=None, org=None):
    card = vobject.vCard()
    card.add("fn").value = fn
    card.add("n").value = vobject.vcard.Name(family=family, given=given)
    for address, types in emails:
        email = card.add("email")
        email.value = address
        email.type_paramlist = types
    if note is not None:
        card.add("note").value = note
    if org is not None:
        card.add("org").value = org
    return card


def group(fn, members):
    card = vobject.vCard()
    card.add("fn").value = fn
    card.add("n").value = vobject.vcard.Name(family=fn)
    card.add("x-addressbookserver-kind").value = "group"
    for member in members:
        card.add("x-addressbookserver-member").value = "urn:uuid:" + member
    return card


def cards():
    """(card, expected contact or None for a card that is no contact)."""
    return [
        (group("Rodzina", ["1", "2"]), None),
        (person("Zażółć Gęślą Jaźń, Kowalski; junior" + LONG_TAIL, "Gęślą", "Zażółć",
                [("zazolc@example.pl", ["INTERNET"]), ("gesla@example.pl", ["INTERNET", "pref"]),
                 ("jazn@example.pl", ["INTERNET"])],
                note="Pierwsza linia\nDruga; z przecinkiem, i średnikiem\\ oraz ukośnikiem" + LONG_TAIL,
                org=["Firma; S.A.", "Dział, kadr"]),
         {"preferred": "gesla@example.pl"}),
        (person("Bez Adresu", "Adresu", "Bez", [], note="brak"), {"preferred": None}),
        (person("Łukasz Żółw", "Żółw", "Łukasz", [("lukasz@example.pl", ["INTERNET"])]),
         {"preferred": "lukasz@example.pl"}),
    ]


def main():
    out = sys.argv[1]
    os.makedirs(os.path.join(out, "vdir"), exist_ok=True)
    expected = []
    with open(os.path.join(out, "book.vcf"), "w", encoding="utf-8", newline="") as book:
        for index, (card, contact) in enumerate(cards()):
            text = card.serialize()
            book.write(text)
            with open(os.path.join(out, "vdir", "card-%02d.vcf" % index), "w", encoding="utf-8", newline="") as one:
                one.write(text)
            if contact is not None:
                note = card.contents["note"][0].value if "note" in card.contents else None
                expected.append({"name": card.fn.value.strip(), "preferred": contact["preferred"],
                                 "note": None if note is None else note.replace("\n", " "),
                                 "org": ";".join(card.org.value) if "org" in card.contents else None})
    with open(os.path.join(out, "expected.json"), "w", encoding="utf-8") as f:
        json.dump(expected, f, ensure_ascii=False)


if __name__ == "__main__":
    main()
