// The session's set-up files (open, save, the file's path and whether the
// inputs changed since) and its CSV export.
#include "session/planner_session.h"

#include "app/results/sweep_output.h"
#include "app/setup_file/setup_file.h"
#include "datafiles/file_error.h"

#include <exception>
#include <filesystem>
#include <new>
#include <utility>

namespace orlavex::session {

namespace {

std::string file_name(const std::string& path) {
    return std::filesystem::path(path).filename().string();
}

std::string absolute_path(const std::string& path) {
    return std::filesystem::absolute(path).lexically_normal().string();
}

}  // namespace

std::string PlannerSession::open_setup_file(const std::string& path) {
    try {
        if (std::string why = open_request(app::read_setup_file(path)); !why.empty())
            return file_name(path) + ": " + why;
    } catch (const app::SetupFileError& e) {
        return e.what();
    } catch (const datafiles::FileError& e) {
        return e.what();
    } catch (const std::bad_alloc&) {
        return file_name(path) + ": not enough memory to open it";
    } catch (const std::exception& e) {
        return file_name(path) + ": " + e.what();
    }
    setup_path_ = absolute_path(path);
    dirty_ = false;
    return {};
}

std::string PlannerSession::save_setup_file(const std::string& path) {
    try {
        app::write_setup_file(path, sweep_request());
    } catch (const std::exception& e) {
        return "Cannot save " + path + ": " + e.what();
    }
    setup_path_ = absolute_path(path);
    dirty_ = false;
    return {};
}

void PlannerSession::start_afresh(Calculator calc) {
    take_setup(std::move(calc));
    setup_path_.clear();
    dirty_ = false;
}

std::string PlannerSession::export_csv(const std::string& path) const {
    if (!result_) return "No sweep to export yet.";
    const std::string why = app::write_sweep_csv_file(path, *result_, result_has_mc_);
    return why.empty() ? std::string() : "Cannot write " + path + ": " + why;
}

}  // namespace orlavex::session
