#!/usr/bin/python3
"""How close resized pictures come to an ideal resize, in PSNR (dB).

The ideal: the full-size decode of the source (turned upright by its EXIF orientation), taken to
linear light with the exact sRGB curves, resized in 32-bit float by a separable Lanczos-3 whose
support is widened by the scale when shrinking, and taken back to sRGB without rounding. Each
result is compared with the ideal of its own size over the R, G and B channels on the 0..255
scale; one figure per folder is the PSNR of the mean squared error over all its files.

usage:
  quality.py psnr SOURCE_DIR RESULT_DIR...   one line per result folder:
                                             "<dir> <dB> <bytes> <metadata bytes>"
  quality.py gamma-images OUT_DIR            writes lines.png and checker.png (64 x 64)
  quality.py gamma RESULT_DIR                the mean level of lines and checker results
Results are matched to sources by base name (a.jpg gives a.png or a.jpg). Needs numpy and Pillow.
"""
import os
import sys

import numpy as np
from PIL import Image, ImageOps

Image.MAX_IMAGE_PIXELS = None


def srgb_to_linear(v):
    """sRGB values 0..1 to linear light (IEC 61966-2-1)."""
    return np.where(v <= 0.04045, v / 12.92, ((v + 0.055) / 1.055) ** 2.4)


def linear_to_srgb(v):
    v = np.clip(v, 0.0, 1.0)
    return np.where(v <= 0.0031308, v * 12.92, 1.055 * v ** (1 / 2.4) - 0.055)


def lanczos3(x):
    x = np.abs(x)
    return np.where(x < 3.0, np.sinc(x) * np.sinc(x / 3.0), 0.0)


def axis_weights(src, dst):
    """(indices, weights), each dst x taps: output sample i is centred at (i + 0.5) * src / dst.
    Taps that fall outside the picture are dropped and the others renormalised."""
    scale = src / dst
    widen = max(scale, 1.0)
    support = 3.0 * widen
    taps = int(np.ceil(support)) * 2 + 2
    centre = (np.arange(dst) + 0.5) * scale
    first = np.floor(centre - support).astype(np.int64)
    index = first[:, None] + np.arange(taps)[None, :]
    weight = lanczos3((index + 0.5 - centre[:, None]) / widen)
    weight[(index < 0) | (index >= src)] = 0.0
    weight /= weight.sum(axis=1, keepdims=True)
    return np.clip(index, 0, src - 1), weight.astype(np.float32)


def resize_axis(image, size, axis):
    index, weight = axis_weights(image.shape[axis], size)
    moved = np.moveaxis(image, axis, 0)
    out = np.zeros((size,) + moved.shape[1:], dtype=np.float32)
    for t in range(index.shape[1]):
        out += weight[:, t, None, None] * moved[index[:, t]]
    return np.moveaxis(out, 0, axis)


def load_rgb(path):
    with Image.open(path) as image:
        upright = ImageOps.exif_transpose(image)
        return np.asarray(upright.convert("RGB"), dtype=np.float32) / np.float32(255.0)


def ideal(linear, width, height):
    """The ideal resize of a linear-light picture, in sRGB 0..255 (float)."""
    out = resize_axis(linear, height, 0)
    out = resize_axis(out, width, 1)
    return linear_to_srgb(out) * 255.0


def results_by_name(folder):
    return {os.path.splitext(name)[0]: os.path.join(folder, name)
            for name in sorted(os.listdir(folder))}


def metadata_bytes(path):
    """Bytes of the APPn and COM segments of a JPEG (0 for other files): metadata, not picture."""
    with open(path, "rb") as f:
        data = f.read()
    if data[:2] != b"\xff\xd8":
        return 0
    total, i = 0, 2
    while i + 4 <= len(data) and data[i] == 0xFF and data[i + 1] != 0xDA:
        length = data[i + 2] << 8 | data[i + 3]
        if 0xE0 <= data[i + 1] <= 0xEF or data[i + 1] == 0xFE:
            total += length + 2
        i += length + 2
    return total


def psnr_of(squared_error, samples):
    mse = squared_error / max(samples, 1)
    return float("inf") if mse == 0 else 10.0 * np.log10(255.0 ** 2 / mse)


def command_psnr(source_dir, result_dirs):
    results = [results_by_name(d) for d in result_dirs]
    error = [0.0] * len(result_dirs)
    samples = [0] * len(result_dirs)
    sizes = [0] * len(result_dirs)
    metadata = [0] * len(result_dirs)
    for name in sorted(os.listdir(source_dir)):
        base = os.path.splitext(name)[0]
        if not any(base in r for r in results):
            continue
        linear = srgb_to_linear(load_rgb(os.path.join(source_dir, name)))
        cache = {}
        for i, r in enumerate(results):
            if base not in r:
                continue
            got = load_rgb(r[base]) * 255.0
            key = (got.shape[1], got.shape[0])
            if key not in cache:
                cache[key] = ideal(linear, *key)
            error[i] += float(((got - cache[key]) ** 2).sum())
            samples[i] += got.size
            sizes[i] += os.path.getsize(r[base])
            metadata[i] += metadata_bytes(r[base])
    for d, e, n, b, m in zip(result_dirs, error, samples, sizes, metadata):
        print(f"{d} {psnr_of(e, n):.2f} {b} {m}")


def command_gamma_images(out_dir):
    rows = np.arange(64)[:, None]
    cols = np.arange(64)[None, :]
    lines = np.repeat(((rows % 2) * 255 + 0 * cols).astype(np.uint8)[:, :, None], 3, axis=2)
    checker = np.repeat((((rows + cols) % 2) * 255).astype(np.uint8)[:, :, None], 3, axis=2)
    Image.fromarray(lines).save(os.path.join(out_dir, "lines.png"))
    Image.fromarray(checker).save(os.path.join(out_dir, "checker.png"))


def command_gamma(result_dir):
    """The mean level away from the borders (which every tool treats its own way)."""
    levels = []
    for name in ("lines", "checker"):
        r = results_by_name(result_dir).get(name)
        if r is None:
            levels.append("-")
            continue
        got = load_rgb(r) * 255.0
        h, w = got.shape[:2]
        levels.append(f"{got[h // 4:h - h // 4, w // 4:w - w // 4].mean():.0f}")
    print(" ".join(levels))


def main():
    if len(sys.argv) >= 4 and sys.argv[1] == "psnr":
        command_psnr(sys.argv[2], sys.argv[3:])
    elif len(sys.argv) == 3 and sys.argv[1] == "gamma-images":
        command_gamma_images(sys.argv[2])
    elif len(sys.argv) == 3 and sys.argv[1] == "gamma":
        command_gamma(sys.argv[2])
    else:
        print(__doc__, file=sys.stderr)
        sys.exit(2)


if __name__ == "__main__":
    main()
