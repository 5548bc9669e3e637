#!/usr/bin/env python3
"""Measures one colour in a capture of the plane, for the end-to-end tests.

Usage: pixels.py IMAGE RED,GREEN,BLUE QUERY...

IMAGE is a binary PPM with 8-bit samples ("import ... -depth 8 ppm:FILE"). Coordinates are image
columns and rows from the top-left corner; rectangles are inclusive. Prints one line per query:

  bbox                  "LEFT TOP RIGHT BOTTOM" of the pixels in the colour, or "none"
  count:L,T,R,B         how many pixels of the rectangle are in the colour
  span:X,Y              "LEFT RIGHT" of the horizontal run of the colour through (X, Y), or
                        "none" when that pixel is in another colour
  stray                 how many pixels are neither in the colour nor white, the plane's
                        background
"""
import sys

WHITE = b"\xff\xff\xff"


class Capture:
    def __init__(self, path):
        with open(path, "rb") as file:
            data = file.read()
        fields = []
        position = 0
        # The header: magic, width, height and maximum sample, separated by white space, then
        # one white-space byte before the samples. Capture tools write no comments.
        while len(fields) < 4:
            while data[position : position + 1].isspace():
                position += 1
            start = position
            while position < len(data) and not data[position : position + 1].isspace():
                position += 1
            fields.append(data[start:position])
        if fields[0] != b"P6" or fields[3] != b"255":
            raise ValueError(f"{path}: not a binary PPM with 8-bit samples")
        self.width = int(fields[1])
        self.height = int(fields[2])
        self.pixels = data[position + 1 :]
        if len(self.pixels) != self.width * self.height * 3:
            raise ValueError(f"{path}: {len(self.pixels)} bytes of samples for "
                             f"{self.width} x {self.height} pixels")

    def row(self, y):
        stride = self.width * 3
        return self.pixels[y * stride : (y + 1) * stride]

    def columns_in(self, y, colour):
        """The columns of row y in the colour."""
        row = self.row(y)
        return [x for x in range(self.width) if row[3 * x : 3 * x + 3] == colour]


def bbox(capture, colour):
    left, top, right, bottom = capture.width, capture.height, -1, -1
    for y in range(capture.height):
        if colour not in capture.row(y):
            continue
        columns = capture.columns_in(y, colour)
        if columns:
            left, right = min(left, columns[0]), max(right, columns[-1])
            top, bottom = min(top, y), y
    return "none" if right < 0 else f"{left} {top} {right} {bottom}"


def count(capture, colour, left, top, right, bottom):
    left, top = max(left, 0), max(top, 0)
    right, bottom = min(right, capture.width - 1), min(bottom, capture.height - 1)
    return sum(
        1
        for y in range(top, bottom + 1)
        for x in capture.columns_in(y, colour)
        if left <= x <= right
    )


def span(capture, colour, x, y):
    row = capture.row(y)

    def inside(column):
        return 0 <= column < capture.width and row[3 * column : 3 * column + 3] == colour

    if not inside(x):
        return "none"
    left, right = x, x
    while inside(left - 1):
        left -= 1
    while inside(right + 1):
        right += 1
    return f"{left} {right}"


def stray(capture, colour):
    white_row = WHITE * capture.width
    total = 0
    for y in range(capture.height):
        row = capture.row(y)
        if row == white_row:
            continue
        total += sum(
            1 for x in range(capture.width) if row[3 * x : 3 * x + 3] not in (colour, WHITE)
        )
    return total


def answer(capture, colour, query):
    name, _, arguments = query.partition(":")
    numbers = [int(value) for value in arguments.split(",")] if arguments else []
    if name == "bbox" and not numbers:
        return bbox(capture, colour)
    if name == "count" and len(numbers) == 4:
        return str(count(capture, colour, *numbers))
    if name == "span" and len(numbers) == 2:
        return span(capture, colour, *numbers)
    if name == "stray" and not numbers:
        return str(stray(capture, colour))
    raise ValueError(f"unknown query {query!r}")


def main():
    if len(sys.argv) < 4:
        print(__doc__, file=sys.stderr)
        return 2
    try:
        capture = Capture(sys.argv[1])
        colour = bytes(int(value) for value in sys.argv[2].split(","))
        if len(colour) != 3:
            raise ValueError(f"{sys.argv[2]!r} is not RED,GREEN,BLUE")
        for query in sys.argv[3:]:
            print(answer(capture, colour, query))
    except (OSError, ValueError) as error:
        print(f"pixels.py: {error}", file=sys.stderr)
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
