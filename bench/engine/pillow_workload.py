#!/usr/bin/python3
"""The two batch workloads done with Pillow, for side-by-side timing with scalora-batch.

usage: pillow_workload.py jpeg-fit|png-half OUTDIR FILE...
"""
import os
import sys

from PIL import Image


def jpeg_fit(path, out_dir):
    with Image.open(path) as image:
        exif = image.info.get("exif")
        icc = image.info.get("icc_profile")
        image.thumbnail((1280, 1280), Image.LANCZOS)
        options = {"quality": 90}
        if exif:
            options["exif"] = exif
        if icc:
            options["icc_profile"] = icc
        name = os.path.splitext(os.path.basename(path))[0] + ".jpg"
        image.convert("RGB").save(os.path.join(out_dir, name), "JPEG", **options)


def png_half(path, out_dir):
    with Image.open(path) as image:
        image.load()
        size = (max(1, image.width // 2), max(1, image.height // 2))
        name = os.path.splitext(os.path.basename(path))[0] + ".png"
        image.resize(size, Image.LANCZOS).save(os.path.join(out_dir, name), "PNG")


def main():
    workload, out_dir, files = sys.argv[1], sys.argv[2], sys.argv[3:]
    task = {"jpeg-fit": jpeg_fit, "png-half": png_half}[workload]
    for path in files:
        task(path, out_dir)


if __name__ == "__main__":
    main()
