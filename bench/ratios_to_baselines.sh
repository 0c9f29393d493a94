#!/bin/bash
# The speed ratios to their baselines, measured in one run, their
# repetitions interleaved so that the machine's load weighs on all alike:
#
#   Monte Carlo / tight loop   100 000 trials of the start-up set-up on one
#                              thread over the same arithmetic as one scalar
#                              loop (CPU time, orlavex_bench)
#   orlavex.sweep / numpy      1001 points with an ENR table and an .s2p over
#                              an engineer's numpy script (CPU time,
#                              python_bench.py)
#   --plot / plain sweep       orlavex-cli sweep of 1001 points with --plot
#                              out.png over the same without (child CPU time,
#                              orlavex_cli_sweep_bench)
#   --plot / its floor         the same over the sweep without --plot plus a
#                              bare QPainter program that draws as many curves
#                              and labels and writes the PNG alike
#                              (orlavex_bare_plot, child CPU time)
#   start-up / one-label       the calculator to its first paint over a Qt
#                              window of one label (child CPU time,
#                              orlavex_ui_bench)
#   report PDF / plain sweep   orlavex-cli report -o x.pdf of 1001 points
#                              over the same sweep as CSV (child CPU time,
#                              orlavex-plot's included, orlavex_cli_report_bench)
#   report HTML / plain sweep  the same with -o x.html
#   --setup / paths            orlavex-cli point --setup F, F embedding a 1 MB
#                              ENR table and a 1 MB .s2p, over the same files
#                              given as paths (child CPU time, orlavex_cli_bench)
#
# Then, once (they do not vary from run to run), the data-file readers'
# instructions per byte under callgrind, where valgrind is installed.
#
#   bench/ratios_to_baselines.sh [-n REPETITIONS] BUILD [MEASURED_BUILD]
#
# BUILD is a Release build of this tree: its benchmarks and baselines run.
# MEASURED_BUILD (default BUILD) gives the programs measured: the Monte
# Carlo, orlavex-cli with orlavex-plot, the calculator and the Python module,
# so that an older build is measured against the same baselines. Prints
# min/median/max of each ratio over the repetitions (9 by default), with
# uptime before and after.
set -euo pipefail

repetitions=9
if [[ "${1:-}" == "-n" ]]; then
    repetitions=$2
    shift 2
fi
if [[ $# -lt 1 || $# -gt 2 ]]; then
    sed -n '2,39p' "$0" | sed 's/^# \{0,1\}//'
    exit 2
fi
build=$(realpath "$1")
measured=$(realpath "${2:-$1}")
here=$(dirname "$(realpath "$0")")
python=/usr/bin/python3 # Debian's, with numpy
export QT_QPA_PLATFORM=offscreen
export XDG_RUNTIME_DIR=${XDG_RUNTIME_DIR:-$(mktemp -d)}

results=$(mktemp)
json=$(mktemp)
trap 'rm -f "$results" "$json"' EXIT

# One benchmark's counter or time from Google Benchmark's JSON on stdin.
field_of() {
    "$python" -c '
import json, sys
name, field = sys.argv[1], sys.argv[2]
for b in json.load(sys.stdin)["benchmarks"]:
    if b["name"].startswith(name) and b.get("run_type") == "iteration":
        print(b[field]); break
else:
    sys.exit("no " + name)' "$1" "$2"
}

monte_carlo_ratio() {
    "$measured/bench/orlavex_bench" --benchmark_filter='^BM_MonteCarlo100k/1/' \
        --benchmark_format=json >"$json" 2>/dev/null
    local trials
    trials=$(field_of BM_MonteCarlo100k/1/ cpu_time <"$json")
    "$build/bench/orlavex_bench" --benchmark_filter='^BM_TrialLoopBaseline100k' \
        --benchmark_format=json >"$json" 2>/dev/null
    local loop
    loop=$(field_of BM_TrialLoopBaseline100k cpu_time <"$json")
    "$python" -c "print($trials / $loop)"
}

# The ratio to the engineer's own numpy script (not the loads printed around it).
numpy_ratio() {
    PYTHONPATH="$measured/src/python" "$python" "$here/python_bench.py" --numpy-ratio-only \
        --repetitions 1 |
        awk '/engineer/ { for (i = 1; i < NF; i++) if ($i == "median") print $(i + 1) }'
}

# The cpu_ratio of benchmark NAME in PROGRAM, one of BUILD's benchmarks that
# runs MEASURED_BUILD's orlavex-cli.
cli_ratio() {
    ORLAVEX_SWEEP_CLI="$measured/orlavex-cli" "$build/bench/$1" --benchmark_filter="^$2" \
        --benchmark_format=json >"$json" 2>/dev/null
    field_of "$2" cpu_ratio <"$json"
}
plot_ratio() { cli_ratio orlavex_cli_sweep_bench BM_ProcessSweepFreq1001PlotPngOverCsv; }
plot_floor_ratio() { cli_ratio orlavex_cli_sweep_bench BM_ProcessSweepFreq1001PlotPngOverFloor; }

start_up_ratio() {
    ORLAVEX_STARTUP_PROGRAM="$measured/src/ui/orlavex" "$build/bench/orlavex_ui_bench" \
        --benchmark_filter='^BM_StartUpCpuAgainstOneLabelWindow' \
        --benchmark_format=json >"$json" 2>/dev/null
    field_of BM_StartUpCpuAgainstOneLabelWindow cpu_ratio <"$json"
}

# One report over the plain sweep: its format, Html or Pdf.
report_ratio() { cli_ratio orlavex_cli_report_bench "BM_ProcessReport1001${1}OverCsv"; }
report_pdf_ratio() { report_ratio Pdf; }
report_html_ratio() { report_ratio Html; }

setup_ratio() { cli_ratio orlavex_cli_bench BM_ProcessPointSetupOverPaths_1MBFiles; }

# Each reader's instructions per byte on files of a megabyte: the count
# reading the file once less the count reading it no times, over its size.
reader_instructions() {
    command -v valgrind >/dev/null || {
        echo "readers: valgrind is not installed"
        return
    }
    local dir program=$measured/bench/orlavex_read_data_files
    dir=$(mktemp -d)
    "$program" --write "$dir"
    count() {
        valgrind --tool=callgrind --callgrind-out-file=/dev/null "$program" "$1" "$2" 2>&1 |
            awk '/Collected/ {print $NF}'
    }
    local none file
    none=$(count 0 "$dir/large.enr")
    for file in large.enr large-ri.s2p large-ma.s2p large-db.s2p; do
        echo "$file $(count 1 "$dir/$file") $none $(stat -c %s "$dir/$file")" |
            awk '{printf "reader %-14s %5.1f instructions per byte\n", $1, ($2 - $3) / $4}'
    done
    rm -rf "$dir"
}

ratios=(monte_carlo_ratio numpy_ratio plot_ratio plot_floor_ratio start_up_ratio report_pdf_ratio report_html_ratio setup_ratio)
echo "before: $(uptime)"
for ((r = 0; r < repetitions; r++)); do
    # Each repetition starts with another of the ratios.
    for ((i = 0; i < ${#ratios[@]}; i++)); do
        name=${ratios[$(((i + r) % ${#ratios[@]}))]}
        echo "$name $($name)" >>"$results"
    done
done
echo "after:  $(uptime)"

"$python" - "$results" <<'EOF'
import statistics, sys
labels = {"monte_carlo_ratio": "Monte Carlo / tight scalar loop",
          "numpy_ratio": "orlavex.sweep / engineer's numpy script",
          "plot_ratio": "sweep --plot / plain sweep",
          "plot_floor_ratio": "sweep --plot / sweep + bare plot",
          "start_up_ratio": "calculator start-up / one-label window",
          "report_pdf_ratio": "report -o x.pdf / plain sweep",
          "report_html_ratio": "report -o x.html / plain sweep",
          "setup_ratio": "point --setup / the same files as paths"}
values = {}
for line in open(sys.argv[1]):
    fields = line.split()
    if len(fields) == 2:  # a ratio whose program failed printed nothing
        values.setdefault(fields[0], []).append(float(fields[1]))
print(f"{'ratio':<40} {'n':>2} {'min':>6} {'median':>7} {'max':>6}")
for name, label in labels.items():
    v = values.get(name, [])
    if v:
        print(f"{label:<40} {len(v):>2} {min(v):6.2f} {statistics.median(v):7.2f} {max(v):6.2f}")
    else:
        print(f"{label:<40}  0 (failed: run its benchmark alone to see why)")
EOF

reader_instructions
