# Timing helpers shared by the benchmark scripts (sourced, not run).

# run FUNCTION: prints "wall_ms cpu_ms" (cpu = user + system, children included).
run() {
  local TIMEFORMAT='%R %U %S' t
  t=$( { time "$1" >/dev/null 2>&1; } 2>&1 )
  awk -v t="$t" 'BEGIN { split(t, a, " "); printf "%d %d\n", a[1] * 1000, (a[2] + a[3]) * 1000 }'
}

# best_of RUNS KALVO_FUNCTION REFERENCE_FUNCTION: runs the two alternately, so that load from
# elsewhere hits both alike, and sets kw kc (Kalvo) and ow oc (reference) to the best wall and
# CPU times in milliseconds.
best_of() {
  local w c
  kw= kc= ow= oc=
  for _ in $(seq "$1"); do
    read -r w c < <(run "$2")
    [[ -z $kw || $w -lt $kw ]] && kw=$w
    [[ -z $kc || $c -lt $kc ]] && kc=$c
    read -r w c < <(run "$3")
    [[ -z $ow || $w -lt $ow ]] && ow=$w
    [[ -z $oc || $c -lt $oc ]] && oc=$c
  done
  return 0
}

# ratio A B: A / B with two decimals (B of 0 counts as 1).
ratio() {
  awk -v k="$1" -v o="$2" 'BEGIN { printf "%.2f", k / (o > 0 ? o : 1) }'
}

# best_seconds CMD...: the smallest wall-clock time of RUNS runs of CMD, in seconds ("1.234").
best_seconds() {
  local best="" start end t
  for _ in $(seq "$RUNS"); do
    start=$(date +%s%N)
    "$@" >/dev/null 2>&1
    end=$(date +%s%N)
    t=$(( (end - start) / 1000000 ))
    if [ -z "$best" ] || [ "$t" -lt "$best" ]; then best=$t; fi
  done
  printf '%d.%03d' $((best / 1000)) $((best % 1000))
}
