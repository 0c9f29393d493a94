// Window coordinates of the design are twips; the widgets use pixels at
// 96 dots per inch, 15 twips to the pixel. Qt's device-pixel scaling then
// serves screens of higher density.
#pragma once

#include "form/layout.h"

#include <QRect>

namespace orlavex::ui {

inline constexpr int twips_per_pixel = 15;

constexpr int pixels(int twips) {
    const int half = twips_per_pixel / 2;
    return twips >= 0 ? (twips + half) / twips_per_pixel : -((-twips + half) / twips_per_pixel);
}

inline QRect pixel_rect(const Rect& r) {
    return {pixels(r.left), pixels(r.top), pixels(r.width), pixels(r.height)};
}

// The main window's outer height counts its title bar and menu bar; the
// widgets live in the client area below them.
inline constexpr int title_and_menu_twips = 720;

}  // namespace orlavex::ui
