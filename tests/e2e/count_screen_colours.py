#!/usr/bin/env python3
"""Prints how many pixels of the X screen ($DISPLAY) have one of the given colours.

Usage: count_screen_colours.py RRGGBB [RRGGBB ...]
Reads the root window through libX11 (installed with xdotool), so the end-to-end test can see
what the editor shows without extra tools. Needs a 24-bit TrueColor screen as Xvfb gives.
"""
import ctypes
import sys
from array import array


class XImage(ctypes.Structure):
    _fields_ = [("width", ctypes.c_int), ("height", ctypes.c_int), ("xoffset", ctypes.c_int),
                ("format", ctypes.c_int), ("data", ctypes.c_void_p), ("byte_order", ctypes.c_int),
                ("bitmap_unit", ctypes.c_int), ("bitmap_bit_order", ctypes.c_int),
                ("bitmap_pad", ctypes.c_int), ("depth", ctypes.c_int),
                ("bytes_per_line", ctypes.c_int), ("bits_per_pixel", ctypes.c_int),
                ("red_mask", ctypes.c_ulong), ("green_mask", ctypes.c_ulong),
                ("blue_mask", ctypes.c_ulong)]


def grab_screen():
    x11 = ctypes.CDLL("libX11.so.6")
    x11.XOpenDisplay.restype = ctypes.c_void_p
    x11.XOpenDisplay.argtypes = [ctypes.c_char_p]
    x11.XDefaultScreen.argtypes = [ctypes.c_void_p]
    x11.XDefaultRootWindow.restype = ctypes.c_ulong
    x11.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
    x11.XDisplayWidth.argtypes = x11.XDisplayHeight.argtypes = [ctypes.c_void_p, ctypes.c_int]
    x11.XGetImage.restype = ctypes.POINTER(XImage)
    x11.XGetImage.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_int,
                              ctypes.c_uint, ctypes.c_uint, ctypes.c_ulong, ctypes.c_int]
    dpy = x11.XOpenDisplay(None)
    if not dpy:
        sys.exit("cannot open the display")
    screen = x11.XDefaultScreen(dpy)
    width, height = x11.XDisplayWidth(dpy, screen), x11.XDisplayHeight(dpy, screen)
    z_pixmap, all_planes = 2, 0xFFFFFFFFFFFFFFFF
    img = x11.XGetImage(dpy, x11.XDefaultRootWindow(dpy), 0, 0, width, height, all_planes, z_pixmap)
    if not img:
        sys.exit("XGetImage failed")
    im = img.contents
    if (im.bits_per_pixel, im.byte_order, im.red_mask, im.green_mask, im.blue_mask) != \
            (32, 0, 0xFF0000, 0xFF00, 0xFF):
        sys.exit("unexpected screen format")
    return ctypes.string_at(im.data, im.bytes_per_line * height), im.bytes_per_line, width


def main():
    wanted = {int(c, 16) for c in sys.argv[1:]}
    data, stride, width = grab_screen()
    count = 0
    for y in range(len(data) // stride):
        row = array("I", data[y * stride:y * stride + 4 * width])
        count += sum(1 for v in row if v & 0xFFFFFF in wanted)
    print(count)


if __name__ == "__main__":
    main()
