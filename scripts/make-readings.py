#!/usr/bin/env python3
"""Writes the UTF-8 draft of data/Calendar/Readings.DAT from the lectionary tables of the reference.

    python3 scripts/make-readings.py REFERENCE_DIR > /tmp/readings.txt
    iconv -f UTF-8 -t CP1251 /tmp/readings.txt | sed 's/$/\\r/' > data/Calendar/Readings.DAT

The tables are keyed and written anew in the profile form the program reads (data/Calendar/README.md,
section Readings.DAT); the names of the commemorations are not carried over, only dates, classes, labels and
pericopes. The wedding rules and the book limits are written here by hand.
"""
import sys
from collections import OrderedDict
from pathlib import Path

CLASSES = {"L12": "lord", "T12": "theotokos", "GREAT": "great", "VIGIL": "displacing", "VIG": "vigil",
           "POLY": "polyeleos", "DOX": "doxology", "SIX": "six", "LOW": "none"}

SPECIAL_KEYS = {
    "SAT_BEFORE_EXALT": "SatBeforeExaltation", "SUN_BEFORE_EXALT": "SunBeforeExaltation",
    "SAT_AFTER_EXALT": "SatAfterExaltation", "SUN_AFTER_EXALT": "SunAfterExaltation",
    "FOREFATHERS": "Forefathers", "SAT_BEFORE_NATIVITY": "SatBeforeNativity",
    "SUN_BEFORE_NATIVITY": "SunBeforeNativity", "NATIVITY_EVE": "NativityEve",
    "NATIVITY_EVE_SAT": "NativityEveSaturday", "SAT_AFTER_NATIVITY": "SatAfterNativity",
    "SUN_AFTER_NATIVITY": "SunAfterNativity", "SAT_BEFORE_THEOPHANY": "SatBeforeTheophany",
    "SUN_BEFORE_THEOPHANY": "SunBeforeTheophany", "THEOPHANY_EVE": "TheophanyEve",
    "SAT_AFTER_THEOPHANY": "SatAfterTheophany", "SUN_AFTER_THEOPHANY": "SunAfterTheophany",
    "DEPARTED": "Departed", "DEPARTED_LENT4": "DepartedLent4", "FATHERS": "Fathers",
    "NEW_MARTYRS": "NewMartyrs", "ALL_SAINTS_RUSSIA": "AllSaintsOfRussia", "LENT_SAT1": "LentSaturday1",
    "LENT_SUN2": "LentSunday2", "LENT_SUN4": "LentSunday4", "LENT_SAT5": "LentSaturday5",
    "LENT_SUN5": "LentSunday5", "CHEESEFARE_SAT": "CheesefareSaturday",
}

GOSPEL_LIMITS = {"Мф.": 116, "Мк.": 71, "Лк.": 114, "Ин.": 67}
APOSTLE_LIMIT = 335

HEAD = """\
; Апостол и Евангелие литургии каждого дня, литургия дня и дни, в которые не венчают.
; Описание разделов и ключей: data/Calendar/README.md, раздел Readings.DAT.
; Чтение: «Книга главы:стихи (зачало)»; чтения одного дня разделяются знаком «|».
"""

WEDDINGS = [
    ("Вторник, четверг и суббота", "weekdays=2,4,6"),
    ("Великий пост и Страстная седмица", "days=-48..-1"),
    ("Сырная седмица", "days=-55..-49"),
    ("Светлая седмица", "days=0..6"),
    ("Петров пост", "days=57..; dates=..28.06"),
    ("Успенский пост", "dates=01.08..14.08"),
    ("Рождественский пост", "dates=15.11..24.12"),
    ("Святки", "dates=25.12..06.01"),
    ("Канун Рождества Богородицы", "dates=07.09"),
    ("Воздвижение и его канун", "dates=13.09..14.09"),
    ("Канун Покрова", "dates=30.09"),
    ("Канун Введения во храм", "dates=20.11"),
    ("Канун Сретения", "dates=01.02"),
    ("Канун Благовещения", "dates=24.03"),
    ("Канун Преображения", "dates=05.08"),
    ("Усекновение главы Предтечи и его канун", "dates=28.08..29.08"),
    ("Лазарева суббота", "days=-8"),
    ("Канун Вознесения", "days=38"),
    ("Троицкая суббота", "days=48"),
]


def rows(path):
    for line in Path(path).read_text(encoding="utf-8").splitlines():
        if line and not line.startswith("#"):
            yield line.split("\t")


def pericope(book, verses, zachalo):
    return f"{book} {verses} ({zachalo})"


def grouped(path, key_of, width):
    """Pericopes by key, in table order; `width` is the column of the kind."""
    out = OrderedDict()
    for r in rows(path):
        out.setdefault(key_of(r), []).append(pericope(*r[width + 1:width + 4]))
    return out


def main(ref):
    ref = Path(ref)
    lines = [HEAD]
    lines.append("[Books]")
    for r in rows(ref / "books.tsv"):
        book = r[0]
        lines.append(f"{book}=gospel {GOSPEL_LIMITS[book]}" if book in GOSPEL_LIMITS
                     else f"{book}=apostle {APOSTLE_LIMIT}")
    lines.append("")
    lines.append("[Departed]")
    lines.append("marker=родительская суббота")
    lines.append("except=перенесена")
    lines.append("")
    lines.append("[Weeks]")
    weeks = grouped(ref / "ordinary.tsv", lambda r: f"{r[0]}.{int(r[1]) or 7}", 2)
    for key in sorted(weeks, key=lambda k: tuple(map(int, k.split(".")))):
        lines.append(f"{key}=" + " | ".join(weeks[key]))
    lines.append("")
    lines.append("[Pascha]")
    days = grouped(ref / "movable.tsv", lambda r: int(r[0]), 1)
    for key in sorted(days):
        lines.append(f"{key}=" + " | ".join(days[key]))
    lines.append("")
    lines.append("[Special]")
    special = OrderedDict()
    for r in rows(ref / "special.tsv"):
        special.setdefault((SPECIAL_KEYS[r[0]], r[1]), []).append(pericope(*r[3:6]))
    for (key, label), ps in special.items():
        lines.append(f"{key}={label}: " + " | ".join(ps))
    lines.append("")
    lines.append("[Menaion]")
    menaion = OrderedDict()
    for r in rows(ref / "menaion.tsv"):
        date, cls, label, _kind, book, verses, zachalo, cond, name = (r + [""] * 9)[:9]
        menaion.setdefault((date, name, cls, label, cond), []).append(pericope(book, verses, zachalo))
    for (date, _name, cls, label, cond), ps in menaion.items():
        mm, dd = date.split("-")
        condition = ""
        if cond:
            op, n = cond[3:5], int(cond[5:])
            condition = f" weekday{op}{n or 7}"
        lines.append(f"{dd}.{mm}={CLASSES[cls]}{condition} {label}: " + " | ".join(ps))
    lines.append("")
    lines.append("[NoWeddings]")
    for name, cond in WEDDINGS:
        lines.append(f"{name}={cond}")
    sys.stdout.write("\n".join(lines) + "\n")


if __name__ == "__main__":
    main(sys.argv[1] if len(sys.argv) > 1 else "/work/shared/reference/lectionary")
