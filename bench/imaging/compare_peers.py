"""Times the peers (Pillow, OpenCV) in-process on the same photos as our benchmark and prints the ratios.

Usage: compare_peers.py PHOTO_FOLDER OUR_RESULTS.json
"""
import io
import json
import pathlib
import sys
import time

import cv2
import numpy as np
from PIL import Image


def best_ms(function, repeat=5, number=20):
    """The best mean time of one call in milliseconds over `repeat` runs of `number` calls."""
    best = float("inf")
    for _ in range(repeat):
        start = time.perf_counter()
        for _ in range(number):
            function()
        best = min(best, (time.perf_counter() - start) / number)
    return best * 1000.0


def main():
    folder = pathlib.Path(sys.argv[1])
    ours = {b["name"]: b["real_time"] for b in json.load(open(sys.argv[2]))["benchmarks"]}
    photos = sorted(str(p) for p in folder.glob("*.jpg"))
    cycle = {"i": 0}

    def next_photo():
        cycle["i"] += 1
        return photos[cycle["i"] % len(photos)]

    def pillow_thumbnail():
        image = Image.open(next_photo())
        image.draft("RGB", (80, 80))
        image = image.convert("RGB").resize((80, 80), Image.BILINEAR)
        image.save(io.BytesIO(), "JPEG", quality=75)

    def opencv_thumbnail():
        image = cv2.imread(next_photo(), cv2.IMREAD_REDUCED_COLOR_8)
        image = cv2.resize(image, (80, 80), interpolation=cv2.INTER_LINEAR)
        cv2.imencode(".jpg", image, [cv2.IMWRITE_JPEG_QUALITY, 75])

    photo = cv2.imread(photos[0], cv2.IMREAD_COLOR)
    soften = np.array([[1, 1, 1], [1, 8, 1], [1, 1, 1]], np.float32) / 16
    gaussian5 = np.array([[0, 1, 2, 1, 0], [1, 3, 4, 3, 1], [2, 4, 8, 4, 2], [1, 3, 4, 3, 1], [0, 1, 2, 1, 0]],
                         np.float32) / 52
    kernels3 = {
        "Sharpen": (np.array([[-1, -1, -1], [-1, 15, -1], [-1, -1, -1]], np.float32) / 7, 0),
        "LinearEdge": (np.array([[-1, -1, -1], [-1, 8, -1], [-1, -1, -1]], np.float32) / -1, 255),
        "Emboss": (np.array([[0, 0, -1], [0, 0, 0], [1, 0, 0]], np.float32), 127),
        "Blur": (np.ones((3, 3), np.float32) / 9, 0),
        "Gaussian3": (np.array([[1, 2, 1], [2, 4, 2], [1, 2, 1]], np.float32) / 16, 0),
    }
    square2 = np.ones((2, 2), np.uint8)
    square3 = np.ones((3, 3), np.uint8)
    # The colour tool with all six values away from their defaults: a 3 x 4 matrix with cross terms (blue,
    # green, red in and out, as OpenCV stores them) and a gamma table.
    colour = np.array([[1.06, 0.31, -0.12, 0.08], [0.11, 1.42, 0.05, 0.08], [-0.09, 0.22, 1.31, 0.08]],
                      np.float32) * np.array([1, 1, 1, 255], np.float32)
    gamma = np.array([min(255, int(255 * (v / 255) ** 1.3)) for v in range(256)], np.uint8)

    pillow = best_ms(pillow_thumbnail)
    opencv = best_ms(opencv_thumbnail)
    peers = {
        "thumbnail": min(pillow, opencv),
        "Pillow draft thumbnail": pillow,
        "OpenCV reduced thumbnail": opencv,
        "filter3": best_ms(lambda: cv2.filter2D(photo, -1, soften), number=50),
        "median3": best_ms(lambda: cv2.medianBlur(photo, 3), number=50),
        "filter5": best_ms(lambda: cv2.filter2D(photo, -1, gaussian5), number=50),
        "colour": best_ms(lambda: cv2.LUT(cv2.transform(photo, colour), gamma), number=50),
        "erode2": best_ms(lambda: cv2.erode(photo, square2), number=50),
        "dilate2": best_ms(lambda: cv2.dilate(photo, square2), number=50),
        "gradient2": best_ms(lambda: cv2.morphologyEx(photo, cv2.MORPH_GRADIENT, square2), number=50),
        "contour": best_ms(lambda: cv2.bitwise_not(cv2.subtract(cv2.dilate(photo, square3), photo)), number=50),
    }
    for name, (kernel, offset) in kernels3.items():
        peers[name] = best_ms(lambda: cv2.filter2D(photo, -1, kernel, delta=offset), number=50)
    # Targets: the filters at most as slow as OpenCV, and the 3 x 3 weighted sums (not Emboss, which only
    # subtracts one pixel from another) at most half as slow.
    rows = [
        ("MakeThumbnailJpeg vs faster of Pillow/OpenCV", "BM_MakeThumbnailJpeg", "thumbnail", 1.0),
        ("Filter 3x3 (Soften) vs cv2.filter2D", "BM_Filter/Soften", "filter3", 0.5),
        ("Median(3) vs cv2.medianBlur", "BM_Filter/Median", "median3", 1.0),
        ("Filter 5x5 (Gaussian5) vs cv2.filter2D 5x5", "BM_Filter/Gaussian5", "filter5", 1.0),
        ("Colour tool, all six vs cv2.transform + cv2.LUT", "BM_ColourAdjust/AllSix", "colour", 1.5),
        ("Sharpen vs cv2.filter2D", "BM_Filter/Sharpen", "Sharpen", 0.5),
        ("Edge (linear) vs cv2.filter2D", "BM_Filter/LinearEdge", "LinearEdge", 0.5),
        ("Emboss vs cv2.filter2D", "BM_Filter/Emboss", "Emboss", 1.0),
        ("Blur vs cv2.filter2D", "BM_Filter/Blur", "Blur", 0.5),
        ("Gaussian3*3 vs cv2.filter2D", "BM_Filter/Gaussian3", "Gaussian3", 0.5),
        ("Erode(2) vs cv2.erode 2x2", "BM_Filter/Erode", "erode2", 1.0),
        ("Dilate(2) vs cv2.dilate 2x2", "BM_Filter/Dilate", "dilate2", 1.0),
        ("Edge(2) vs cv2.morphologyEx gradient 2x2", "BM_Filter/Edge", "gradient2", 1.0),
        ("Contour vs cv2 dilate 3x3, subtract, not", "BM_Filter/Contour", "contour", 1.0),
    ]
    print(f"OpenCV {cv2.__version__} ({cv2.getNumThreads()} threads), Pillow {Image.__version__}; "
          f"{len(photos)} photos of {photo.shape[1]} x {photo.shape[0]}")
    print(f"  Pillow draft thumbnail   {peers['Pillow draft thumbnail']:7.2f} ms")
    print(f"  OpenCV reduced thumbnail {peers['OpenCV reduced thumbnail']:7.2f} ms")
    print(f"{'comparison':48} {'ours ms':>8} {'peer ms':>8} {'ratio':>6}  target")
    for label, ours_name, peer_name, target in rows:
        ratio = ours[ours_name] / peers[peer_name]
        verdict = "" if target is None else f"<= {target:.1f}  {'met' if ratio <= target else 'MISSED'}"
        print(f"{label:48} {ours[ours_name]:8.2f} {peers[peer_name]:8.2f} {ratio:6.2f}  {verdict}")
    for name in ("BM_Filter/Noise", "BM_Filter/Jitter"):
        print(f"{name[len('BM_Filter/'):] + ' (OpenCV has no such operation)':48} {ours[name]:8.2f}")


if __name__ == "__main__":
    main()
