#include "app/setup_file/setup_file_data.h"

#include "datafiles/base64.h"
#include "datafiles/file_error.h"
#include "datafiles/sha256.h"

#include <algorithm>
#include <limits>

namespace orlavex::app {

namespace {

constexpr std::string_view data_dir = "/data_files";

// The file's bytes: its lines joined with LF, or its Base64.
std::string content(const SetupFileValues& values, const Json& entry, const std::string& pointer) {
    const bool lines = entry.contains("lines"), base64 = entry.contains("base64");
    if (lines == base64) values.refuse(pointer, "expected one of \"lines\" and \"base64\"");
    if (base64) {
        const std::string member = pointer + "/base64";
        const std::optional<std::string> bytes =
            datafiles::base64_decode(values.text(entry["base64"], member));
        if (!bytes) values.refuse(member, "not Base64");
        return *bytes;
    }
    const std::string member = pointer + "/lines";
    if (is_joined_lines(entry["lines"])) return joined_text(entry["lines"]);
    if (!entry["lines"].is_array() || entry["lines"].empty())
        values.refuse(member, "expected an array of strings (the file's lines)");
    std::string bytes;
    for (std::size_t i = 0; i < entry["lines"].size(); ++i) {
        if (i > 0) bytes += '\n';
        bytes += values.text(entry["lines"][i], member + "/" + std::to_string(i));
    }
    return bytes;
}

// Where a message of the file's reader points: its line among "lines".
std::string reader_pointer(const Json& entry, const std::string& pointer, int line) {
    if (!entry.contains("lines")) return pointer + "/base64";
    const Json& lines = entry["lines"];
    const auto last =
        static_cast<int>(is_joined_lines(lines) ? joined_line_count(lines) : lines.size());
    return pointer + "/lines" + (line > 0 ? "/" + std::to_string(std::min(line, last) - 1) : "");
}

void read_entry(const SetupFileValues& values, const DataFileSlot& slot, const Json& entry,
                const std::string& pointer, EmbeddedData& data) {
    std::optional<std::string> name, sha256;
    values.members(entry, pointer,
                   [&](const std::string& key, const Json& v, const std::string& p) {
                       if (key == "name")
                           name = values.text(v, p);
                       else if (key == "sha256")
                           sha256 = values.text(v, p);
                       else if (key == "freq_from_hz" || key == "freq_to_hz")
                           values.number(v, p);
                       else if (key == "records")
                           values.whole_number(v, p, 1, std::numeric_limits<std::uint64_t>::max());
                       else
                           return key == "lines" || key == "base64";
                       return true;
                   });
    if (!name || name->empty()) values.refuse(pointer, "expected \"name\", the file's name");
    if (!sha256) values.refuse(pointer, "expected \"sha256\", the SHA-256 of the file's bytes");
    EmbeddedFile file{*name, content(values, entry, pointer)};
    if (datafiles::sha256_hex(file.bytes) != *sha256) {
        values.refuse(pointer + "/sha256",
                      "the content does not match its SHA-256 (the file was changed)");
    }
    const std::size_t slot_at = slot_index(slot.key);
    try {
        if (slot.kind == DataFileKind::enr_table) {
            data.enr_tables[slot_at] = enr_table_of(file);
        } else {
            data.touchstones[slot_at] = touchstone_of(file);
        }
    } catch (const datafiles::FileError& e) {
        values.refuse(reader_pointer(entry, pointer, e.line()), *name + ": " + e.message());
    }
    data.files[slot_at] = std::move(file);
}

}  // namespace

EmbeddedData read_data_files(const SetupFileValues& values, const Json* data_files) {
    EmbeddedData data;
    if (data_files == nullptr) return data;
    values.members(*data_files, std::string(data_dir),
                   [&](const std::string& key, const Json& entry, const std::string& pointer) {
                       const auto* slot =
                           std::ranges::find(data_file_slots, key, &DataFileSlot::key);
                       if (slot == data_file_slots.end()) return false;
                       read_entry(values, *slot, entry, pointer, data);
                       return true;
                   });
    return data;
}

}  // namespace orlavex::app
