#!/usr/bin/env python3
"""tintara-cli palette, read back by readers that know nothing of the
program: the GIMP palette format as GIMP documents it, a JSON parser, the
companion's own style-sheet reader for the CSS, and plain lines."""
import json
import os
import re
import subprocess
import sys
import tempfile

CLI = sys.argv[1]
failures = []


def check(condition, what):
    if not condition:
        failures.append(what)
        print('FAIL:', what)


def qsettings_text(text):
    """A text value as QSettings writes it in its INI files."""
    out = text.replace('\\', '\\\\').replace('"', '\\"').replace('\n', '\\n')
    return '"%s"' % out if any(c in text for c in ';,=') else out


# Names with quotes, semicolons, line breaks, Japanese (written as UTF-8 and,
# as older stores have it, as \x escapes), and names that collide once made
# safe for CSS.
FAVOURITES = [
    ('Say "hi"', (250, 128, 114)),
    ('a; b, c = d', (0, 0, 128)),
    ('two\nlines', (1, 2, 3)),
    ('空色', (135, 206, 235)),
    ('Sky blue', (135, 206, 234)),
    ('sky-blue', (135, 206, 233)),
    ('', (10, 20, 30)),
    ('user-3', (40, 50, 60)),
    ('}; --x: red', (70, 80, 90)),
    ('Back\\slash', (100, 110, 120)),
    ('Bad\udcffbyte', (130, 140, 150)),
]
SLOTS = [(255 - 20 * i, 10 * i, 128) for i in range(10)]

lines = ['[General]']
for i, (r, g, b) in enumerate(SLOTS):
    lines += ['R%d=%d' % (i, r), 'G%d=%d' % (i, g), 'B%d=%d' % (i, b)]
lines.append('Favorite=%d' % len(FAVOURITES))
for j, (name, (r, g, b)) in enumerate(FAVOURITES):
    if name == '空色':
        lines.append('Favorite%d=\\x7a7a\\x8272' % j)
    elif '\udcff' in name:
        # A byte that is no UTF-8, as a damaged store may hold.
        lines.append('Favorite%d=%s' % (j, name))
    else:
        lines.append('Favorite%d=%s' % (j, qsettings_text(name)))
    lines += ['FavoriteR%d=%d' % (j, r), 'FavoriteG%d=%d' % (j, g), 'FavoriteB%d=%d' % (j, b)]
# A value of a favourite beyond the count is never read.
lines += ['Favorite99=ghost', 'FavoriteR99=1']
store_text = '\n'.join(lines) + '\n'

folder = tempfile.mkdtemp()
store = os.path.join(folder, 'RGB.conf')
store_bytes = store_text.encode('utf-8', 'surrogateescape')
with open(store, 'wb') as f:
    f.write(store_bytes)
before = os.stat(store)


def palette(fmt):
    result = subprocess.run([CLI, 'palette', '--format', fmt, '--store', store],
                            capture_output=True)
    check(result.returncode == 0, '%s exits 0 (%r)' % (fmt, result.stderr))
    return result.stdout.decode('utf-8')


expected = [('User %d' % i, c, 'user') for i, c in enumerate(SLOTS)]
# Readers of these formats take UTF-8 only: a stray byte shows as U+FFFD.
expected += [(n.replace('\udcff', '\ufffd'), c, 'favourite') for n, c in FAVOURITES]

# GIMP: "GIMP Palette", then "Name:" and "Columns:" lines, comments after '#',
# then one colour a line: three decimal channels and the rest of the line as
# the name.
gpl = palette('gpl').split('\n')
check(gpl[0] == 'GIMP Palette', 'gpl magic line')
check(gpl[-1] == '', 'gpl ends in a line break')
entries = []
for line in gpl[1:-1]:
    if line.startswith('Name:') or line.startswith('Columns:') or line.startswith('#'):
        continue
    m = re.match(r'^\s*(\d+)\s+(\d+)\s+(\d+)\s*(.*)$', line)
    check(m is not None, 'gpl line %r' % line)
    if m:
        entries.append((m.group(4), tuple(int(m.group(k)) for k in (1, 2, 3))))
check(len(entries) == len(expected), 'gpl has %d colours' % len(entries))
for (name, colour), (want_name, want_colour, _) in zip(entries, expected):
    check(colour == want_colour, 'gpl colour of %r' % want_name)
    check(name == want_name.replace('\n', ' '), 'gpl name %r for %r' % (name, want_name))

# JSON, by a JSON parser.
items = json.loads(palette('json'))
check(len(items) == len(expected), 'json length')
for item, (name, (r, g, b), source) in zip(items, expected):
    check(set(item) == {'name', 'hex', 'source'}, 'json keys %r' % item)
    check(item['name'] == name, 'json name %r for %r' % (item['name'], name))
    check(item['hex'] == '#%02x%02x%02x' % (r, g, b), 'json hex of %r' % name)
    check(item['source'] == source, 'json source of %r' % name)

# CSS: one rule, one custom property a line, each name an identifier a
# style sheet accepts, each value a colour the parse verb reads.
css = palette('css')
check(css.startswith(':root {\n') and css.endswith('}\n'), 'css rule')
properties = re.findall(r'^  (--[^:\s]+): ([^;]*);$', css, re.M)
check(len(properties) == len(expected), 'css has %d properties' % len(properties))
names = [p[0] for p in properties]
check(len(set(names)) == len(names), 'css names are unique: %r' % names)
for name in names:
    check(re.fullmatch(r'--[A-Za-z0-9_\-\u0080-\U0010ffff]+', name) is not None,
          'css name %r is an identifier' % name)
check(names[:3] == ['--tintara-user-0', '--tintara-user-1', '--tintara-user-2'], 'css slot names')
check('--tintara-空色' in names, 'Japanese kept in the css names')
check('--tintara-say-hi' in names, 'quotes left out of the css names')
parsed = subprocess.run([CLI, 'parse'] + [p[1] for p in properties], capture_output=True)
check(parsed.returncode == 0, 'parse reads every css value')
for line, (_, (r, g, b), _) in zip(parsed.stdout.decode().splitlines(), expected):
    check(line == '%02x%02x%02x 1' % (r, g, b), 'css value read back as %s' % line)

# Plain lines.
check(palette('txt') == ''.join('%02x%02x%02x\n' % c for _, c, _ in expected), 'txt lines')

# Nothing was written.
after = os.stat(store)
check((after.st_mtime_ns, after.st_size) == (before.st_mtime_ns, before.st_size), 'store untouched')
with open(store, 'rb') as f:
    check(f.read() == store_bytes, 'store bytes untouched')
check(os.listdir(folder) == ['RGB.conf'], 'no file added beside the store')

sys.exit(1 if failures else 0)
