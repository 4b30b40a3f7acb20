#!/usr/bin/env python3
"""Writes the analyzer fuzzer's seed inputs: one well-formed call for each dispatched data
argument type, and capability calls with each container shape and item type.

The input layout is described at the top of analyzer_fuzzer.cpp. Run from anywhere; the seeds
go to fuzz/corpus/seed-*. Inputs the fuzzer found are kept beside them under other names.
With --check, writes nothing and fails unless the committed seeds are exactly those it makes."""
import os
import re
import struct
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
CORPUS = os.path.join(HERE, "corpus")

NULL_DATA, NULL_CONTAINER, NULL_ORIGIN, RAW_DAT, FOREIGN_HANDLE, STALE_HANDLE = 1, 2, 4, 8, 16, 32
ENTRY_BUFFER = 0x8000

REGISTRY = os.path.join(HERE, os.pardir, "src", "dumps", "dumped_types.h")


def dispatched_types(path=REGISTRY):
    """The registry's rows in the order of the harness's table: (name without DAT_, group)."""
    with open(path) as registry:
        rows = re.findall(r"X\((DG_\w+), DAT_(\w+), MSG_\w+, \w+, \w+\)", registry.read())
    return [(name, group) for group, name in rows]


DISPATCHED = [name for name, _ in dispatched_types()]
GROUPS = dict((name, group) for name, group in dispatched_types())

DG_CONTROL, DG_IMAGE = 1, 2
MSG_GET, MSG_GETCURRENT, MSG_SET, MSG_XFERREADY, MSG_PROCESSEVENT, MSG_OPENDSM = (
    0x0001, 0x0002, 0x0006, 0x0101, 0x0601, 0x0301)
MSG_QUERYSUPPORT, MSG_SETCONSTRAINT, MSG_RESETALL, MSG_GETFIRST = 0x0008, 0x000C, 0x0A01, 0x0004
TWRC_SUCCESS, TWRC_FAILURE, TWRC_DSEVENT = 0, 1, 4
TWON_ARRAY, TWON_ENUMERATION, TWON_ONEVALUE, TWON_RANGE = 3, 4, 5, 6
TWTY = dict(INT8=0, INT16=1, INT32=2, UINT8=3, UINT16=4, UINT32=5, BOOL=6, FIX32=7, FRAME=8,
            STR32=9, STR64=10, STR128=11, STR255=12)
ICAP_PIXELTYPE, ICAP_XRESOLUTION, CAP_AUTHOR, CAP_SUPPORTEDCAPS = 0x0101, 0x1118, 0x1000, 0x1005
ICAP_FRAMES, CAP_VX_VERSION, ICAP_VX_FILMTYPE = 0x1114, 0x8001, 0x8003


def header(dat, dg=DG_CONTROL, msg=MSG_GET, rc=TWRC_SUCCESS, flags=0, state=4,
           unstructured=0, output=ENTRY_BUFFER):
    if isinstance(dat, str):
        index, raw = DISPATCHED.index(dat), 0
    else:
        index, raw, flags = 0, dat, flags | RAW_DAT
    return struct.pack("<BBHIHHBBH", flags, index, raw, dg, msg, rc, state, unstructured, output)


def pattern(size):
    return bytes((i * 37 + 11) & 0xFF for i in range(size))


def capability(cap, con_type):
    # Cap, ConType, padding, then the handle the harness puts in.
    return struct.pack("<HH4xQ", cap, con_type, 0)


def one_value(item_type, item):
    return struct.pack("<H2x", item_type) + item


def enumeration(item_type, items, current=0, default=0, count=None):
    count = len(items) if count is None else count
    return struct.pack("<HxxIII", item_type, count, current, default) + b"".join(items)


def array(item_type, items, count=None):
    count = len(items) if count is None else count
    return struct.pack("<HxxI", item_type, count) + b"".join(items)


def range_(item_type, values):
    return struct.pack("<H2x", item_type) + b"".join(struct.pack("<I", v) for v in values)


def u16(v):
    return struct.pack("<H", v)


def fix32(whole, frac=0):
    return struct.pack("<hH", whole, frac)


def seeds():
    for name in DISPATCHED:
        dg = DG_IMAGE if GROUPS[name] == "DG_IMAGE" else DG_CONTROL
        yield "dat-" + name.lower(), header(name, dg=dg) + pattern(600)
    cap = "CAPABILITY"
    yield "cap-onevalue-uint16", header(cap) + capability(ICAP_PIXELTYPE, TWON_ONEVALUE) + one_value(TWTY["UINT16"], u16(2) + b"\0\0")
    yield "cap-onevalue-fix32", header(cap) + capability(ICAP_XRESOLUTION, TWON_ONEVALUE) + one_value(TWTY["FIX32"], fix32(300))
    yield "cap-onevalue-str255", header(cap) + capability(CAP_AUTHOR, TWON_ONEVALUE) + one_value(TWTY["STR255"], b"A" * 256)
    yield "cap-onevalue-frame", header(cap) + capability(ICAP_FRAMES, TWON_ONEVALUE) + one_value(TWTY["FRAME"], fix32(0) + fix32(0) + fix32(8, 0x8000) + fix32(11))
    yield "cap-onevalue-vxversion", header(cap, msg=MSG_GETCURRENT) + capability(CAP_VX_VERSION, TWON_ONEVALUE) + one_value(TWTY["UINT16"], u16(0x0110) + b"\0\0")
    yield "cap-enumeration-pixeltype", header(cap) + capability(ICAP_PIXELTYPE, TWON_ENUMERATION) + enumeration(TWTY["UINT16"], [u16(0), u16(1), u16(2)], 2, 2)
    yield "cap-enumeration-vendor", header(cap) + capability(ICAP_VX_FILMTYPE, TWON_ENUMERATION) + enumeration(TWTY["UINT16"], [u16(0), u16(1)], 0, 1)
    yield "cap-enumeration-short", header(cap) + capability(ICAP_PIXELTYPE, TWON_ENUMERATION) + enumeration(TWTY["UINT16"], [u16(0)], count=0x7FFFFFFF)
    yield "cap-array-supportedcaps", header(cap) + capability(CAP_SUPPORTEDCAPS, TWON_ARRAY) + array(TWTY["UINT16"], [u16(c) for c in (0x0001, 0x1000, 0x0101, 0x8001, 0x8043)])
    yield "cap-array-str32", header(cap) + capability(CAP_AUTHOR, TWON_ARRAY) + array(TWTY["STR32"], [b"x" * 34, b"name\0" + b"\0" * 29])
    yield "cap-array-frames", header(cap) + capability(ICAP_FRAMES, TWON_ARRAY) + array(TWTY["FRAME"], [pattern(16), pattern(16)])
    yield "cap-range-fix32", header(cap) + capability(ICAP_XRESOLUTION, TWON_RANGE) + range_(TWTY["FIX32"], [75, 1200, 1, 300, 300])
    yield "cap-range-str255", header(cap) + capability(CAP_AUTHOR, TWON_RANGE) + range_(TWTY["STR255"], [0x41414141] * 5)
    yield "cap-failure", header(cap, rc=TWRC_FAILURE) + capability(ICAP_PIXELTYPE, TWON_ONEVALUE) + one_value(TWTY["UINT16"], u16(2) + b"\0\0")
    yield "cap-null-handle", header(cap, flags=NULL_CONTAINER) + capability(ICAP_PIXELTYPE, TWON_ONEVALUE)
    yield "cap-null-data", header(cap, flags=NULL_DATA)
    # Handles the data source did not make, and messages with which no container travels.
    yield "cap-foreign-enumeration", header(cap, flags=FOREIGN_HANDLE) + capability(ICAP_PIXELTYPE, TWON_ENUMERATION) + enumeration(TWTY["UINT16"], [u16(0), u16(1)], count=5000)
    yield "cap-foreign-set", header(cap, msg=MSG_SET, flags=FOREIGN_HANDLE) + capability(ICAP_XRESOLUTION, TWON_ONEVALUE) + one_value(TWTY["FIX32"], fix32(600))
    yield "cap-foreign-querysupport", header(cap, msg=MSG_QUERYSUPPORT, flags=FOREIGN_HANDLE) + capability(CAP_AUTHOR, TWON_ONEVALUE) + one_value(TWTY["INT32"], b"\x07\0\0\0")
    yield "cap-stale-resetall", header(cap, msg=MSG_RESETALL, flags=STALE_HANDLE) + capability(ICAP_PIXELTYPE, TWON_ONEVALUE) + one_value(TWTY["UINT16"], u16(2) + b"\0\0")
    yield "cap-stale-setconstraint", header(cap, msg=MSG_SETCONSTRAINT, flags=STALE_HANDLE | FOREIGN_HANDLE) + capability(ICAP_PIXELTYPE, TWON_ENUMERATION) + enumeration(TWTY["UINT16"], [u16(0)])
    yield "cap-stale-getfirst", header(cap, msg=MSG_GETFIRST, flags=STALE_HANDLE) + capability(CAP_SUPPORTEDCAPS, TWON_ARRAY) + array(TWTY["UINT16"], [u16(1)])
    yield "cap-small-output", header(cap, output=700) + capability(CAP_SUPPORTEDCAPS, TWON_ARRAY) + array(TWTY["UINT16"], [u16(c) for c in range(200)])
    # TW_EVENT: the platform's event pointer, then the message for the application.
    yield "event-xferready", header("EVENT", msg=MSG_PROCESSEVENT, rc=TWRC_DSEVENT, state=5) + struct.pack("<QH6x", 0x1234, MSG_XFERREADY)
    yield "event-closedsreq", header("EVENT", msg=MSG_PROCESSEVENT, rc=TWRC_DSEVENT, state=5) + struct.pack("<QH6x", 0, 0x0102)
    yield "parent-opendsm", header("PARENT", msg=MSG_OPENDSM, state=2, unstructured=8) + pattern(8) + pattern(168)
    yield "null-xferready", header("NULL", msg=MSG_XFERREADY)
    yield "unnamed-dat", header(0x0403, dg=0xFFFFFFFF, msg=0x8020, rc=10, unstructured=32) + pattern(32)


def check():
    """Differences between the committed seeds and the ones made here, one line each."""
    made = {"seed-" + name: data for name, data in seeds()}
    committed = {name for name in os.listdir(CORPUS) if name.startswith("seed-")}
    problems = ["not made from the rows: " + name for name in sorted(committed - set(made))]
    for name, data in sorted(made.items()):
        path = os.path.join(CORPUS, name)
        if name not in committed:
            problems.append("missing: " + name)
        else:
            with open(path, "rb") as seed:
                if seed.read() != data:
                    problems.append("differs: " + name)
    return problems


def main(argv):
    if argv[1:] == ["--check"]:
        problems = check()
        for problem in problems:
            print(problem, file=sys.stderr)
        if problems:
            print("run fuzz/make_corpus.py and commit fuzz/corpus", file=sys.stderr)
        return 1 if problems else 0
    os.makedirs(CORPUS, exist_ok=True)
    for name, data in seeds():
        with open(os.path.join(CORPUS, "seed-" + name), "wb") as out:
            out.write(data)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
