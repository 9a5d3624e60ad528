#!/usr/bin/env python3
# Reads the strace log of one run of the program (no-writes.sh) and fails on anything that writes,
# creates, renames or removes a file or folder, starts another program, or connects anywhere,
# except what ALLOWED names.
# Usage: no-writes-check.py STRACE-LOG X-DISPLAY-NUMBER SCRATCH-DIR PROGRAM
import os
import re
import sys

log_path, display, scratch, program = sys.argv[1], sys.argv[2], os.path.realpath(sys.argv[3]), sys.argv[4]
runtime_dir = os.environ["XDG_RUNTIME_DIR"]
cache_dir = os.environ["XDG_CACHE_HOME"]

# Everything the program may do of what is traced, each with why. Nothing else.
ALLOWED = [
    ("connect to the X server's socket, by path or abstract name",
     lambda call, path, flags: call == "connect" and path in (f"/tmp/.X11-unix/X{display}", f"@/tmp/.X11-unix/X{display}")),
    # strace starting the program itself. Nothing else is started: without a session bus, Qt's
    # accessibility bridge would have libdbus exec dbus-launch, which starts a bus and writes
    # ~/.dbus.
    ("the program's own start",
     lambda call, path, flags: call == "execve" and path == program),
    # The tsan preset only: ThreadSanitizer's runtime keeps a scratch file of its own while it
    # starts, and removes it at once.
    ("ThreadSanitizer's own scratch file (tsan preset)",
     lambda call, path, flags: re.fullmatch(r"/tmp/tsan\.rodata\.\d+", path) is not None),
    # At start Qt makes sure its runtime folder exists: mkdir on XDG_RUNTIME_DIR, which already
    # exists (EEXIST). Without XDG_RUNTIME_DIR Qt would create /tmp/runtime-<user> instead.
    ("mkdir of the existing XDG_RUNTIME_DIR (Qt checking its runtime folder)",
     lambda call, path, flags: call in ("mkdir", "mkdirat") and path == runtime_dir),
    # fontconfig refreshes its cache of the installed fonts when the system's is out of date.
    # That is the font library's housekeeping, confined here to the test's own cache folder;
    # on an up-to-date machine it does not happen at all.
    ("fontconfig's cache refresh, inside XDG_CACHE_HOME/fontconfig",
     lambda call, path, flags: path.startswith(cache_dir + "/fontconfig/") or path == cache_dir + "/fontconfig"
     or (call in ("mkdir", "mkdirat") and path == cache_dir)),
    # Before it settles on XDG_CACHE_HOME, fontconfig tries the system's cache folder and the old
    # ~/.fontconfig: as a user the first is refused and the second is absent, so nothing is
    # opened there; only those failed tries are allowed.
    ("fontconfig trying the system's cache and ~/.fontconfig first, refused",
     lambda call, path, flags: call.startswith("open") and re.search(r"= -1 E(ACCES|NOENT|ROFS|PERM) ", flags) is not None
     and (path.startswith("/var/cache/fontconfig/") or path.startswith(os.environ["HOME"] + "/.fontconfig/"))),
]

WRITE_FLAGS = ("O_WRONLY", "O_RDWR", "O_CREAT", "O_TRUNC", "O_APPEND", "O_TMPFILE")
LINE = re.compile(r"^(\d+)\s+(\w+)\((.*)$")

# Joins calls that strace split around a thread switch ("<unfinished ...>" / "<... resumed>").
lines, pending = [], {}
with open(log_path, encoding="utf-8", errors="replace") as log:
    for raw in log:
        raw = raw.rstrip("\n")
        pid = raw.split(None, 1)[0] if raw else ""
        if raw.endswith("<unfinished ...>"):
            pending[pid] = raw[: -len("<unfinished ...>")]
            continue
        resumed = re.match(r"^(\d+)\s+<\.\.\. \w+ resumed>(.*)$", raw)
        if resumed:
            lines.append(pending.pop(resumed.group(1), resumed.group(1) + " ?(") + resumed.group(2))
            continue
        lines.append(raw)


def quoted_strings(args):
    return re.findall(r'"((?:[^"\\]|\\.)*)"', args)


def absolute(path, args):
    # With -yy, a directory fd shows as 3</some/dir>: relative paths are taken against it.
    if path.startswith("/") or path.startswith("@"):
        return os.path.normpath(path) if path.startswith("/") else path
    base = re.match(r"^\s*(?:AT_FDCWD<([^>]*)>|\d+<([^>]*)>)", args)
    root = (base.group(1) or base.group(2)) if base else "."
    return os.path.normpath(os.path.join(root, path))


hits, seen_x = [], False
for line in lines:
    match = LINE.match(line)
    if not match:
        continue
    pid, call, args = match.groups()
    path, flags = "", ""
    if call in ("open", "openat", "openat2"):
        strings = quoted_strings(args)
        path = absolute(strings[0], args) if strings else "?"
        flags = args.split('", ', 1)[1] if '", ' in args else args
        if not any(flag in flags for flag in WRITE_FLAGS):
            continue
    elif call == "socket":
        if args.startswith("AF_UNIX"):
            continue  # a local socket by itself reaches nothing; its connect is checked
        path = args.split(",", 1)[0]
    elif call == "connect":
        target = re.search(r'sun_path=(@?)"((?:[^"\\]|\\.)*)"', args)
        path = (target.group(1) + target.group(2)) if target else re.sub(r"\) = .*", "", args)
        seen_x = seen_x or path.endswith(f"/tmp/.X11-unix/X{display}")
    elif call == "execve":
        strings = quoted_strings(args)
        path = strings[0] if strings else "?"
    elif call in ("creat", "rename", "renameat", "renameat2", "unlink", "unlinkat", "mkdir", "mkdirat"):
        strings = quoted_strings(args)
        path = absolute(strings[0], args) if strings else "?"
    else:
        continue
    why = next((reason for reason, allows in ALLOWED if allows(call, path, flags)), None)
    hits.append((why, line))

allowed = [(why, line) for why, line in hits if why]
refused = [line for why, line in hits if not why]
print(f"# {len(lines)} traced calls; {len(allowed)} allowed:")
for why in dict.fromkeys(why for why, _ in allowed):
    print(f"#   {sum(1 for w, _ in allowed if w == why)} x {why}")
if not seen_x:
    print("FAIL - no connection to the X server in the log: the trace did not see the program")
for line in refused:
    print(f"FAIL - {line[:400]}")
ok = seen_x and not refused
print("no writes, no network: " + ("passed" if ok else f"{len(refused)} failed"))
sys.exit(0 if ok else 1)
