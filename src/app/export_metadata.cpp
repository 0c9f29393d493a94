#include "app/export_metadata.h"

#include "app/setup_file.h"
#include "app/sweep_columns.h"
#include "datafiles/file_error.h"
#include "planning/swept_input.h"

namespace orlavex::app {

charts::ChartMetadata export_metadata(const SweepRequest& request, std::string_view version) {
    charts::ChartMetadata fields;
    fields.emplace_back(metadata_software, "Orlavex " + std::string(version));
    const std::string swept(planning::column_name(request.over, request.match_form));
    fields.emplace_back(metadata_description,
                        "Sweep of " + swept + " from " + number_text(request.from, -1) + " to " +
                            number_text(request.to, -1) + " (" + std::to_string(request.points) +
                            " points), analyzer " + analyzer_name(request.setup) +
                            ", noise source " + noise_source_name(request.setup));
    try {
        fields.emplace_back(metadata_setup, setup_file_text(request));
    } catch (const datafiles::FileError&) {
        // A data file gone since the sweep read it: the image keeps the rest.
    }
    return fields;
}

}  // namespace orlavex::app
