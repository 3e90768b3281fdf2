#!/usr/bin/env python3
"""Builds a synthetic sample library for the benchmark.

    make-library.py DIR [FILES] [FOLDERS]

FILES WAV files (default 20,000) spread over FOLDERS folders (default 200),
each with real audio bytes; about 2% are damaged in the ways real files are,
and about a tenth carry metadata chunks after the audio.
"""
import os
import random
import struct
import sys


def chunk(cid, body):
    return cid + struct.pack("<I", len(body)) + body + (b"\0" if len(body) % 2 else b"")


def main():
    root = sys.argv[1]
    files = int(sys.argv[2]) if len(sys.argv) > 2 else 20000
    folders = int(sys.argv[3]) if len(sys.argv) > 3 else 200
    rng = random.Random(1)
    audio = bytes(rng.getrandbits(8) for _ in range(64 * 1024))
    fmt = chunk(b"fmt ", struct.pack("<HHIIHH", 1, 2, 48000, 192000, 4, 16))
    for i in range(files):
        folder = os.path.join(root, "set%03d" % (i % folders))
        os.makedirs(folder, exist_ok=True)
        size = 4096 + rng.randrange(12 * 1024)
        start = rng.randrange(len(audio) - size)
        body = fmt + chunk(b"data", audio[start:start + size])
        if i % 10 == 3:
            body += chunk(b"LIST", b"INFO" + chunk(b"ISFT", b"bench\0")) + chunk(b"bext", bytes(602))
        data = b"RIFF" + struct.pack("<I", len(body) + 4) + b"WAVE" + body
        if i % 50 == 7:  # about 2%: cut off, or junk appended
            data = data[: len(data) // 2] if i % 100 == 7 else data + b"JUNKJUNKJUNK"
        with open(os.path.join(folder, "take%05d.wav" % i), "wb") as out:
            out.write(data)


if __name__ == "__main__":
    main()
