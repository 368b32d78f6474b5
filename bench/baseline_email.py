#!/usr/bin/env python3
"""Baseline for the parse benchmark: Python's email package over the same corpus
folders, reading subject, from and the first text part of every message, as the
check cycle would. Prints messages per second."""
import email
import email.policy
import pathlib
import sys
import time


def load(folders):
    data = []
    for folder in folders:
        for path in sorted(pathlib.Path(folder).glob("*.txt")):
            data.append(path.read_bytes())
    return data


def first_text(msg):
    for part in msg.walk():
        if part.get_content_maintype() == "text":
            try:
                return part.get_content()
            except Exception:  # undecodable parts count as read
                return ""
    return ""


def parse_all(messages):
    for raw in messages:
        msg = email.message_from_bytes(raw, policy=email.policy.default)
        str(msg.get("subject", ""))
        str(msg.get("from", ""))
        first_text(msg)


def main():
    messages = load(sys.argv[1:])
    best = None
    for _ in range(3):
        start = time.perf_counter()
        parse_all(messages)
        elapsed = time.perf_counter() - start
        best = elapsed if best is None else min(best, elapsed)
    print(f"python email baseline: {len(messages)} messages, {len(messages) / best:.0f} messages/s "
          f"(best of 3, {best:.3f} s)")


if __name__ == "__main__":
    main()
