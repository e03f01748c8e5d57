#!/usr/bin/env python3
# SPDX-FileCopyrightText: 2026 The Dorvana developers
# SPDX-License-Identifier: GPL-3.0-or-later
"""Stamps a laid-out web folder with its version: a digest of every file the page uses.

index.html, loader.js and sw.js carry @VERSION@; sw.js carries @FILES@, the list its cache keeps; loader.js
carries @WASM_BYTES@, the program's size, so the progress bar knows the whole even when the server compresses.
"""
import hashlib
import json
import pathlib
import sys

folder = pathlib.Path(sys.argv[1])
stamped = {"index.html", "loader.js", "sw.js"}
files = sorted(p.relative_to(folder).as_posix() for p in folder.rglob("*") if p.is_file())
digest = hashlib.sha256()
for name in files:
    if name not in stamped:
        digest.update(name.encode() + b"\0" + (folder / name).read_bytes())
version = digest.hexdigest()[:16]
# What the page asks for by version, and what the game itself asks for by plain name.
versioned = {"page.css", "loader.js", "input.js", "sound.js", "records.js", "dorvana.js", "dorvana.wasm"}
# The licence is for the people who serve the folder; the page never asks for it.
unused = {"sw.js", "index.html", "COPYING.txt"}
cached = ["./"] + [f"{n}?v={version}" if n in versioned else n for n in files if n not in unused]
values = {
    "@VERSION@": version,
    "@FILES@": json.dumps(cached),
    "@WASM_BYTES@": str((folder / "dorvana.wasm").stat().st_size),
}
for name in stamped:
    path = folder / name
    text = path.read_text(encoding="utf-8")
    for key, value in values.items():
        text = text.replace(key, value)
    path.write_text(text, encoding="utf-8")
print(f"web version {version}, {len(cached)} files kept offline")
