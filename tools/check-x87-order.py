#!/usr/bin/env python3
"""Checks, in the machine code of the calculation core, that every x87 instruction
whose result depends on the control word runs while the core's own control word is
set, never under the caller's.

    tools/check-x87-order.py [--show] LIBRARY.a

LIBRARY is the core library of an i686 build (build/win32/core/libostrafel_core.a).

Every function that loads the control word (fldcw) is an entry: the check walks each
of its paths from the first instruction, the caller's state in force; each fldcw
switches between the caller's state and the core's. On every path:
  - an instruction whose result depends on the precision or rounding control
    (arithmetic, square root, rounding to an integer, stores to 32- or 64-bit
    memory) and a call to a function of the library that holds one, runs only
    while the core's state is in force;
  - the caller's state is back when the function returns.
Functions without fldcw that hold such instructions may be called only from there;
the ones other code can call must say so in their name ("InScope"). With --show,
the disassembly of each entry is printed too.
"""
import re
import subprocess
import sys
from collections import defaultdict

OBJDUMP = "i686-w64-mingw32-objdump"

# Precision control applies to these; rounding control to them and to every store
# or load that rounds (Intel SDM vol. 1, 8.1.5).
ARITHMETIC = re.compile(
    r"^f(i?(add|sub|subr|mul|div|divr)[slq]?p?|sqrt|rndint|scale|prem1?|"
    r"2xm1|yl2x|yl2xp1|sin|cos|sincos|ptan|patan|"
    r"ldl2t|ldl2e|ldpi|ldlg2|ldln2)$"
)
ROUNDING_STORE = re.compile(r"^f(st|stp)[sl]$|^fistp?[sl]?l?$|^fistp?ll$|^fistp?q$")

FUNCTION = re.compile(r"^([0-9a-f]+) <(.*)>:$")
INSTRUCTION = re.compile(r"^\s*([0-9a-f]+):\s+(\S+)\s*(.*)$")
RELOCATION = re.compile(r"^\s*([0-9a-f]+):\s+(DISP32|dir32|secrel32)\s+(.*)$")
TARGET = re.compile(r"^([0-9a-f]+) <(.*)>$")


def sensitive(mnemonic):
    return bool(ARITHMETIC.match(mnemonic) or ROUNDING_STORE.match(mnemonic))


def abi_moves(code):
    """Indexes of the stores that take a float or double result off the x87 stack
    right after a call: the i386 calling convention returns it there, already of its
    type, so the store is exact under any control word."""
    return {i for i in range(1, len(code))
            if code[i - 1][1].startswith("call") and re.match(r"^fstp[sl]$", code[i][1])}


class Function:
    def __init__(self, name):
        self.name = name
        self.code = []  # (address, mnemonic, operands, call target or None)

    def rounding(self):
        """Indexes of the instructions whose result depends on the control word."""
        moves = abi_moves(self.code)
        return {i for i, (_, m, _, _) in enumerate(self.code) if sensitive(m) and i not in moves}

    def addresses(self):
        return {a for a, *_ in self.code}


def disassemble(library):
    output = subprocess.run(
        [OBJDUMP, "-d", "-r", "-C", "--no-show-raw-insn", library],
        check=True, capture_output=True, text=True).stdout
    functions = {}
    current = None
    for line in output.splitlines():
        m = FUNCTION.match(line)
        if m:
            current = functions.setdefault(m.group(2), Function(m.group(2)))
            continue
        if current is None:
            continue
        r = RELOCATION.match(line)
        if r and current.code:
            address, mnemonic, operands, _ = current.code[-1]
            if mnemonic.startswith("call") or mnemonic.startswith("jmp"):
                # The symbol of a call to another section or object.
                symbol = r.group(3).strip()
                current.code[-1] = (address, mnemonic, operands, symbol)
            continue
        m = INSTRUCTION.match(line)
        if m:
            current.code.append((int(m.group(1), 16), m.group(2), m.group(3).strip(), None))
    return functions


def branch_target(operands):
    m = TARGET.match(operands)
    return (int(m.group(1), 16), m.group(2)) if m else None


def call_name(function, operands, symbol):
    """The function a call or tail jump goes to, or None for a jump inside."""
    target = branch_target(operands)
    if target and "+0x" not in target[1] and target[1] != function.name:
        return target[1]
    if symbol:
        return symbol
    if target and target[1].split("+0x")[0] != function.name:
        return target[1].split("+0x")[0]
    return None


def holds_sensitive(functions):
    """Names of the functions without fldcw that run sensitive code, directly or by calls."""
    direct = set()
    calls = defaultdict(set)
    for f in functions.values():
        if any(m == "fldcw" for _, m, _, _ in f.code):
            continue
        rounding = f.rounding()
        for i, (_, mnemonic, operands, symbol) in enumerate(f.code):
            if i in rounding:
                direct.add(f.name)
            elif mnemonic.startswith("call") or mnemonic.startswith("jmp"):
                name = call_name(f, operands, symbol)
                if name:
                    calls[f.name].add(name)
    result = set(direct)
    changed = True
    while changed:
        changed = False
        for caller, callees in calls.items():
            if caller not in result and callees & result:
                result.add(caller)
                changed = True
    return result


def check_entry(function, sensitive_functions):
    """Faults found on the paths of one function that switches the control word."""
    index = {a: i for i, (a, *_) in enumerate(function.code)}
    rounding = function.rounding()
    faults = []
    seen = set()
    stack = [(0, False)]  # (instruction index, the core's state in force)
    while stack:
        i, ours = stack.pop()
        if (i, ours) in seen or i >= len(function.code):
            continue
        seen.add((i, ours))
        address, mnemonic, operands, symbol = function.code[i]
        where = f"{function.name}+{address - function.code[0][0]:#x}: {mnemonic} {operands}"
        if mnemonic == "fldcw":
            stack.append((i + 1, not ours))
            continue
        if i in rounding and not ours:
            faults.append(f"under the caller's control word: {where}")
        if mnemonic.startswith("call"):
            name = call_name(function, operands, symbol)
            if name in sensitive_functions and not ours:
                faults.append(f"called under the caller's control word: {where}")
            stack.append((i + 1, ours))
            continue
        if mnemonic.startswith("ret"):
            if ours:
                faults.append(f"returns with the core's control word: {where}")
            continue
        if mnemonic.startswith("j"):
            target = branch_target(operands)
            inside = target and target[0] in index and target[1].split("+0x")[0] == function.name
            if mnemonic.startswith("jmp"):
                if inside:
                    stack.append((index[target[0]], ours))
                elif operands.startswith("*"):
                    faults.append(f"a jump the check cannot follow: {where}")
                else:  # a tail call
                    if call_name(function, operands, symbol) in sensitive_functions and not ours:
                        faults.append(f"called under the caller's control word: {where}")
                    if ours:
                        faults.append(f"leaves with the core's control word: {where}")
                continue
            if inside:
                stack.append((index[target[0]], ours))
            stack.append((i + 1, ours))
            continue
        stack.append((i + 1, ours))
    # Code that no jump reaches runs only when an exception unwinds: it may switch
    # back, but must not compute.
    reached = {i for i, _ in seen}
    for i, (address, mnemonic, operands, _) in enumerate(function.code):
        if i not in reached and i in rounding:
            faults.append(f"unreached code computes: {function.name}: {mnemonic} {operands}")
    return faults


def main(argv):
    show = "--show" in argv
    args = [a for a in argv if a != "--show"]
    if len(args) != 1:
        print(__doc__.strip().splitlines()[2].strip(), file=sys.stderr)
        return 2
    functions = disassemble(args[0])
    sensitive_functions = holds_sensitive(functions)
    entries = [f for f in functions.values() if any(m == "fldcw" for _, m, _, _ in f.code)]
    faults = []
    for entry in sorted(entries, key=lambda f: f.name):
        entry_faults = check_entry(entry, sensitive_functions)
        faults += entry_faults
        switches = sum(1 for _, m, _, _ in entry.code if m == "fldcw")
        computes = len(entry.rounding())
        calls = sorted({call_name(entry, o, s) for _, m, o, s in entry.code
                        if m.startswith("call") and call_name(entry, o, s) in sensitive_functions})
        print(f"{'ok   ' if not entry_faults else 'FAULT'} {entry.name}: {switches} fldcw, "
              f"{computes} x87 instructions that round"
              + (f", calls {', '.join(calls)}" if calls else ""))
        if show:
            rounding = entry.rounding()
            for i, (address, mnemonic, operands, _) in enumerate(entry.code):
                mark = "  <-- switch" if mnemonic == "fldcw" else (
                    "  <-- rounds" if i in rounding else "")
                print(f"    {address:6x}: {mnemonic:8} {operands}{mark}")
    # Functions that compute without switching: every call from an entry was checked
    # above; calls from anywhere else are faults, and public ones say what they need.
    for f in functions.values():
        if f in entries:
            continue
        for _, mnemonic, operands, symbol in f.code:
            if mnemonic.startswith("call") or mnemonic.startswith("jmp"):
                name = call_name(f, operands, symbol)
                if name in sensitive_functions and f.name not in sensitive_functions:
                    faults.append(f"{f.name} calls {name} without switching")
    for name in sorted(sensitive_functions):
        public = "anonymous namespace" not in name and not name.startswith("std::")
        if public and "InScope" not in name:
            faults.append(f"{name} computes under whatever control word it finds, "
                          f"yet its name does not say so")
    if not entries:
        faults.append("no function switches the control word: is this the core library?")
    for fault in faults:
        print("FAULT", fault)
    print(f"check-x87-order: {len(entries)} functions switch the control word, "
          f"{len(sensitive_functions)} compute only under a switch; "
          f"{'no fault' if not faults else f'{len(faults)} faults'}")
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
