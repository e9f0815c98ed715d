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


def adj_file_seeds():
    defaults = [[13] * 16, [14] * 16, [15] * 16, [3] * 16, [4] * 16, [5] * 16,
                [0, 24, 24, 24, 24, 25, 26, 27, 28, 29, 0, 0, 0, 0, 0, 12],
                [3, 4, 4, 4, 4, 4, 4, 4, 3, 2, 1, 0, 0, 0, 0, 0],
                [0, 16, 17, 18, 19, 20, 21, 22, 23, 24, 0, 0, 0, 0, 0, 13],
                [3, 4, 4, 4, 4, 3, 3, 2, 1, 0, 0, 0, 0, 0, 0, 0],
                [0, 16, 17, 18, 19, 20, 21, 22, 23, 24, 0, 0, 0, 0, 0, 0],
                [3, 4, 4, 4, 4, 3, 3, 2, 1, 0, 0, 0, 0, 0, 0, 0],
                [52, 42, 31, 17, 7, 0, 3, 6, 12, 0, 0, 0, 0, 0, 0, 0],
                [5, 5, 7, 7, 7, 7, 10, 8, 5, 0, 0, 0, 0, 0, 0, 0],
                [127, 20, 32, 42, 52, 62, 72, 84, 95, 106, 112, 115, 118, 125, 135, 160],
                [1, 1, 48, 1, 121, 1, 2, 64, 2, 112, 1, 4, 0, 5, 32, 0]]
    mixed = [[(r * 16 + c) * 7 % 256 for c in range(16)] for r in range(16)]
    flat = [v for row in mixed for v in row]
    write("adj_file", "defaults", b"\x00" + param_file(defaults))
    write("adj_file", "mixed_values", b"\x01" + param_file(mixed))
    write("adj_file", "one_line", b"\x02" + " ".join(str(v) for v in flat).encode())
    write("adj_file", "commas", b"\x03" + ",".join(str(v) for v in flat).encode())
    write("adj_file", "short", b"\x04" + param_file(mixed[:15]))
    write("adj_file", "bad_item", b"\x05" + param_file(mixed).replace(b" 7 ", b" 7x ", 1))
    write("adj_file", "out_of_range", b"\x06" + param_file(mixed).replace(b" 7 ", b" 256 ", 1))


def runtime_seeds():
    write("runtime", "val_texts", b"\x00  -12.5E+3abc")
    write("runtime", "val_hex", b"\x00&H7fff")
    doubles = [245.625, -0.5, 1e15, 1e-5, 32767.5, -32768.5, 2.5, 0.1]
    write("runtime", "numbers", b"\x01" + b"".join(struct.pack("<d", x) for x in doubles))
    write("runtime", "number_file", b"\x02\x10" + b" 1  -2 \r\n 300 ,4\t5 6 7 8 9 10 11 12 13 14 15 16")


def link_input(setup, steps, answers=b""):
    """A set-up byte, the script's length, the script of (step, argument) pairs, the answers."""
    script = bytes(b for step in steps for b in step)
    return bytes([setup]) + struct.pack("<H", len(script)) + script + answers


# Steps of the link target.
def WAIT(ms):
    """Waits of up to 2048 ms each."""
    steps = []
    while ms > 0:
        chunk = min(ms, 2048)
        steps += [0, max(0, chunk // 8 - 1)]
        ms -= chunk
    return tuple(steps)



READ, WRITE = (1, 0), (2, 0)
CANCEL_READ, CANCEL_WRITE = (3, 1), (3, 0)
CLOSE_READ, CLOSE_SETUP = (4, 0), (4, 2)
RELOAD_READ, RELOAD_WRITE = (5, 1), (5, 0)
ENGLISH, CHINESE = (6, 0), (6, 1)
SETUP_OK, SETUP_CANCEL = (7, 0), (8, 0)
IDENT8, IDENT14 = (10, 1), (10, 0)


def REFUSE(step, skip, count=1, byte=0x15):
    """The radio refuses `count` written frames after `skip` of them (link: step 10, editor link: 7)."""
    return (step, 2 | skip << 2, count - 1, byte)


def OPEN_FILE(row, col, value, show=True, confirm=True):
    """File > Open of a parameter file: the image with one value changed; its dialog shown and
    confirmed, only shown, or an open one only confirmed (row below 64)."""
    arg = row & 0x3F | (0 if show else 0x80) | (0 if confirm else 0x40)
    return (12, arg, row >> 8, col) + tuple(struct.pack("<h", value))


# The misbehaviours of the simulator the window targets pick, and the frames a fault may answer.
SILENCE, LATE, WRONG_FIRST_BYTE, STRAY, SHORT, EXTRA, NO_LEADING_ACK, EARLY_ACK, REFUSAL = range(9)
CODE, READ_REQUEST, DATA_FRAME = range(3)


def fault_arg(what, kind):
    """The argument of a fault step that spoils answers to frames of `kind` only, with `what`."""
    return next(a for a in range(128, 256) if a % 9 == what and a // 8 % 3 == kind)


def set_image(row, col, value):
    return (9, row & 0xFF, row >> 8, col) + tuple(struct.pack("<h", value))


def link_seeds():
    after_startup = WAIT(2000)
    write("link", "startup", link_input(0, []))
    write("link", "startup_silent_radio", link_input(0, [], b"\x02"))
    write("link", "read", link_input(0, [after_startup, READ]))
    write("link", "read_cancel_language", link_input(
        0, [after_startup, READ, WAIT(300), CANCEL_READ, ENGLISH, WAIT(300), RELOAD_READ]))
    write("link", "read_corrupt_reply", link_input(
        2, [after_startup, READ], b"\x00\x00\x00\x00" + b"\x00" * 20 + b"\x03\x05\x06"))
    write("link", "read_late_reply", link_input(0, [after_startup, READ], b"\x00" * 10 + b"\xf9"))
    write("link", "write", link_input(0, [after_startup, WRITE]))
    write("link", "write_cancel_close", link_input(
        0, [after_startup, WRITE, WAIT(200), CANCEL_WRITE, (4, 1), WAIT(2000), CLOSE_READ]))
    write("link", "write_stray_ack", link_input(0, [after_startup, WRITE], b"\x00" * 8 + b"\x0d\x06"))
    write("link", "write_value_not_byte", link_input(
        0, [after_startup, set_image(3, 0, 300), WRITE]))
    # The radio refuses the sixth frame: the write fails.
    write("link", "write_refused", link_input(0, [after_startup, REFUSE(10, 5), WRITE, WAIT(12000)]))
    write("link", "open_file", link_input(0, [after_startup, OPEN_FILE(40, 0, 7), WRITE]))
    write("link", "open_file_during_write", link_input(
        0, [after_startup, WRITE, WAIT(1000), OPEN_FILE(40, 0, 7), WAIT(12000)]))
    # The dialog shown before the write began and confirmed while it runs.
    write("link", "open_file_dialog_left_open", link_input(
        0, [after_startup, OPEN_FILE(40, 0, 7, confirm=False), WRITE, WAIT(1000),
            OPEN_FILE(40, 0, 7, show=False), WAIT(12000)]))
    write("link", "port_window", link_input(1, [WAIT(3000), SETUP_OK]))
    write("link", "port_window_cancel", link_input(
        0, [after_startup, SETUP_OK, WAIT(10), SETUP_CANCEL, IDENT8, SETUP_OK, CHINESE]))
    write("link", "read_then_port_window", link_input(
        0, [after_startup, READ, WAIT(100), SETUP_OK, WAIT(2000), IDENT8, SETUP_OK]))


def chann_file_seeds():
    rows = [[(r * 16 + c) * 7 % 256 for c in range(16)] for r in range(496)]
    rows[0][:4] = [255, 255, 255, 255]
    write("chann_file", "whole", b"\x7f" + param_file(rows))
    write("chann_file", "without_last_line", b"\x05" + param_file(rows[:495]))
    write("chann_file", "short", b"\x01" + param_file(rows[:494]))
    write("chann_file", "bad_item", b"\x02" + param_file(rows).replace(b" 7 ", b" 7x ", 1))
    write("chann_file", "out_of_range", b"\x03" + param_file(rows).replace(b" 14 ", b" 40000 ", 1))


# Steps of the editor link target.
CH_READ, CH_WRITE = (1, 0), (2, 0)
PW_BLANK, PW_MATCH, PW_WRONG = (3, 4), (3, 1), (3, 2)
PW_CLOSE, CH_CLOSE, CH_OPEN = (4, 0), (5, 1), (5, 0)


def editor_link_seeds():
    write("editor_link", "chann_read", link_input(0, [CH_READ, WAIT(8000)]))
    write("editor_link", "chann_read_corrupt", link_input(
        0, [CH_READ, WAIT(8000)], b"\x00\x00\x03\x05\x06\x00\x02"))
    write("editor_link", "chann_write", link_input(0, [(8, 11), CH_WRITE, WAIT(2000)]))
    write("editor_link", "chann_write_value", link_input(
        0, [(6,) + set_image(2, 0, 300)[1:], CH_WRITE, WAIT(6000)]))
    write("editor_link", "password_blank", link_input(0, [PW_BLANK, WAIT(3000)]))
    write("editor_link", "password_match", link_input(2, [PW_MATCH, WAIT(3000)]))
    write("editor_link", "password_wrong", link_input(2, [PW_WRONG, WAIT(3000), PW_CLOSE]))
    write("editor_link", "password_late", link_input(
        0, [PW_BLANK, WAIT(3000), CH_READ, WAIT(3000)], b"\x00\x00\x00\x00\xf9"))
    write("editor_link", "busy_presses", link_input(
        0, [CH_READ, PW_BLANK, CH_WRITE, CH_CLOSE, CH_OPEN, WAIT(4000)]))
    # The radio's ACK to the first channel frame comes with a second ACK behind it.
    write("editor_link", "chann_write_stray_ack", link_input(
        0, [(8, 11), CH_WRITE, WAIT(2000)], b"\x00\x05\x06"))
    # The radio refuses the fourth channel frame: the write restarts.
    write("editor_link", "chann_write_refused", link_input(
        0, [(8, 11), REFUSE(7, 3), CH_WRITE, WAIT(8000)]))
    # A byte behind the read's reply while the password frame still waits to leave.
    write("editor_link", "password_byte_before_frame",
          bytes.fromhex("00 02 00 ff 00 0c 00 05 06 00 05 06"))
    # The count lowered to 10 in the option window while a read of 128 channels runs.
    write("editor_link", "count_lowered_during_read", link_input(
        0, [CH_READ, (8, 9), WAIT(10000)]))


def chann_input(setup, channels, steps):
    return bytes([setup]) + bytes(b for ch in channels for b in ch) + bytes(
        b for step in steps for b in step)


def chann_seeds():
    click = lambda row, col: (0, row, col)
    typed = lambda text: (2, len(text)) + tuple(
        "0123456789.-  ABCDEFGHIJKLMNOPQRSTUVWXYZabcxyz,;/#DINdin\x01".index(c) for c in text)
    enter, arrow_down, default, clear, away = (3,), (6, 1), (11,), (12,), (14,)
    programmed = (5,) + (0x00, 0x50, 0x45, 0x01, 0x00, 0x50, 0x45, 0x01, 0x58, 0x02, 0x01, 0x00,
                         0x21, 0x00, 0x12, 0xC5) + tuple(b"AB-12\xff")
    write("chann_grid", "rx_entry", chann_input(2, [], [click(9, 2), typed("145.5"), enter]))
    write("chann_grid", "name_and_tone", chann_input(
        1 | 2 | 4, [programmed], [click(6, 13), typed("abc-12345"), click(6, 4), typed("67"),
                                  click(1, 0), arrow_down, away]))
    write("chann_grid", "few_channels", chann_input(
        0, [], [(20,), click(3, 3), typed("450"), enter, clear, default, click(2, 2), typed(""), away]))
    write("chann_grid", "picks", chann_input(
        2, [], [click(1, 6), (8, 2), click(1, 7), (8, 1), click(1, 12), (8, 3), click(1, 1), (8, 0)]))
    # Channel 5 with a repeater split: its cells clicked, entered and left without a key.
    split = (5,) + (0x00, 0x50, 0x45, 0x01, 0x00, 0x50, 0x46, 0x01, 0x58, 0x02, 0x01, 0x00,
                    0x21, 0x00, 0x12, 0xC5) + tuple(b"AB-12\xff")
    looked_at = [click(6, 2), click(7, 2), click(6, 3), enter, enter, click(6, 13), enter,
                 click(6, 1), enter, away]
    write("chann_grid", "looked_at", chann_input(2 | 4, [split], looked_at))
    write("chann_grid", "looked_at_chinese", chann_input(1 | 2 | 4, [split], looked_at))
    # Keys and picks after a scroll hid the editor: typed before the scroll, then after it.
    write("chann_grid", "keys_after_scroll", chann_input(2 | 4, [split], [
        click(6, 2), typed("150"), (13, 40), typed("7"), enter, arrow_down, click(6, 6), (13, 50),
        arrow_down, (8, 2), typed("5"), click(60, 0), (13, 1), click(6, 4), (13, 30), typed("67"),
        enter, away]))


def sim_seeds():
    code = bytes([0x50, 0x52, 0x4F, 0x47, 0x4A, 0x35, 0x4B])
    timed = lambda data, gap=1: b"".join(bytes([gap, b]) for b in data)
    opening = code + b"\x02\x06"
    write("sim_frames", "read", b"\x00" + timed(opening + b"\x53\x00\x40\x40\x06\x53\x17\xc0\x40"))
    write("sim_frames", "write", b"\x01" + timed(opening + b"\x58\x00\x10\x10" + bytes(range(16)) +
                                                 b"\x58\x00\x70\x01\xff"))
    write("sim_frames", "faults", b"\x60" + b"\x07\x00\x81\x05\x15" + b"\x03\x03\x00\x05\x15" +
          timed(opening + b"\x53\x00\x00\x40", 2))
    write("sim_frames", "gaps", b"\x00" + timed(code[:3], 1) + timed(code, 255) + timed(b"\x02"))
    # The other code, answered with the ACK 3 ms behind the identification, then a read.
    alt = bytes([0x4A, 0x35, 0x41, 0x4C, 0x54, 0x43, 0x4F, 0x44])
    write("sim_frames", "other_code_ack_behind", b"\x81" + timed(alt + b"\x06\x53\x30\x00\x40"))


def option_copies_seeds():
    packed = [[(r * 16 + c) * 5 % 256 for c in range(16)] for r in range(12)]
    packed[0][0] = 100  # channel count
    for r in (4, 5, 10, 11):
        packed[r] = [0] * 16
    packed[6][8:16] = [1, 3, 6, 0, 2, 5, 0, 0]
    flat = [v for row in packed for v in row]
    write("option_copies", "file_good", b"\x00" + param_file(packed))
    write("option_copies", "file_commas", b"\x02" + ",".join(str(v) for v in flat).encode())
    write("option_copies", "file_short", b"\x04" + param_file(packed[:11]))
    write("option_copies", "file_not_byte", b"\x06" + param_file(packed).replace(b" 100 ", b" 300 ", 1))
    # A channel count the count box refuses: its message comes before the load's.
    write("option_copies", "file_count_0", b"\x08" + param_file(packed).replace(b" 100 ", b" 0 ", 1))
    memory = bytes((a * 7) % 256 for a in range(0x140))
    write("option_copies", "read_clean", b"\x01" + memory + b"\x00")
    write("option_copies", "read_silent", b"\x03" + memory + b"\x01\x00\x00\x02\x00\x00")
    # Read, then write: unedited; after two picks and a tick; cut off after the fifth frame.
    write("option_copies", "read_write_clean", b"\x03" + memory + b"\x00\x00\x00")
    write("option_copies", "read_write_edits",
          b"\x03" + memory + b"\x00\x03\x00\x05\x07\x00\x11\x02\x01\x04\x00")
    write("option_copies", "read_write_cut", b"\x03" + memory + b"\x00\x00\x01\x00\x05\x02\x00\x00")
    # The radio's ACK right behind its identification; 3 ms behind it, then a write.
    write("option_copies", "read_ack_behind", b"\x05" + memory + b"\x00")
    write("option_copies", "read_write_ack_late", b"\x0F" + memory + b"\x00\x00\x00")




def fm_file_seeds():
    rows = [[0, 9, 0, 4, 0, 0, 0, 0, 255, 67, 67, 84, 86, 49, 255, 255] + [255] * 6 for _ in range(15)]
    rows[3][:8] = [0] * 8
    rows.append([1, 3, 6, 1, 7, 4, 4, 0, 0, 4, 7, 9, 255, 255, 255, 255, -1, 0, 300, 7, 8, 9])
    good = number_line([16]) + "".join(number_line(r) for r in rows)
    write("fm_file", "good", b"\x00" + good.encode())
    write("fm_file", "chinese_erased", b"\x01" + (number_line([16]) + number_line([255] * 22) * 16).encode())
    write("fm_file", "short", b"\x02" + good[: len(good) // 2].encode())
    write("fm_file", "count_15", b"\x03" + good.replace(" 16 ", " 15 ", 1).encode())
    write("fm_file", "not_byte", b"\x04" + good.replace(" 67 ", " 256 ", 1).encode())
    write("fm_file", "commas", b"\x05" + good.replace("  ", ",").encode())


def fm_link_seeds():
    def silent(n):
        return b"\x00" * n

    def answer(data):
        return bytes([len(data)]) + bytes(data)

    ident = answer([0x06, 0xAA, 1, 3, 6, 1, 7, 4, 0xBB])
    opening = silent(7) + ident
    records = []
    for n in range(16):
        records += [1, 0, n % 9, 5, 0, 0, 0, 0, 0xFF, ord("F"), ord("M"), ord("A") + n, 0xFF, 0xFF, 0xFF, 0xFF]
    band = [1, 3, 6, 1, 7, 4, 4, 0, 0, 4, 7, 9] + [0xFF] * 52
    read = opening
    for k, address in enumerate([0x3000, 0x3040, 0x3080, 0x30C0, 0x3F80]):
        data = band if address == 0x3F80 else records[64 * k: 64 * k + 64]
        read += silent(4 if k == 0 else 3) + answer([0x06, 0x58, address >> 8, address & 0xFF, 0x40] + data)
        read += silent(1)  # the tool's ACK
    write("fm_link", "read", b"\x00" + read)
    # The radio's ACK right behind its identification, not in front.
    write("fm_link", "read_ack_behind", b"\x00" + read.replace(ident, answer([0xAA, 1, 3, 6, 1, 7, 4, 0xBB, 0x06]), 1))
    write("fm_link", "read_chinese_erased",
          b"\x02" + read.replace(bytes(band[:12]), bytes([0xFF] * 12)))
    write_ = opening + (silent(20) + answer([0x06])) * 17
    write("fm_link", "write", b"\x01" + write_)
    write("fm_link", "silent", b"\x00")
    write("fm_link", "read_then_write_in_pause", b"\x1C" + silent(8) * 4)
def dtmf_input(setup, radio, steps):
    """A set-up byte, the radio's DTMF record (512 bytes), the script's length, the script."""
    script = bytes(b for step in steps for b in step)
    return bytes([setup]) + bytes(radio) + struct.pack("<H", len(script)) + script


def dtmf_seeds():
    radio = [(a * 7 + a // 256) % 256 for a in range(512)]
    codes = [(a * 5) % 20 for a in range(512)]
    wait = lambda ms: (0, max(0, ms // 10 - 1))
    read, write_, default, reopen, leave, tab = (1, 1), (1, 0), (2, 0), (3, 0), (8, 0), (7, 0)
    ani, group = (4, 1), (4, 4)
    key = lambda ch: (5, ord(ch))
    paste = lambda text: (6, len(text)) + tuple(text.encode())
    # The radio's next replies to read requests spoilt: misbehaviour `what`, with `byte`.
    spoil = lambda what, byte: (11, fault_arg(what, READ_REQUEST), 0, 2, byte)
    long_wait = tuple(b for _ in range(8) for b in wait(2560))
    write("dtmf", "read", dtmf_input(0, radio, [read, long_wait]))
    write("dtmf", "write", dtmf_input(1, codes, [write_, long_wait, long_wait]))
    write("dtmf", "read_spoilt_replies", dtmf_input(
        0, radio, [spoil(3, 0x58), read, long_wait, long_wait]))
    # The radio's ACKs to the first written frames each come with a second ACK behind them.
    write("dtmf", "write_stray_ack", dtmf_input(
        1, codes, [(11, fault_arg(EXTRA, DATA_FRAME), 0, 2, 0x06), write_, long_wait, long_wait]))
    # The radio refuses the fourth written frame: the write starts again.
    write("dtmf", "write_refused", dtmf_input(
        1, codes, [(11, fault_arg(REFUSAL, DATA_FRAME), 3, 0, 0x15), write_, long_wait, long_wait]))
    write("dtmf", "edit_and_leave", dtmf_input(
        1, codes, [ani, key("1"), key("2"), leave, ani, paste("12 3"), tab, group, paste("ab*c"),
                   tab, default, reopen, (10, 26, 3, 0x2c, 0x01), read, long_wait]))


def number_file_input(count, rng, pieces, text):
    """The count wanted, the range (0 16 bits, 1 bytes, 2 -5..5), the pieces' lengths, the file."""
    return bytes([count, rng, len(pieces)] + pieces) + text


def number_file_seeds():
    rows = [[(r * 16 + c) * 7 % 256 for c in range(16)] for r in range(3)]
    lines = "".join(number_line(r) for r in rows).encode()
    write("number_file", "lines", number_file_input(48, 1, [5, 80, 1], lines))
    write("number_file", "byte_order_mark", number_file_input(48, 0, [1, 2], b"\xef\xbb\xbf" + lines))
    write("number_file", "commas", number_file_input(6, 2, [3], b"1,-2 ,3\t-5\n5,0 trailing"))
    write("number_file", "short", number_file_input(20, 0, [], b" 1  2 \r\n 3 \r\n"))
    write("number_file", "bad", number_file_input(4, 1, [2, 2], b"1 2 256 x\x00"))


def sig_file_seeds():
    rows = [[(r * 16 + c) * 7 % 256 for c in range(16)] for r in range(9)]
    good = "".join(number_line(r) for r in rows).encode()
    flat = [v for row in rows for v in row]
    write("sig_file", "two_tone", b"\x00" + good)
    write("sig_file", "five_tone_chinese", b"\x03" + good)
    write("sig_file", "commas", b"\x02" + ",".join(str(v) for v in flat).encode())
    write("sig_file", "short", b"\x00" + good[:-30])
    write("sig_file", "out_of_range", b"\x01" + good.replace(b" 7 ", b" 256 ", 1))
    write("sig_file", "letters", b"\x02" + good.replace(b" 14 ", b" 1a ", 1))


def sig_link_input(setup, steps, radio=b""):
    """A set-up byte, the script's length, the script, the radio's bytes from 0x2000."""
    script = bytes(b for step in steps for b in step)
    return bytes([setup]) + struct.pack("<H", len(script)) + script + radio


def sig_link_seeds():
    radio = bytes((a * 13 + 5) % 256 for a in range(256))
    wait = tuple(b for _ in range(12) for b in (0, 255))
    read, write_, default, close = (1, 1), (1, 0), (2, 0), (3, 0)
    cell = lambda grid, r, c: (4, grid, r, c)
    key = lambda ch: (5, ord(ch))
    stray = lambda row, col, value: (9, col, row) + tuple(struct.pack("<h", value))
    spoil = lambda what, byte: (10, fault_arg(what, DATA_FRAME), 0, 2, byte)
    write("sig_link", "two_tone_read", sig_link_input(0, [read, wait], radio))
    write("sig_link", "five_tone_write", sig_link_input(3, [write_, wait, wait], radio))
    # The radio's ACKs to the first written frames each come with a second ACK behind them.
    write("sig_link", "write_stray_ack", sig_link_input(
        0, [(10, fault_arg(EXTRA, DATA_FRAME), 0, 2, 0x06), write_, wait, wait], radio))
    # The radio refuses the fourth written frame: the write starts again.
    write("sig_link", "write_refused", sig_link_input(
        3, [(10, fault_arg(REFUSAL, DATA_FRAME), 3, 0, 0x15), write_, wait, wait], radio))
    write("sig_link", "read_spoilt_replies", sig_link_input(
        0, [spoil(3, 0x58), read, wait, wait], radio))
    write("sig_link", "edit_and_write", sig_link_input(
        2, [cell(1, 1, 1), key("1"), key("2"), (7, 0), (8, 1, 2), default, write_, (0, 50),
            stray(100, 4, 300), wait, close, read, wait], radio))
    # The other tone window's Default and the adjustment window's load in the middle of a read.
    others = (2, 0x40)
    write("sig_link", "others_during_read", sig_link_input(0, [read, (0, 60), others, wait], radio))
    write("sig_link", "others_during_five_tone_read", sig_link_input(
        2, [read, (0, 90), others, wait, wait], radio))


if __name__ == "__main__":
    param_file_seeds()
    adj_file_seeds()
    runtime_seeds()
    link_seeds()
    chann_seeds()
    chann_file_seeds()
    editor_link_seeds()
    sim_seeds()
    fm_file_seeds()
    fm_link_seeds()
    dtmf_seeds()
    number_file_seeds()
    sig_file_seeds()
    sig_link_seeds()
    option_copies_seeds()
