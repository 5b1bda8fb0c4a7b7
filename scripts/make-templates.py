#!/usr/bin/env python3
"""Writes the protocol templates of Template/ (RTF, Windows-1251 escapes).

    scripts/make-templates.py [OUTPUT_DIR]      (default: Template/ of the repository)

The templates carry the markers the program fills: report variables (\\judge\\, \\fn12\\),
fields of the datasets passed in alias order (\\A.NAME\\) and scan blocks (\\SCAN(C)\\ ...
\\ENDSCAN\\) around the table rows that repeat. Each template names in a comment at its top
which datasets it expects. The output is committed; run this again after changing it.
"""

import os
import sys

PORTRAIT = (11906, 16838)
LANDSCAPE = (16838, 11906)
MARGIN = 720


def esc(text):
    """Plain text as RTF: Cyrillic as \\'XX (Windows-1251), RTF specials escaped."""
    out = []
    for ch in text:
        if ch in '\\{}':
            out.append('\\' + ch)
        elif ord(ch) < 128:
            out.append(ch)
        else:
            out.append(''.join("\\'%02x" % b for b in ch.encode('cp1251')))
    return ''.join(out)


def m(name):
    """A marker as the author types it: \\name\\ (each backslash escaped in RTF)."""
    return '\\\\' + name + '\\\\'


class Doc:
    def __init__(self, landscape=False, size=20):
        self.width, self.height = LANDSCAPE if landscape else PORTRAIT
        self.landscape = landscape
        self.size = size
        self.parts = []

    @property
    def text_width(self):
        return self.width - 2 * MARGIN

    def raw(self, rtf):
        self.parts.append(rtf)

    def par(self, content, align='ql', bold=False, size=None, space_before=0, space_after=0):
        size = size or self.size
        self.parts.append('\\pard\\plain\\%s\\sb%d\\sa%d\\f0\\fs%d%s %s%s\\par\n' % (
            align, space_before, space_after, size, '\\b' if bold else '', content,
            '\\b0' if bold else ''))

    def keyword(self, text):
        """A scan keyword on a line of its own (the engine drops that line)."""
        self.parts.append('\\pard\\plain\\f0\\fs%d %s\\par\n' % (self.size, m(text)))

    def row(self, cells, size=None, bold=False, height=0):
        """One table row; cells are (width, content, options) with options among
        'c' (centred), 'r' (right), 'black' (shaded), 'first'/'merged' (vertical merge)."""
        size = size or self.size
        defs, body, right = [], [], 0
        for width, content, opts in cells:
            right += width
            d = ''.join('\\clbrdr%s\\brdrs\\brdrw10' % side for side in 'tlbr')
            if 'black' in opts:
                d += '\\clcbpat1\\clshdng10000'
            if 'first' in opts:
                d += '\\clvmgf'
            if 'merged' in opts:
                d += '\\clvmrg'
            d += '\\clvertalc\\cellx%d' % right
            defs.append(d)
            align = '\\qc' if 'c' in opts else '\\qr' if 'r' in opts else '\\ql'
            body.append('\\pard\\plain\\intbl%s\\f0\\fs%d%s %s\\cell' % (
                align, size, '\\b' if bold else '', content if 'merged' not in opts else ''))
        trh = '\\trrh%d' % height if height else ''
        self.parts.append('\\trowd\\trgaph40\\trleft0\\trqc%s%s\n%s\n\\row\n' % (
            trh, ''.join(defs), '\n'.join(body)))

    def rtf(self, comment):
        orient = '\\landscape' if self.landscape else ''
        head = ('{\\rtf1\\ansi\\ansicpg1251\\deff0\\deflang1049'
                '{\\fonttbl{\\f0\\fswiss\\fcharset204 Arial;}}'
                '{\\colortbl;\\red0\\green0\\blue0;\\red255\\green255\\blue255;}\n'
                '{\\info{\\comment %s}}\n'
                '\\paperw%d\\paperh%d\\margl%d\\margr%d\\margt%d\\margb%d%s\\sectd%s\n' % (
                    esc(comment), self.width, self.height, MARGIN, MARGIN, MARGIN, MARGIN,
                    orient, '\\lndscpsxn' if self.landscape else ''))
        return head + ''.join(self.parts) + '}\n'


def heading(doc, comp, aspect, title, tour=None):
    """The competition's three heading lines, its name, venue and dates, the aspect, the tour."""
    for line in ('NAME1', 'NAME2', 'NAME3'):
        doc.par(m(comp + '.' + line), 'qc', bold=True, size=doc.size + 2)
    doc.par(m(comp + '.NAME'), 'qc', bold=True, size=doc.size + 6, space_before=60)
    doc.raw('\\pard\\plain\\tqr\\tx%d\\sb60\\f0\\fs%d %s\\tab %s %s %s\\par\n' % (
        doc.text_width, doc.size, m(comp + '.PLACE'), m(comp + '.DATA1'), esc('–'),
        m(comp + '.DATA2')))
    doc.par(m(aspect + '.NAME'), 'qc', bold=True, size=doc.size + 4, space_before=120)
    if tour:
        doc.par(m(tour + '.NAME_TOUR'), 'qc', size=doc.size + 2)
    doc.par(esc(title), 'qc', bold=True, size=doc.size + 4, space_before=120, space_after=120)


def signatures(doc):
    tabs = '\\tx3000\\tx6500'
    for role, name, org in (('Главный судья', 'judge', 'j_org'),
                            ('Главный секретарь', 'secr', 's_org')):
        doc.raw('\\pard\\plain%s\\sb360\\f0\\fs%d %s\\tab %s\\tab %s (%s)\\par\n' % (
            tabs, doc.size, esc(role), esc('________________'), m(name), m(org)))


def columns(doc, spec):
    """Scales the widths of a column list to the page."""
    total = sum(w for w, _ in spec)
    return [(doc.text_width * w // total, t) for w, t in spec]


def list_template(title, data, fields, with_tour=False):
    doc = Doc()
    heading(doc, 'A', 'B', title, 'C' if with_tour else None)
    cols = columns(doc, [(w, t) for w, t, _ in fields])
    doc.row([(w, esc(t), 'c') for w, t in cols], bold=True)
    doc.keyword('SCAN(%s),noeof,CTS(%s.%s,ROWNO)' % (data, data, fields[1][2] or 'PLACE'))
    cells = []
    for (w, _), (_, _, field) in zip(cols, fields):
        content = m('ROWNO') if field is None else m(data + '.' + field)
        cells.append((w, content, 'c' if field is None or field in NUMERIC else ''))
    doc.row(cells)
    doc.keyword('ENDSCAN')
    signatures(doc)
    return doc


def pool_sheet(k, bouts):
    doc = Doc(landscape=True, size=22)
    for line in ('NAME1', 'NAME2', 'NAME3'):
        doc.par(m('A.' + line), 'qc', bold=True, size=20)
    doc.par(m('A.NAME'), 'qc', bold=True, size=26)
    doc.raw('\\pard\\plain\\tqr\\tx%d\\f0\\fs22 %s\\tab %s %s %s\\par\n' % (
        doc.text_width, m('A.PLACE'), m('A.DATA1'), esc('–'), m('A.DATA2')))
    doc.par(m('B.NAME') + esc('. ') + m('C.NAME_TOUR'), 'qc', bold=True, size=26,
            space_before=120)
    doc.par(esc('Группа № ') + m('D.NUM_GROUP') + esc('          Дорожка ______     Время ______'),
            'qc', bold=True, size=28, space_before=60, space_after=120)
    score = 650
    fixed = 500 + 3600 + 1900 + 5 * 750
    name_w = doc.text_width - fixed - k * score
    head = [(500, esc('№'), 'c'), (3600 + name_w, esc('Фамилия, имя'), 'c'),
            (1900, esc('Организация'), 'c')]
    head += [(score, str(j), 'c') for j in range(1, k + 1)]
    head += [(750, esc(t), 'c') for t in ('Поб.', 'НУ', 'ПУ', 'НУ-ПУ', 'Место')]
    doc.row(head, bold=True)
    for i in range(1, k + 1):
        cells = [(500, str(i), 'c'), (3600 + name_w, m('fn%d' % i), ''), (1900, m('o%d' % i), '')]
        cells += [(score, '', 'c black' if j == i else 'c') for j in range(1, k + 1)]
        cells += [(750, '', 'c')] * 5
        doc.row(cells, size=24, height=560)
    doc.par(esc('Порядок боёв:'), bold=True, space_before=240)
    per_line = 9 if len(bouts) > 20 else len(bouts)
    for start in range(0, len(bouts), per_line):
        chunk = bouts[start:start + per_line]
        doc.par('   '.join('%d) %s' % (start + n + 1, b) for n, b in enumerate(chunk)))
    doc.raw('\\pard\\plain\\tx3500\\tx9000\\sb360\\f0\\fs22 %s\\tab %s (%s)\\tab %s\\par\n' % (
        esc('Старший судья:'), m('D.famnamej'), m('D.orgj'),
        esc('Судьи: ______________   ______________')))
    return doc


def pool_tour():
    doc = Doc(landscape=True, size=18)
    heading(doc, 'C', 'D', 'Результаты предварительного тура', 'E')
    widths = [450, 3300, 1500] + [520] * 9 + [560, 560, 560, 700, 800]
    scale = doc.text_width / sum(widths)
    widths = [int(w * scale) for w in widths]
    titles = ['№', 'Фамилия, имя', 'Организация'] + [str(i) for i in range(1, 10)] + [
        'Поб.', 'НУ', 'ПУ', 'НУ-ПУ', 'Коэф.']
    doc.keyword('SCAN(F)')
    doc.par(esc('Группа № ') + m('F.NUM_GROUP') + esc(', участников: ') + m('F.KOL'),
            bold=True, size=22, space_before=200, space_after=60)
    doc.row([(w, esc(t), 'c') for w, t in zip(widths, titles)], bold=True)
    doc.keyword('SCAN(A)')
    fields = ['NUM_START', None, 'ORG'] + ['F%d' % i for i in range(1, 10)] + [
        'VICTORY', 'PRICK', 'PRICK_PASS', 'NUPU', 'VIC_FIGHT_A']
    cells = []
    for w, f in zip(widths, fields):
        if f is None:
            cells.append((w, m('A.SURNAME') + ' ' + m('A.NAME'), ''))
        else:
            cells.append((w, m('A.' + f), '' if f == 'ORG' else 'c'))
    doc.row(cells)
    doc.keyword('ENDSCAN')
    doc.keyword('ENDSCAN')
    signatures(doc)
    return doc


def seeding(n):
    """Start numbers pair by pair for a table of n (the first circle's order)."""
    order = [1]
    size = 1
    while size < n // 2:
        nxt = []
        for i, s in enumerate(order):
            pair = (s, 2 * size + 1 - s) if i % 2 == 0 else (2 * size + 1 - s, s)
            nxt.extend(pair)
        order, size = nxt, size * 2
    pairs = []
    for s in order:
        a, b = s, n + 1 - s
        pairs.append((a, b) if a % 2 == 1 else (b, a))
    return pairs


def entrant(var):
    """One entrant of a bracket cell: name, organization, touches."""
    return '%s {\\i %s} \\b %s\\b0' % (m('fn' + var), m('o' + var), m('p' + var))


def bracket(title, first_by_start, n, later, landscape=None):
    """A bracket: circle 1 of n positions, then circles of halving size (families 1, 2 ...)
    each cell spanning the two cells of the previous circle it is decided from."""
    rows_total = n
    size = 14 if n >= 64 else 16 if n >= 32 else 18
    doc = Doc(landscape=True if landscape is None else landscape, size=size)
    heading(doc, 'A', 'B', title, 'C')
    cols = 1 + len(later)
    width = doc.text_width // cols
    if first_by_start:
        first = [s for pair in seeding(n) for s in pair]
        first_vars = [str(s) for s in first]
        starts = first
    else:
        first_vars = [str(k) for k in range(1, n + 1)]
        starts = [None] * n
    head = [(width, esc('Круг 1' if first_by_start else 'Круг'), 'c')]
    for family, (label, _) in enumerate(later, start=1):
        head.append((width, esc(label), 'c'))
    doc.row(head, bold=True)
    for r in range(rows_total):
        label = ('%d. ' % starts[r]) if starts[r] else ''
        cells = [(width, label + entrant(first_vars[r]), '')]
        for family, (_, count) in enumerate(later, start=1):
            span = rows_total // count
            pos = r // span + 1
            opts = 'first' if r % span == 0 else 'merged'
            if span == 1:
                opts = ''
            cells.append((width, entrant('%d_%d' % (family, pos)), opts))
        doc.row(cells)
    signatures(doc)
    return doc


def last_sixteen(title, by_start):
    """The last-sixteen stage of a table with repechage: four circles side by side."""
    doc = Doc(landscape=True, size=16)
    heading(doc, 'A', 'B', title, 'C')
    width = doc.text_width // 4
    doc.row([(width, esc(t), 'c') for t in (
        'Круг 1/8 финала', 'Круг 1/4 финала и утешение', 'Утешение', 'Полуфинальный отбор')],
        bold=True)
    if by_start:
        first = [str(s) for pair in seeding(16) for s in pair]
    else:
        first = [str(k) for k in range(1, 17)]
    for r in range(16):
        cells = [(width, entrant(first[r]), ''), (width, entrant('1_%d' % (r + 1)), '')]
        for family in (2, 3):
            cells.append((width, entrant('%d_%d' % (family, r // 2 + 1)),
                          'first' if r % 2 == 0 else 'merged'))
        doc.row(cells)
    signatures(doc)
    return doc


def final():
    doc = Doc(size=20)
    heading(doc, 'B', 'C', 'Финал', 'D')
    width = doc.text_width // 3
    doc.row([(width, esc(t), 'c') for t in ('1/4 финала', '1/2 финала', 'Финал / за 3 место')],
            bold=True)
    for r in range(8):
        cells = [(width, entrant(str(r + 1)), '')]
        cells.append((width, entrant('1_%d' % (r // 2 + 1)), 'first' if r % 2 == 0 else 'merged'))
        cells.append((width, entrant('2_%d' % (r // 2 + 1)), 'first' if r % 2 == 0 else 'merged'))
        doc.row(cells)
    doc.par(esc('Победитель: ') + m('fn3_1') + ' (' + m('o3_1') + ')', bold=True, size=24,
            space_before=240)
    doc.par(esc('Третье место: ') + m('fn3_2') + ' ' + m('o3_2'), size=22)
    doc.par(esc('Первые восемь мест'), 'qc', bold=True, size=24, space_before=240,
            space_after=60)
    cols = columns(doc, [(900, 'Место'), (4200, 'Фамилия, имя'), (2000, 'Организация'),
                         (2000, 'Город')])
    doc.row([(w, esc(t), 'c') for w, t in cols], bold=True)
    doc.keyword('SCAN(A),noeof')
    fields = ['PLACE', 'famname', 'org', 'CITY']
    doc.row([(w, m('A.' + f), 'c' if f == 'PLACE' else '') for (w, _), f in zip(cols, fields)])
    doc.keyword('ENDSCAN')
    signatures(doc)
    return doc


NUMERIC = {'CLASSIFICATION', 'START', 'PLACE', 'FIGHT', 'VICTORY', 'PRICK', 'PRICK_PASS', 'NUPU',
           'BIRTHDAY'}

BOUTS = {
    4: '1-4, 2-3, 1-3, 2-4, 3-4, 1-2',
    5: '1-2, 3-4, 5-1, 2-3, 5-4, 1-3, 2-5, 4-1, 3-5, 4-2',
    6: '1-2, 4-5, 2-3, 5-6, 3-1, 6-4, 2-5, 1-4, 5-3, 1-6, 4-2, 3-6, 5-1, 3-4, 6-2',
    7: '1-4, 2-5, 3-6, 7-1, 5-4, 2-3, 6-7, 5-1, 4-3, 6-2, 5-7, 3-1, 4-6, 7-2, 3-5, 1-6, 2-4, '
       '7-3, 6-5, 1-2, 4-7',
    8: '2-3, 1-5, 7-4, 6-8, 1-2, 3-4, 5-6, 8-7, 4-1, 5-2, 8-3, 6-7, 4-2, 8-1, 7-5, 3-6, 2-8, '
       '5-4, 6-1, 3-7, 4-8, 2-6, 3-5, 1-7, 4-6, 8-5, 7-2, 1-3',
    9: '1-9, 2-8, 3-7, 4-6, 1-5, 2-9, 8-3, 7-4, 6-5, 1-2, 9-3, 8-4, 7-5, 6-1, 3-2, 9-4, 5-8, '
       '7-6, 3-1, 2-4, 5-9, 8-6, 7-1, 4-3, 5-2, 6-9, 8-7, 4-1, 5-3, 6-2, 9-7, 1-8, 4-5, 3-6, '
       '2-7, 9-8',
}

PART_FIELDS = [(500, '№', None), (2600, 'Фамилия', 'SURNAME'), (2000, 'Имя', 'NAME'),
               (1600, 'Организация', 'ORG'), (800, 'Кл-ция', 'CLASSIFICATION'),
               (800, 'Старт', 'START')]
RESULT_FIELDS = [(700, 'Место', 'PLACE'), (2400, 'Фамилия', 'SURNAME'), (1800, 'Имя', 'NAME'),
                 (1500, 'Организация', 'ORG'), (650, 'Боев', 'FIGHT'), (650, 'Побед', 'VICTORY'),
                 (600, 'НУ', 'PRICK'), (600, 'ПУ', 'PRICK_PASS')]
FINAL_FIELDS = [(700, 'Место', 'PLACE'), (3200, 'Фамилия, имя', 'FAMNAME'),
                (1500, 'Организация', 'ORG_SHORT'), (1100, 'Разряд', 'STATE'),
                (1300, 'Дата рожд.', 'BIRTHDAY'), (650, 'Боев', 'FIGHT'),
                (650, 'Побед', 'VICTORY'), (700, 'НУ-ПУ', 'NUPU'), (700, 'Кл-ция', 'CLASSIFICATION')]


def templates():
    lists = 'A: T_COMP, B: T_ASPECT, C: the participants'
    results = 'A: T_COMP, B: T_ASPECT, C: T_VT, D: the participants'
    tables = 'A: T_COMP, B: T_ASPECT, C: T_VT; variables judge, j_org, secr, s_org, fn/o/p...'
    yield 'СПИСОКУЧАСТНИКОВ_ФАМ', lists, list_template(
        'Список участников', 'C', PART_FIELDS)
    yield 'СПИСОКУЧАСТНИКОВ_ОРГ', lists, list_template(
        'Список участников по организациям', 'C',
        [PART_FIELDS[0], PART_FIELDS[3], PART_FIELDS[1], PART_FIELDS[2]] + PART_FIELDS[4:])
    yield 'ПРЕДВАРИТЕЛЬНЫЙРЕЙТИНГУЧАСТНИКОВ', lists, list_template(
        'Предварительный рейтинг участников', 'C',
        [(800, 'Кл-ция', 'CLASSIFICATION'), PART_FIELDS[1], PART_FIELDS[2], PART_FIELDS[3],
         PART_FIELDS[5]])
    yield 'РЕЗУЛЬТАТЫПРЕДВАРИТЕЛЬНОГОТУРА', results, list_template(
        'Результаты тура', 'D', RESULT_FIELDS, with_tour=True)
    yield 'ОКОНЧАТЕЛЬНЫЕРЕЗУЛЬТАТЫ', results, list_template(
        'Окончательные результаты', 'D', FINAL_FIELDS)
    for k in range(4, 10):
        yield 'ПРЕДВАРИТЕЛЬНЫЙТУР_%d' % k, (
            'A: T_COMP, B: T_ASPECT, C: T_VT, D: TOUR_PR; variables fn1..fn%d, o1..o%d' % (k, k)
        ), pool_sheet(k, BOUTS[k].split(', '))
    yield 'ПРЕДВАРИТЕЛЬНЫЕТУРЫ', (
        'A: the score rows, B: REZ_TOUR, C: T_COMP, D: T_ASPECT, E: T_VT, F: TOUR_PR'), pool_tour()
    for n in (128, 64, 32, 16):
        later, m_ = [], n // 2
        while m_ >= 8:
            later.append(('Круг %d' % (len(later) + 2), m_))
            m_ //= 2
        yield 'ОЛИМП%d' % n, tables, bracket(
            'Результаты тура прямого выбывания', True, n, later,
            landscape=n >= 32)
    for n in (128, 64, 32):
        later, m_ = [], n // 2
        while m_ >= 16:
            later.append(('Круг %d' % (len(later) + 2), m_))
            m_ //= 2
        yield 'ОЛИМПУТЕШ%d' % n, tables, bracket(
            'Результаты тура прямого выбывания с утешением до 16', True, n, later,
            landscape=n >= 32)
    yield 'ОЛИМПУТЕШ16', tables, last_sixteen(
        'Результаты тура прямого выбывания с утешением: 16 сильнейших', True)
    yield 'ОЛИМПУТЕШ16_1', tables, last_sixteen(
        'Результаты тура прямого выбывания с утешением: 16 сильнейших', False)
    yield 'ОЛИМПФИНАЛ', 'A: the first eight places, B: T_COMP, C: T_ASPECT, D: T_VT', final()


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, '..', 'Template')
    os.makedirs(out, exist_ok=True)
    for kind, datasets, doc in templates():
        path = os.path.join(out, 'ЛС_ВИД_%s.rtf' % kind)
        with open(path, 'w', encoding='ascii', newline='\r\n') as f:
            f.write(doc.rtf('Vintrel protocol template. Datasets: ' + datasets))
    print('templates written to', os.path.normpath(out))


if __name__ == '__main__':
    main()
