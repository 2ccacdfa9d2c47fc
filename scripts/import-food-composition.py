#!/usr/bin/python3
"""Makes calorie tables from the workbook of 日本食品標準成分表 (MEXT).

    /usr/bin/python3 scripts/import-food-composition.py WORKBOOK OUTDIR

Every sheet of the workbook (one food group) becomes OUTDIR/<group>.cal, the
energy per 100 g of each food in a tree of headings taken from the parts of
its name, and beside it OUTDIR/<group>.nutrients, a list file with the
food's protein, fat, carbohydrate, dietary fibre and salt per 100 g and its
food number. Both are Shift-JIS (cp932) with CR LF line ends.

Columns are found by what the header rows say, not where they are: the value
columns by their component identifier in row 11, the food number and the
name by their headings. A later edition in the same layout imports too.

Anything the tables could not show as the workbook has it stops the import
with a message naming the sheet and the row, and then no file is written.
"""
import decimal
import os
import re
import sys
import zipfile

import openpyxl
from openpyxl.cell.read_only import EMPTY_CELL
from openpyxl.utils.exceptions import InvalidFileException

IDENTIFIER_ROW = 11  # row of the component identifiers; foods follow it
NUMBER_HEADING = "食品番号"
NAME_HEADING = "食品名"
ENERGY = "ENERC_KCAL"
# The .nutrients cells after the name and the amount, in this order:
# たんぱく質, 脂質, 炭水化物, 食物繊維総量, 食塩相当量.
NUTRIENTS = ("PROT-", "FAT-", "CHOCDF-", "FIB-", "NACL_EQ")
AMOUNT = "100g"

SPACES = re.compile("[\u3000 ]+")
SHEET_NUMBER = re.compile("[0-9\uff10-\uff19]+[ \u3000]")
DECIMAL = re.compile(r"[0-9]+(?:\.[0-9]+)?")
INTEGER = re.compile(r"[0-9]+")
CONTROL = re.compile("[\x00-\x1f\x7f]")
FOOTNOTE = "\u2020"  # † after a value: a note on how it was analysed
CELL_SEPARATOR = b"\xff"
LINE_END = b"\r\n"


class Refused(Exception):
    """The workbook holds something the tables cannot show as it is."""


def is_empty(value):
    return value is None or (isinstance(value, str) and value.strip(" \u3000") == "")


def table_name(title):
    """The sheet title without its group number: "1 穀類" -> "穀類"."""
    name = SHEET_NUMBER.sub("", title, count=1) if SHEET_NUMBER.match(title) else title
    name = name.strip(" \u3000")
    if not name or "/" in name or name.startswith(".") or CONTROL.search(name):
        raise Refused(f"sheet 「{title}」: the title gives no usable table name")
    return name


def shows_integer(number_format):
    """Whether Excel shows a number in this format as a whole number."""
    section = number_format.split(";")[0]
    section = re.sub(r'"[^"]*"|\\.|_.', "", section)
    return ("0" in section or "#" in section) and not re.search("[.%Ee]", section)


def energy_of(cell):
    """The kilocalories of an energy cell, or None when it holds no whole number."""
    value = cell.value
    if isinstance(value, bool):
        return None
    if isinstance(value, int):
        kcal = value
    elif isinstance(value, float):
        if value.is_integer():
            kcal = int(value)
        elif shows_integer(cell.number_format):
            # A computed value the table shows rounded; Excel rounds halves
            # away from zero.
            kcal = int(decimal.Decimal(repr(value)).quantize(0, decimal.ROUND_HALF_UP))
        else:
            return None
    elif isinstance(value, str):
        text = value.strip(" \u3000")
        if text.startswith("(") and text.endswith(")"):
            text = text[1:-1]  # an estimate
        if not INTEGER.fullmatch(text):
            return None
        kcal = int(text)
    else:
        return None
    return kcal if kcal >= 0 else None


def shows_negative_in_parentheses(number_format):
    """Whether Excel shows a negative number in this format as "(n)"."""
    sections = number_format.split(";")
    return len(sections) > 1 and re.search(r"\\?\(.*\\?\)", sections[1]) is not None


def grams_of(cell):
    """A value cell as the .nutrients text: grams, "0" for a trace, "" for unknown."""
    value = cell.value
    if isinstance(value, bool):
        return None
    if isinstance(value, (int, float)) and value < 0:
        # Some estimates are stored as negative numbers in a format that
        # shows them in parentheses: "(3.2)" on the page is -3.2 in the cell.
        if not shows_negative_in_parentheses(cell.number_format):
            return None
        value = -value
    if isinstance(value, int):
        return str(value)
    if isinstance(value, float):
        return repr(value)
    if value is None:
        return ""
    if not isinstance(value, str):
        return None
    text = value.strip(" \u3000")
    if text.endswith(FOOTNOTE):
        text = text[:-1]
    if text in ("", "-", "*"):
        return ""  # not determined, or no value
    if text in ("Tr", "(Tr)"):
        return "0"
    if text.startswith("(") and text.endswith(")"):
        text = text[1:-1]  # an estimate
    return text if DECIMAL.fullmatch(text) else None


def find_columns(rows, title):
    """The columns of the food number, the name, the energy and the nutrients."""
    header = [[cell.value for cell in row] for row in rows[:IDENTIFIER_ROW]]
    columns = {}
    for heading in (NUMBER_HEADING, NAME_HEADING):
        found = sorted({c for row in header for c, value in enumerate(row)
                        if isinstance(value, str) and SPACES.sub("", value) == heading})
        if len(found) != 1:
            what = "no column" if not found else "more than one column"
            raise Refused(f"sheet 「{title}」: {what} headed {heading} in rows 1-{IDENTIFIER_ROW}")
        columns[heading] = found[0]
    identifiers = header[-1] if len(header) == IDENTIFIER_ROW else ()
    for identifier in (ENERGY,) + NUTRIENTS:
        found = [c for c, value in enumerate(identifiers)
                 if isinstance(value, str) and value.strip() == identifier]
        if len(found) != 1:
            what = "no column" if not found else "more than one column"
            raise Refused(f"sheet 「{title}」: {what} with the identifier {identifier} "
                          f"in row {IDENTIFIER_ROW}")
        columns[identifier] = found[0]
    return columns


def encoded(text, where):
    try:
        data = text.encode("cp932")
    except UnicodeEncodeError as e:
        raise Refused(f"{where}: Shift-JIS cannot hold {text[e.start]!r} (U+{ord(text[e.start]):04X}) "
                      f"in {text!r}") from None
    # cp932 writes a few characters it reads back as others, and one as 0xFF,
    # the list file's cell separator.
    if data.decode("cp932") != text or CELL_SEPARATOR in data:
        raise Refused(f"{where}: Shift-JIS cannot hold {text!r} as it is")
    return data


class Food:
    def __init__(self, row, number, parts, kcal, grams):
        self.row = row
        self.number = number
        self.kcal = kcal
        self.grams = grams
        i = 0
        self.group = None
        if i < len(parts) and parts[i].startswith("＜") and parts[i].endswith("＞"):
            self.group = parts[i]
            i += 1
        subgroup = None
        if i < len(parts) and parts[i].startswith("（") and parts[i].endswith("）"):
            subgroup = parts[i]
            i += 1
        # The headings above the food: (text, whether left out over a single food).
        self.path = []
        if self.group:
            self.path.append((self.group, False))
        if subgroup:
            self.path.append((subgroup, False))
        if i < len(parts):
            self.path.append((parts[i], True))
            if i + 1 < len(parts) and parts[i + 1].startswith("［"):
                self.path.append((parts[i + 1], True))
        self.text = " ".join(parts[1:] if self.group else parts)


def read_foods(rows, title):
    columns = find_columns(rows, title)
    foods = []
    line_rows = {}
    for row_number, row in enumerate(rows[IDENTIFIER_ROW:], IDENTIFIER_ROW + 1):
        def cell(key):
            return row[columns[key]] if columns[key] < len(row) else EMPTY_CELL
        where = f"sheet 「{title}」, row {row_number}"
        number = cell(NUMBER_HEADING).value
        if is_empty(number):
            continue  # a note
        number = f"{number:05d}" if isinstance(number, int) else str(number).strip(" \u3000")
        name = cell(NAME_HEADING).value
        parts = [p for p in SPACES.split(name) if p] if isinstance(name, str) else []
        if not parts:
            raise Refused(f"{where}: food {number} has no name")
        if CONTROL.search(name):
            raise Refused(f"{where}: the name {name!r} holds a control character")
        encoded(name, where)
        kcal = energy_of(cell(ENERGY))
        if kcal is None:
            raise Refused(f"{where}: food {number} has no numeric energy ({ENERGY}): "
                          f"{cell(ENERGY).value!r}")
        grams = []
        for identifier in NUTRIENTS:
            text = grams_of(cell(identifier))
            if text is None:
                raise Refused(f"{where}: the value of {identifier} is neither a number "
                              f"nor a known mark: {cell(identifier).value!r}")
            grams.append(text)
        food = Food(row_number, number, parts, kcal, grams)
        for text in [food.text] + [heading for heading, _ in food.path]:
            if text.startswith("@") or ":" in text:
                raise Refused(f"{where}: a table line cannot be {text!r} "
                              f"(no leading '@' nor ':' in it)")
        if not food.text:
            raise Refused(f"{where}: the name {name!r} leaves no text for the food's line")
        if food.text in line_rows:
            raise Refused(f"{where}: the food's line {food.text!r} is the same as "
                          f"that of row {line_rows[food.text]}")
        line_rows[food.text] = row_number
        encoded(number, where)
        if CONTROL.search(number):
            raise Refused(f"{where}: the food number {number!r} holds a control character")
        foods.append(food)
    return foods


class Heading:
    def __init__(self, text, collapsible):
        self.text = text
        self.collapsible = collapsible
        self.children = []  # Heading or Food, in workbook order

    def foods(self):
        for child in self.children:
            yield from child.foods() if isinstance(child, Heading) else (child,)


def tree_of(foods):
    """Headings shared by consecutive foods with the same path, in workbook order."""
    root = Heading(None, False)
    open_headings = []  # the path of the food before, as its Heading objects
    for food in foods:
        depth = 0
        while (depth < len(open_headings) and depth < len(food.path)
               and (open_headings[depth].text, open_headings[depth].collapsible) == food.path[depth]):
            depth += 1
        del open_headings[depth:]
        for text, collapsible in food.path[depth:]:
            heading = Heading(text, collapsible)
            (open_headings[-1] if open_headings else root).children.append(heading)
            open_headings.append(heading)
        (open_headings[-1] if open_headings else root).children.append(food)
    return root


def table_lines(node, level=0):
    """The lines under a heading. A base or bracket heading over a single food is
    left out, the food going under the heading above; at the top, where there is
    none, it stays, so that every food of a table is under a heading."""
    for child in node.children:
        if isinstance(child, Heading):
            foods = list(child.foods())
            if child.collapsible and len(foods) == 1 and level > 0:
                yield level, f"{foods[0].text}:{foods[0].kcal}"
            else:
                yield level, "@" + child.text
                yield from table_lines(child, level + 1)
        else:
            yield level, f"{child.text}:{child.kcal}"


def table_bytes(foods):
    return b"".join(b"\t" * level + text.encode("cp932") + LINE_END
                    for level, text in table_lines(tree_of(foods)))


def nutrients_bytes(foods):
    """One line a food in table order (the tree never reorders foods)."""
    return b"".join(CELL_SEPARATOR.join(cell.encode("cp932") for cell in
                                        [food.text, AMOUNT] + food.grams + [food.number]) + LINE_END
                    for food in foods)


def read_workbook(path):
    try:
        workbook = openpyxl.load_workbook(path, read_only=True, data_only=True)
    except (OSError, KeyError, zipfile.BadZipFile, InvalidFileException) as e:
        raise Refused(f"cannot be read as a workbook: {e}") from None
    try:
        tables = {}
        for sheet in workbook.worksheets:
            name = table_name(sheet.title)
            if name in tables:
                raise Refused(f"sheet 「{sheet.title}」: a sheet before it already gives the table {name}")
            sheet.reset_dimensions()  # read every cell, whatever size the file claims
            rows = list(sheet.iter_rows())
            tables[name] = read_foods(rows, sheet.title)
        return tables
    finally:
        workbook.close()


def write_file(folder, name, data):
    """Written under another name and renamed: never half a file under its own name."""
    path = os.path.join(folder, name)
    part = os.path.join(folder, "." + name + ".part")
    try:
        with open(part, "wb") as f:
            f.write(data)
        os.replace(part, path)
    except BaseException:
        if os.path.exists(part):
            os.remove(part)
        raise


def main(argv):
    if len(argv) != 3:
        print(f"usage: {argv[0]} WORKBOOK OUTDIR", file=sys.stderr)
        return 2
    workbook, folder = argv[1], argv[2]
    try:
        tables = read_workbook(workbook)
    except Refused as e:
        print(f"import-food-composition: {workbook}: {e}", file=sys.stderr)
        return 1
    try:
        os.makedirs(folder, exist_ok=True)
        for name, foods in tables.items():
            write_file(folder, name + ".cal", table_bytes(foods))
            write_file(folder, name + ".nutrients", nutrients_bytes(foods))
    except OSError as e:
        print(f"import-food-composition: {e}", file=sys.stderr)
        return 1
    print(f"{len(tables)} tables, {sum(len(f) for f in tables.values())} foods")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
