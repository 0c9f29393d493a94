// The model counts text positions in bytes of UTF-8, Qt in UTF-16 units;
// the two agree for the plain ASCII that fields normally hold.
#pragma once

#include <QString>

#include <string>

namespace orlavex::ui {

// The UTF-16 position in TEXT of the byte position BYTES of its UTF-8 form.
int utf16_position(const std::string& text, int bytes);

// The UTF-8 byte position of the UTF-16 position POSITION in TEXT.
int utf8_position(const QString& text, int position);

}  // namespace orlavex::ui
