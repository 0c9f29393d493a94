// The menu item arrays that offer the catalogues' models: one per analyzer
// family and one per noise source maker, in the catalogues' order. Filling
// the menus, clearing their check marks and binding their clicks all go
// through these two arrays; catalogue_menus.cpp has the compiler check them
// against the catalogues and the layout.
#pragma once

#include "form/control_id.h"

#include <array>

namespace orlavex {

inline constexpr std::array analyzer_family_menus = {
    Ctl::mnuAravel, Ctl::mnuDalmor, Ctl::mnuGalder, Ctl::mnuBelquin, Ctl::mnuCorvex, Ctl::mnuElvane,
    Ctl::mnuHestra, Ctl::mnuIstrel, Ctl::mnuJovane, Ctl::mnuKelmar,  Ctl::mnuLorwen, Ctl::mnuMorvel,
    Ctl::mnuNalvor, Ctl::mnuOstrel, Ctl::mnuPellin, Ctl::mnuQuarro,
};

inline constexpr std::array noise_source_maker_menus = {
    Ctl::mnuNS_Mercury,
    Ctl::mnuNS_Noisecom,
    Ctl::mnuNS_Quinstar,
};

}  // namespace orlavex
