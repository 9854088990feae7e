#!/usr/bin/env python3
"""Draws the program's 32 x 32 pictures as 16-colour XPM files.

Run from this folder after changing a drawing; the XPM files are committed
so that the build needs no Python.
"""
import math

PALETTE = {
    ' ': 'None',
    'k': '#000000',  # black
    'n': '#000080',  # navy
    'b': '#0000FF',  # blue
    'o': '#808000',  # olive
    'y': '#FFFF00',  # yellow
    'g': '#808080',  # grey
    's': '#C0C0C0',  # silver
    'w': '#FFFFFF',  # white
}
SIZE = 32


def canvas():
    return [[' '] * SIZE for _ in range(SIZE)]


def rect(img, x0, y0, x1, y1, colour):
    for y in range(y0, y1 + 1):
        for x in range(x0, x1 + 1):
            img[y][x] = colour


def frame(img, x0, y0, x1, y1, colour):
    for x in range(x0, x1 + 1):
        img[y0][x] = img[y1][x] = colour
    for y in range(y0, y1 + 1):
        img[y][x0] = img[y][x1] = colour


def outline(img, shape, fill, edge):
    """Fills the pixels for which shape(x, y) holds; those next to the
    outside get the edge colour."""
    def inside(x, y):
        return 0 <= x < SIZE and 0 <= y < SIZE and shape(x + 0.5, y + 0.5)
    for y in range(SIZE):
        for x in range(SIZE):
            if inside(x, y):
                border = not all(inside(x + dx, y + dy)
                                 for dx, dy in ((1, 0), (-1, 0), (0, 1), (0, -1)))
                img[y][x] = edge if border else fill


def stamp(img, x0, y0, rows):
    """Copies a small hand-drawn picture; blanks stay transparent."""
    for dy, row in enumerate(rows):
        for dx, colour in enumerate(row):
            if colour != ' ':
                img[y0 + dy][x0 + dx] = colour


ARROW = [
    'k',
    'kk',
    'kwk',
    'kwwk',
    'kwwwk',
    'kwwwwk',
    'kwwwwwk',
    'kwwwwwwk',
    'kwwwwwwwk',
    'kwwwwwkkkk',
    'kwwkwwk',
    'kwk kwwk',
    'kk  kwwk',
    'k    kwwk',
    '     kwwk',
    '      kk',
]


def window_icon():
    img = canvas()
    rect(img, 1, 2, 26, 24, 's')
    frame(img, 1, 2, 26, 24, 'k')
    rect(img, 2, 3, 25, 6, 'n')
    rect(img, 22, 4, 24, 5, 's')
    rect(img, 3, 8, 24, 22, 'w')
    frame(img, 3, 8, 24, 22, 'g')
    for row, length in ((10, 14), (12, 11), (16, 15), (18, 9), (20, 12)):
        rect(img, 5, row, 5 + length, row, 'g')
    rect(img, 4, 13, 23, 15, 'b')  # the selected entry
    rect(img, 5, 14, 17, 14, 'w')
    stamp(img, 17, 14, ARROW)
    return img


def help_icon():
    img = canvas()

    def paper(x, y):
        return 5 <= x < 27 and 1 <= y < 31 and x - 21 <= y - 1

    outline(img, paper, 'w', 'k')
    for y in range(1, 7):  # the folded corner
        for x in range(21, 21 + y):
            img[y][x] = 'k' if y == 6 or x == 21 or x == 20 + y else 's'
    for row in (5, 8, 11, 14, 17, 20, 23, 26):
        rect(img, 8, row, 23 if row > 6 else 18, row, 's')

    cx, cy = 15.5, 11.0

    def question_mark(x, y):
        r = math.hypot(x - cx, y - cy)
        angle = math.degrees(math.atan2(cy - y, x - cx))
        hook = 3.2 <= r <= 7.4 and (angle >= -60 or angle <= -175 or y <= cy)
        if hook and x < cx and y > cy:
            hook = False
        stem = 13.5 <= x <= 18.5 and cy + 4.5 <= y <= 21.5
        dot = 13.5 <= x <= 18.5 and 23.5 <= y <= 28.5
        return hook or stem or dot

    outline(img, question_mark, 'y', 'k')
    return img


def gear(cx, cy, radius, teeth, hole):
    def shape(x, y):
        r = math.hypot(x - cx, y - cy)
        phase = (math.atan2(y - cy, x - cx) / (2 * math.pi) * teeth) % 1.0
        edge = radius if phase < 0.5 else radius - 2.5
        return hole < r <= edge
    return shape


def settings_icon():
    img = canvas()
    rect(img, 0, 0, 31, 31, 's')
    rect(img, 0, 0, 31, 0, 'w')
    rect(img, 0, 0, 0, 31, 'w')
    rect(img, 0, 31, 31, 31, 'g')
    rect(img, 31, 0, 31, 31, 'g')
    outline(img, gear(11.5, 12.5, 9.5, 8, 3.0), 'y', 'o')
    small = gear(23.0, 23.0, 6.8, 6, 2.0)
    outline(img, lambda x, y: small(x, y) and not gear(11.5, 12.5, 9.5, 8, 0)(x, y),
            'y', 'o')
    return img


def write_xpm(name, img):
    used = sorted({c for row in img for c in row})
    with open(f'{name}.xpm', 'w', encoding='ascii') as out:
        out.write('/* XPM */\n')
        out.write(f'static const char *const {name}[] = {{\n')
        out.write(f'"{SIZE} {SIZE} {len(used)} 1",\n')
        for c in used:
            out.write(f'"{c} c {PALETTE[c]}",\n')
        out.write(',\n'.join(f'"{"".join(row)}"' for row in img))
        out.write('\n};\n')


if __name__ == '__main__':
    write_xpm('frmMsgBoxQuillon', window_icon())
    write_xpm('imgHelp', help_icon())
    write_xpm('Image1', settings_icon())
