#!/usr/bin/env bash
# Keeps the platform layer to what the program uses: fails, naming them, when functions of
# platform/ are reached by nothing.
#   scripts/check_platform_reach.sh [build folder]   (default: build/debug)
#
# A function of the layer is reached when linking the program with section garbage collection
# keeps it, or when a behaviour test or demo of code on the layer calls it itself: their own
# objects are linked with the layer alone, the controls and dialogs left out, so that the code
# under test does not count. platform/reach_allowlist.txt names what the layer keeps for code of
# the controls and dialogs that the program does not link; those functions are kept as if the
# program called them, and an entry that is reached anyway, or no longer exists, fails too.
#
# The build folder must be built without optimisation and with one section per function (the
# debug and asan presets); for any other the check makes its own, build/platform-reach.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
build=${1:-build/debug}
allowlist=$root/platform/reach_allowlist.txt

build_type=$(sed -n 's/^CMAKE_BUILD_TYPE:STRING=//p' "$build/CMakeCache.txt" 2>/dev/null || true)
if [ "$build_type" != Debug ]; then
    build=build/platform-reach
    cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG=-O0 \
        -DZEL_BUILD_BENCH=OFF >/dev/null
fi
build=$(cd "$build" && pwd)
cd "$build"

# The program, and the executables of code on the layer: tests and demos of the editor, the
# controls and the dialogs, and the layer's own demo (its own tests do not count).
mapfile -t targets < <(ninja -t targets all |
    sed -n 's/^\(\(editor\|platform\/demo\)\/[^:[]*\): CXX_EXECUTABLE_LINKER.*/\1/p' | sort)
ninja "${targets[@]}" >/dev/null

work=$(mktemp -d "$build/platform-reach.XXXXXX")
trap 'rm -rf "$work"' EXIT

# The layer's own functions (strong definitions; inline code of its headers goes with its
# callers): symbol, name and object. Names count, so every kind of a constructor or destructor
# is one function.
nm --defined-only -A platform/libzel_platform.a |
    awk '$2 == "T" || $2 == "t" {n = split($1, f, ":"); print $3 "\t" f[n - 1]}' >"$work/own.raw"
paste <(cut -f1 "$work/own.raw") <(cut -f1 "$work/own.raw" | c++filt) <(cut -f2 "$work/own.raw") |
    grep -v '{lambda' | sort -u >"$work/own"
cut -f2 "$work/own" | sort -u >"$work/own.names"
{ grep -v -e '^#' -e '^[[:space:]]*$' "$allowlist" || true; } | sort -u >"$work/allowed"
roots=$(awk -F'\t' 'NR == FNR {allowed[$0] = 1; next} ($2 in allowed) {print "-Wl,--undefined=" $1}' \
    "$work/allowed" "$work/own" | tr '\n' ' ')

# Links `target` again into the work folder with garbage collection and lists what it keeps.
# "program" links it as built; "allowed" adds the allow-list's functions as roots; "direct"
# leaves the editor's own libraries and resources out, so only the target's objects count.
relink() {
    local target=$1 mode=$2 out cmd
    out=$work/$(echo "$target" | tr / _).$mode
    cmd=$(ninja -t commands "$target" | tail -1 | sed -e 's/^: && //' -e 's/ && .*$//')
    case "$cmd" in *platform/libzel_platform.a*) ;; *) return 0 ;; esac
    case "$cmd" in *" -o $target "*) ;; *) echo "cannot relink $target" >&2 && return 1 ;; esac
    cmd=${cmd/ -o $target / -o $out -Wl,-S -Wl,--gc-sections }
    cmd=${cmd/ platform\/libzel_platform.a / -Wl,--whole-archive platform/libzel_platform.a -Wl,--no-whole-archive }
    case "$mode" in
    allowed) cmd="$cmd $roots" ;;
    direct)
        cmd=$(echo "$cmd" | sed -E \
            -e 's# editor/(controls/|dialogs/)?libzel_[a-z]+\.a # #g' \
            -e 's# editor/[^ ]*/qrc_[^ ]*\.o # #g')
        cmd="$cmd -Wl,--unresolved-symbols=ignore-all"
        ;;
    esac
    eval "$cmd"
    nm --defined-only "$out" | awk '$2 ~ /^[TtWw]$/ {print $3}' | c++filt >"$out.kept"
    rm -f "$out"
}

pids=()
for target in "${targets[@]}"; do
    if [ "$target" = editor/zel-editor ]; then
        relink "$target" program &
        pids+=($!)
        relink "$target" allowed &
    else
        relink "$target" direct &
    fi
    pids+=($!)
done
for pid in "${pids[@]}"; do
    wait "$pid"
done

cat "$work"/*.program.kept "$work"/*.direct.kept | sort -u >"$work/reached"
sort -u "$work"/*.allowed.kept >"$work/kept.allowed"
unreached=$(comm -23 "$work/own.names" "$work/reached" | comm -23 - "$work/kept.allowed")
stale=$(comm -12 "$work/allowed" "$work/reached")
missing=$(comm -23 "$work/allowed" "$work/own.names")

status=0
if [ -n "$unreached" ]; then
    echo "platform functions reached by nothing (remove them, or add them to $allowlist):"
    while read -r name; do
        printf '  %s  (%s)\n' "$name" \
            "$(awk -F'\t' -v n="$name" '$2 == n {print $3; exit}' "$work/own")"
    done <<<"$unreached"
    status=1
fi
if [ -n "$stale" ]; then
    echo "allow-listed platform functions that are reached anyway (take them off the list):"
    sed 's/^/  /' <<<"$stale"
    status=1
fi
if [ -n "$missing" ]; then
    echo "allow-listed platform functions that no longer exist (take them off the list):"
    sed 's/^/  /' <<<"$missing"
    status=1
fi
if [ "$status" -eq 0 ]; then
    echo "platform: all $(wc -l <"$work/own.names") functions are reached" \
        "($(wc -l <"$work/allowed") of them for code the program does not link)"
fi
exit "$status"
