#!/usr/bin/env python3
"""Checks a universal Mach-O file against the single-architecture files it was made of.

    check-universal-macho.py UNIVERSAL ARCH=THIN...

The universal file must hold exactly the named architectures, each slice a 64-bit Mach-O of
its CPU type at an offset aligned as its header says, byte for byte the thin file it came from.
A slice's code signature (the linker's ad-hoc one) is read from LC_CODE_SIGNATURE: a SuperBlob
with a CodeDirectory whose page hashes are recomputed over the slice up to its code limit and
compared. The arm64 slice must carry one (macOS runs no unsigned arm64 code); another
architecture's is checked when present. Exit status 1 on any finding, each printed.
"""
import hashlib
import struct
import sys

FAT_MAGIC = 0xCAFEBABE
MH_MAGIC_64 = 0xFEEDFACF
LC_CODE_SIGNATURE = 0x1D
CSMAGIC_EMBEDDED_SIGNATURE = 0xFADE0CC0
CSMAGIC_CODEDIRECTORY = 0xFADE0C02
CSSLOT_CODEDIRECTORY = 0
CS_HASHTYPE_SHA256 = 2
CS_ADHOC = 0x2
CPU_TYPES = {"arm64": 0x0100000C, "x86_64": 0x01000007}
ARCH_NAMES = {value: name for name, value in CPU_TYPES.items()}
SIGNATURE_REQUIRED = {"arm64"}


class Finding(Exception):
    pass


def read_fat_slices(data):
    """(cputype, offset, size, align) of each slice of a universal (fat) file."""
    if len(data) < 8:
        raise Finding("too short for a universal header")
    magic, count = struct.unpack_from(">II", data, 0)
    if magic != FAT_MAGIC:
        raise Finding(f"not a universal file (magic {magic:#x})")
    if 8 + 20 * count > len(data):
        raise Finding(f"{count} slices do not fit the file")
    slices = []
    for index in range(count):
        cputype, _, offset, size, align = struct.unpack_from(">iIIII", data, 8 + 20 * index)
        if offset + size > len(data):
            raise Finding(f"slice {index} ({offset}+{size}) runs past the file's end")
        if align > 20 or offset % (1 << align):
            raise Finding(f"slice {index} at {offset} not aligned to 2^{align}")
        slices.append((cputype & 0xFFFFFFFF, offset, size, align))
    return slices


def load_commands(macho):
    """(cmd, offset, size) of each load command of a 64-bit little-endian Mach-O."""
    if len(macho) < 32:
        raise Finding("too short for a Mach-O header")
    magic, _, _, _, ncmds, sizeofcmds = struct.unpack_from("<IiiIII", macho, 0)
    if magic != MH_MAGIC_64:
        raise Finding(f"not a 64-bit Mach-O (magic {magic:#x})")
    if 32 + sizeofcmds > len(macho):
        raise Finding("load commands run past the file's end")
    commands, offset = [], 32
    for _ in range(ncmds):
        if offset + 8 > 32 + sizeofcmds:
            raise Finding("load command list ends early")
        cmd, cmdsize = struct.unpack_from("<II", macho, offset)
        if cmdsize < 8 or offset + cmdsize > 32 + sizeofcmds:
            raise Finding(f"load command {cmd:#x} has a bad size {cmdsize}")
        commands.append((cmd, offset, cmdsize))
        offset += cmdsize
    return commands


def code_directory(signature):
    """The CodeDirectory blob of an embedded signature SuperBlob."""
    if len(signature) < 12:
        raise Finding("signature too short for a SuperBlob")
    magic, length, count = struct.unpack_from(">III", signature, 0)
    if magic != CSMAGIC_EMBEDDED_SIGNATURE:
        raise Finding(f"signature magic {magic:#x}, not an embedded signature")
    if length > len(signature) or 12 + 8 * count > length:
        raise Finding("SuperBlob larger than its load command says")
    for index in range(count):
        slot, offset = struct.unpack_from(">II", signature, 12 + 8 * index)
        if slot != CSSLOT_CODEDIRECTORY:
            continue
        if offset + 8 > length:
            raise Finding("CodeDirectory outside the SuperBlob")
        blob_magic, blob_length = struct.unpack_from(">II", signature, offset)
        if blob_magic != CSMAGIC_CODEDIRECTORY or offset + blob_length > length:
            raise Finding("CodeDirectory slot holds no CodeDirectory")
        return signature[offset:offset + blob_length]
    raise Finding("SuperBlob has no CodeDirectory")


def check_signature(macho):
    """Describes the slice's verified signature; None when it has none."""
    signatures = [c for c in load_commands(macho) if c[0] == LC_CODE_SIGNATURE]
    if not signatures:
        return None
    _, offset, _ = signatures[0]
    dataoff, datasize = struct.unpack_from("<II", macho, offset + 8)
    if dataoff + datasize > len(macho):
        raise Finding("signature runs past the slice's end")
    directory = code_directory(macho[dataoff:dataoff + datasize])
    (_, _, version, flags, hash_offset, ident_offset, special_slots, code_slots, code_limit,
     hash_size, hash_type, _, page_shift) = struct.unpack_from(">IIIIIIIIIBBBB", directory, 0)
    if hash_type != CS_HASHTYPE_SHA256 or hash_size != 32:
        raise Finding(f"hash type {hash_type} of {hash_size} bytes, not SHA-256")
    if code_limit != dataoff:
        raise Finding(f"code limit {code_limit} is not where the signature starts ({dataoff})")
    page = 1 << page_shift if page_shift else code_limit
    if code_slots != (code_limit + page - 1) // page:
        raise Finding(f"{code_slots} page hashes for {code_limit} bytes in pages of {page}")
    if hash_offset + code_slots * hash_size > len(directory) or hash_offset < special_slots * 32:
        raise Finding("page hashes outside the CodeDirectory")
    for index in range(code_slots):
        start = index * page
        expected = directory[hash_offset + index * 32:hash_offset + (index + 1) * 32]
        actual = hashlib.sha256(macho[start:min(start + page, code_limit)]).digest()
        if actual != expected:
            raise Finding(f"page {index} (bytes {start}..) does not match its hash")
    identifier = directory[ident_offset:directory.index(b"\0", ident_offset)].decode("ascii",
                                                                                       "replace")
    kind = "ad-hoc" if flags & CS_ADHOC else f"flags {flags:#x}"
    return (f"{kind} signature '{identifier}' (CodeDirectory {version:#x}), {code_slots} pages "
            f"of {page} bytes up to code limit {code_limit}, every hash matches")


def check(universal_path, thin_paths):
    data = open(universal_path, "rb").read()
    findings = []
    slices = read_fat_slices(data)
    present = [ARCH_NAMES.get(cputype, f"cpu {cputype:#x}") for cputype, _, _, _ in slices]
    if sorted(present) != sorted(thin_paths):
        findings.append(f"holds {present}, not {sorted(thin_paths)}")
    for (cputype, offset, size, align), arch in zip(slices, present):
        macho = data[offset:offset + size]
        slice_findings = []
        if arch in thin_paths and macho != open(thin_paths[arch], "rb").read():
            slice_findings.append(f"differs from {thin_paths[arch]}")
        try:
            if struct.unpack_from("<I", macho, 4)[0] != cputype:
                raise Finding("CPU type of the slice's header differs from the universal header's")
            signature = check_signature(macho)
            if signature is None and arch in SIGNATURE_REQUIRED:
                raise Finding("no code signature")
        except (Finding, struct.error, ValueError) as finding:
            slice_findings.append(str(finding))
        findings += [f"{arch} slice: {finding}" for finding in slice_findings]
        if not slice_findings:
            print(f"{universal_path}: {arch} slice at {offset} (2^{align}), {size} bytes, "
                  f"identical to its thin file; {signature or 'unsigned'}")
    return findings


def main(argv):
    if len(argv) < 3 or not all("=" in a and a.split("=")[0] in CPU_TYPES for a in argv[2:]):
        print(__doc__.split("\n\n")[1], file=sys.stderr)
        return 2
    thin_paths = dict(argument.split("=", 1) for argument in argv[2:])
    try:
        findings = check(argv[1], thin_paths)
    except (Finding, OSError, struct.error) as finding:
        findings = [str(finding)]
    for finding in findings:
        print(f"FAIL: {argv[1]}: {finding}", file=sys.stderr)
    return 1 if findings else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
