#!/usr/bin/env python3
"""Runs clang-tidy over the build's own compiled sources, on several cores.

Each source file is checked once, with the first of its compile commands (a
file that several test programs compile gets the same headers and macros in
each). The build compiles most sources in batches (unity files that include
several sources); each source of a batch is checked alone, with the batch's
command, so that every file is checked with only what it includes itself and
a header that a file forgot to include shows here even where its batch
brought it in. The layer probe is left out: it only includes one header,
which the sources that use it bring in anyway, and some of its commands are
meant to fail.

Each file is checked with the nearest .clang-tidy above it, as clang-tidy
finds it (tests/ narrows the root's checks). A file found clean is remembered
under a hash of everything its result depends on: clang-tidy's version, the
configuration files that apply to it, the compile command, and the file
with every header it reads, each by its name and content (the system's
headers, outside the checkout, by their name only, so that a package's point
release does not send every machine through the whole tree). The headers are
those the build's compiler read for the file's object (ninja's record of
them; for a batch, everything the whole batch read, a superset of what the
file reads); a file the build has not compiled is preprocessed instead. The
checkout's own folder is taken out of the hash, so that the record serves
every clone and worktree of the project: it lives in the user's cache folder
($XDG_CACHE_HOME/pixdeck/clang-tidy, else ~/.cache/...), or in the build
folder when there is no home. A later run skips a file while none of these
changed; files with findings are always checked again, so that their findings
are printed each time. Records unused for 30 days are dropped.

The keys of the files found clean in a run with no findings are also kept in
the repository (scripts/tidy.clean), rewritten by that run when they changed,
and committed with the code: a machine that has checked nothing yet checks
only the files whose key no earlier run recorded, which are those that the
commits since then changed, with their headers, flags or checks. A key is
only ever a clean result, so no finding can hide behind one.
"""

import argparse
import concurrent.futures
import hashlib
import json
import os
import pathlib
import shlex
import subprocess
import sys
import time

SOURCE_FOLDERS = ("src", "tests", "fuzz", "bench")
LEFT_OUT = ("tests/layers/probe.cpp",)


def unity_members(path):
    """The sources a unity file of the build includes (CMake writes one
    #include "<absolute path>" line for each)."""
    members = []
    for line in path.read_text(encoding="utf-8").splitlines():
        if line.startswith('#include "') and line.endswith('"'):
            members.append(pathlib.Path(line[len('#include "'):-1]))
    return members


def source_entries(database, build):
    """Every compile command, a unity file's given to each of its sources: the
    unity file's command with the source in its place (clang-tidy reads the
    source alone), its object's recorded headers those of the whole batch."""
    for entry in database:
        path = pathlib.Path(entry["directory"], entry["file"]).resolve()
        if build in path.parents and path.parent.name == "Unity":
            if "arguments" in entry:
                arguments = list(entry["arguments"])
            else:
                arguments = shlex.split(entry["command"])
            for member in unity_members(path):
                yield member.resolve(), {
                    "directory": entry["directory"], "file": str(member),
                    "arguments": [str(member) if argument in (entry["file"], str(path))
                                  else argument for argument in arguments]}
        else:
            yield path, entry


def own_entries(database, root, build):
    """The first compile command of each of our own sources."""
    seen = set()
    for path, entry in source_entries(database, build):
        try:
            relative = path.relative_to(root)
        except ValueError:
            continue
        if build in path.parents or relative.parts[0] not in SOURCE_FOLDERS:
            continue
        if relative.as_posix() in LEFT_OUT or path in seen:
            continue
        seen.add(path)
        if "arguments" in entry:
            arguments = list(entry["arguments"])
        else:
            arguments = shlex.split(entry["command"])
        yield {"directory": entry["directory"], "file": str(path),
               "arguments": arguments,
               "reads": objects_read(arguments, build)}


def objects_read(arguments, build):
    """The build output whose recorded headers the file reads: its object,
    named as ninja names it (relative to the build folder)."""
    outputs = [following for argument, following in zip(arguments, arguments[1:])
               if argument == "-o"]
    return [os.path.relpath(output, build) if os.path.isabs(output) else output
            for output in outputs]


def preprocess_command(arguments):
    """The compile command turned into one that writes the preprocessed file."""
    command = []
    skip_next = False
    for argument in arguments:
        if skip_next:
            skip_next = False
            continue
        if argument == "-o":
            skip_next = True
            continue
        if argument == "-c":
            continue
        command.append(argument)
    return command + ["-E", "-o", "-"]


def configs_of(path, root):
    """The .clang-tidy files that clang-tidy reads for a source, nearest first."""
    found = []
    for folder in pathlib.Path(path).parents:
        config = folder / ".clang-tidy"
        if config.is_file():
            found.append(config)
        if folder == root:
            break
    return found


def recorded_headers(build):
    """Every build output's files as the compiler read them (ninja -t deps):
    output -> list of paths, relative to the build folder or absolute."""
    result = subprocess.run(["ninja", "-C", str(build), "-t", "deps"], stdout=subprocess.PIPE,
                            stderr=subprocess.DEVNULL, text=True, check=False)
    reads = {}
    current = None
    for line in result.stdout.splitlines():
        if not line.strip():
            current = None
        elif not line.startswith(" "):
            output, _, state = line.partition(": #deps")
            current = reads.setdefault(output, []) if state.endswith("(VALID)") else None
        elif current is not None:
            current.append(line.strip())
    return reads


class ContentHashes:
    """Each file's hash once, however many sources read it; the checkout's
    folder is written as <root> in the contents too (generated files name
    it)."""

    def __init__(self, root):
        self.own = str(root).encode()
        self.hashes = {}

    def of(self, path):
        if path not in self.hashes:
            try:
                data = path.read_bytes().replace(self.own, b"<root>")
                self.hashes[path] = hashlib.sha256(data).digest()
            except OSError:
                self.hashes[path] = None
        return self.hashes[path]


def cache_key(entry, common, root, headers, contents):
    """The hash of what the file's result depends on, the checkout's folder
    written as <root> wherever it stands (paths in flags, file names and
    contents, line markers and expanded __FILE__s)."""
    own = str(root).encode()
    digest = hashlib.sha256(common)
    for config in configs_of(entry["file"], root):
        digest.update(config.read_bytes())
    digest.update("\0".join(entry["arguments"]).encode().replace(own, b"<root>"))
    recorded = [headers.get(output) for output in entry["reads"]]
    if entry["reads"] and all(files is not None for files in recorded):
        names = sorted({name for files in recorded for name in files})
        for name in names:
            path = pathlib.Path(os.path.normpath(pathlib.Path(entry["directory"], name)))
            if root not in path.parents:
                # The system's headers count by name: a point release of a
                # library's package (new kernel headers, say) must not make
                # every machine check the whole tree again. Our own code, the
                # build's generated headers, the flags and clang-tidy's
                # version still count in full.
                digest.update(name.encode() + b"\0system\0")
                continue
            content = contents.of(path)
            if content is None:
                return None
            digest.update(name.encode().replace(own, b"<root>") + b"\0" + content)
        return digest.hexdigest()
    result = subprocess.run(preprocess_command(entry["arguments"]), cwd=entry["directory"],
                            stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, check=False)
    if result.returncode != 0:
        return None
    digest.update(b"preprocessed\0" + result.stdout.replace(own, b"<root>"))
    return digest.hexdigest()


def cache_folder(build):
    base = os.environ.get("XDG_CACHE_HOME") or (
        os.path.join(os.environ["HOME"], ".cache") if os.environ.get("HOME") else None)
    if base and os.path.isabs(base):
        return pathlib.Path(base, "pixdeck", "clang-tidy")
    return build / "clang-tidy" / "clean"


def drop_stale(cache, days=30):
    oldest = time.time() - days * 86400
    for record in cache.iterdir():
        try:
            if record.stat().st_mtime < oldest:
                record.unlink()
        except OSError:
            pass  # another run dropped or refreshed it


def read_shared(path):
    try:
        return set(path.read_text(encoding="ascii").split())
    except OSError:
        return set()


def write_shared(path, keys):
    """Rewrites the shared record when its keys changed, replacing it whole."""
    text = "".join(key + "\n" for key in sorted(keys))
    try:
        if path.read_text(encoding="ascii") == text:
            return False
    except OSError:
        pass
    temporary = path.with_name(path.name + ".new")
    temporary.write_text(text, encoding="ascii")
    os.replace(temporary, path)
    return True


def check(entry, options, common, cache, shared, headers, contents):
    key = cache_key(entry, common, options.root, headers, contents) if cache else None
    if key and key in shared:
        return entry["file"], 0, "", True, key
    if key and (cache / key).exists():
        try:
            (cache / key).touch()  # used again: kept another 30 days
        except OSError:
            pass
        return entry["file"], 0, "", True, key
    result = subprocess.run(
        [options.clang_tidy, "--quiet", "-p", str(options.database_dir), entry["file"]],
        stdout=subprocess.PIPE, stderr=subprocess.STDOUT, text=True, check=False)
    output = "\n".join(line for line in result.stdout.splitlines()
                       if not line.endswith(" warnings generated.")
                       and not line.endswith(" warning generated."))
    if result.returncode == 0 and key:
        (cache / key).touch()
    return entry["file"], result.returncode, output, False, key


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--clang-tidy", required=True)
    parser.add_argument("--root", required=True, type=pathlib.Path)
    parser.add_argument("--build", required=True, type=pathlib.Path)
    parser.add_argument("--jobs", type=int, default=os.cpu_count() or 1)
    parser.add_argument("--no-cache", action="store_true")
    parser.add_argument("--shared", type=pathlib.Path,
                        help="the repository's record of clean files (read, and "
                             "rewritten after a run without findings)")
    options = parser.parse_args()
    options.root = options.root.resolve()
    options.build = options.build.resolve()

    with open(options.build / "compile_commands.json", encoding="utf-8") as file:
        entries = list(own_entries(json.load(file), options.root, options.build))
    options.database_dir = options.build / "clang-tidy"
    options.database_dir.mkdir(exist_ok=True)
    with open(options.database_dir / "compile_commands.json", "w", encoding="utf-8") as file:
        json.dump([{key: entry[key] for key in ("directory", "file", "arguments")}
                   for entry in entries], file, indent=1)

    cache = None if options.no_cache else cache_folder(options.build)
    if cache:
        cache.mkdir(parents=True, exist_ok=True)
        drop_stale(cache)
    version = subprocess.run([options.clang_tidy, "--version"], stdout=subprocess.PIPE,
                             check=True).stdout
    common = version

    shared = read_shared(options.shared) if cache and options.shared else set()
    failed = []
    skipped = 0
    clean_keys = set()
    headers = recorded_headers(options.build) if cache else {}
    contents = ContentHashes(options.root)
    with concurrent.futures.ThreadPoolExecutor(max_workers=options.jobs) as pool:
        jobs = [pool.submit(check, entry, options, common, cache, shared, headers, contents)
                for entry in entries]
        for job in concurrent.futures.as_completed(jobs):
            path, status, output, cached, key = job.result()
            skipped += cached
            if status != 0:
                failed.append(path)
                print(output.strip(), flush=True)
            elif key:
                clean_keys.add(key)
    print(f"clang-tidy: {len(entries)} files, {skipped} unchanged since found clean, "
          f"{len(failed)} with findings")
    for path in sorted(failed):
        print("  " + os.path.relpath(path, options.root))
    if not failed and cache and options.shared and len(clean_keys) == len(entries):
        if write_shared(options.shared, clean_keys):
            print(f"clang-tidy: {os.path.relpath(options.shared, options.root)} "
                  "now records this tree's clean files; commit it with the code")
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
