"""Prints what an independent reader (xlrd) finds in an .xls file.

Line 1: the sheet names, tab-separated. Then one line per cell of the first sheet:
row, column, cell type and the UTF-8 text in hexadecimal.
"""
import sys

import xlrd

book = xlrd.open_workbook(sys.argv[1])
print("\t".join(book.sheet_names()))
sheet = book.sheet_by_index(0)
for row in range(sheet.nrows):
    for column in range(sheet.ncols):
        cell = sheet.cell(row, column)
        print(row, column, cell.ctype, str(cell.value).encode("utf-8").hex())
