#include "ui/colours.h"

#include "form/layout.h"

namespace orlavex::ui {

QColor to_qcolor(std::int64_t model_colour, const QPalette& system) {
    switch (model_colour) {
        case colour::none:
            return {};
        case colour::window_background:
            return system.color(QPalette::Base);
        case colour::window_text:
            return system.color(QPalette::Text);
        case colour::button_face:
            return system.color(QPalette::Window);
        case colour::button_text:
            return system.color(QPalette::WindowText);
        default:
            break;
    }
    if (model_colour >= 0x80000000) return system.color(QPalette::Window);  // other system colours
    const auto bgr = static_cast<std::uint32_t>(model_colour);
    return QColor(static_cast<int>(bgr & 0xFF), static_cast<int>((bgr >> 8) & 0xFF),
                  static_cast<int>((bgr >> 16) & 0xFF));
}

bool paints_own_background(std::int64_t model_colour) {
    return model_colour != colour::button_face && model_colour != colour::none;
}

}  // namespace orlavex::ui
