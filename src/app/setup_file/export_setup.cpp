#include "app/setup_file/export_setup.h"

#include "app/setup_file/setup_file.h"
#include "datafiles/file_error.h"

namespace orlavex::app {

std::string export_setup_text(const SweepRequest& request) {
    try {
        return setup_file_text(request);
    } catch (const datafiles::FileError&) {
        return {};
    }
}

}  // namespace orlavex::app
