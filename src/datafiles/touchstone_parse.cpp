// Reading Touchstone 1.x and 2.0 text; the format is described in
// touchstone.h.
#include "datafiles/file_error.h"
#include "datafiles/numbers.h"
#include "datafiles/text_lines.h"
#include "datafiles/touchstone.h"
#include "datafiles/touchstone_options.h"
#include "datafiles/touchstone_parts.h"
#include "datafiles/touchstone_records.h"

#include <cmath>
#include <limits>
#include <optional>
#include <utility>

namespace orlavex::datafiles {
namespace {

// Touchstone sets no line limit; this one only keeps a runaway line (a file
// that is not Touchstone) from being read as data. Comments are not counted.
constexpr std::size_t max_line_chars = 4096;
constexpr std::size_t max_file_bytes = 64 * 1024 * 1024;

enum class Section { header, information, network, noise, end };

class TouchstoneReader {
  public:
    TouchstoneReader(std::string_view name, int ports) : name_(name), records_(name, ports) {
        parts_.name = std::string(name);
        parts_.ports = ports;
    }

    TouchstoneParts read(LineReader& lines) {
        bool blank = true;
        TextLine line{};
        while (lines.next(line)) {
            line_ = line.number;
            const std::string_view content = trim_blanks(line.text);
            if (!content.empty() || line.had_comment) blank = false;
            if (!content.empty()) read_line(content);
        }
        line_ = 0;
        if (blank) fail("empty file: expected Touchstone data");
        finish();
        parts_.records = records_.take_records();
        parts_.noise = records_.take_noise();
        return std::move(parts_);
    }

  private:
    [[noreturn]] void fail(std::string message) const {
        throw FileError(std::string(name_), line_, std::move(message));
    }

    void read_line(std::string_view content) {
        if (section_ == Section::information) {
            if (content.starts_with('[') && keyword_name(content) == "end information") {
                section_ = Section::header;
            }
            return;
        }
        if (section_ == Section::end) return;  // nothing after [End] is read
        if (content.starts_with('[')) {
            keyword(content);
        } else if (content.starts_with('#')) {
            option_line(content.substr(1));
        } else if (reference_pending_ > 0) {
            reference_values(content);
        } else {
            data_line(content);
        }
    }

    void option_line(std::string_view rest) {
        if (records_.started() || section_ != Section::header) {
            fail("option line after the data: expected it before the first data line");
        }
        // A later option line is ignored, as Touchstone 1.x has it.
        if (!options_read_) {
            options_ = read_option_line(rest, name_, line_);
            parts_.format = options_.format;
            if (!references_given_) parts_.reference_ohms.fill(options_.reference_ohms);
        }
        options_read_ = true;
    }

    void data_line(std::string_view content) {
        if (version_2() && section_ == Section::header) {
            fail(
                "data before [Network Data]: expected the keyword [Network Data] above the "
                "first record");
        }
        if (section_ != Section::noise && records_.whole_record_line(content, line_, options_)) {
            return;
        }
        split_numbers(content, false, fields_);
        if (section_ == Section::noise) {
            records_.noise_line(fields_, line_, options_.unit_hz);
        } else {
            records_.data_line(fields_, line_, options_, !version_2());
        }
    }

    // The keyword's name in lower case, without the brackets.
    std::string keyword_name(std::string_view content) const {
        const std::size_t close = content.find(']');
        if (close == std::string_view::npos) fail("expected ']' closing the keyword");
        std::string name;
        for (const char c : trim_blanks(content.substr(1, close - 1)))
            name += static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
        return name;
    }

    void keyword(std::string_view content);
    void version(std::string_view value);
    void number_of_ports(std::string_view value);
    void two_port_order(std::string_view value);
    void matrix_format(std::string_view value);
    int count(std::string_view value, std::string_view keyword) const;
    void reference_values(std::string_view content);
    void network_data();
    void noise_data();
    void finish();
    void check_count(const std::optional<std::pair<int, int>>& declared, std::size_t found,
                     std::string_view keyword, std::string_view what);

    bool version_2() const { return parts_.version == 2; }

    std::string_view name_;
    int line_ = 0;
    TouchstoneParts parts_;
    TouchstoneOptions options_;
    bool options_read_ = false;
    RecordReader records_;
    Section section_ = Section::header;
    bool ports_given_ = false;
    std::optional<TwoPortOrder> order_;
    std::optional<std::pair<int, int>> frequencies_, noise_frequencies_;  // count, line
    bool references_given_ = false;
    int reference_pending_ = 0;
    int reference_line_ = 0;
    bool network_seen_ = false;
    NumberFields fields_;  // of the line being read
};

LineRules touchstone_lines(std::size_t max_bytes) {
    return {max_line_chars, "expected Touchstone lines under 4096 characters", '!', max_bytes};
}

void TouchstoneReader::keyword(std::string_view content) {
    const std::string name = keyword_name(content);
    const std::string_view value = trim_blanks(content.substr(content.find(']') + 1));
    if (!version_2() && name != "version") {
        fail("keyword [" + std::string(trim_blanks(content.substr(1, content.find(']') - 1))) +
             "] without [Version] 2.0: a Touchstone 2.0 file starts with [Version] 2.0");
    }
    if (reference_pending_ > 0) {
        fail("[Reference] on line " + std::to_string(reference_line_) + " lacks " +
             std::to_string(reference_pending_) + " of its " + std::to_string(parts_.ports) +
             " reference resistances: expected one per port");
    }
    if (name == "version") return version(value);
    if (name == "number of ports") return number_of_ports(value);
    if (name == "two-port data order") return two_port_order(value);
    if (name == "number of frequencies") {
        frequencies_ = {{count(value, "[Number of Frequencies]"), line_}};
        return;
    }
    if (name == "number of noise frequencies") {
        noise_frequencies_ = {{count(value, "[Number of Noise Frequencies]"), line_}};
        return;
    }
    if (name == "reference") {
        if (!ports_given_) fail("[Reference] before [Number of Ports]: expected the ports first");
        references_given_ = true;
        reference_pending_ = parts_.ports;
        reference_line_ = line_;
        if (!value.empty()) reference_values(value);
        return;
    }
    if (name == "matrix format") return matrix_format(value);
    if (name == "mixed-mode order") {
        fail("mixed-mode data ([Mixed-Mode Order]): expected single-ended S-parameters");
    }
    if (name == "begin information") {
        section_ = Section::information;
        return;
    }
    if (name == "end information") fail("[End Information] without [Begin Information] above it");
    if (name == "network data") return network_data();
    if (name == "noise data") return noise_data();
    if (name == "end") {
        section_ = Section::end;
        return;
    }
    fail("unknown keyword [" + std::string(trim_blanks(content.substr(1, content.find(']') - 1))) +
         "]: expected a Touchstone 2.0 keyword");
}

void TouchstoneReader::version(std::string_view value) {
    if (version_2()) fail("[Version] repeats: expected it once, on the first line of data");
    if (options_read_ || records_.started()) {
        fail("[Version] after the option line or data: expected it first");
    }
    if (value != "2.0" && value != "2.1") {
        fail("Touchstone version '" + std::string(value) + "': expected 2.0");
    }
    parts_.version = 2;
}

int TouchstoneReader::count(std::string_view value, std::string_view keyword) const {
    // A count past an int could never match the data (a file under 64 MiB).
    constexpr double largest = std::numeric_limits<int>::max();
    const auto n = parse_number(value);
    if (!n || *n < 1 || *n > largest || *n != std::floor(*n)) {
        fail("expected a whole number above 0 after " + std::string(keyword) + ", found '" +
             std::string(value) + "'");
    }
    return static_cast<int>(*n);
}

void TouchstoneReader::number_of_ports(std::string_view value) {
    const int ports = count(value, "[Number of Ports]");
    if (ports != parts_.ports) {
        fail("[Number of Ports] " + std::to_string(ports) + " in a ." +
             (parts_.ports == 1 ? "s1p" : "s2p") + " file: expected " +
             std::to_string(parts_.ports));
    }
    ports_given_ = true;
}

void TouchstoneReader::two_port_order(std::string_view value) {
    if (value == "12_21") {
        order_ = TwoPortOrder::s12_first;
    } else if (value == "21_12") {
        order_ = TwoPortOrder::s21_first;
    } else {
        fail("[Two-Port Data Order] '" + std::string(value) + "': expected 12_21 or 21_12");
    }
    records_.set_order(*order_);
}

void TouchstoneReader::matrix_format(std::string_view value) {
    if (equal_ignoring_case(value, "Full")) return records_.set_matrix(MatrixFormat::full);
    if (equal_ignoring_case(value, "Lower")) return records_.set_matrix(MatrixFormat::lower);
    if (equal_ignoring_case(value, "Upper")) return records_.set_matrix(MatrixFormat::upper);
    fail("[Matrix Format] '" + std::string(value) + "': expected Full, Lower or Upper");
}

void TouchstoneReader::reference_values(std::string_view content) {
    for (const std::string_view field : split_fields(content, false)) {
        if (reference_pending_ == 0) {
            fail("more reference resistances than ports: expected " + std::to_string(parts_.ports) +
                 " after [Reference]");
        }
        const auto ohms = parse_number(field);
        if (!ohms)
            fail("expected a reference resistance in ohms, found '" + std::string(field) + "'");
        if (*ohms <= 0) {
            fail("reference resistance " + number_text(*ohms) + " ohms: expected above 0");
        }
        parts_.reference_ohms[static_cast<std::size_t>(parts_.ports - reference_pending_)] = *ohms;
        --reference_pending_;
    }
}

void TouchstoneReader::network_data() {
    if (network_seen_) fail("[Network Data] repeats: expected it once");
    if (!ports_given_) fail("[Network Data] before [Number of Ports]: expected the ports first");
    if (parts_.ports == 2 && !order_ && records_.matrix() == MatrixFormat::full) {
        fail(
            "a 2-port file without [Two-Port Data Order]: expected 12_21 or 21_12 above "
            "[Network Data]");
    }
    network_seen_ = true;
    section_ = Section::network;
}

void TouchstoneReader::noise_data() {
    if (section_ != Section::network) fail("[Noise Data] before [Network Data]: expected it after");
    if (parts_.ports != 2)
        fail("[Noise Data] in a 1-port file: expected noise data of 2 ports only");
    records_.end_record(line_);
    section_ = Section::noise;
}

void TouchstoneReader::check_count(const std::optional<std::pair<int, int>>& declared,
                                   std::size_t found, std::string_view keyword,
                                   std::string_view what) {
    if (!declared || static_cast<std::size_t>(declared->first) == found) return;
    line_ = declared->second;
    fail(std::string(keyword) + " " + std::to_string(declared->first) + ", found " +
         std::to_string(found) + " " + std::string(what) +
         ": expected the count the file declares");
}

void TouchstoneReader::finish() {
    if (section_ == Section::information) fail("[Begin Information] without [End Information]");
    if (reference_pending_ > 0) {
        line_ = reference_line_;
        fail("[Reference] lacks " + std::to_string(reference_pending_) + " of its " +
             std::to_string(parts_.ports) + " reference resistances: expected one per port");
    }
    records_.end_record(0);
    if (version_2() && !network_seen_) {
        fail("no [Network Data]: expected the keyword and the records below it");
    }
    if (!records_.started()) {
        fail(std::string("no data: expected lines of the frequency and ") +
             (parts_.ports == 1 ? "the S11 pair" : "four S-parameter pairs"));
    }
    check_count(frequencies_, records_.record_count(), "[Number of Frequencies]",
                "network data frequencies");
    check_count(noise_frequencies_, records_.noise_lines(), "[Number of Noise Frequencies]",
                "noise data frequencies");
}

}  // namespace

Touchstone parse_touchstone(std::string_view text, std::string_view name, int ports) {
    if (ports != 1 && ports != 2) {
        throw std::invalid_argument("Touchstone files are read with 1 or 2 ports");
    }
    LineReader lines(text, name, touchstone_lines(std::numeric_limits<std::size_t>::max()));
    return TouchstoneBuilder::build(TouchstoneReader(name, ports).read(lines));
}

Touchstone read_touchstone(const std::filesystem::path& path) {
    const std::string extension = path.extension().string();
    int ports = 0;
    if (equal_ignoring_case(extension, ".s1p")) ports = 1;
    if (equal_ignoring_case(extension, ".s2p")) ports = 2;
    if (ports == 0) {
        throw FileError(path.string(), 0,
                        "expected a .s1p or .s2p file (the extension gives the ports), found '" +
                            extension + "'");
    }
    const std::string name = path.string();
    std::filebuf file = open_text_file(path, max_file_bytes);
    LineReader lines(file, name, touchstone_lines(max_file_bytes));
    return TouchstoneBuilder::build(TouchstoneReader(name, ports).read(lines));
}

}  // namespace orlavex::datafiles
