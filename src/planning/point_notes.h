// The note of a sweep point: which catalogue bands and which table records
// gave its values, why a point is out of range, and the count of a sweep's
// points by how they stand.
#pragma once

#include "catalogue/catalogue.h"
#include "core/classic_setup.h"
#include "datafiles/lookup.h"
#include "datafiles/touchstone.h"

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace orlavex::planning {

struct SweepPoint;
struct SweepResult;

// "below 0.05 GHz", "8 to 13.6 GHz", "from 49 GHz" for the band of EDGES
// (lower edges of bands 2, 3, ...) that holds F_GHZ; "all frequencies" when
// there is one band.
std::string band_span(std::span<const double> edges, double f_ghz);

// CHOICES are the point's instruments and boxes; MEASUREMENT_SOURCE a
// separate measurement source from the catalogue, or nullptr. ENR and DUT are the
// table records that applied (nullptr without a table). REPLACED_SOURCE is
// the catalogue noise source a table's reflection data stand in for.
std::string point_note(const core::ClassicChoices& choices, const SweepPoint& point,
                       const datafiles::AppliedRecords* enr, const datafiles::DutPoint* dut,
                       const std::string& replaced_source,
                       const catalogue::NoiseSourceModel* measurement_source = nullptr);

// What a point's note is written from: its catalogue bands and table
// records, not their values.
struct PointNoteKey {
    const catalogue::AnalyzerModel* analyzer = nullptr;
    bool converted = false;   // the analyzer at its own frequency...
    double analyzer_ghz = 0;  // ...which the note then names
    bool external_preamp = false;
    std::size_t noise_band = 0, match_band = 0;
    const catalogue::NoiseSourceModel* source = nullptr;
    std::size_t source_band = 0;
    const catalogue::NoiseSourceModel* measurement_source = nullptr;
    std::size_t measurement_source_band = 0;
    struct Records {
        bool given = false;
        datafiles::Placement placement = datafiles::Placement::at_record;
        std::size_t lower = 0, upper = 0;
        bool operator==(const Records&) const = default;
    } enr, dut;
    std::string replaced_source, dut_reference;
    bool operator==(const PointNoteKey&) const = default;
};

// The notes of one run of a sweep's points, in order. Neighbouring points
// mostly lie in the same bands and between the same table records, and
// writing a note (its frequencies above all) costs more than a point's
// budget: a note is written again only when what it says changes.
class PointNotes {
  public:
    // As point_note.
    const std::string& note(const core::ClassicChoices& choices, const SweepPoint& point,
                            const datafiles::AppliedRecords* enr, const datafiles::DutPoint* dut,
                            const std::string& replaced_source,
                            const catalogue::NoiseSourceModel* measurement_source = nullptr);

  private:
    std::optional<PointNoteKey> key_;
    std::string note_;
};

// Why a reflection magnitude GAMMA from a data file cannot be a match in the
// window, in the engineer's terms: above 1 (a passive port reflects at most
// what it receives) or 1 (no VSWR expresses a total reflection). WHAT names
// the value ("|S11|"), PORT the port ("the DUT's input"), RECORDS where it
// came from. Empty for a magnitude under 1.
std::string reflection_problem(double gamma, std::string_view what, std::string_view port,
                               const datafiles::AppliedRecords& records);

// A sweep's points by how they stand: in range with every value from its
// own data, in range with a value held from a file's nearest record, and the
// rest.
struct PointCounts {
    std::size_t points = 0;
    std::size_t in_range = 0;  // in range and not held
    std::size_t held = 0;      // in range, a file's value held from its nearest record
};
PointCounts count_points(const SweepResult& result);

// "201 points, 180 in range, 21 held from the nearest record" (the last part
// only when some are held).
std::string counts_text(const PointCounts& counts);

}  // namespace orlavex::planning
