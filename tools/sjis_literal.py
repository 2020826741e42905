#!/usr/bin/env python3
"""Prints C++ string literals holding the Shift-JIS (CP932) bytes of each argument.

Usage: tools/sjis_literal.py "テキスト" ...
"""
import sys


def literal(text: str) -> str:
    out = []
    escaped = False
    for byte in text.encode("cp932"):
        ch = chr(byte)
        if byte >= 0x80 or byte < 0x20 or ch in '"\\':
            out.append("\\x%02X" % byte)
            escaped = True
        else:
            if escaped and ch in "0123456789abcdefABCDEF":
                out.append('" "')
            out.append(ch)
            escaped = False
    return '"' + "".join(out) + '"'


for arg in sys.argv[1:]:
    print(f"{literal(arg)}  // {arg}")
