#!/usr/bin/python3
"""The food composition importer on small workbooks (Importer), and the
committed tables against what it makes of the committed workbook (Tables).

    /usr/bin/python3 tests/import/test_import_food_composition.py [Importer|Tables]
"""
import os
import subprocess
import sys
import tempfile
import unittest

import openpyxl

TOP = os.path.normpath(os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", ".."))
SCRIPT = os.path.join(TOP, "scripts", "import-food-composition.py")
WORKBOOK = os.path.join(TOP, "third_party", "food-composition", "mext-2020-8th-chapter2-table1.xlsx")
TABLES = os.path.join(TOP, "data", "日本食品標準成分表2020")

# Columns as in the published workbook, identifiers with trailing spaces and
# 脂質 before たんぱく質, so that only the identifiers can tell them apart.
IDENTIFIERS = ["成分識別子", "REFUSE", "ENERC_KCAL ", "FAT- ", "PROT-", "CHOCDF-", "FIB- ", "NACL_EQ"]
GOOD = ("01001", "あわ　精白粒", 346, 4.1, 11.2, 69.6, 3.3, 0)


def make_workbook(path, sheets, identifiers=IDENTIFIERS):
    """sheets: {title: [(number, name, kcal, prot, fat, chocdf, fib, nacl) or None for a note]};
    values left out are empty cells, a kcal may be (value, number format)."""
    book = openpyxl.Workbook()
    book.remove(book.active)
    for title, foods in sheets.items():
        sheet = book.create_sheet(title)
        sheet["B1"] = "食\u3000品\u3000番\u3000号"
        sheet["D1"] = "可食部100g当たり"
        sheet["D2"] = "食\u3000品\u3000名"
        sheet["G2"] = "エネルギー"
        for column, identifier in enumerate(identifiers, 4):
            sheet.cell(11, column, identifier)
        for row, food in enumerate(foods, 12):
            if food is None:
                sheet.cell(row, 4, "注）備考の行")
                continue
            number, name, kcal, prot, fat, chocdf, fib, nacl = food + (None,) * (8 - len(food))
            sheet.cell(row, 1, "01")
            for column, value in zip((2, 4, 6, 7, 8, 9, 10, 11),
                                     (number, name, kcal, fat, prot, chocdf, fib, nacl)):
                if isinstance(value, tuple):
                    sheet.cell(row, column, value[0]).number_format = value[1]
                else:
                    sheet.cell(row, column, value)
    book.save(path)


def run_importer(workbook, out):
    return subprocess.run([sys.executable, SCRIPT, workbook, out], capture_output=True, text=True)


def table_text(lines):
    return ("\r\n".join(lines) + "\r\n").encode("cp932")


def list_text(rows):
    return b"".join(b"\xff".join(c.encode("cp932") for c in row.split("|")) + b"\r\n" for row in rows)


class Importer(unittest.TestCase):
    def setUp(self):
        self.folder = tempfile.TemporaryDirectory()
        self.addCleanup(self.folder.cleanup)
        self.book = os.path.join(self.folder.name, "book.xlsx")
        self.out = os.path.join(self.folder.name, "out")

    def test_tables_and_nutrients(self):
        make_workbook(self.book, {
            "1 穀類": [
                ("01001", "アマランサス\u3000玄穀", 343, 12.7, "5.0", "(11.3)", "Tr", "(Tr)"),
                ("01088", "こめ\u3000［水稲めし］\u3000精白米\u3000うるち米", 156, 2.5, 0.3, 37.1, 1.5, 0),
                ("01089", "こめ\u3000［水稲めし］\u3000精白米\u3000もち米", "(188)", "-", "*", None, "", 3),
                None,
                ("01080", "こめ\u3000［水稲穀粒］\u3000玄米 ", 346, "(0)", "14.0\u2020", 74, 3.3, "0"),
                ("01026", "こむぎ\u3000 ［パン類］  食パン\u3000", "248", 8.9, (-4.1, "0.0_);\\(0.0\\)"), 46.4, 4.2, 1.2),
            ],
            "１０\u3000魚介類": [
                ("10001", "＜魚類＞\u3000ほうぼう\u3000生", 110),
                ("10086", "＜魚類＞\u3000（かつお類）\u3000加工品\u3000角煮", 221),
                ("10087", "＜魚類＞\u3000（かつお類）\u3000加工品\u3000塩辛", 55),
                ("10088", "＜魚類＞\u3000（かつお類）\u3000そうだがつお\u3000生", 126),
                ("10281", "＜貝類＞\u3000あさり\u3000生", (41.4667, "0")),
                ("10003", "＜魚類＞\u3000あゆ\u3000生", 93),
            ],
        })
        result = run_importer(self.book, self.out)
        self.assertEqual(result.returncode, 0, result.stderr)
        expected = {
            "穀類.cal": table_text([
                "@アマランサス",  # over a single food, but at the top
                "\tアマランサス 玄穀:343",
                "@こめ",
                "\t@［水稲めし］",
                "\t\tこめ ［水稲めし］ 精白米 うるち米:156",
                "\t\tこめ ［水稲めし］ 精白米 もち米:188",
                "\tこめ ［水稲穀粒］ 玄米:346",
                "@こむぎ",
                "\tこむぎ ［パン類］ 食パン:248",
            ]),
            "穀類.nutrients": list_text([
                "アマランサス 玄穀|100g|12.7|5.0|11.3|0|0|01001",
                "こめ ［水稲めし］ 精白米 うるち米|100g|2.5|0.3|37.1|1.5|0|01088",
                "こめ ［水稲めし］ 精白米 もち米|100g|||||3|01089",
                "こめ ［水稲穀粒］ 玄米|100g|0|14.0|74|3.3|0|01080",
                "こむぎ ［パン類］ 食パン|100g|8.9|4.1|46.4|4.2|1.2|01026",
            ]),
            "魚介類.cal": table_text([
                "@＜魚類＞",
                "\tほうぼう 生:110",
                "\t@（かつお類）",
                "\t\t@加工品",
                "\t\t\t（かつお類） 加工品 角煮:221",
                "\t\t\t（かつお類） 加工品 塩辛:55",
                "\t\t（かつお類） そうだがつお 生:126",
                "@＜貝類＞",
                "\tあさり 生:41",
                "@＜魚類＞",
                "\tあゆ 生:93",
            ]),
        }
        self.assertEqual(sorted(os.listdir(self.out)), sorted(list(expected) + ["魚介類.nutrients"]))
        for name, data in expected.items():
            with open(os.path.join(self.out, name), "rb") as f:
                self.assertEqual(f.read(), data, name)

    def test_refusals(self):
        # (what, the food in row 13 after a good one in row 12, words the message holds)
        cases = [
            ("no energy", ("01002", "あわ　あわもち", None, 1, 1, 1, 1, 1), ["row 13", "no numeric energy"]),
            ("energy text", ("01002", "あわ　あわもち", "約210", 1, 1, 1, 1, 1), ["row 13", "no numeric energy"]),
            ("fractional energy", ("01002", "あわ　あわもち", 210.5, 1, 1, 1, 1, 1), ["row 13", "no numeric energy"]),
            ("outside Shift-JIS", ("01002", "おにぎり　🍙", 170, 1, 1, 1, 1, 1), ["row 13", "Shift-JIS"]),
            ("unknown mark", ("01002", "あわ　あわもち", 210, 1, "1.2g", 1, 1, 1), ["row 13", "FAT-"]),
            ("negative", ("01002", "あわ　あわもち", 210, 1, -1.2, 1, 1, 1), ["row 13", "FAT-"]),
            ("same line", GOOD, ["row 13", "row 12"]),
            ("colon", ("01002", "あわ　比率1:2", 210, 1, 1, 1, 1, 1), ["row 13", "':'"]),
            ("leading @", ("01002", "@あわ", 210, 1, 1, 1, 1, 1), ["row 13", "'@'"]),
            ("tab", ("01002", "あわ\tもち", 210, 1, 1, 1, 1, 1), ["row 13", "control"]),
        ]
        for what, food, words in cases:
            with self.subTest(what):
                make_workbook(self.book, {"1 穀類": [GOOD, food]})
                self.assert_refused(words)
        with self.subTest("identifier missing"):
            make_workbook(self.book, {"1 穀類": [GOOD]}, IDENTIFIERS[:-1] + ["NACL"])
            self.assert_refused(["NACL_EQ"])

    def assert_refused(self, words):
        result = run_importer(self.book, self.out)
        self.assertNotEqual(result.returncode, 0)
        for word in ["「1 穀類」"] + words:
            self.assertIn(word, result.stderr)
        self.assertFalse(os.path.exists(self.out), "nothing is written")


class Tables(unittest.TestCase):
    def test_committed_tables_are_the_import_of_the_workbook(self):
        with tempfile.TemporaryDirectory() as out:
            result = run_importer(WORKBOOK, out)
            self.assertEqual(result.returncode, 0, result.stderr)
            made = sorted(os.listdir(out))
            self.assertEqual(made, sorted(os.listdir(TABLES)))
            self.assertEqual(len(made), 36)
            for name in made:
                with open(os.path.join(out, name), "rb") as a, open(os.path.join(TABLES, name), "rb") as b:
                    self.assertTrue(a.read() == b.read(), f"{name} differs from the import")


if __name__ == "__main__":
    unittest.main()
