// Captions are laid out for the fonts of the design; the free substitutes
// run a little wider. A caption that would overflow its rectangle is drawn
// narrower (and, where that is not enough, smaller) so that it always shows
// whole, whatever text the calculator writes into it.
#pragma once

#include <QFont>
#include <QWidget>

namespace orlavex::ui {

// Whether WIDGET's caption, in FONT, fits inside the room it is drawn in.
bool caption_fits(const QWidget* widget, const QFont& font);

// Gives WIDGET (a label, check box, option button, push button or frame)
// DESIGNED, narrowed or reduced just enough for its caption to fit.
void fit_caption(QWidget* widget, const QFont& designed);

}  // namespace orlavex::ui
