// The Python module orlavex: the calculator's figures, GUM budget, Monte
// Carlo, sweeps and catalogues for scripts and notebooks, with the numbers
// orlavex-cli prints.
#include "app/results/catalogue_json.h"
#include "datafiles/file_error.h"
#include "measure/monte_carlo.h"
#include "python/data_files.h"
#include "python/input_docs.h"
#include "python/instrument_class.h"
#include "python/keyword_inputs.h"
#include "python/level_arrays.h"
#include "python/measure_function.h"
#include "python/point_functions.h"
#include "python/setup_functions.h"
#include "python/signatures.h"
#include "python/sweep_functions.h"
#include "python/to_python.h"

#include <pybind11/eval.h>
#include <pybind11/pybind11.h>
#include <pybind11/stl/filesystem.h>

#include <cerrno>
#include <filesystem>

namespace py = pybind11;
using namespace orlavex::python;

namespace {

const std::string point_doc =
    R"(The window's figures for one set-up, its GUM budget and Monte Carlo.

Returns what `orlavex-cli point --json` prints, as a dict:
    inputs       the set-up as the window computed with it (after its
                 bounding and the catalogue models)
    classic      the window's figures: enr_eff_db, ycal_db, ymeas_db,
                 nf_sys_db, nf_sa_net_db (dB), levels_dbm {cal_on, cal_off,
                 meas_on, meas_off} (dBm per MHz), guidelines (three of
                 {name, margin_db, lamp}; lamp "green", "yellow", "red" or
                 "grey"), rss_db (None where the window shows no
                 uncertainty), bias_db, valid
    gum          the GUM budget (see budget())
    monte_carlo  the Monte Carlo (see monte_carlo()); None with mc=False
    source_match_bias_db  with reflections="known": the source-match bias
                 e0 (dB); match_advice, where it is more than a third of
                 U: pads and an isolator before the DUT, ranked
A value the calculation cannot give is None.

mc=False skips the Monte Carlo (the fast path for loops over set-ups);
trials and seed set it up as in monte_carlo().
enr_table, dut_s2p  as in sweep(): with reflections="known" the source's
            on/off reflections and the DUT's S11, S21 and noise block at
            the point's frequency (the fields stay as typed)

Raises ValueError for a value an input cannot take, naming the keyword.

)";

const std::string budget_doc = R"(The GUM uncertainty budget of the DUT noise figure for one set-up.

Returns a dict: valid, u_db (combined standard uncertainty, dB), k
(coverage factor), U_db (expanded uncertainty k * u_db, dB), offset_db
(the systematic offset, dB) and budget, a list of the error sources in a
fixed order, each {source, u (its standard uncertainty in its own unit),
unit (that unit: "Np" for the reading jitter, else "dB"), c (sensitivity,
dB per unit), u_i_db (contribution, dB), share (of u_db^2)}.
enr_table and dut_s2p as in point(); with known reflections offset_db is the
source-match bias.

Raises ValueError for a value an input cannot take, naming the keyword.

)";

const std::string monte_carlo_doc =
    R"(A Monte Carlo of the measurement: every error source drawn from its
distribution, the DUT noise-figure error of each simulated measurement.

trials   number of simulated measurements (1 to 100 000 000)
seed     the random stream's seed; a seed gives the same result on any
         number of threads
samples  True adds "samples": the error of every trial in dB, in trial
         order, as a numpy array (NaN for an invalid trial)
progress None, or a function called as progress(done, total) with the
         trials evaluated so far, about ten times a second while the Monte
         Carlo runs and once at its end
enr_table, dut_s2p  as in point(): with reflections="known" the mean
         contains the source-match bias at the point's frequency

Returns a dict: trials, seed, mean_db (bias), std_db, interval_db [lo, hi]
(2.5 % and 97.5 % quantiles), shortest_db [lo, hi] (shortest 95 %
interval), invalid (trials without a valid result); errors in dB.
Runs without the GIL, on all cores; Ctrl+C stops it.

Raises ValueError for a value an input cannot take, naming the keyword.

)";

const std::string evaluate_doc =
    R"(Evaluates four measured levels (dBm) as the window's manual mode does
(classic, with its error messages) and with the exact, cold-temperature
corrected Y-factor formula.

cal_on, cal_off    calibration levels, source on and off, dBm (not with
                   no_second_stage=True)
meas_on, meas_off  measurement levels, source on and off, dBm

The levels and freq may be numpy arrays (or lists) of equal length, a
single number standing for every point: each point is then evaluated as a
frequency of a readings file of single readings (frequencies in any order,
repeated or not), and the result is a dict of numpy arrays as for readings
below. Scalars give the dict above.

Returns what `orlavex-cli evaluate --json` prints, as a dict:
    inputs   the set-up the evaluation used
    classic  nf_dut_db, gain_db, nf_sa_db, nf_sys_db, ycal_db, ymeas_db,
             rss_db (dB) and error (None or the window's message)
    exact    nf_dut_db, gain_db, nf_sa_db, nf_sys_db (dB), valid
    gum      the GUM budget at the measured point, as point()'s

readings           a readings file (str or os.PathLike; CSV with freq_ghz,
                   cal_off_dbm, cal_on_dbm, meas_off_dbm, meas_on_dbm, as
                   `orlavex-cli evaluate --readings` takes it) instead of the
                   levels and freq: every frequency of the file is evaluated,
                   and the result is a dict of numpy arrays (freq_ghz,
                   readings, dut_nf_db, dut_gain_db, u_db, U_db, k, nu_eff)
                   and notes, a list per frequency
calibration        with readings: the calibration levels in a file of their
                   own (CSV with freq_ghz, cal_off_dbm, cal_on_dbm, repeated
                   rows allowed), interpolated linearly in frequency on the
                   dB levels to each frequency (a converting DUT's output
                   frequency), the nearest record held outside it with a
                   note; the readings' cal_off and cal_on then left out or
                   empty
enr_table          the noise source's ENR table, as in sweep(): the ENR and
                   its uncertainty at each frequency (a converting DUT
                   calibrated with the ENR at its output frequency), the
                   nearest record held outside it with a note; enr and
                   enr_unc (where the table has uncertainties) not given
dut_s2p            the DUT's S-parameters, as in sweep(): its input and
                   output matches from S11 and S22 at each frequency, in
                   place of dut_in_vswr and dut_out_vswr (the levels measure
                   its gain and noise figure), the nearest record held
                   outside the file with a note

Raises ValueError for a value an input cannot take, naming the keyword;
OSError for a readings file that cannot be used, naming its line.

)";

const std::string measure_doc =
    R"(Measures a band on the bench, as `orlavex-cli measure` does, and
evaluates the readings as evaluate(readings=...) does: the analyzer
prepared by its profile, the calibration (noise source straight into the
analyzer; not with calibration= or no_second_stage=True), then the DUT, each
frequency read with the source off and on, repeat times.

analyzer          the analyzer's resource: TCPIP::HOST::PORT::SOCKET,
                  TCPIP::HOST::INSTR or USB::/dev/usbtmcN
profile           the analyzer's profile: a shipped profile's name or a
                  JSON file
source            how the noise source is switched: "analyzer" (its drive
                  output), "supply:RESOURCE" (a supply by supply_profile),
                  "command:CMD {state}" or "prompt" (asked with input())
freq              one frequency (GHz), or start, stop and points: a band
repeat            readings of each level at each frequency (1 to 1000)
setup             a set-up file the readings are evaluated with; keywords
                  given beside it replace its values
calibration       an earlier calibration file, used instead of measuring one
save_readings     where the readings (CSV) are written; else they are not kept
save_calibration  where the calibration measured (CSV) is written
yes               no questions before the calibration and the DUT
timeout           seconds an instrument may take to reply

Returns what evaluate(readings=save_readings) returns. Ctrl+C switches the
noise source off and raises KeyboardInterrupt (the readings measured so far
kept in save_readings).

Raises ValueError for an argument or input it cannot take; RuntimeError
naming where the run stopped and why for a fault of the bench (an
instrument's SCPI error, a reply not in time, a lost connection, a source
that does not switch); OSError for a file that cannot be written.

)";

const std::string sweep_doc = R"(Evaluates the set-up at many points, varying one input, as
`orlavex-cli sweep` does: at every frequency the catalogue analyzer and
noise source apply as in the window (a point beyond an instrument's limit is
out of range, not clamped).

over        the swept input: "freq" (GHz), "dut-gain", "dut-nf", "enr",
            "analyzer-nf" (dB), "toff" (degrees C), "dut-in-match",
            "dut-out-match", "source-match", "analyzer-match" (VSWR, or
            return loss in dB with match_form="rl"), "loss-in", "loss-out"
            (dB), "image-ratio" (dB), or with reflections="known"
            "loss-in-phase" (degrees); _ may stand for -
start, stop first and last value, in the swept input's unit
points      number of points, ends included (2 to 100 000)
log         logarithmic spacing
enr_table   the noise source's ENR table: a path (.enr), or columns
            (freq_ghz, enr_db[, enr_unc_db]); replaces its ENR and ENR
            uncertainty (and, with reflection columns, its match)
dut_s2p     the DUT's S-parameters: a path (.s2p, or .s1p), an object with
            f (Hz) and s (N x 2 x 2 or N x 1 x 1) as scikit-rf's Network
            has, or (freq_ghz, s); its gain and matches per frequency
mc          a Monte Carlo at every point (trials, default 20 000, and seed
            as in monte_carlo()); adds mc_lo_db and mc_hi_db
match_form  "vswr" or "rl", for a swept match
fixed_if, fixed_lo  with freq_conv=True while the frequency is swept: the
            output frequency freq2 stays (fixed IF, the default) or the LO
            |freq - freq2| stays
progress    None, or a function called as progress(done, total) with the
            points evaluated so far, about ten times a second while the
            sweep runs and once at its end

Returns a dict of numpy arrays, one per column of `orlavex-cli sweep
--format csv`, in its order: the swept value first (named with its unit,
e.g. freq_ghz), then freq_ghz, enr_db, enr_unc_db, source_vswr,
dut_gain_db, dut_nf_db, analyzer_nf_db (net), ycal_db, ymeas_db,
nf_sys_db, margin1_db..margin3_db (dB, float64), lamp1..lamp3 (str),
rss_db, u_db, U_db (dB; k = 2 for U), with mc mc_lo_db and mc_hi_db (95 %
interval of the error, dB), note (str: which band or table record
applied, or why the point is out of range), and with a loss before or after
the DUT loss_in_db and loss_out_db (dB), and with a separate measurement
noise source meas_enr_db (its ENR at the point, dB). A number the CSV leaves empty is
NaN. Runs without the GIL; Ctrl+C stops it. A value the window rounds or
bounds gives a UserWarning (strict=True refuses it instead).

Raises ValueError for a value an input cannot take, naming the keyword;
FileNotFoundError for a missing file, OSError for one that is not valid.

)";

const std::string advise_doc =
    R"(Ranks every catalogue noise source (and "User" as typed) with every
internal-preamplifier choice of the analyzer across a frequency band, as
`orlavex-cli advise --json` does: by the worst expanded uncertainty over
the band and by the points that keep all three guideline lamps green.

start, stop  the band, GHz
points       number of frequencies, ends included (2 to 100 000)
log, enr_table, dut_s2p  as in sweep() (an ENR table applies to "User")
progress     None, or a function called as progress(done, total) with the
             points evaluated so far over every set-up tried, about ten
             times a second while the advice runs and once at its end

Returns {"ranking": [...]}, best first; each entry names the set-up, its
rank, worst U (dB) and where (GHz), the all-green count and the reason for
its place. Runs without the GIL; Ctrl+C stops it.

Raises ValueError for a value an input cannot take, naming the keyword;
FileNotFoundError for a missing file, OSError for one that is not valid.

)";

const std::string save_setup_doc =
    R"(Writes a set-up file (suggested extension .orlavex.json) that orlavex-cli's
--setup, load_setup() and the planner reopen, with the same keywords as
sweep(): the inputs given (each as the window takes it), the sweep, and every
data file embedded with its name and SHA-256, so that the file gives the same
numbers after the original files are gone. The same set-up always gives the
same bytes; the file is written whole or not at all.

path        where to write it
over, start, stop, points, log, enr_table, dut_s2p, mc, match_form,
fixed_if, fixed_lo  as in sweep() (a DataFile keeps its name and bytes;
            columns are saved as the file they make, enr_table.enr or
            dut_s2p.s2p)

Raises ValueError for a value an input cannot take, naming the keyword;
FileNotFoundError for a missing data file, OSError for one that is not
valid or a file that cannot be written.

)";

const std::string load_setup_doc =
    R"(Reads a set-up file (written by save_setup(), orlavex-cli --save-setup or
the planner) as the keywords of sweep(), so that
orlavex.sweep(**orlavex.load_setup(path)) runs it; inputs the file leaves out
are not in the dict and take their start-up values. Embedded data files come
as DataFile objects, which save_setup() writes again with their name and
SHA-256. Measured levels (an evaluation's) are left out: sweep() takes none.

Raises ValueError for a file that cannot be used, with the same one line as
orlavex-cli ("plan.orlavex.json:12: /inputs/dut_nf_db: expected a number,
got a string"): not JSON, an unknown key, a wrong type, a value out of its
range, a newer version, another format, an embedded file whose SHA-256 does
not match or that does not read. FileNotFoundError for a missing file.
)";

void raise_os_error(const std::string& text) {
    PyObject* message =
        PyUnicode_DecodeUTF8(text.data(), static_cast<Py_ssize_t>(text.size()), "backslashreplace");
    PyErr_SetObject(PyExc_OSError, message);
    Py_XDECREF(message);
}

// A missing file as FileNotFoundError with its filename; any other fault of
// a file as OSError with the reader's message (file, line, what).
void raise_file_error(const orlavex::datafiles::FileError& e) {
    std::error_code error;
    const std::filesystem::path file(e.file());
    if (e.line() == 0 && !std::filesystem::exists(file, error)) {
        const py::object name = py::module_::import("os").attr("fsdecode")(py::bytes(e.file()));
        PyErr_SetObject(PyExc_FileNotFoundError, py::make_tuple(ENOENT, e.message(), name).ptr());
        return;
    }
    raise_os_error(e.what());
}

// The C++ side of each public function, taking the inputs as keywords. Its
// own numbers and switches are read here, so that a wrong one is a
// ValueError naming it, as an input is.
void define_private_functions(py::module_& m) {
    m.def(
        "_point",
        [](const py::object& mc, const py::object& enr_table, const py::object& dut_s2p,
           const py::kwargs& inputs) {
            return point(switch_value(mc, "mc"), {enr_table, dut_s2p}, inputs);
        },
        py::kw_only(), py::arg("mc") = true, py::arg("enr_table") = py::none(),
        py::arg("dut_s2p") = py::none());
    m.def(
        "_budget",
        [](const py::object& enr_table, const py::object& dut_s2p, const py::kwargs& inputs) {
            return budget({enr_table, dut_s2p}, inputs);
        },
        py::kw_only(), py::arg("enr_table") = py::none(), py::arg("dut_s2p") = py::none());
    m.def(
        "_monte_carlo",
        [](const py::object& trials, const py::object& seed, const py::object& samples,
           const py::object& progress, const py::object& enr_table, const py::object& dut_s2p,
           const py::kwargs& inputs) {
            return monte_carlo(trials, seed, switch_value(samples, "samples"), progress,
                               {enr_table, dut_s2p}, inputs);
        },
        py::kw_only(), py::arg("trials") = orlavex::measure::MonteCarloOptions{}.trials,
        py::arg("seed") = orlavex::measure::default_seed, py::arg("samples") = false,
        py::arg("progress") = py::none(), py::arg("enr_table") = py::none(),
        py::arg("dut_s2p") = py::none());
    m.def(
        "_evaluate",
        [](const py::object& cal_on, const py::object& cal_off, const py::object& meas_on,
           const py::object& meas_off, const py::object& readings, const py::object& calibration,
           const py::object& enr_table, const py::object& dut_s2p, const py::kwargs& inputs) {
            return evaluate(cal_on, cal_off, meas_on, meas_off, readings, calibration,
                            {enr_table, dut_s2p}, inputs);
        },
        py::arg("cal_on") = py::none(), py::arg("cal_off") = py::none(),
        py::arg("meas_on") = py::none(), py::arg("meas_off") = py::none(),
        py::arg("readings") = py::none(), py::arg("calibration") = py::none(),
        py::arg("enr_table") = py::none(), py::arg("dut_s2p") = py::none());
    m.def(
        "_sweep",
        [](const py::object& over, const py::object& start, const py::object& stop,
           const py::object& points, const py::object& log, const py::object& enr_table,
           const py::object& dut_s2p, const py::object& mc, const py::object& match_form,
           const py::object& fixed_if, const py::object& fixed_lo, const py::object& progress,
           const py::kwargs& inputs) {
            return sweep(
                {over, number_value(start, "start"), number_value(stop, "stop"), points,
                 switch_value(log, "log"), enr_table, dut_s2p, switch_value(mc, "mc"), match_form,
                 switch_value(fixed_if, "fixed_if"), switch_value(fixed_lo, "fixed_lo"), progress},
                inputs);
        },
        py::arg("over"), py::arg("start"), py::arg("stop"), py::arg("points") = 101,
        py::arg("log") = false, py::arg("enr_table") = py::none(), py::arg("dut_s2p") = py::none(),
        py::arg("mc") = false, py::arg("match_form") = "vswr", py::arg("fixed_if") = false,
        py::arg("fixed_lo") = false, py::arg("progress") = py::none());
    m.def(
        "_advise",
        [](const py::object& start, const py::object& stop, const py::object& points,
           const py::object& log, const py::object& enr_table, const py::object& dut_s2p,
           const py::object& fixed_if, const py::object& fixed_lo, const py::object& progress,
           const py::kwargs& inputs) {
            return advise(
                {py::str("freq"), number_value(start, "start"), number_value(stop, "stop"), points,
                 switch_value(log, "log"), enr_table, dut_s2p, false, py::str("vswr"),
                 switch_value(fixed_if, "fixed_if"), switch_value(fixed_lo, "fixed_lo"), progress},
                inputs);
        },
        py::arg("start"), py::arg("stop"), py::arg("points") = 101, py::arg("log") = false,
        py::arg("enr_table") = py::none(), py::arg("dut_s2p") = py::none(),
        py::arg("fixed_if") = false, py::arg("fixed_lo") = false, py::arg("progress") = py::none());
    m.def(
        "_save_setup",
        [](const py::object& path, const py::object& over, const py::object& start,
           const py::object& stop, const py::object& points, const py::object& log,
           const py::object& enr_table, const py::object& dut_s2p, const py::object& mc,
           const py::object& match_form, const py::object& fixed_if, const py::object& fixed_lo,
           const py::kwargs& inputs) {
            if (!is_path(path)) refuse("path: give a str or os.PathLike");
            save_setup(path_value(path, "path"),
                       {over, number_value(start, "start"), number_value(stop, "stop"), points,
                        switch_value(log, "log"), enr_table, dut_s2p, switch_value(mc, "mc"),
                        match_form, switch_value(fixed_if, "fixed_if"),
                        switch_value(fixed_lo, "fixed_lo"), py::none()},
                       inputs);
        },
        py::arg("path"), py::arg("over") = "freq", py::arg("start") = 0.0, py::arg("stop") = 0.0,
        py::arg("points") = 101, py::arg("log") = false, py::arg("enr_table") = py::none(),
        py::arg("dut_s2p") = py::none(), py::arg("mc") = false, py::arg("match_form") = "vswr",
        py::arg("fixed_if") = false, py::arg("fixed_lo") = false);
}

// The C++ side of measure(), as the other functions' above.
void define_private_measure(py::module_& m) {
    m.def(
        "_measure",
        [](const py::object& analyzer, const py::object& profile, const py::object& source,
           const py::object& supply_profile, const py::object& freq, const py::object& start,
           const py::object& stop, const py::object& points, const py::object& repeat,
           const py::object& setup, const py::object& calibration, const py::object& save_readings,
           const py::object& save_calibration, const py::object& yes, const py::object& timeout,
           const py::kwargs& inputs) {
            return measure(
                {analyzer, profile, source, supply_profile, freq, start, stop, points, repeat,
                 setup, calibration, save_readings, save_calibration, yes, timeout},
                inputs);
        },
        py::arg("analyzer"), py::arg("profile") = "analyzer-marker-noise",
        py::arg("source") = "analyzer", py::arg("supply_profile") = "supply-28v",
        py::arg("freq") = py::none(), py::arg("start") = py::none(), py::arg("stop") = py::none(),
        py::arg("points") = py::none(), py::arg("repeat") = 1, py::arg("setup") = py::none(),
        py::arg("calibration") = py::none(), py::arg("save_readings") = py::none(),
        py::arg("save_calibration") = py::none(), py::arg("yes") = false,
        py::arg("timeout") = 10.0);
}

// The public functions: Python wrappers with real signatures, and their docs.
void define_public_functions(py::module_& m) {
    using orlavex::app::command_named;
    const std::string point_inputs = input_docs(command_named("point"));
    const std::string sweep_inputs = input_docs(command_named("sweep"));
    py::exec(wrapper_source(), m.attr("__dict__"));
    const std::pair<const char*, std::string> docs[] = {
        {"point", point_doc + point_inputs},
        {"budget", budget_doc + point_inputs},
        {"monte_carlo", monte_carlo_doc + point_inputs},
        {"evaluate", evaluate_doc + input_docs(command_named("evaluate"))},
        {"measure", measure_doc + input_docs(command_named("evaluate"))},
        {"sweep", sweep_doc + sweep_inputs},
        {"advise", advise_doc + input_docs(command_named("advise"))},
        {"save_setup", save_setup_doc + sweep_inputs},
    };
    for (const auto& [name, doc] : docs)
        m.attr(name).attr("__doc__") = doc;
}

// The catalogues and the data-file readers.
void define_catalogues_and_files(py::module_& m) {
    m.def(
        "analyzers", [] { return to_python(orlavex::app::analyzers_json()); },
        "The catalogue's analyzer models, as `orlavex-cli catalogue analyzers --json` lists\n"
        "them: a list of dicts, each with name, family, max_freq_ghz (upper frequency limit,\n"
        "GHz), preamp (\"none\", \"single\" or \"options\"; the options' names in\n"
        "preamp_options), gain_unc_db and nf_unc_db (dB), and by band (from_ghz up to the\n"
        "next band) input_vswr and danl_dbm_hz (noise level, dBm/Hz: without_preamp,\n"
        "with_preamp, and with_option1 for the second of two preamplifiers).");
    m.def(
        "noise_sources", [] { return to_python(orlavex::app::noise_sources_json()); },
        "The catalogue's noise source models, as `orlavex-cli catalogue noise-sources --json`\n"
        "lists them: a list of dicts, each with name, maker, max_freq_ghz (upper frequency\n"
        "limit, GHz), enr_db (nominal ENR, dB) and by band (from_ghz up to the next band)\n"
        "output_vswr.");

    m.def("read_enr", &read_enr, py::arg("path"),
          "Reads a noise source's ENR table (.enr): a path or a DataFile.\n\n"
          "Returns a dict: name, header {field: value}, and numpy arrays freq_ghz (GHz), enr_db\n"
          "and enr_unc_db (dB; None when the table has no uncertainty column), reflection\n"
          "{on_mag, on_deg, off_mag, off_deg} (magnitude 0 to 1, angle in degrees; None\n"
          "without the columns).\n\n"
          "Raises OSError for a file that cannot be read or is not a valid table; the message\n"
          "names the file, the line and what was expected.");
    m.def("read_readings", &read_readings, py::arg("path"),
          "Reads a readings file (CSV: freq_ghz, cal_off_dbm, cal_on_dbm, meas_off_dbm,\n"
          "meas_on_dbm, as `orlavex-cli evaluate --readings` takes it): a path.\n\n"
          "Returns a dict of numpy arrays, one entry per frequency: freq_ghz, freq2_ghz (only\n"
          "when the file has the column), cal_off_dbm, cal_on_dbm, meas_off_dbm, meas_on_dbm\n"
          "(the mean of the frequency's readings in linear power, in dBm; NaN for calibration\n"
          "levels the file does not give) and readings (how many rows the frequency has).\n"
          "orlavex.evaluate(freq=r[\"freq_ghz\"], meas_on=r[\"meas_on_dbm\"], ...) evaluates\n"
          "them as single readings.\n\n"
          "Raises OSError for a file that cannot be read or is not valid; the message names\n"
          "the file, the line and what was expected.");
    m.def("read_touchstone", &read_touchstone, py::arg("path"),
          "Reads DUT S-parameters from a Touchstone 1.x file (.s1p or .s2p): a path or a\n"
          "DataFile.\n\n"
          "Returns a dict: name, ports (1 or 2), format (\"MA\", \"DB\" or \"RI\", as declared),\n"
          "reference_ohms, and numpy arrays freq_ghz (GHz), s11, s21, s12, s22 (complex; S21,\n"
          "S12 and S22 are 0 in a .s1p).\n\n"
          "Raises OSError for a file that cannot be read or is not valid; the message names\n"
          "the file, the line and what was expected.");
}

}  // namespace

PYBIND11_MODULE(orlavex, m) {
    m.doc() =
        "Orlavex, the noise-figure calculator (Y-factor method): the window's figures, the GUM\n"
        "budget, the Monte Carlo, sweeps and the instrument catalogues, with the numbers\n"
        "orlavex-cli prints. Frequencies in GHz, levels in dBm, gains, noise figures, ENR and\n"
        "uncertainties in dB, unless a name says otherwise.";
    m.attr("__version__") = ORLAVEX_VERSION;
    m.attr("DEFAULT_SEED") = orlavex::measure::default_seed;

    py::register_exception_translator([](std::exception_ptr p) {
        try {
            if (p) std::rethrow_exception(p);
        } catch (const orlavex::datafiles::FileError& e) {
            raise_file_error(e);
        } catch (const DataError& e) {
            raise_os_error(e.what());
        }
    });

    define_data_file(m);
    define_instrument(m);
    define_private_functions(m);
    define_private_measure(m);
    define_public_functions(m);
    m.def("_stub", &stub_source, "The module's stub (orlavex.pyi), for the build.");

    define_catalogues_and_files(m);
    m.def("load_setup", &load_setup, py::arg("path"), load_setup_doc.c_str());
    m.def("_point_seconds_in_cpp", &point_seconds_in_cpp, py::arg("calls"),
          "Seconds the C++ side of point(mc=False, **inputs) takes for CALLS calls (start the\n"
          "window, enter the inputs, budget, JSON document), without the Python objects; NaN\n"
          "when the inputs are refused. For the binding's benchmark.");
}
