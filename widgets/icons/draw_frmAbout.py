#!/usr/bin/env python3
"""Draws the About window's icon, a computer monitor, as a 32 x 32 XPM in
the 16-colour palette. Run from this folder after changing the drawing; the
XPM is committed so that the build needs no Python.
"""

PALETTE = {
    ' ': 'None',
    'k': '#000000',  # black: outlines
    'g': '#808080',  # grey: shadows
    's': '#C0C0C0',  # silver: the casing
    'w': '#FFFFFF',  # white: light edges, glare
    'c': '#008080',  # teal: the screen
    't': '#00FFFF',  # cyan: the screen's sheen
    'l': '#00FF00',  # green: the power lamp
    'n': '#000080',  # navy: the title bar on the screen
}
SIZE = 32


def rect(img, x0, y0, x1, y1, colour):
    for y in range(y0, y1 + 1):
        for x in range(x0, x1 + 1):
            img[y][x] = colour


def hline(img, x0, x1, y, colour):
    rect(img, x0, y, x1, y, colour)


def vline(img, x, y0, y1, colour):
    rect(img, x, y0, x, y1, colour)


def raised_box(img, x0, y0, x1, y1):
    rect(img, x0, y0, x1, y1, 's')
    hline(img, x0, x1, y0, 'k')
    hline(img, x0, x1, y1, 'k')
    vline(img, x0, y0, y1, 'k')
    vline(img, x1, y0, y1, 'k')
    hline(img, x0 + 1, x1 - 1, y0 + 1, 'w')
    vline(img, x0 + 1, y0 + 1, y1 - 1, 'w')
    hline(img, x0 + 1, x1 - 1, y1 - 1, 'g')
    vline(img, x1 - 1, y0 + 1, y1 - 1, 'g')


def monitor():
    img = [[' '] * SIZE for _ in range(SIZE)]

    # casing with its sunken screen
    raised_box(img, 1, 1, 30, 22)
    hline(img, 4, 27, 4, 'g')
    vline(img, 4, 4, 18, 'g')
    hline(img, 4, 27, 18, 'w')
    vline(img, 27, 4, 18, 'w')
    rect(img, 5, 5, 26, 17, 'c')

    # a small window on the screen, and the glass's sheen
    rect(img, 8, 7, 21, 14, 'w')
    hline(img, 8, 21, 7, 'n')
    hline(img, 10, 18, 9, 'g')
    hline(img, 10, 16, 11, 'g')
    hline(img, 10, 19, 13, 'g')
    vline(img, 22, 8, 15, 'k')
    hline(img, 9, 22, 15, 'k')
    for i in range(3):
        img[5 + i][7 - i] = 't'
        img[5 + i][8 - i] = 't'

    # front panel: slot and power lamp
    hline(img, 5, 11, 20, 'g')
    rect(img, 25, 20, 26, 20, 'l')

    # neck and foot
    rect(img, 12, 23, 19, 25, 'g')
    vline(img, 12, 23, 25, 'k')
    vline(img, 19, 23, 25, 'k')
    raised_box(img, 6, 26, 25, 29)
    img[26][6] = img[26][25] = img[29][6] = img[29][25] = ' '
    return img


def write_xpm(name, img):
    used = sorted({c for row in img for c in row})
    lines = ['/* XPM */', f'static const char *const {name}[] = {{',
             f'"{SIZE} {SIZE} {len(used)} 1",']
    lines += [f'"{c} c {PALETTE[c]}",' for c in used]
    lines += [f'"{"".join(row)}",' for row in img]
    lines[-1] = lines[-1].rstrip(',')
    lines.append('};')
    with open(f'{name}.xpm', 'w', encoding='ascii') as out:
        out.write('\n'.join(lines) + '\n')


if __name__ == '__main__':
    write_xpm('frmAbout', monitor())
