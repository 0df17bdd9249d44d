"""Lists the sources scripts/lint.sh must check: our own files of the compile database (not the
generated ones under a build folder) that have no clean stamp in the cache. Prints one line per
file: the source, a tab, the stamp to touch when clang-tidy finds nothing.

A stamp is named by a hash of what clang-tidy's verdict on the file depends on and that can
change without clang-tidy changing: the file, the project headers it includes (followed through
their own includes), its compile command, and every .clang-tidy of the repository. Paths are
hashed relative to the repository, so every clone shares the stamps."""

import hashlib
import json
import os
import re
import shlex
import sys

INCLUDE = re.compile(rb'^\s*#\s*include\s*[<"]([^>"]+)[>"]', re.MULTILINE)


def project_include_dirs(arguments, root):
    dirs = []
    for index, argument in enumerate(arguments):
        path = None
        if argument.startswith("-I") and len(argument) > 2:
            path = argument[2:]
        elif argument in ("-I", "-isystem", "-iquote") and index + 1 < len(arguments):
            path = arguments[index + 1]
        if path and path.startswith(root) and "/build/" not in path[len(root) - 1:] + "/":
            dirs.append(path)
    return dirs


def project_headers(source, include_dirs, contents):
    """The project files `source` includes, directly or through other project headers."""
    seen = []
    queue = [source]
    while queue:
        current = queue.pop()
        for name in INCLUDE.findall(contents(current)):
            name = name.decode("utf-8", "replace")
            for folder in [os.path.dirname(current)] + include_dirs:
                candidate = os.path.normpath(os.path.join(folder, name))
                if os.path.isfile(candidate):
                    if candidate not in seen:
                        seen.append(candidate)
                        queue.append(candidate)
                    break
    return sorted(seen)


def main():
    database, root, cache, tool_version = sys.argv[1:5]
    root = root.rstrip("/") + "/"
    cached = {}

    def contents(path):
        if path not in cached:
            with open(path, "rb") as file:
                cached[path] = file.read()
        return cached[path]

    config = hashlib.sha256(tool_version.encode())
    for folder, subfolders, files in os.walk(root):
        subfolders[:] = sorted(d for d in subfolders if d not in ("build", ".git"))
        if ".clang-tidy" in files:
            path = os.path.join(folder, ".clang-tidy")
            config.update(path[len(root):].encode() + b"\0" + contents(path))

    done = set()
    for entry in json.load(open(database)):
        source = os.path.normpath(os.path.join(entry["directory"], entry["file"]))
        if not source.startswith(root) or "/build/" in source[len(root) - 1:] or source in done:
            continue
        done.add(source)
        arguments = entry.get("arguments") or shlex.split(entry["command"])
        key = config.copy()
        key.update(" ".join(arguments).replace(root, "./").encode() + b"\0")
        for path in [source] + project_headers(source, project_include_dirs(arguments, root),
                                               contents):
            key.update(path[len(root):].encode() + b"\0" + contents(path) + b"\0")
        stamp = os.path.join(cache, key.hexdigest())
        if not os.path.exists(stamp):
            print(f"{source}\t{stamp}")


if __name__ == "__main__":
    main()
