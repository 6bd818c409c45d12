"""The picture an installer page shows, as velnor_pages_driver.exe sums it up ("picture
size=<w>x<h> cells=RRGGBB,..."), compared with a drawn 24-bit BMP summed up the same way:
the mean colour of each cell of a 4 x 8 grid, so the page may stretch the picture."""

import struct

COLUMNS, ROWS = 4, 8


def bmp_cells(path):
    """The cells' mean (r, g, b) of an uncompressed 24-bit BMP, row by row from the top."""
    with open(path, "rb") as f:
        data = f.read()
    offset = struct.unpack_from("<I", data, 10)[0]
    width, height, _, bits, compression = struct.unpack_from("<iiHHI", data, 18)
    if bits != 24 or compression != 0 or width <= 0 or height == 0:
        raise ValueError(f"{path}: not an uncompressed 24-bit BMP")
    pitch = (width * 3 + 3) // 4 * 4

    def pixel(x, y):
        row = abs(height) - 1 - y if height > 0 else y
        b, g, r = data[offset + row * pitch + 3 * x:offset + row * pitch + 3 * x + 3]
        return r, g, b

    return _cells(pixel, width, abs(height))


def _cells(pixel, width, height):
    cells = []
    for j in range(ROWS):
        for i in range(COLUMNS):
            points = [pixel(x, y) for y in range(j * height // ROWS, (j + 1) * height // ROWS)
                      for x in range(i * width // COLUMNS, (i + 1) * width // COLUMNS)]
            cells.append(tuple(round(sum(p[c] for p in points) / max(1, len(points)))
                               for c in range(3)))
    return cells


def shown_cells(lines):
    """[(size, cells)] of every "picture" line of the driver's output."""
    shown = []
    for line in lines:
        if line.startswith("picture "):
            size, cells = (part.split("=", 1)[1] for part in line.split()[1:3])
            shown.append((size, [tuple(int(c[k:k + 2], 16) for k in (0, 2, 4))
                                 for c in cells.split(",")] if "," in cells else cells))
    return shown


def largest_difference(a, b):
    """The largest difference of one channel between two lists of cells."""
    return max(abs(x - y) for cell_a, cell_b in zip(a, b) for x, y in zip(cell_a, cell_b))
