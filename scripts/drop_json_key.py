#!/usr/bin/env python3
"""Copies JSON lines from standard input to standard output with one top-level
key taken out, leaving every other byte as it was (the line is not re-encoded).
compare-cast.sh uses it to compare a vesprin-cast that writes a new key with one
that does not. Usage: drop_json_key.py KEY < in.jsonl > out.jsonl"""
import json
import sys

key = sys.argv[1]
needle = ',"' + key + '":'
decoder = json.JSONDecoder()
for line in sys.stdin.buffer:
    text = line.decode("utf-8")
    # Inside a JSON string every quote is escaped, so ',"KEY":' with a bare
    # quote after the comma can only be a key; only the top level has this one.
    at = text.find(needle)
    if at >= 0:
        _, end = decoder.raw_decode(text, at + len(needle))
        text = text[:at] + text[end:]
    sys.stdout.buffer.write(text.encode("utf-8"))
