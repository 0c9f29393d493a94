#include "datafiles/lookup.h"

#include "datafiles/numbers.h"

namespace orlavex::datafiles {
namespace {

std::string record_at(const RecordRef& record) {
    return "record at " + frequency_text(record.freq_hz) + " (line " + std::to_string(record.line) +
           ")";
}

}  // namespace

std::string AppliedRecords::note() const {
    switch (placement) {
        case Placement::at_record:
            return record_at(lower);
        case Placement::between_records:
            return "between records at " + frequency_text(lower.freq_hz) + " and " +
                   frequency_text(upper.freq_hz) + " (lines " + std::to_string(lower.line) + "-" +
                   std::to_string(upper.line) + ")";
        case Placement::below_first:
            return "held from the nearest record, the first, at " + frequency_text(lower.freq_hz) +
                   " (line " + std::to_string(lower.line) + ")";
        case Placement::above_last:
            return "held from the nearest record, the last, at " + frequency_text(lower.freq_hz) +
                   " (line " + std::to_string(lower.line) + ")";
    }
    return {};
}

}  // namespace orlavex::datafiles
