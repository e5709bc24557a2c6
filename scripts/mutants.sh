#!/usr/bin/env bash
# Mutation check of the sound behaviours: for each row of scripts/mutants.txt it changes one
# piece of source so that the behaviour is off, builds only the test programs the row names,
# runs the named test functions and expects at least one to fail. Every source file is put back
# as it was after each row, also when the run is interrupted. Prints a markdown table
# (behaviour, mutant, catching test, KILLED/SURVIVED) and keeps it in <build>/mutants.md.
#
# Not part of CI: a full run builds about thirty mutants and takes half an hour or more.
#   ./scripts/mutants.sh                  every row, after checking that the tests pass unmutated
#   ./scripts/mutants.sh 3 7              rows 3 and 7 only (numbered from 1 in file order)
#   MUTANTS_SKIP_BASELINE=1 ./scripts/mutants.sh   skip the unmutated run of the named tests
#   BUILD_DIR=build/x ./scripts/mutants.sh         an existing build folder instead of build/dev
#   MUTANTS_CHECK_ONLY=1 ./scripts/mutants.sh      only check that every row's text occurs once
# Needs a configured build folder (cmake --preset dev). Exit status: 0 when every mutant was
# killed, 1 when one survived, 2 when a row is malformed, its text does not occur exactly once,
# a build fails or the unmutated tests fail.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cd "$root"

data="${MUTANTS_DATA:-scripts/mutants.txt}"
build="${BUILD_DIR:-build/dev}"
jobs="${MUTANTS_JOBS:-2}"
test_timeout="${MUTANTS_TEST_TIMEOUT:-300}" # seconds; a hung test counts as a failure

# The rows, one a line, fields separated by the ASCII unit separator:
# number, behaviour, mutant, file, find, replace, tests ("target function" joined by ";").
sep=$'\x1f'
rows="$(perl -e '
    use strict; use warnings;
    my $sep = "\x1f";
    local $/ = "";    # paragraph mode: one block per behaviour
    open(my $in, "<", $ARGV[0]) or die "mutants: cannot read $ARGV[0]: $!\n";
    my ($n, $bad) = (0, 0);
    while (my $block = <$in>) {
        my @lines = grep { !/^#/ && /\S/ } split /\n/, $block;
        next unless @lines;
        ++$n;
        my %row; my @tests;
        for (@lines) {
            my ($key, $value) = /^(\w+):(?: (.*))?$/ or do {
                warn "mutants: row $n: not a \"key: value\" line: $_\n"; $bad = 1; next };
            $value //= "";
            if ($key eq "test") {
                $value =~ /^(\S+) (\S+)$/ or do {
                    warn "mutants: row $n: test line needs \"target function\": $value\n";
                    $bad = 1; next };
                push @tests, $value;
            } elsif ($key =~ /^(behaviour|mutant|file|find|replace)$/) {
                if (exists $row{$key}) { warn "mutants: row $n: $key given twice\n"; $bad = 1 }
                $row{$key} = $value;
            } else {
                warn "mutants: row $n: unknown key $key\n"; $bad = 1;
            }
        }
        for my $key (qw(behaviour mutant file find replace)) {
            next if exists $row{$key};
            warn "mutants: row $n: no $key line\n"; $bad = 1;
        }
        if (!@tests) { warn "mutants: row $n: no test line\n"; $bad = 1 }
        if (exists $row{find} && $row{find} eq "") { warn "mutants: row $n: empty find\n"; $bad = 1 }
        for (values %row) { if (/$sep/) { warn "mutants: row $n: separator in text\n"; $bad = 1 } }
        print join($sep, $n, (map { $_ // "" } @row{qw(behaviour mutant file find replace)}), join(";", @tests)), "\n";
    }
    exit($bad ? 2 : 0);
' "$data")" || exit 2

# Prints how often FIND ("\n" for a line end) occurs in FILE, and the line of its first match.
occurrences() {
    FIND="$2" perl -0777 -ne '
        my $f = $ENV{FIND}; $f =~ s/\\n/\n/g;
        my $n = () = /\Q$f\E/g;
        my $line = /\Q$f\E/ ? 1 + (substr($_, 0, $-[0]) =~ tr/\n//) : 0;
        print "$n $line\n";
    ' "$1"
}

# Replaces the one occurrence of FIND by REPLACE in FILE.
apply_mutant() {
    FIND="$2" REPLACE="$3" perl -0777 -i -pe '
        BEGIN { ($f, $r) = @ENV{qw(FIND REPLACE)}; s/\\n/\n/g for $f, $r; }
        my $n = () = /\Q$f\E/g;
        die "mutants: the text occurs $n times\n" unless $n == 1;
        s/\Q$f\E/$r/;
    ' "$1"
}

selected() {
    [ ${#only[@]} -eq 0 ] && return 0
    local wanted
    for wanted in "${only[@]}"; do
        [ "$wanted" = "$1" ] && return 0
    done
    return 1
}
only=("$@")
for wanted in "${only[@]}"; do
    [[ "$wanted" =~ ^[1-9][0-9]*$ ]] || { echo "usage: $0 [ROW...]" >&2; exit 2; }
done

# Every selected row must name an existing file in which its text occurs exactly once, before
# anything is changed.
malformed=0
targets=()
while IFS="$sep" read -r n behaviour mutant file find replace tests; do
    selected "$n" || continue
    if [ ! -f "$file" ]; then
        echo "mutants: row $n ($behaviour): no file $file" >&2
        malformed=1
        continue
    fi
    read -r count line < <(occurrences "$file" "$find")
    if [ "$count" -ne 1 ]; then
        echo "mutants: row $n ($behaviour): the find text occurs $count times in $file" >&2
        malformed=1
    fi
    IFS=';' read -r -a named <<<"$tests"
    for t in "${named[@]}"; do targets+=("${t%% *}"); done
done <<<"$rows"
[ "$malformed" -eq 0 ] || exit 2
[ ${#targets[@]} -gt 0 ] || { echo "mutants: no row selected" >&2; exit 2; }
mapfile -t targets < <(printf '%s\n' "${targets[@]}" | sort -u)
if [ -n "${MUTANTS_CHECK_ONLY:-}" ]; then
    echo "mutants: every selected row applies; test programs: ${targets[*]}"
    exit 0
fi
[ -f "$build/build.ninja" ] || [ -f "$build/Makefile" ] || {
    echo "mutants: no configured build in $build (run: cmake --preset dev)" >&2
    exit 2
}

export QT_QPA_PLATFORM=offscreen
export QT_LOGGING_RULES="qt.qpa.*=false"
work="$(mktemp -d "${TMPDIR:-/tmp}/vrn-mutants.XXXXXX")"
if [ -z "${XDG_RUNTIME_DIR:-}" ]; then
    export XDG_RUNTIME_DIR="$work/runtime"
    mkdir -p -m 700 "$XDG_RUNTIME_DIR"
fi

# The file under mutation and its original bytes. Restoring copies the bytes back with a new
# time stamp, so the next build compiles the original again.
mutated=""
restore() {
    if [ -n "$mutated" ]; then
        cp "$work/original" "$mutated"
        echo "mutants: restored $mutated" >&2
        mutated=""
    fi
}
trap 'restore; rm -rf "$work"' EXIT
trap 'restore; exit 130' INT
trap 'restore; exit 143' TERM HUP

build_targets() {
    cmake --build "$build" -j "$jobs" --target "$@" </dev/null >"$work/build.log" 2>&1
}

test_binary() {
    find "$build" -type f -name "$1" -perm -u+x -print -quit
}

# Runs one test function; returns its exit status (124 when it hung past the time limit).
run_test() {
    local binary
    binary="$(test_binary "$1")"
    [ -n "$binary" ] || { echo "mutants: no test program $1 in $build" >&2; return 127; }
    timeout "$test_timeout" "$binary" "$2" </dev/null >"$work/test.log" 2>&1
}

echo "mutants: building ${targets[*]}" >&2
build_targets "${targets[@]}" || { cat "$work/build.log" >&2; exit 2; }
if [ -z "${MUTANTS_SKIP_BASELINE:-}" ]; then
    echo "mutants: running the named tests on the unmutated code" >&2
    while IFS="$sep" read -r n behaviour mutant file find replace tests; do
        selected "$n" || continue
        IFS=';' read -r -a named <<<"$tests"
        for t in "${named[@]}"; do
            if ! run_test "${t%% *}" "${t#* }"; then
                cat "$work/test.log" >&2
                echo "mutants: row $n: $t fails without any mutant" >&2
                exit 2
            fi
        done
    done <<<"$rows"
fi

cell() { printf '%s' "$1" | sed 's/|/\\|/g'; }
table="$work/table.md"
{
    echo "| # | Behaviour | Mutant | Catching test | Result |"
    echo "|---|---|---|---|---|"
} >"$table"
status=0
while IFS="$sep" read -r n behaviour mutant file find replace tests; do
    selected "$n" || continue
    started=$SECONDS
    read -r count line < <(occurrences "$file" "$find")
    cp "$file" "$work/original"
    mutated="$file"
    if ! apply_mutant "$file" "$find" "$replace"; then
        restore
        status=2
        echo "| $n | $(cell "$behaviour") | \`$file\` | | FIND TEXT NOT UNIQUE |" >>"$table"
        continue
    fi
    IFS=';' read -r -a named <<<"$tests"
    row_targets=()
    for t in "${named[@]}"; do row_targets+=("${t%% *}"); done
    mapfile -t row_targets < <(printf '%s\n' "${row_targets[@]}" | sort -u)
    result=""
    caught=()
    if ! build_targets "${row_targets[@]}"; then
        result="BUILD FAILED"
        status=2
        grep -m 5 -E 'error' "$work/build.log" >&2 || true
    else
        for t in "${named[@]}"; do
            code=0
            run_test "${t%% *}" "${t#* }" || code=$?
            if [ "$code" -eq 124 ]; then
                caught+=("${t%% *}::${t#* } (hung)")
            elif [ "$code" -ne 0 ]; then
                caught+=("${t%% *}::${t#* }")
            fi
        done
        if [ ${#caught[@]} -gt 0 ]; then
            result="KILLED"
        else
            result="SURVIVED"
            caught=("none of: ${tests//;/, }")
            [ "$status" -eq 0 ] && status=1
        fi
    fi
    restore
    echo "mutants: row $n $result in $((SECONDS - started)) s: $behaviour" >&2
    printf '| %s | %s | `%s:%s`: %s | %s | %s |\n' "$n" "$(cell "$behaviour")" "$file" "$line" \
        "$(cell "$mutant")" "$(cell "$(printf '%s, ' "${caught[@]}" | sed 's/, $//')")" \
        "$result" >>"$table"
done <<<"$rows"

# Leave the build folder with programs built from the unmutated sources.
echo "mutants: rebuilding ${targets[*]} from the unmutated sources" >&2
build_targets "${targets[@]}" || { cat "$work/build.log" >&2; status=2; }
cp "$table" "$build/mutants.md"
cat "$table"
exit "$status"
