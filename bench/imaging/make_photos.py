"""Writes photo-like 1600 x 1200 JPEG files (quality 90) for the benchmarks: smooth colour fields,
shapes with hard edges and a little grain. Usage: make_photos.py FOLDER [COUNT]"""
import pathlib
import sys

import numpy as np
from PIL import Image, ImageDraw


def photo(seed):
    random = np.random.default_rng(seed)
    y, x = np.mgrid[0:1200, 0:1600].astype(np.float32)
    base = np.stack([90 + 140 * y / 1200, 140 + 60 * x / 1600, 210 - 50 * (x + y) / 2800], axis=-1)
    image = Image.fromarray(base.clip(0, 255).astype(np.uint8))
    draw = ImageDraw.Draw(image)
    for _ in range(60):
        cx, cy = random.integers(0, 1600), random.integers(0, 1200)
        rx, ry = random.integers(20, 220), random.integers(20, 170)
        draw.ellipse((cx - rx, cy - ry, cx + rx, cy + ry), fill=tuple(int(v) for v in random.integers(30, 250, 3)))
    pixels = np.asarray(image).astype(np.int16) + random.integers(-6, 7, (1200, 1600, 1), dtype=np.int16)
    return Image.fromarray(pixels.clip(0, 255).astype(np.uint8))


def main():
    folder = pathlib.Path(sys.argv[1])
    folder.mkdir(parents=True, exist_ok=True)
    for i in range(int(sys.argv[2]) if len(sys.argv) > 2 else 4):
        photo(i).save(folder / f"photo{i}.jpg", "JPEG", quality=90)


if __name__ == "__main__":
    main()
