#!/usr/bin/env bash
# Writes docs/figures.md from the results folder of a ./scripts/figures.sh run (figures.sh calls
# it at its end): the fuzzing table from fuzzing.txt, the soak's tables from
# soak-every-fault.txt and soak-fast-only.txt, the performance figures from bench.txt,
# bench-log.txt and bench-cli.txt, the reopening figures from reopen.txt, the journal's from
# journal.txt, the station's from station.txt, each section naming the commit in the folder's file "commit".
# A section whose results the run did not make (no --bench, --no-fuzz) is kept as the page had
# it.
#   ./scripts/figures-page.sh build/figures/<commit>-<time>              rewrites docs/figures.md
#   ./scripts/figures-page.sh build/figures/<commit>-<time> /tmp/page.md another page; the
#                                                                        sections kept come from
#                                                                        docs/figures.md
set -euo pipefail
cd "$(dirname "$0")/.."

[ $# -ge 1 ] && [ $# -le 2 ] && [ -d "$1" ] || {
    echo "usage: $0 RESULTS_DIR [PAGE]" >&2
    exit 2
}
results=$1
page=${2:-docs/figures.md}
committed=docs/figures.md
commit=$(cat "$results/commit")

# The section "## <name>" of the committed page, up to the next section.
kept_section() {
    [ -f "$committed" ] || return 0
    awk -v name="## $1" '/^## / { inside = ($0 == name) } inside' "$committed"
}

# Number formats shared by the awk programs below.
formats='
function group(n,    s) { # 12345678 -> 12,345,678
    s = sprintf("%d", n)
    while (s ~ /[0-9][0-9][0-9][0-9]/) sub(/[0-9][0-9][0-9]($|,)/, ",&", s)
    return s
}
function ratio(x) { return (x >= 0.99 && x < 1.01) ? sprintf("%.4f", x) : sprintf("%.3f", x) }
function pct(x) { return x < 1 ? sprintf("%.2f", x) : sprintf("%.3g", x) }
function us(x) { return x < 1000 ? sprintf("%d µs", x + 0.5) : sprintf("%.1f ms", x / 1000) }
# The paragraph as lines of at most 100 characters, the first starting with lead, the others
# indented as deep.
function wrap(text, lead,    n, words, i, line, out, pad) {
    pad = sprintf("%" length(lead) "s", "")
    n = split(text, words, " ")
    line = lead words[1]
    for (i = 2; i <= n; ++i) {
        if (length(line) + 1 + length(words[i]) > 99) {
            out = out line "\n"
            line = pad words[i]
        } else {
            line = line " " words[i]
        }
    }
    return out line
}
'

fuzz_section() {
    awk -v commit="$commit" "$formats"'
        BEGIN {
            input["fuzz_reply"] = "read replies, checked by all four windows"
            input["fuzz_parameter_file"] = "parameter files opened by all four windows, in " \
                "three number formats, saved and opened again"
            input["fuzz_frames"] = "padding and frame building with any slot content"
            input["fuzz_number_text"] = "the number rules in eight number formats: box " \
                "texts read back, grouped texts"
        }
        # The table at the end of scripts/fuzz.sh: target seconds executions corpus cov findings
        $1 ~ /^fuzz_/ && NF == 6 && $2 ~ /^[0-9]+$/ {
            target[++n] = $1; seconds = $2; executions[n] = $3; findings[n] = $6
        }
        END {
            if (n == 0) exit 1
            print "## Fuzzing\n"
            print wrap("**Commit " commit "**, " seconds " s per target, two targets at a " \
                "time beside the long soaks (`./scripts/figures.sh`; the machine shared with " \
                "them, so fewer executions than idle):", "") "\n"
            print "| Target | Input | Executions | Findings |"
            print "|---|---|---|---|"
            for (i = 1; i <= n; ++i)
                printf "| `%s` | %s | %s | %s |\n", target[i],
                    (target[i] in input ? input[target[i]] : ""),
                    (executions[i] ~ /^[0-9]+$/ ? group(executions[i]) : executions[i]),
                    findings[i]
        }' "$results/fuzzing.txt"
}

soak_section() {
    awk -v commit="$commit" "$formats"'
        BEGIN {
            # The words of the page for the names vrn-soak counts by.
            word["read reply longer than 56"] = "read reply longer than 56 characters"
            word["reply delay just under the time-out"] = "reply just under the time-out"
            word["ok"] = "done"
            word["refused reply"] = "reply refused (field not a number, out of range)"
            word["port lost"] = "port lost mid-transfer"
            word["short reply (time-out)"] = "reply too short (time-out)"
            word["second click: refused: another transfer running"] = "second transfer refused"
        }
        function name(key) { return key in word ? word[key] : key }
        # Adds the item to the list, keeping it sorted by count, largest first.
        function insert(list, key, count,    i) {
            i = ++size[list]
            while (i > 1 && count > counts[list, i - 1]) {
                keys[list, i] = keys[list, i - 1]
                counts[list, i] = counts[list, i - 1]
                --i
            }
            keys[list, i] = key
            counts[list, i] = count
        }
        FNR == 1 { run = FILENAME ~ /fast-only/ ? "fast" : "every"; part = "" }
        /^Fault-injection soak: / {
            seed[run] = $4; sub(/,/, "", seed[run])
            transfers[run] = $5
            seconds[run] = sprintf("%d", $(NF - 1) + 0.5)
            next
        }
        /^Transfers by window and kind:/ { part = "windows"; next }
        /^Faults injected:/ { part = "faults"; next }
        /^Outcomes:/ { part = "outcomes"; next }
        /^Violations: / { violations[run] = $2; part = "violations"; next }
        /^Resident set size: / {
            start[run] = $5; middle[run] = $8; end[run] = $11
            part = ""
            next
        }
        /^[^ ]/ { part = ""; next }
        /^  / && part != "" && run == "every" {
            count = $NF
            key = $0
            sub(/^  /, "", key)
            sub(/ +[0-9]+$/, "", key)
            if (part == "windows") {
                split(key, w, " ")
                perWindow[w[1]] += count
                perKind[w[2]] += count
            } else if (part == "outcomes") {
                insert(key ~ /^second click: / ? "second" : "outcomes", key, count)
            } else {
                insert(part, key, count)
            }
        }
        END {
            if (!("every" in transfers) || !("fast" in transfers)) exit 1
            print "## Fault-injection soak\n"
            sends = perKind["Send"]; reads = perKind["Read"]
            split_ = (sends >= 0.4 * transfers["every"] && reads >= 0.4 * transfers["every"]) \
                ? "Sends and Reads about half each" : sends " Sends, " reads " Reads"
            print wrap("Long run, **commit " commit "**, seed " seed["every"] ", " \
                transfers["every"] " transfers (" perWindow["VRN-A"] " VRN-A, " \
                perWindow["VRN-B"] " VRN-B, " perWindow["VRN-C"] " VRN-C, " \
                perWindow["VRN-D"] " VRN-D; " split_ "), " seconds["every"] " s:", "") "\n"
            print "| Fault injected | Count | | Outcome | Count |"
            print "|---|---|---|---|---|"
            # The outcomes of the second clicks close the outcome column.
            for (i = 1; i <= size["second"]; ++i) {
                keys["outcomes", size["outcomes"] + i] = keys["second", i]
                counts["outcomes", size["outcomes"] + i] = counts["second", i]
            }
            outcomes = size["outcomes"] + size["second"]
            rows = size["faults"] > outcomes ? size["faults"] : outcomes
            for (i = 1; i <= rows; ++i) {
                row = i <= size["faults"] ? "| " name(keys["faults", i]) " | " \
                    counts["faults", i] " | |" : "| | |"
                row = row (i <= outcomes ? " " name(keys["outcomes", i]) " | " \
                    counts["outcomes", i] " |" : " | |")
                print row
            }
            text = "Violations: **" violations["every"] "**."
            for (i = 1; i <= size["violations"]; ++i)
                text = text (i == 1 ? " By kind: " : ", ") keys["violations", i] " " \
                    counts["violations", i] (i == size["violations"] ? "." : "")
            text = text " Resident memory " start["every"] " MiB at the start, " \
                middle["every"] " MiB in the middle, " end["every"] " MiB at the end. The " \
                "same seed with `--fast-only` (the faults that wait for a time-out left out, " \
                seconds["fast"] " s): violations **" violations["fast"] "**, memory " \
                start["fast"] " / " middle["fast"] " / " end["fast"] " MiB. Both come from " \
                "`./scripts/figures.sh`, which runs them side by side."
            print "\n" wrap(text, "")
        }' "$results/soak-every-fault.txt" "$results/soak-fast-only.txt"
}

performance_section() {
    awk -v commit="$commit" "$formats"'
        function f(section, key, field) {
            if (!((section, key, field) in v)) { missing = missing " " section ":" key; return 0 }
            return v[section, key, field]
        }
        function three(section, key, format,    lo, mid, hi) {
            lo = f(section, key, "min"); mid = f(section, key, "median"); hi = f(section, key, "max")
            if (format == "ratio") return ratio(lo) " / " ratio(mid) " / " ratio(hi)
            if (format == "pct") return pct(lo) " / **" pct(mid) "** / " pct(hi)
            return sprintf(format, lo) " / " sprintf(format, mid) " / " sprintf(format, hi)
        }
        # "lowest to highest" of the medians of the keys given, as ratios.
        function span(section, keys,    n, k, i, x, lo, hi) {
            n = split(keys, k, " ")
            for (i = 1; i <= n; ++i) {
                x = f(section, k[i], "median")
                if (i == 1 || x < lo) lo = x
                if (i == 1 || x > hi) hi = x
            }
            return ratio(lo) " to " ratio(hi)
        }
        FNR == 1 { file = FILENAME; sub(/.*\//, "", file); section = "" }
        # bench.txt: the sections of scripts/bench.sh, each a table of vrn-bench-summarise.
        file == "bench.txt" && /^VRN-PC benchmark, / { processors = $(NF - 1) }
        file == "bench.txt" && /^machine load: / {
            load = $5 + 0
            if (loads == 0 || load < loadLow) loadLow = load
            if (loads == 0 || load > loadHigh) loadHigh = load
            ++loads
        }
        file == "bench.txt" && /^== Card answering after 2 ms/ { section = "fast" }
        file == "bench.txt" && /^== The same exchanges by a minimal/ { section = "reference" }
        file == "bench.txt" && /^== Card answering after 100 ms/ { section = "slow" }
        file == "bench.txt" && /^== Turnaround/ { section = "turnaround" }
        file == "bench.txt" && /^== [0-9]+ transfers back to back/ { section = "growth"; growth = $2 }
        file == "bench.txt" && /^== Start-up/ { section = "startup" }
        # bench-log.txt: the ratios open / closed, then the paced figures each way.
        file == "bench-log.txt" && /transfers a run/ { logTransfers = $5 }
        file == "bench-log.txt" && NF == 4 && $1 ~ /^(cpu_)?us_per_transfer$/ {
            v["log", $1, "min"] = $2; v["log", $1, "median"] = $3; v["log", $1, "max"] = $4
        }
        file == "bench-log.txt" && /^ratio to the floor, .*log closed:/ { section = "closed" }
        file == "bench-log.txt" && /^the same, log open:/ { section = "open" }
        # A line of vrn-bench-summarise: figure n min median p99 max.
        section != "" && NF == 6 && $1 != "figure" && $2 ~ /^[0-9]+$/ {
            v[section, $1, "n"] = $2; v[section, $1, "min"] = $3; v[section, $1, "median"] = $4
            v[section, $1, "p99"] = $5; v[section, $1, "max"] = $6
        }
        # bench-cli.txt: "1 card: min X ms, median Y ms, max Z ms", "N cards at once: ...".
        file == "bench-cli.txt" && /^1 card: / { one = $4 " / " $7 " / " $10 }
        file == "bench-cli.txt" && /^[0-9]+ cards at once: / {
            cards = $1; many = $6 " / " $9 " / " $12
        }
        file == "bench-cli.txt" && /^ratio of the medians/ { cliRatio = $NF }
        END {
            print "## Performance\n"
            print wrap("All figures in this section: **commit " commit "**, min / median / " \
                "max, on a shared " processors "-processor machine (load average " loadLow \
                " to " loadHigh " while measuring).", "") "\n"
            print "| Figure | Card answers after 2 ms | Card answers after 100 ms |"
            print "|---|---|---|"
            printf "| VRN-A Send, ratio to the floor | %s | %s |\n",
                three("fast", "ratio.A.send", "ratio"), three("slow", "ratio.A.send", "ratio")
            for (i = 1; i <= 3; ++i) {
                card = substr("BCD", i, 1)
                printf "| VRN-%s Send | %s | %s |\n", card,
                    three("fast", "ratio." card ".send", "ratio"),
                    three("slow", "ratio." card ".send", "ratio")
            }
            reads = "ratio.A.read ratio.B.read ratio.C.read ratio.D.read"
            printf "| Reads (VRN-A .. VRN-D medians) | %s | %s |\n", span("fast", reads),
                span("slow", reads)
            reference = f("reference", "reference.ratio.send", "median")
            printf "| Minimal poll/read/write client: paused Send, Send, Read | %s, %s, %s " \
                "(medians) | |\n", ratio(f("reference", "reference.ratio.paused_send", "median")),
                ratio(reference), ratio(f("reference", "reference.ratio.read", "median"))
            print ""

            for (i = 1; i <= 3; ++i) {
                x = 100 * (f("fast", "ratio." substr("BCD", i, 1) ".send", "median") / reference - 1)
                if (i == 1 || x < within) within = x
                if (i == 1 || x > withinHigh) withinHigh = x
            }
            slowest = 0
            for (k in v) {
                split(k, part, SUBSEP)
                if (part[1] == "slow" && part[2] ~ /^ratio\./ && part[3] == "median" && v[k] > slowest)
                    slowest = v[k]
            }
            print wrap("With the 2 ms card the floor of a VRN-B/C/D Send is " \
                sprintf("%d", f("fast", "floor_ms.B.send", "median") + 0.5) " ms. A minimal " \
                "client that does nothing but `poll/read/write` takes " ratio(reference) " of " \
                "it on this machine (median): that is what the line and the two processes " \
                "allow here, and VRN-PC'"'"'s Sends are within " sprintf("%.1f", within) " to " \
                sprintf("%.1f", withinHigh) " % of it. With the 100 ms card every Send and " \
                "Read is within " ratio(slowest) " (median).", "- ")
            print wrap("Processor time during transfers (program'"'"'s user + system over wall " \
                "time, all transfers of a run): " three("slow", "run.cpu_share_pct", "pct") \
                " % with the 100 ms card, " three("fast", "run.cpu_share_pct", "pct") " % with " \
                "the 2 ms card (a polling design uses 100 %).", "- ")
            p99 = f("turnaround", "turnaround_us", "p99")
            if (p99 == "-") p99 = f("turnaround", "turnaround_us", "max")
            referenceP99 = f("reference", "reference.turnaround_us", "p99")
            if (referenceP99 == "-") referenceP99 = f("reference", "reference.turnaround_us", "max")
            print wrap("Turnaround, last character of an answer out of the card to the first " \
                "character of the next frame in, " group(f("turnaround", "turnaround_us", "n")) \
                " transactions: p50 " us(f("turnaround", "turnaround_us", "median")) ", p99 " \
                us(p99) " (the minimal client: p50 " \
                us(f("reference", "reference.turnaround_us", "median")) ", p99 " \
                us(referenceP99) ").", "- ")
            print wrap("Start-up, process start to the launcher painted (offscreen): " \
                sprintf("%.1f / **%.1f** / %.1f ms", f("startup", "startup.launcher_painted_ms", "min"),
                    f("startup", "startup.launcher_painted_ms", "median"),
                    f("startup", "startup.launcher_painted_ms", "max")) \
                ". Peak resident memory with all five windows open: " \
                sprintf("%.1f / **%.1f** / %.1f MB", f("startup", "startup.peak_rss_kb", "min") / 1000,
                    f("startup", "startup.peak_rss_kb", "median") / 1000,
                    f("startup", "startup.peak_rss_kb", "max") / 1000) ".", "- ")
            first = f("growth", "growth.rss_kb.start", "median")
            last = f("growth", "growth.rss_kb.end", "median")
            print wrap(group(growth) " consecutive transfers (card without latency): resident " \
                "memory " group(f("growth", "growth.rss_kb.end", "min")) " / " group(last) " / " \
                group(f("growth", "growth.rss_kb.end", "max")) " kB at the end (median after " \
                group(growth / 10) " and " group(growth / 2) " transfers and at the end: " \
                group(first) ", " group(f("growth", "growth.rss_kb.middle", "median")) ", " \
                group(last) " kB" (last - first <= first / 100 ? ": flat" : "") "); time per " \
                "transfer " sprintf("%d / %d / %d µs",
                    f("growth", "growth.us_per_transfer.start", "median") + 0.5,
                    f("growth", "growth.us_per_transfer.middle", "median") + 0.5,
                    f("growth", "growth.us_per_transfer.end", "median") + 0.5) \
                " (median at start, middle, end).", "- ")
            sends = "ratio.B.send ratio.C.send ratio.D.send"
            print wrap("Traffic log (`./scripts/bench-log.sh`). The back-to-back run above, " \
                group(logTransfers) " transfers, log window open against closed: ratio of " \
                "time per transfer " three("log", "us_per_transfer", "%.2f") ", of processor " \
                "time " three("log", "cpu_us_per_transfer", "%.2f") ": an open log changes " \
                "the time per transfer by " \
                sprintf("%+d", 100 * (f("log", "us_per_transfer", "median") - 1)) " % and the " \
                "processor time by " \
                sprintf("%+d", 100 * (f("log", "cpu_us_per_transfer", "median") - 1)) " % " \
                "(medians) when transfers follow each other without any wire time. Paced, " \
                "with the 2 ms card, ratio to the floor (medians) with the log closed: VRN-A " \
                "Send " ratio(f("closed", "ratio.A.send", "median")) ", VRN-B/C/D Sends " \
                span("closed", sends) ", Reads " span("closed", reads) "; with the log open: " \
                "VRN-A Send " ratio(f("open", "ratio.A.send", "median")) ", VRN-B/C/D Sends " \
                span("open", sends) ", Reads " span("open", reads) ".", "- ")
            if (one == "" || many == "") missing = missing " bench-cli"
            print wrap("`vrn-cli` (`./scripts/bench-cli.sh`): a VRN-A Send and Verify on one " \
                "card takes " one " ms, on " cards " cards on " cards " pseudo-terminals at " \
                "once " many " ms: ratio of the medians **" cliRatio "**.", "- ")
            if (missing != "") {
                print "figures-page: missing in the results:" missing > "/dev/stderr"
                exit 1
            }
        }' "$results/bench.txt" "$results/bench-log.txt" "$results/bench-cli.txt"
}

# Reopening a card's line: from reopen.txt (./scripts/bench-reopen.sh).
reopen_section() {
    awk -v commit="$commit" "$formats"'
        /^== Reopening/ { cycles = $(NF - 1) }
        $1 == "reopen-ms" && NF == 4 { lo = $2; mid = $3; hi = $4 }
        $1 == "wait-processor-percent" { waiting = $2 }
        $1 == "port-list-processor-ms" { fresh = $3; reused = $5 }
        $1 == "port-list-wait-processor-percent" { listing = $2 }
        $1 == "commit" { machine = $0; sub(/^commit [^,]*, /, "", machine) }
        END {
            if (mid == "" || waiting == "" || listing == "") exit 1
            print "## Reopening an adapter"
            print ""
            print wrap("All figures in this section: **commit " commit "**, measured by " \
                "`./scripts/bench-reopen.sh` (" machine ").", "")
            print ""
            print wrap("The card'"'"'s line closed and served again under the same name, " cycles \
                " times: from its return to the port open, " lo " / " mid " / " hi \
                " ms (min / median / max; the link looks twice a second).", "- ")
            print wrap("Processor share of the program while it waits: " waiting " %.", "- ")
            print wrap("Looking for a USB adapter in the system'"'"'s port list: " fresh \
                " ms of processor time when the list is read afresh (a device came or went, " \
                "and every ten seconds), " reused " ms when it is not; " listing \
                " % of the processor while waiting with nothing plugged in or out.", "- ")
        }
    ' "$results/reopen.txt"
}

# The journal: from journal.txt (./scripts/bench-journal.sh).
journal_section() {
    awk -v commit="$commit" "$formats"'
        $1 == "file-system" { fs = $2; device = $3 }
        $1 == "append-ms" { lo = $2; mid = $3; p99 = $4; hi = $5; appends = $10 }
        $1 == "sync-floor-ms" { floorMid = $3; floorP99 = $4 }
        $1 == "journal-bytes" { bytes = $2; entries = $3; sub(/^\(/, "", entries); each = $5 }
        $1 == "check-ms" { checkLo = $2; checkMid = $3; checkHi = $4; runs = $8 }
        $1 == "commit" { machine = $0; sub(/^commit [^,]*, /, "", machine) }
        END {
            if (mid == "" || floorMid == "" || checkMid == "") exit 1
            print "## Journal"
            print ""
            print wrap("All figures in this section: **commit " commit "**, measured by " \
                "`./scripts/bench-journal.sh` (" machine "), the journals on " fs " (" device \
                ").", "")
            print ""
            print wrap("An append of a typical VRN-A entry (ten values before and after), synced " \
                "to the disk, " group(appends) " appends: " lo " / **" mid "** / " p99 " / " hi \
                " ms (min / median / 99th percentile / max). A bare write and sync of a line as " \
                "long on the same disk, what the disk allows: median " floorMid " ms, 99th " \
                "percentile " floorP99 " ms.", "- ")
            print wrap("The check of a journal of " group(entries) " such entries (" \
                sprintf("%.0f", bytes / 1000000) " MB, " group(each) " bytes an entry): " checkLo " / **" \
                checkMid "** / " checkHi " ms (min / median / max of " runs " runs).", "- ")
        }
    ' "$results/journal.txt"
}

# The commissioning station: from station.txt (./scripts/bench-station.sh).
station_section() {
    awk -v commit="$commit" "$formats"'
        $1 == "file-system" { fs = $2; device = $3 }
        /^== Commissioning station/ { cycles = $4 }
        $1 ~ /^VRN-[AB]\./ && NF >= 4 {
            split($1, key, ".")
            v[key[1], key[2], "min"] = $2; v[key[1], key[2], "median"] = $3
            v[key[1], key[2], "max"] = $4
        }
        $1 == "commit" { machine = $0; sub(/^commit [^,]*, /, "", machine) }
        function line(model) {
            return wrap(model ": cycle " v[model, "cycle_ms", "median"] " ms against a floor of " \
                v[model, "floor_ms", "median"] " ms, ratio " ratio(v[model, "ratio", "min"]) \
                " / **" ratio(v[model, "ratio", "median"]) "** / " ratio(v[model, "ratio", "max"]) \
                " (min / median / worst). Beyond the floor (medians): " \
                v[model, "after_snapshot_ms", "median"] " ms from the snapshot'"'"'s reply to the " \
                "Send (save, entry, recipe loaded), " v[model, "after_send_ms", "median"] \
                " ms from the Send to the Verify, " v[model, "tail_ms", "median"] " ms after " \
                "the Verify; the three journal appends, synced, " \
                v[model, "journal_ms", "median"] " ms.", "- ")
        }
        END {
            if (!(("VRN-A", "ratio", "median") in v) || !(("VRN-B", "ratio", "median") in v))
                exit 1
            print "## Commissioning station"
            print ""
            print wrap("All figures in this section: **commit " commit "**, measured by " \
                "`./scripts/bench-station.sh` (" machine "), " cycles " cycles a model on a " \
                "card at 19200 baud answering after 2 ms, the journal on " fs " (" device \
                "). A cycle is the snapshot Read saved, the Send of the recipe and the Verify, " \
                "each entry synced before the next step; from start to the verdict.", "")
            print ""
            print line("VRN-A")
            print line("VRN-B")
        }
    ' "$results/station.txt"
}

# Writes the section made by the function named, or keeps the committed one when the run did
# not make its results.
section() { # <function> <section name> <results file...>
    local make=$1 name=$2 file text
    shift 2
    for file in "$@"; do
        if [ ! -s "$results/$file" ]; then
            echo "figures-page: no $file in $results: \"$name\" kept as it was" >&2
            kept_section "$name"
            echo # a kept section that was the page's last ends without its blank line
            return
        fi
    done
    if ! text=$("$make"); then
        echo "figures-page: the results in $results lack the figures of \"$name\"" >&2
        return 1
    fi
    printf '%s\n\n' "$text"
}

{
    cat <<'EOF'
# Measured figures

The figures of [the README](../README.md#reliability)'s sections Reliability and Performance, as
`./scripts/figures.sh` measured them; each section names the commit it was measured on. The
script rewrites the sections it ran (the performance figures only with `--bench`) and keeps the
others as they are.

EOF
    section fuzz_section "Fuzzing" fuzzing.txt
    section soak_section "Fault-injection soak" soak-every-fault.txt soak-fast-only.txt
    section performance_section "Performance" bench.txt bench-log.txt bench-cli.txt
    section reopen_section "Reopening an adapter" reopen.txt
    section journal_section "Journal" journal.txt
    section station_section "Commissioning station" station.txt
} >"$page.new"
# One blank line between paragraphs, none at the end.
awk 'NF == 0 { blank = 1; next } { if (blank && printed) print ""; blank = 0; printed = 1; print }' \
    "$page.new" >"$page"
rm "$page.new"
echo "figures: $page"
