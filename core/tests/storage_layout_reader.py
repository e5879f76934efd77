#!/usr/bin/python3
"""Reads compound files that the storage engine wrote, knowing only their layout.

Runs the writer given on the command line into a temporary folder, then checks every file:
- commit-N.bin, written after the N-th commit: its selected copy is copy (N - 1) % 2, holds the
  tree that commit-N.json describes, and accounts for every cluster; from the second commit on,
  the other copy still holds the tree of commit N - 1.
- crash-N-K.bin, left by a crash at the K-th change of commit N: its selected copy still holds
  the tree of commit N - 1, and so does what the engine read when it opened the file
  (crash-N-K.json). The writer opened the file again before commit 3.
"""

import json
import pathlib
import struct
import subprocess
import sys
import tempfile
import zlib

HEADER_SIZE = 512
CLUSTER_SIZE = 1 << 15
ENTRIES_PER_CLUSTER = CLUSTER_SIZE // 8
RECORD_SIZE = 160
FREE_MARK = 0x80000000
AT_CLUSTER_END = 0x80000000
MAX_TABLE_ENTRIES = 1024
TITLE = "Halvern Compound File"
ROOT_NAME = "QuorRootStorage"
STORAGE, STREAM = 1, 2


class LayoutError(Exception):
    pass


def require(condition, message):
    if not condition:
        raise LayoutError(message)


def cluster_offset(cluster):
    return (cluster - 2) * CLUSTER_SIZE + HEADER_SIZE


def folded(name):
    """Names match with only a to z folded."""
    return "".join(chr(ord(c) - 32) if "a" <= c <= "z" else c for c in name)


class Record:
    """A 160-byte element record."""

    def __init__(self, raw, where):
        raw = bytes(raw)
        require(len(raw) == RECORD_SIZE, f"{where}: short record")
        units = struct.unpack_from("<32H", raw, 0)
        length = units.index(0) if 0 in units else 32
        require(length <= 31, f"{where}: name without its NUL")
        require(all(u == 0 for u in units[length:]), f"{where}: bytes after the name's NUL")
        self.name = raw[: 2 * length].decode("utf-16-le")
        (self.start_offset, self.first_cluster, reserved1, self.size, self.end_cluster, reserved2,
         self.mtime, self.ctime, self.atime) = struct.unpack_from("<QIIQIIQQQ", raw, 64)
        self.clsid = raw[120:136]
        reserved3, self.type = struct.unpack_from("<II", raw, 136)
        require(self.start_offset == 0, f"{where}: start offset {self.start_offset}")
        require(reserved1 == reserved2 == reserved3 == 0, f"{where}: reserved words in use")
        require(raw[144:160] == bytes(16), f"{where}: reserved tail in use")
        require(self.type in (STORAGE, STREAM), f"{where}: type {self.type}")


class Copy:
    """One of the header's two copies, with the map it names."""

    def __init__(self, file, index):
        self.file = file
        self.index = index
        header = file.bytes
        self.entry_count = struct.unpack_from("<I", header, 0x09C + 4 * index)[0]
        check = struct.unpack_from("<I", header, 0x0A4 + 4 * index)[0]
        self.map_first = struct.unpack_from("<I", header, 0x0AC + 4 * index)[0]
        self.root = Record(header[0x0B8 + RECORD_SIZE * index: 0x0B8 + RECORD_SIZE * (index + 1)],
                           f"root record {index}")
        where = f"copy {index}"
        require(self.entry_count > 0 and self.entry_count % ENTRIES_PER_CLUSTER == 0,
                f"{where}: map entry count {self.entry_count}")
        require((self.entry_count + check) & 0xFFFFFFFF == 0, f"{where}: count check {check:#x}")
        require(self.root.name == ROOT_NAME and self.root.type == STORAGE, f"{where}: root record")
        self.run = list(range(self.map_first,
                              self.map_first + self.entry_count // ENTRIES_PER_CLUSTER))
        require(self.map_first >= 2, f"{where}: map run at {self.map_first}")
        raw = file.read(cluster_offset(self.map_first), 8 * self.entry_count)
        self.map = list(struct.iter_unpack("<II", raw))
        self.check_map()
        self.chains = {}  # first cluster -> chain, for every element reached

    def check_map(self):
        where = f"copy {self.index}"
        require(self.map[0][1] == FREE_MARK, f"{where}: free-list head")
        require(self.map[1][1] == 0, f"{where}: release-list head")
        for k, cluster in enumerate(self.run):
            expected = (cluster + 1 if k + 1 < len(self.run) else 0, cluster - 1 if k else 0)
            require(self.map[cluster] == expected, f"{where}: map run link at {cluster}")
        self.free = self.walk_list(0, FREE_MARK, "free list")
        marked = {c for c in range(2, self.entry_count) if self.map[c][1] & FREE_MARK}
        require(self.free == marked, f"{where}: free marks and free list differ")
        self.released = self.walk_list(1, 0, "release list")

    def walk_list(self, head, mark, what):
        seen, previous, cluster = set(), head, self.map[head][0]
        while cluster:
            require(2 <= cluster < self.entry_count and cluster not in seen,
                    f"copy {self.index}: {what} reaches {cluster}")
            expected_prev = mark | (0 if mark and previous == head else previous)
            require(self.map[cluster][1] == expected_prev,
                    f"copy {self.index}: {what} back link at {cluster}")
            seen.add(cluster)
            previous, cluster = cluster, self.map[cluster][0]
        return seen

    def chain(self, record, where):
        if record.first_cluster == 0:
            require(record.size == 0 and record.end_cluster == 0, f"{where}: no cluster, yet data")
            return []
        chain, cluster, previous = [], record.first_cluster, 0
        while cluster:
            require(2 <= cluster < self.entry_count, f"{where}: chain reaches {cluster}")
            require(self.map[cluster][1] == previous, f"{where}: back link at {cluster}")
            require(cluster not in self.chains and len(chain) < self.entry_count,
                    f"{where}: cluster {cluster} used twice")
            chain.append(cluster)
            previous, cluster = cluster, self.map[cluster][0]
        require(len(chain) == max(1, -(-record.size // CLUSTER_SIZE)),
                f"{where}: {len(chain)} clusters for {record.size} bytes")
        if record.size == 0:
            expected_end = record.first_cluster
        else:
            expected_end = chain[-1] | (AT_CLUSTER_END if record.size % CLUSTER_SIZE == 0 else 0)
        require(record.end_cluster == expected_end,
                f"{where}: end cluster {record.end_cluster:#x}, expected {expected_end:#x}")
        self.chains[record.first_cluster] = chain
        return chain

    def pieces(self, record, where):
        """The data of an element, cluster by cluster."""
        left = record.size
        for cluster in self.chain(record, where):
            size = min(left, CLUSTER_SIZE)
            yield self.file.read(cluster_offset(cluster), size)
            left -= size

    def data(self, record, where):
        return b"".join(self.pieces(record, where))

    def tree(self):
        return self.storage_tree(self.root, "root")

    def storage_tree(self, storage, where):
        table = self.data(storage, where)
        if not table:
            return []
        count, negated = struct.unpack_from("<ii", table, 0)
        require(count + negated == 0, f"{where}: table counts {count}, {negated}")
        require(0 <= count <= MAX_TABLE_ENTRIES, f"{where}: table count {count}")
        require(len(table) >= 8 + RECORD_SIZE * count, f"{where}: table shorter than its count")
        children, names = [], set()
        for i in range(count):
            record = Record(table[8 + RECORD_SIZE * i: 8 + RECORD_SIZE * (i + 1)], f"{where}[{i}]")
            key = (folded(record.name), record.type)
            require(key not in names, f"{where}: {record.name!r} twice")
            names.add(key)
            children.append(self.element_tree(record, f"{where}/{record.name}"))
        return children

    def element_tree(self, record, where):
        element = {"name": record.name, "type": record.type, "clsid": record.clsid.hex(),
                   "times": [record.mtime, record.ctime, record.atime]}
        if record.type == STREAM:
            crc = 0
            for piece in self.pieces(record, where):
                crc = zlib.crc32(piece, crc)
            element.update(size=record.size, crc32=crc)
        else:
            element["children"] = self.storage_tree(record, where)
        return element

    def account(self, other_run):
        """Every cluster in use is named by this copy, is its map, is on the release list, or
        is the other copy's map run."""
        where = f"copy {self.index}"
        in_use = set(range(2, self.entry_count)) - self.free
        named = [c for chain in self.chains.values() for c in chain]
        require(len(named) == len(set(named)), f"{where}: a cluster in two chains")
        known = set(named) | set(self.run) | self.released
        require(not (set(named) & self.released), f"{where}: a named cluster on the release list")
        require(known <= in_use, f"{where}: free clusters in use")
        rest = sorted(in_use - known)
        if other_run is not None:
            require(rest == sorted(other_run), f"{where}: clusters {rest} unaccounted for")
        elif rest:
            # Left by a crash: only a run of the other copy's map may remain.
            require(rest == list(range(rest[0], rest[0] + len(rest))) and
                    self.map[rest[0]][1] == 0, f"{where}: clusters {rest} unaccounted for")


class CompoundFile:
    def __init__(self, path):
        self.path = path
        self.bytes = memoryview(path.read_bytes())
        require(len(self.bytes) >= HEADER_SIZE, f"{path.name}: no header")
        self.check_fixed_part()

    def read(self, offset, size):
        """Bytes past the end of the file read as zeros."""
        piece = self.bytes[offset: offset + size]
        return piece if len(piece) == size else bytes(piece) + bytes(size - len(piece))

    def check_fixed_part(self):
        title = bytes(self.bytes[:128])
        require(title[: 2 * len(TITLE)].decode("utf-16-le") == TITLE, "title")
        require(title[2 * len(TITLE):] == bytes(128 - 2 * len(TITLE)), "bytes after the title")
        (version, header_size, constant_a, constant_b, constant_c, self.selector,
         log2_cluster_size) = struct.unpack_from("<7I", self.bytes, 0x80)
        require(version == 29, f"version {version}")
        require(header_size == 0x200, f"header size {header_size}")
        require((constant_a, constant_b, constant_c) == (0x20000, 0x7FFFFFFF, 0), "constants")
        require(self.selector in (0, 1), f"selector {self.selector}")
        require(log2_cluster_size == 15, f"cluster size 2^{log2_cluster_size}")
        require(struct.unpack_from("<I", self.bytes, 0xB4)[0] == 0, "reserved word")
        require(self.bytes[0x1F8:0x200] == bytes(8), "header tail")

    def copy(self, index):
        return Copy(self, index)

    def copy_is_empty(self, index):
        fields = [0x09C, 0x0A4, 0x0AC]
        return (all(struct.unpack_from("<I", self.bytes, f + 4 * index)[0] == 0 for f in fields)
                and self.bytes[0x0B8 + RECORD_SIZE * index: 0x0B8 + RECORD_SIZE * (index + 1)]
                == bytes(RECORD_SIZE))


def expected_tree(folder, commit):
    return json.loads((folder / f"commit-{commit}.json").read_text())["children"]


def check_commit(folder, commit):
    file = CompoundFile(folder / f"commit-{commit}.bin")
    require(file.selector == (commit - 1) % 2, f"selector {file.selector} after commit {commit}")
    selected = file.copy(file.selector)
    require(selected.tree() == expected_tree(folder, commit), "the selected copy's tree")
    other = 1 - file.selector
    if commit == 1:
        require(file.copy_is_empty(other), "copy 1 after the first commit")
        selected.account(other_run=[])
    else:
        previous = file.copy(other)
        require(previous.tree() == expected_tree(folder, commit - 1), "the other copy's tree")
        require(not set(previous.run) & set(selected.run), "both copies' maps in one run")
        selected.account(other_run=previous.run)


def check_crash(folder, path):
    """Before the selector names the new copy, the old one is whole; once it does (the crash
    came in the middle of writing the selector itself), the new one is."""
    commit = int(path.stem.split("-")[1])
    file = CompoundFile(path)
    state = commit - 1 if file.selector == (commit - 2) % 2 else commit
    selected = file.copy(file.selector)
    require(selected.tree() == expected_tree(folder, state), f"the tree of commit {state}")
    selected.account(other_run=None)
    engine = json.loads(path.with_suffix(".json").read_text())["children"]
    require(engine == expected_tree(folder, state), f"the engine's tree is not that of {state}")


def main():
    writer = sys.argv[1]
    failures = 0
    with tempfile.TemporaryDirectory() as name:
        folder = pathlib.Path(name)
        subprocess.run([writer, str(folder)], check=True)
        commits = sorted(int(p.stem.split("-")[1]) for p in folder.glob("commit-*.bin"))
        crashes = sorted(folder.glob("crash-*.bin"))
        require(len(commits) >= 3 and crashes, "the writer wrote too little")
        checks = [(f"commit-{n}", lambda n=n: check_commit(folder, n)) for n in commits]
        checks += [(p.stem, lambda p=p: check_crash(folder, p)) for p in crashes]
        for label, check in checks:
            try:
                check()
            except LayoutError as error:
                failures += 1
                print(f"{label}: {error}")
    print(f"{len(checks) - failures} of {len(checks)} files read as described")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
