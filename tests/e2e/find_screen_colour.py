#!/usr/bin/env python3
"""Prints the root-window position "x y" of the first screen pixel of colour RRGGBB ($DISPLAY),
or nothing when no pixel has it."""
import sys
from array import array

from count_screen_colours import grab_screen


def main():
    wanted = int(sys.argv[1], 16)
    data, stride, width = grab_screen()
    for y in range(len(data) // stride):
        row = array("I", data[y * stride:y * stride + 4 * width])
        for x, v in enumerate(row):
            if v & 0xFFFFFF == wanted:
                print(x, y)
                return


if __name__ == "__main__":
    main()
