#!/usr/bin/env python3
"""Draws the bench's ratios as a bar chart, a PNG made with the standard
library only: Tavolin against the minimal window program and against notepad
(start-up, working set, windows, executable size as released), and MatchingFiles against
the bare directory walk, on a logarithmic scale around 1.0.

    plot.py results.tsv chart.png
"""
import math
import struct
import sys
import zlib

# 5 x 7 glyphs, one string of five columns per row.
FONT = {
    'A': ' ### ,#   #,#   #,#####,#   #,#   #,#   #', 'B': '#### ,#   #,#   #,#### ,#   #,#   #,#### ',
    'C': ' ####,#    ,#    ,#    ,#    ,#    , ####', 'D': '#### ,#   #,#   #,#   #,#   #,#   #,#### ',
    'E': '#####,#    ,#    ,#### ,#    ,#    ,#####', 'F': '#####,#    ,#    ,#### ,#    ,#    ,#    ',
    'G': ' ####,#    ,#    ,# ###,#   #,#   #, ####', 'H': '#   #,#   #,#   #,#####,#   #,#   #,#   #',
    'I': '#####,  #  ,  #  ,  #  ,  #  ,  #  ,#####', 'J': '    #,    #,    #,    #,#   #,#   #, ### ',
    'K': '#   #,#  # ,# #  ,##   ,# #  ,#  # ,#   #', 'L': '#    ,#    ,#    ,#    ,#    ,#    ,#####',
    'M': '#   #,## ##,# # #,#   #,#   #,#   #,#   #', 'N': '#   #,##  #,# # #,#  ##,#   #,#   #,#   #',
    'O': ' ### ,#   #,#   #,#   #,#   #,#   #, ### ', 'P': '#### ,#   #,#   #,#### ,#    ,#    ,#    ',
    'Q': ' ### ,#   #,#   #,#   #,# # #,#  # , ## #', 'R': '#### ,#   #,#   #,#### ,# #  ,#  # ,#   #',
    'S': ' ####,#    ,#    , ### ,    #,    #,#### ', 'T': '#####,  #  ,  #  ,  #  ,  #  ,  #  ,  #  ',
    'U': '#   #,#   #,#   #,#   #,#   #,#   #, ### ', 'V': '#   #,#   #,#   #,#   #,#   #, # # ,  #  ',
    'W': '#   #,#   #,#   #,#   #,# # #,## ##,#   #', 'X': '#   #,#   #, # # ,  #  , # # ,#   #,#   #',
    'Y': '#   #,#   #, # # ,  #  ,  #  ,  #  ,  #  ', 'Z': '#####,    #,   # ,  #  , #   ,#    ,#####',
    '0': ' ### ,#   #,#  ##,# # #,##  #,#   #, ### ', '1': '  #  , ##  ,  #  ,  #  ,  #  ,  #  , ### ',
    '2': ' ### ,#   #,    #,   # ,  #  , #   ,#####', '3': '#### ,    #,    #, ### ,    #,    #,#### ',
    '4': '   # ,  ## , # # ,#  # ,#####,   # ,   # ', '5': '#####,#    ,#### ,    #,    #,#   #, ### ',
    '6': ' ### ,#    ,#    ,#### ,#   #,#   #, ### ', '7': '#####,    #,   # ,  #  ,  #  ,  #  ,  #  ',
    '8': ' ### ,#   #,#   #, ### ,#   #,#   #, ### ', '9': ' ### ,#   #,#   #, ####,    #,    #, ### ',
    '.': '     ,     ,     ,     ,     ,     ,  #  ', '/': '    #,    #,   # ,  #  , #   ,#    ,#    ',
    '-': '     ,     ,     , ### ,     ,     ,     ', ':': '     ,  #  ,     ,     ,     ,  #  ,     ',
    ' ': '     ,     ,     ,     ,     ,     ,     ',
}

WIDTH, HEIGHT = 760, 400
WHITE, BLACK, GREY = (255, 255, 255), (0, 0, 0), (150, 150, 150)
COLOURS = [(60, 110, 180), (220, 130, 40), (90, 160, 90)]


class Canvas:
    def __init__(self, width, height):
        self.width, self.height = width, height
        self.pixels = [[WHITE] * width for _ in range(height)]

    def rect(self, x0, y0, x1, y1, colour):
        for y in range(max(0, int(y0)), min(self.height, int(y1))):
            row = self.pixels[y]
            for x in range(max(0, int(x0)), min(self.width, int(x1))):
                row[x] = colour

    def text(self, x, y, text, colour=BLACK, scale=1):
        for char in text.upper():
            rows = FONT.get(char, FONT[' ']).split(',')
            for dy, row in enumerate(rows):
                for dx, cell in enumerate(row):
                    if cell == '#':
                        self.rect(x + dx * scale, y + dy * scale, x + (dx + 1) * scale,
                                  y + (dy + 1) * scale, colour)
            x += 6 * scale

    def png(self):
        raw = b''.join(b'\0' + bytes(c for pixel in row for c in pixel) for row in self.pixels)

        def chunk(kind, data):
            body = kind + data
            return struct.pack('>I', len(data)) + body + struct.pack('>I', zlib.crc32(body))

        header = struct.pack('>IIBBBBB', self.width, self.height, 8, 2, 0, 0, 0)
        return (b'\x89PNG\r\n\x1a\n' + chunk(b'IHDR', header) +
                chunk(b'IDAT', zlib.compress(raw, 9)) + chunk(b'IEND', b''))


def main():
    results, chart = sys.argv[1], sys.argv[2]
    values = {}
    with open(results) as lines:
        for line in lines:
            key, value = line.rstrip('\n').split('\t')
            values[key] = float(value)

    groups = []
    for label, key in [('START-UP', 'start_ms'), ('WORKING SET', 'working_set_kb'),
                       ('WINDOWS', 'windows')]:
        tavolin = values['tavolin_' + key]
        groups.append((label, [tavolin / values['minimal_' + key],
                               tavolin / values['notepad_' + key], None]))
    # Sizes as released: our programs without symbols, notepad as installed.
    tavolin = values['tavolin_stripped_kb']
    groups.append(('EXE SIZE', [tavolin / values['minimal_stripped_kb'],
                                tavolin / values['notepad_size_kb'], None]))
    groups.append(('LIST 10000 FILES', [None, None,
                                       values['listing_matching_files_ms'] / values['listing_bare_ms']]))

    canvas = Canvas(WIDTH, HEIGHT)
    left, top, bottom = 50, 40, HEIGHT - 60
    # A logarithmic scale in powers of two: a ratio and its inverse stand
    # equally far above and below the line at 1.
    ratios = [r for _, group in groups for r in group if r is not None]
    low = 2.0 ** min(-1, math.floor(math.log2(min(ratios))))
    high = 2.0 ** max(1, math.ceil(math.log2(max(ratios)) + 0.2))
    y_of = lambda ratio: bottom - (bottom - top) * math.log2(ratio / low) / math.log2(high / low)
    canvas.text(left, 12, 'TAVOLIN: RATIOS MEASURED IN ONE RUN', scale=2)
    tick = low
    while tick <= high:
        canvas.rect(left - 4, y_of(tick), WIDTH - 20, y_of(tick) + 1, (225, 225, 225))
        canvas.text(8, y_of(tick) - 3, '%gX' % tick)
        tick *= 2
    group_width = (WIDTH - 20 - left) / len(groups)
    for g, (label, ratios) in enumerate(groups):
        x = left + g * group_width + 10
        bars = [(i, r) for i, r in enumerate(ratios) if r is not None]
        bar_width = (group_width - 30) / 2
        for slot, (colour_index, ratio) in enumerate(bars):
            x0 = x + slot * bar_width + (bar_width / 2 if len(bars) == 1 else 0)
            y0, y1 = sorted((y_of(ratio), y_of(1.0)))
            canvas.rect(x0, y0, x0 + bar_width - 4, y1, COLOURS[colour_index])
            canvas.text(x0, y0 - 10 if ratio >= 1 else y1 + 3, '%.2f' % ratio)
        canvas.text(x, bottom + 8, label)
    canvas.rect(left, y_of(1.0), WIDTH - 20, y_of(1.0) + 2, GREY)
    canvas.rect(left, bottom, WIDTH - 20, bottom + 1, BLACK)
    legend = ['TAVOLIN / MINIMAL WINDOW', 'TAVOLIN / NOTEPAD', 'MATCHINGFILES / BARE WALK']
    for i, text in enumerate(legend):
        x = left + i * 230
        canvas.rect(x, HEIGHT - 26, x + 12, HEIGHT - 14, COLOURS[i])
        canvas.text(x + 18, HEIGHT - 24, text)
    with open(chart, 'wb') as png:
        png.write(canvas.png())


if __name__ == '__main__':
    main()
