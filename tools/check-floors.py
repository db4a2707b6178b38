#!/usr/bin/env python3
"""Checks that the framework's folders stand as floors.

The floors and what each may use are declared once, in platform/CMakeLists.txt
(qm_floor(NAME DEPENDS ...)), and the units' in package/CMakeLists.txt (qm_unit). This
check reads both and fails when
  - the declared floors depend on each other in a circle, or
  - a file of a floor includes a header of a floor that the floor does not reach through
    its declared dependencies (an upward or sideways include), or
  - a unit includes a header of another unit.
The build refuses such an include as well; this check names them all at once, with the
file and line, and also catches includes that only compile by way of another target.

    tools/check-floors.py [ROOT]
"""
import os
import re
import sys

root = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), '..')
include = re.compile(r'^\s*#\s*include\s+"([A-Za-z0-9_]+)/[^"]+"', re.M)


def declarations(path, function):
    """NAME -> [dependency names] from calls `function(NAME DEPENDS a b ...)`."""
    text = re.sub(r'#[^\n]*', '', open(path).read())
    decls = {}
    for m in re.finditer(function + r'\(\s*([A-Za-z0-9_]+)([^)]*)\)', text):
        words = m.group(2).split()
        deps = []
        if 'DEPENDS' in words:
            for w in words[words.index('DEPENDS') + 1:]:
                if w.isupper():
                    break
                deps.append(w)
        decls[m.group(1)] = deps
    return decls


def closure(graph, start):
    seen, todo = set(), list(graph.get(start, []))
    while todo:
        n = todo.pop()
        if n not in seen:
            seen.add(n)
            todo.extend(graph.get(n, []))
    return seen


def find_cycle(graph):
    state, stack = {}, []

    def visit(u):
        state[u] = 1
        stack.append(u)
        for v in graph.get(u, []):
            if state.get(v) == 1:
                return stack[stack.index(v):] + [v]
            if v not in state:
                found = visit(v)
                if found:
                    return found
        state[u] = 2
        stack.pop()
        return None

    for u in graph:
        if u not in state:
            found = visit(u)
            if found:
                return found
    return None


def includes(folder):
    for dirpath, _, files in os.walk(folder):
        for f in sorted(files):
            if f.endswith(('.h', '.cpp')):
                path = os.path.join(dirpath, f)
                text = open(path, errors='replace').read()
                for m in include.finditer(text):
                    line = text.count('\n', 0, m.start()) + 1
                    yield os.path.relpath(path, root), line, m.group(1)


problems = []
floors = declarations(os.path.join(root, 'platform', 'CMakeLists.txt'), 'qm_floor')
cycle = find_cycle(floors)
if cycle:
    problems.append('the floors depend on each other in a circle: ' + ' -> '.join(cycle))
for floor in floors:
    allowed = closure(floors, floor) | {floor}
    for path, line, target in includes(os.path.join(root, 'platform', floor)):
        if target in floors and target not in allowed:
            problems.append(f'{path}:{line}: floor "{floor}" includes "{target}/", '
                            f'which it does not stand on')

# The units stand on the framework; only the package unit, which holds them, sees the others.
units = declarations(os.path.join(root, 'package', 'CMakeLists.txt'), 'qm_unit')
unit_graph = {u: [d[len('qm_unit_'):] for d in deps if d.startswith('qm_unit_')]
              for u, deps in units.items()}
for unit in units:
    allowed = closure(unit_graph, unit) | {unit}
    for path, line, target in includes(os.path.join(root, unit)):
        if target in units and target not in allowed:
            problems.append(f'{path}:{line}: unit "{unit}" includes "{target}/"')

if not floors:
    problems.append('no floors declared in platform/CMakeLists.txt')
for p in problems:
    print(p)
if problems:
    sys.exit(1)
print(f'floors: {len(floors)} floors and {len(units)} units, no circle and no upward include')
