// The design of the three windows as constant data: one row per control,
// in the order of the Ctl enumeration. The window model starts every control
// from its row, and the Qt window builds its widgets from the same rows.
#pragma once

#include "form/control_id.h"

#include <array>
#include <cstdint>
#include <string_view>

namespace orlavex {

enum class Kind : std::uint8_t {
    Window,  // a top-level window (frmNFCalc, frmAbout, frmHints)
    Frame,   // captioned frame
    Group,   // borderless frame: moves and hides its children together
    Label,
    Field,   // single-line entry field
    Option,  // option button
    Check,   // check box
    Button,  // push button
    Picture,
    Circle,  // filled or outlined circle (lamps, connectors)
    Box,     // filled rectangle
    Line,
    Menu,  // a menu with items (menu bar entry, pop-up or submenu)
    Item,  // a menu item
};

// Start-state and look flags of a row.
enum Flag : std::uint32_t {
    Hidden = 1u << 0,
    Disabled = 1u << 1,
    Selected = 1u << 2,     // option selected, box ticked, menu item checked
    Border = 1u << 3,       // single border around a label
    Centred = 1u << 4,      // centred caption
    Transparent = 1u << 5,  // label drawn without background
    Popup = 1u << 6,        // menu never shown in the bar
    Filled = 1u << 7,       // circle or box drawn filled
    Link = 1u << 8,         // label that reads as a web link
    DefaultButton = 1u << 9,
    CancelButton = 1u << 10,
    Wrap = 1u << 11,  // caption wraps onto further lines
};

struct Rect {
    int left = 0, top = 0, width = 0, height = 0;  // twips; a line: x1, y1, x2, y2
};

struct Font {
    std::string_view family = "MS Sans Serif";
    double size = 8.25;
    bool bold = false;
    bool underline = false;
};

// Colours are the platform's blue-green-red numbers; values from
// 0x80000000 up name system colours.
namespace colour {
inline constexpr std::int64_t none = -1;
inline constexpr std::int64_t window_background = 0x80000005;
inline constexpr std::int64_t window_text = 0x80000008;
inline constexpr std::int64_t button_face = 0x8000000F;
inline constexpr std::int64_t button_text = 0x80000012;
inline constexpr std::int64_t black = 0x000000;
inline constexpr std::int64_t white = 0xFFFFFF;
inline constexpr std::int64_t red = 0x0000FF;
inline constexpr std::int64_t light_red = 0x8080FF;  // offending level fields
inline constexpr std::int64_t green = 0x00FF00;
inline constexpr std::int64_t yellow = 0x00FFFF;
inline constexpr std::int64_t grey = 0x808080;
inline constexpr std::int64_t dark_blue = 0xC00000;
inline constexpr std::int64_t blue = 0xFF0000;
inline constexpr std::int64_t light_cyan = 0xE3E0BB;  // RGB 187, 224, 227
}  // namespace colour

struct ControlRow {
    Ctl id;
    std::string_view name;
    int index = -1;  // position in an indexed array of menu items, else -1
    Kind kind = Kind::Label;
    Ctl parent = Ctl::frmNFCalc;
    Rect rect{};
    std::string_view text{};  // caption or designed text
    std::string_view tooltip{};
    Font font{};
    std::uint32_t flags = 0;
    int max_length = 0;  // typed characters an entry field accepts; 0: any
    std::int64_t backcolor = colour::none;
    std::int64_t forecolor = colour::none;
    std::int64_t fillcolor = colour::none;
    int line_width = 1;
    std::string_view picture{};  // resource name of a picture
};

extern const std::array<ControlRow, control_count> layout;

// Where a control stands (twips) and the size of its caption.
struct Placement {
    int left;
    int top;
    double fontsize;
};

// The two arrangements of the uncertainty result that the second-stage
// correction switches between: with the correction on the uncertainty
// stands alone, larger and further right; off, the offset caused by the
// analyzer sits beside it.
struct SecondStagePlacement {
    Ctl id;
    Placement correction_on;
    Placement correction_off;
};
inline constexpr std::array<SecondStagePlacement, 2> second_stage_placements{{
    {Ctl::lblNF_unc, {900, 420, 14}, {120, 420, 12}},
    {Ctl::linMinus, {860, 420, 14}, {40, 450, 10}},
}};

inline const ControlRow& layout_row(Ctl id) {
    return layout[static_cast<std::size_t>(id)];
}

// Whether a control of this kind can hold the focus at all: entry fields,
// check boxes, option buttons and push buttons.
constexpr bool takes_focus(Kind kind) {
    return kind == Kind::Field || kind == Kind::Check || kind == Kind::Option ||
           kind == Kind::Button;
}

// CONTROL and the controls around it, outwards up to its window:
// for (Ctl c : outwards_from(control)) ...
class OutwardsFrom {
  public:
    struct iterator {
        Ctl at;
        Ctl operator*() const { return at; }
        iterator& operator++() {
            at = layout_row(at).parent;
            return *this;
        }
        bool operator==(const iterator&) const = default;
    };

    explicit OutwardsFrom(Ctl control) : control_(control) {}
    iterator begin() const { return {control_}; }
    iterator end() const { return {Ctl::none}; }

  private:
    Ctl control_;
};

inline OutwardsFrom outwards_from(Ctl control) {
    return OutwardsFrom(control);
}

// The window (frmNFCalc, frmAbout, frmHints) that CONTROL belongs to.
Ctl window_of(Ctl control);

// The control called NAME (with INDEX for an indexed array), or Ctl::none.
Ctl find_control(std::string_view name, int index = -1);

// Item INDEX of the indexed array that starts at FIRST.
constexpr Ctl item(Ctl first, int index) {
    return static_cast<Ctl>(static_cast<int>(first) + index);
}

// Number of items of the indexed array that starts at FIRST.
int item_count(Ctl first);

// The first item of the indexed array CONTROL belongs to; any other
// control itself.
inline Ctl first_item(Ctl control) {
    const int index = layout_row(control).index;
    return index > 0 ? item(control, -index) : control;
}

}  // namespace orlavex
