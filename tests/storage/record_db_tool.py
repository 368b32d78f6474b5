#!/usr/bin/python3
"""Independent writer and reader of Kestrin's record database files, for tests.

The plain image: the 32-byte signature, then little-endian unsigned 16-bit
numbers: format version, column count, each column name as length + bytes, row
count, each row's values as length + bytes in column order. On disk the whole
image is scrambled: with L the length and k = L mod 32 + 16, for i = 0 .. L-2
upwards byte[i] += byte[i+1] + k (mod 256); unscrambling runs downwards and
subtracts.

  record_db_tool.py write OUT [--input JSON_FILE] [--encoding cp1250] [--plain]
      JSON {"version": 203, "columns": [...], "rows": [[...], ...]} (stdin when
      no --input) -> scrambled file OUT. Texts are encoded with --encoding.
  record_db_tool.py read FILE [--encoding cp1250] [--plain]
      prints {"version", "columns", "rows", "size", "trailing_bytes"}.
"""
import argparse
import json
import struct
import sys

SIGNATURE = b"q4t81ms0d7k2v9w3xb56zp0ac8rf1ye7"


def key_for(length):
    return length % 32 + 16


def code2(data):
    out = bytearray(data)
    k = key_for(len(out))
    for i in range(len(out) - 1):
        out[i] = (out[i] + out[i + 1] + k) % 256
    return bytes(out)


def decode2(data):
    out = bytearray(data)
    k = key_for(len(out))
    for i in range(len(out) - 2, -1, -1):
        out[i] = (out[i] - out[i + 1] - k) % 256
    return bytes(out)


def length_prefixed(text, encoding):
    raw = text.encode(encoding)
    if len(raw) > 0xFFFF:
        raise ValueError("text longer than 65535 bytes")
    return struct.pack("<H", len(raw)) + raw


def build_image(description, encoding):
    columns = description["columns"]
    rows = description["rows"]
    parts = [SIGNATURE, struct.pack("<HH", description.get("version", 203), len(columns))]
    parts += [length_prefixed(name, encoding) for name in columns]
    parts.append(struct.pack("<H", len(rows)))
    for row in rows:
        # Rows may deliberately differ in width from the columns to build damaged files.
        parts += [length_prefixed(value, encoding) for value in row]
    return b"".join(parts)


class Reader:
    def __init__(self, data):
        self.data = data
        self.pos = 0

    def take(self, count):
        if self.pos + count > len(self.data):
            raise ValueError("image ends at byte %d, %d more needed" % (len(self.data), count))
        chunk = self.data[self.pos:self.pos + count]
        self.pos += count
        return chunk

    def u16(self):
        return struct.unpack("<H", self.take(2))[0]

    def text(self, encoding):
        return self.take(self.u16()).decode(encoding)


def parse_image(image, encoding):
    if image[:32] != SIGNATURE:
        raise ValueError("wrong signature")
    reader = Reader(image)
    reader.take(32)
    version = reader.u16()
    columns = [reader.text(encoding) for _ in range(reader.u16())]
    rows = [[reader.text(encoding) for _ in columns] for _ in range(reader.u16())]
    return {"version": version, "columns": columns, "rows": rows, "size": len(image),
            "trailing_bytes": len(image) - reader.pos}


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("action", choices=["write", "read"])
    parser.add_argument("file")
    parser.add_argument("--input", help="JSON description for write (default: standard input)")
    parser.add_argument("--encoding", default="cp1250")
    parser.add_argument("--plain", action="store_true", help="no scrambling")
    args = parser.parse_args()
    if args.action == "write":
        if args.input:
            with open(args.input, encoding="utf-8") as source:
                description = json.load(source)
        else:
            description = json.load(sys.stdin)
        image = build_image(description, args.encoding)
        with open(args.file, "wb") as out:
            out.write(image if args.plain else code2(image))
    else:
        with open(args.file, "rb") as source:
            data = source.read()
        image = data if args.plain else decode2(data)
        json.dump(parse_image(image, args.encoding), sys.stdout, ensure_ascii=False)
        sys.stdout.write("\n")
    return 0


if __name__ == "__main__":
    try:
        sys.exit(main())
    except (ValueError, KeyError, UnicodeError) as error:
        sys.stderr.write("record_db_tool: %s\n" % error)
        sys.exit(2)
