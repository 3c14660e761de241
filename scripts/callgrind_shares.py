#!/usr/bin/env python3
"""Shares of a callgrind profile's instructions per part of the server.

Usage: callgrind_shares.py [--top N] LABEL UNITS CALLGRIND_OUT [LABEL UNITS CALLGRIND_OUT ...]

Each profile is one run of bench/dravelquin_profile whose collection was
limited to one entry point (--collect-atstart=no --toggle-collect=...), and
UNITS is the number of units of work in it (gate calls, census creatures).
Instructions are attributed by the object file they executed in:

  plug-in  libdravelquin.so
  host     libversion.so, the stand-in host
  game     the driver executable, which holds the stand-in game
  system   the C and C++ runtimes and the loader

The plug-in's platform layer (platform_posix.cpp: case-insensitive comparison;
classic_narrowing.cpp: the narrowing) does in the Linux build what the
Windows runtime's _wcsicmp and the locale's narrow do on a server; its share,
part of the plug-in's, is shown on its own in the "platform" column. "plug-in
Ir" is the plug-in's own instructions per unit, platform layer included.

System code is then charged to the part whose code called into it, through
the inclusive cost of each call from a plug-in, host or game function into a
system function, so that "+sys" columns show what each part costs with the
runtime work it asks for (a std::string the plug-in builds, the game's
aligned_alloc). "unowned" is the system code that no such call accounts for:
0% unless system code called back into the project's code.
"""

import collections
import os
import re
import sys

PARTS = ("plug-in", "host", "game")
PLATFORM_SOURCES = ("platform_posix.cpp", "classic_narrowing.cpp")
COMPRESSED = re.compile(r"\((\d+)\)(?: (.*))?$")


def part_of(object_path, driver_name):
    name = os.path.basename(object_path)
    if name.startswith("libdravelquin"):
        return "plug-in"
    if name.startswith("libversion"):
        return "host"
    if name == driver_name:
        return "game"
    return "system"


class Profile:
    """Self cost per (object, function) and the inclusive cost of every call."""

    def __init__(self, path):
        self.self_cost = collections.Counter()
        self.source = {}  # (object, function) -> the source file it starts in
        self.calls = []  # (caller object, caller function, callee object, inclusive cost)
        self.command = ""
        self._names = {}
        self._read(path)

    def _name(self, kind, text):
        match = COMPRESSED.match(text)
        if not match:
            return text
        key = (kind, match.group(1))
        if match.group(2) is not None:
            self._names[key] = match.group(2)
        return self._names[key]

    def _read(self, path):
        ob = fn = fl = callee_ob = None
        pending_call = False
        with open(path, encoding="utf-8", errors="replace") as lines:
            for line in lines:
                line = line.rstrip("\n")
                if line.startswith("cmd:"):
                    self.command = line[4:].strip()
                elif line.startswith("ob="):
                    ob = self._name("ob", line[3:])
                elif line.startswith("fn="):
                    fn = self._name("fn", line[3:])
                    self.source.setdefault((ob, fn), fl)
                    callee_ob = None
                elif line.startswith("cob="):
                    callee_ob = self._name("ob", line[4:])
                elif line.startswith("cfn="):
                    self._name("fn", line[4:])
                elif line.startswith("fl="):
                    fl = self._name("fl", line[3:])
                elif line.startswith(("fi=", "fe=")):
                    self._name("fl", line[3:])
                elif line.startswith(("cfi=", "cfl=")):
                    self._name("fl", line[4:])
                elif line.startswith("calls="):
                    pending_call = True
                elif line and (line[0].isdigit() or line[0] in "+-*"):
                    fields = line.split()
                    cost = int(fields[1]) if len(fields) > 1 else 0
                    if pending_call:
                        self.calls.append((ob, fn, callee_ob or ob, cost))
                        pending_call = False
                        callee_ob = None
                    else:
                        self.self_cost[(ob, fn)] += cost


def driver_of(profile):
    return os.path.basename(profile.command.split()[0]) if profile.command else ""


def in_platform_layer(profile, ob, fn, driver):
    return (part_of(ob, driver) == "plug-in" and
            (profile.source.get((ob, fn)) or "").endswith(PLATFORM_SOURCES))


def shares(profile):
    driver = driver_of(profile)
    own = collections.Counter()
    for (ob, fn), cost in profile.self_cost.items():
        own[part_of(ob, driver)] += cost
        if in_platform_layer(profile, ob, fn, driver):
            own["platform"] += cost
    reached = collections.Counter()
    for caller_ob, caller_fn, callee_ob, cost in profile.calls:
        caller = part_of(caller_ob, driver)
        if caller == "system" or part_of(callee_ob, driver) != "system":
            continue
        if profile.self_cost[(caller_ob, caller_fn)] == 0:
            continue  # a caller outside the collected entry point
        reached[caller] += cost
    return own, reached


def percent(part, total):
    return 100.0 * part / total if total else 0.0


def print_table(rows):
    header = ("{:<18} {:>7} {:>11} {:>11} | {:>8} {:>9} {:>6} {:>6} {:>7} | {:>12} {:>9} {:>9} "
              "{:>8}".format("profile", "units", "Ir per unit", "plug-in Ir", "plug-in",
                             "platform", "host", "game", "system", "plug-in+sys", "host+sys",
                             "game+sys", "unowned"))
    print(header)
    print("-" * len(header))
    for label, units, own, reached in rows:
        total = sum(own[part] for part in PARTS + ("system",))
        unowned = own["system"] - sum(reached.values())
        print("{:<18} {:>7} {:>11,.0f} {:>11,.0f} | {:>7.1f}% {:>8.1f}% {:>5.1f}% {:>5.1f}% "
              "{:>6.1f}% | {:>11.1f}% {:>8.1f}% {:>8.1f}% {:>7.1f}%".format(
                  label, units, total / units, own["plug-in"] / units,
                  *(percent(own[part], total)
                    for part in ("plug-in", "platform", "host", "game", "system")),
                  *(percent(own[part] + reached[part], total) for part in PARTS),
                  percent(unowned, total)))


def print_top(label, profile, count):
    driver = driver_of(profile)
    total = sum(profile.self_cost.values())
    print("\n{}: the {} functions with the most instructions of their own".format(label, count))
    for (ob, fn), cost in profile.self_cost.most_common(count):
        part = "platform" if in_platform_layer(profile, ob, fn, driver) else part_of(ob, driver)
        print("  {:>5.1f}%  {:<8} {}".format(percent(cost, total), part, fn[:110]))


def main(arguments):
    top = 0
    if arguments[:1] == ["--top"]:
        top = int(arguments[1])
        arguments = arguments[2:]
    if not arguments or len(arguments) % 3 != 0:
        sys.exit(__doc__)
    rows = []
    profiles = []
    for index in range(0, len(arguments), 3):
        label, units, path = arguments[index], int(arguments[index + 1]), arguments[index + 2]
        profile = Profile(path)
        own, reached = shares(profile)
        rows.append((label, units, own, reached))
        profiles.append((label, profile))
    print_table(rows)
    if top:
        for label, profile in profiles:
            print_top(label, profile, top)


if __name__ == "__main__":
    main(sys.argv[1:])
