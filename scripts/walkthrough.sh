#!/usr/bin/env bash
# One aspect of the demo competition from the pools to the final protocol, through vintrel-cli,
# as the walkthrough of the help pages does it in the windows.
#   scripts/walkthrough.sh ROOT [VINTREL_CLI]
# ROOT must not hold a workspace yet. Stops at the first command that fails.
set -euo pipefail
root="$1"
cli="${2:-$(dirname "$0")/../build/src/vintrel-cli}"
run() { "$cli" --root "$root" "$@"; }

run init --demo
# 1. The pool tour of "Шпага, мужчины": three pools, fencers dealt keeping clubs apart.
run --yes prepare --groups 3
run --yes distribute
# 2. The bouts: in each pool the fencer at the lower position wins 5 to a score that differs
#    from pool to pool, so that no two fencers end with the same record.
for group in 1 2 3; do
    for i in 1 2 3 4 5 6; do
        for j in 1 2 3 4 5 6; do
            if ((i < j)); then
                run cell "$group" "$i" "$j" V5 >/dev/null
                run cell "$group" "$j" "$i" "D$(((group + i) % 5))" >/dev/null
            fi
        done
    done
    run --yes group-totals "$group"
done
# 3. The summary gives places; places become start numbers of the next tour.
run --yes summary
run --yes seed place-to-start
# 4. The table of the best eight.
run --tour 7 set-kol 8
run --tour 7 --yes prepare
run --tour 7 de-open
run --tour 7 --yes de-first
circles=3
for ((circle = 1; circle <= circles; ++circle)); do
    # The lower start number of each pair wins 15 to 10.
    run --tour 7 list tbl_REZ_OLIMP | awk -F'\t' -v c="$circle" \
        'NR > 1 && $4 == c { if (!($5 in low) || $6 < low[$5]) low[$5] = $6; start[NR] = $6; pair[NR] = $5 }
         END { for (r in start) print start[r], (start[r] == low[pair[r]] ? 15 : 10) }' |
        while read -r start touches; do
            run --tour 7 de-touches "$circle" "$start" "$touches" >/dev/null
        done
    run --tour 7 --yes de-totals "$circle"
    run --tour 7 --yes de-add "$circle"
    run --tour 7 --yes de-places "$circle"
    if ((circle < circles)); then run --tour 7 --yes de-next "$circle"; fi
done
# 5. The protocols.
run report final-results
run --tour 7 report de-final
# 6. The aspect is done: one winner, the table's eight ranked 1 to 8 each once.
places=$(run list tbl_PART | awk -F'\t' 'NR == 1 { for (i = 1; i <= NF; ++i) if ($i == "Место") p = i; next }
                                          $p >= 1 && $p <= 8 { print $p }' | sort -n | tr '\n' ' ')
if [[ "$places" != "1 2 3 4 5 6 7 8 " ]]; then
    echo "walkthrough: the final places are «$places»" >&2
    exit 1
fi
echo "walkthrough: done, protocols in $root/Report"
