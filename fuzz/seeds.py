#!/usr/bin/env python3
"""Writes the seed corpora of the fuzz targets into corpus/<target>/ (run once when a target's
input layout changes; the seeds are kept in the repository)."""

import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))


def write(target, name, data):
    folder = os.path.join(HERE, "corpus", target)
    os.makedirs(folder, exist_ok=True)
    with open(os.path.join(folder, name), "wb") as f:
        f.write(data)


def number_line(values):
    return "".join((" %d " % v) if v >= 0 else ("%d " % v) for v in values) + "\r\n"


def param_file(rows):
    return "".join(number_line(r) for r in rows).encode()


def param_file_seeds():
    empty = [[255] * 16 for _ in range(481)]
    mixed = [[(r * 16 + c) * 7 % 256 for c in range(16)] for r in range(481)]
    mixed[0][:4] = [-1, 300, 0, 32767]
    flat = [v for row in mixed for v in row]
    write("param_file", "empty_image", b"\x00" + param_file(empty))
    write("param_file", "mixed_values", b"\x01" + param_file(mixed))
    write("param_file", "one_per_line", b"\x02" + "".join("%d\n" % v for v in flat).encode())
    write("param_file", "one_line", b"\x03" + " ".join(str(v) for v in flat).encode())
    write("param_file", "extra_line", b"\x04" + param_file(mixed + [[1] * 16]))
    write("param_file", "short", b"\x05" + param_file(mixed[:480]))
    write("param_file", "commas", b"\x06" + ",".join(str(v) for v in flat).encode())
    bad = param_file(mixed).replace(b" 7 ", b" 7x ", 1)
    write("param_file", "bad_item", b"\x07" + bad)
    write("param_file", "out_of_range", b"\x08" + param_file(mixed).replace(b" 300 ", b" 40000 ", 1))


def runtime_seeds():
    write("runtime", "val_texts", b"\x00  -12.5E+3abc")
    write("runtime", "val_hex", b"\x00&H7fff")
    doubles = [245.625, -0.5, 1e15, 1e-5, 32767.5, -32768.5, 2.5, 0.1]
    write("runtime", "numbers", b"\x01" + b"".join(struct.pack("<d", x) for x in doubles))
    write("runtime", "number_file", b"\x02\x10" + b" 1  -2 \r\n 300 ,4\t5 6 7 8 9 10 11 12 13 14 15 16")


if __name__ == "__main__":
    param_file_seeds()
    runtime_seeds()
