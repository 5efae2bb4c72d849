#!/usr/bin/env python3
"""Checks a title-logo .pak with Python's own zlib, independently of Tessark.

    check_pak.py PAK RAW

Exit 0 when PAK is a little-endian uint32 holding RAW's size followed by one
zlib stream that ends the file and unpacks to exactly RAW's bytes; exit 1 with
the reason on stderr otherwise.
"""
import struct
import sys
import zlib


def problem(pak: bytes, raw: bytes) -> str:
    if len(pak) < 4:
        return "shorter than its size field"
    (announced,) = struct.unpack_from("<I", pak)
    if announced != len(raw):
        return f"size field {announced}, RAW has {len(raw)} bytes"
    unpacker = zlib.decompressobj()
    try:
        unpacked = unpacker.decompress(pak[4:]) + unpacker.flush()
    except zlib.error as error:
        return f"zlib: {error}"
    if not unpacker.eof:
        return "zlib stream cut short"
    if unpacker.unused_data:
        return f"{len(unpacker.unused_data)} bytes after the zlib stream"
    if unpacked != raw:
        return f"unpacks to {len(unpacked)} bytes that differ from the RAW"
    return ""


def main() -> int:
    with open(sys.argv[1], "rb") as f:
        pak = f.read()
    with open(sys.argv[2], "rb") as f:
        raw = f.read()
    reason = problem(pak, raw)
    if reason:
        print(f"{sys.argv[1]}: {reason}", file=sys.stderr)
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
