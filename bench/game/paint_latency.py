#!/usr/bin/env python3
"""Key release to the answers painted empty: presses F5 through the X server's test extension
and reads its framebuffer (an XWD file written by Xvfb -fbdir) every millisecond until two
answer texts are gone. Prints the milliseconds from the release to the first frame showing it.

Usage: paint_latency.py FRAMEBUFFER_FILE [KEYSYM]"""
import ctypes
import mmap
import struct
import sys
import time

x11 = ctypes.CDLL("libX11.so.6")
xtst = ctypes.CDLL("libXtst.so.6")
x11.XOpenDisplay.restype = ctypes.c_void_p
x11.XOpenDisplay.argtypes = [ctypes.c_char_p]
x11.XStringToKeysym.restype = ctypes.c_ulong
x11.XStringToKeysym.argtypes = [ctypes.c_char_p]
x11.XKeysymToKeycode.restype = ctypes.c_ubyte
x11.XKeysymToKeycode.argtypes = [ctypes.c_void_p, ctypes.c_ulong]
x11.XFlush.argtypes = [ctypes.c_void_p]
x11.XSync.argtypes = [ctypes.c_void_p, ctypes.c_int]
xtst.XTestFakeKeyEvent.argtypes = [ctypes.c_void_p, ctypes.c_uint, ctypes.c_int, ctypes.c_ulong]


def key(display, code, down):
    xtst.XTestFakeKeyEvent(display, code, down, 0)
    x11.XSync(display, 0)

# Where the answers' white text lies: (rows, columns) of A, B, C, D in window pixels.
ANSWERS = [(range(409, 413), range(80, 290)), (range(409, 413), range(400, 610)),
           (range(457, 461), range(80, 290)), (range(457, 461), range(400, 610))]


def shown(fb, base, bpl):
    result = []
    for rows, cols in ANSWERS:
        white = False
        for y in rows:
            row = fb[base + y * bpl + cols.start * 4: base + y * bpl + cols.stop * 4]
            for x in range(0, len(row), 4):
                if row[x] > 200 and row[x + 1] > 200 and row[x + 2] > 200:
                    white = True
                    break
            if white:
                break
        result.append(white)
    return result


def main():
    path = sys.argv[1]
    name = sys.argv[2] if len(sys.argv) > 2 else "F5"
    display = x11.XOpenDisplay(None)
    if not display:
        sys.exit("paint_latency: no X display")
    code = x11.XKeysymToKeycode(display, x11.XStringToKeysym(name.encode()))
    with open(path, "rb") as f:
        fb = mmap.mmap(f.fileno(), 0, access=mmap.ACCESS_READ)
        h = struct.unpack(">20I", fb[:80])
        bpl, base = h[12], h[0] + h[19] * 12
        if sum(shown(fb, base, bpl)) != 4:
            sys.exit("paint_latency: the four answers are not all shown")
        key(display, code, True)
        time.sleep(0.02)
        key(display, code, False)
        released = time.monotonic()
        while sum(shown(fb, base, bpl)) != 2:
            if time.monotonic() - released > 2:
                sys.exit("paint_latency: the answers did not go within 2 s")
            time.sleep(0.001)
        print(f"{(time.monotonic() - released) * 1000:.1f}")


if __name__ == "__main__":
    main()
