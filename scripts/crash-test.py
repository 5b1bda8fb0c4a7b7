#!/usr/bin/env python3
"""Kills vintrel-cli (SIGKILL) at random moments of the commands that write much at once, and
checks after each kill that the database is whole and that the command left all or nothing.

    scripts/crash-test.py VINTREL_CLI [--kills N] [--draw N]   (N of --draw repeats a run)

Commands and what "all or nothing" means for each:
  distribute       the first tour's score rows: none, or one per participant of the tour
  group-totals 1   the totals of group 1: as before (empty), or written for every fencer
  summary          the places of the aspect: all empty as before, or 1 … for every participant
  archive FILE     no archive, or a complete ZIP whose database is whole
  de-first         the first circle of the table of 8: no rows, or all eight
Exit status 0 when every check held.
"""
import argparse, os, random, shutil, signal, sqlite3, subprocess, sys, tempfile, time, zipfile


def cli(exe, root, *args, check=True):
    r = subprocess.run([exe, '--root', root, '--yes', *args], capture_output=True, text=True,
                       env=dict(os.environ, VINTREL_NO_OPEN='1'))
    if check and r.returncode != 0:
        sys.exit('setup failed: %s: %s' % (' '.join(args), r.stderr))
    return r


def db(root):
    return sqlite3.connect(os.path.join(root, 'bd', 'Nusk.sqlite'))


def whole(root):
    with db(root) as c:
        return c.execute('PRAGMA integrity_check').fetchone()[0] == 'ok'


def prepare_templates(exe, base):
    """Workspaces just before each command: dealt pools, then bouts typed into them."""
    dealt = os.path.join(base, 'dealt')
    cli(exe, dealt, 'init', '--demo')
    cli(exe, dealt, 'prepare', '--groups', '3')
    fenced = os.path.join(base, 'fenced')
    shutil.copytree(dealt, fenced)
    cli(exe, fenced, 'distribute')
    with db(fenced) as c:
        groups = c.execute('SELECT NUM_GROUP, COUNT(*) FROM REZ_TOUR WHERE NUM_ASPECT=0 '
                           'AND NUM_TOUR=1 GROUP BY NUM_GROUP').fetchall()
    for group, size in groups:
        for i in range(1, size + 1):
            for j in range(i + 1, size + 1):
                cli(exe, fenced, 'cell', str(group), str(i), str(j), 'V5')
                cli(exe, fenced, 'cell', str(group), str(j), str(i), 'D%d' % ((group + i) % 5))
    for group, _ in groups:
        cli(exe, fenced, 'group-totals', str(group))
    # Ranked, places copied to start numbers, the table of 8 prepared: ready for its first circle.
    tabled = os.path.join(base, 'tabled')
    shutil.copytree(fenced, tabled)
    for step in (['summary', '--no-recalc'], ['seed', 'place-to-start'],
                 ['--tour', '7', 'set-kol', '8'], ['--tour', '7', 'prepare']):
        cli(exe, tabled, *step)
    with db(fenced) as c:  # totals of group 1 undone, so that the command has work to do
        c.execute('UPDATE REZ_TOUR SET FIGHT=NULL, VICTORY=NULL, PRICK=NULL, PRICK_PASS=NULL '
                  'WHERE NUM_GROUP=1')
    return dealt, fenced, tabled


def check_distribute(root, _):
    with db(root) as c:
        rows = c.execute('SELECT COUNT(*) FROM REZ_TOUR WHERE NUM_TOUR=1').fetchone()[0]
        parts = c.execute('SELECT COUNT(*) FROM T_PART WHERE NUM_ASPECT=0').fetchone()[0]
    return rows in (0, parts), 'score rows %d of %d' % (rows, parts)


def check_group_totals(root, _):
    with db(root) as c:
        filled = c.execute('SELECT COUNT(FIGHT), COUNT(*) FROM REZ_TOUR WHERE NUM_GROUP=1').fetchone()
    return filled[0] in (0, filled[1]), 'totals of group 1 on %d of %d rows' % filled


def check_summary(root, _):
    with db(root) as c:
        placed = c.execute('SELECT COUNT(PLACE), COUNT(*) FROM T_PART WHERE NUM_ASPECT=0').fetchone()
    return placed[0] in (0, placed[1]), 'places on %d of %d participants' % placed


def check_first_circle(root, _):
    with db(root) as c:
        rows = c.execute('SELECT COUNT(*) FROM REZ_OLIMP WHERE NUM_TOUR=7 AND NUM_CIRCLE=1').fetchone()[0]
    return rows in (0, 8), 'first circle rows %d of 8' % rows


def check_archive(root, target):
    if not os.path.exists(target):
        return True, 'no archive'
    try:
        with zipfile.ZipFile(target) as z:
            if z.testzip() is not None:
                return False, 'a damaged entry'
            data = z.read('Nusk.sqlite')
    except (zipfile.BadZipFile, KeyError) as e:
        return False, 'not a complete archive: %s' % e
    copy = target + '.sqlite'
    with open(copy, 'wb') as f:
        f.write(data)
    with sqlite3.connect(copy) as c:
        ok = c.execute('PRAGMA integrity_check').fetchone()[0] == 'ok'
    return ok, 'archive complete'


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument('cli')
    ap.add_argument('--kills', type=int, default=20)
    ap.add_argument('--draw', type=int, default=None)
    a = ap.parse_args()
    draw = a.draw if a.draw is not None else random.randrange(1 << 30)
    rnd = random.Random(draw)
    base = tempfile.mkdtemp(prefix='vintrel-crash-')
    try:
        dealt, fenced, tabled = prepare_templates(a.cli, base)
        cases = [(['distribute'], dealt, check_distribute),
                 (['group-totals', '1'], fenced, check_group_totals),
                 (['summary', '--no-recalc'], fenced, check_summary),
                 (['archive', '@'], fenced, check_archive),
                 (['--tour', '7', 'de-first'], tabled, check_first_circle)]
        # How long each command runs uncut, so that kills fall inside it.
        spans = []
        for args, template, _ in cases:
            root = os.path.join(base, 'timing')
            shutil.rmtree(root, ignore_errors=True)
            shutil.copytree(template, root)
            start = time.monotonic()
            cli(a.cli, root, *[os.path.join(root, 'x.zip') if x == '@' else x for x in args])
            spans.append(time.monotonic() - start)
        failures, killed = 0, 0
        for n in range(a.kills):
            i = rnd.randrange(len(cases))
            args, template, check = cases[i]
            root = os.path.join(base, 'run')
            shutil.rmtree(root, ignore_errors=True)
            shutil.copytree(template, root)
            target = os.path.join(root, 'bd_old', 'saved.zip')
            args = [target if x == '@' else x for x in args]
            p = subprocess.Popen([a.cli, '--root', root, '--yes', *args], stdout=subprocess.DEVNULL,
                                 stderr=subprocess.DEVNULL, env=dict(os.environ, VINTREL_NO_OPEN='1'))
            time.sleep(rnd.uniform(0, spans[i] * 1.1))
            if p.poll() is None:
                p.send_signal(signal.SIGKILL)
                killed += 1
            p.wait()
            ok, detail = whole(root), ''
            if ok:
                ok, detail = check(root, target)
            else:
                detail = 'integrity_check failed'
            if not ok:
                failures += 1
                print('kill %d (%s): %s' % (n + 1, ' '.join(args[:1]), detail))
        print('crash-test: %d runs, %d killed mid-command, %d failed checks (--draw %d)'
              % (a.kills, killed, failures, draw))
        return 1 if failures else 0
    finally:
        shutil.rmtree(base, ignore_errors=True)


if __name__ == '__main__':
    sys.exit(main())
