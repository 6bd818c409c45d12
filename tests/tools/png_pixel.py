"""What the renderer's end-to-end scripts read back from the PNG frames it writes."""

import subprocess


def pixel(png, x, y):
    """The (r, g, b) of one pixel of `png`, through ImageMagick."""
    text = subprocess.run(["convert", png, "-format", f"%[fx:int(255*p{{{x},{y}}}.r)],"
                           f"%[fx:int(255*p{{{x},{y}}}.g)],%[fx:int(255*p{{{x},{y}}}.b)]", "info:"],
                          check=True, capture_output=True, text=True).stdout
    return tuple(int(v) for v in text.split(","))
