#include "ui/sign_marks.h"

#include <QFontMetricsF>
#include <QLabel>

#include <array>
#include <cmath>

namespace orlavex::ui {

namespace {

struct SignMark {
    Ctl mark;    // a label showing one character ("_")
    Ctl marked;  // the label whose first character it completes
};

constexpr std::array<SignMark, 1> sign_marks{{
    {Ctl::linMinus, Ctl::lblNF_unc},
}};

// The middle of the ink of LABEL's first character, in its parent's pixels
// (the labels are aligned left, with no indent).
double first_ink_middle(const QLabel* label) {
    const QRectF ink = QFontMetricsF(label->font()).boundingRect(label->text().front());
    return label->x() + label->contentsRect().left() + ink.center().x();
}

}  // namespace

void align_sign_marks(const WindowWidgets& widgets) {
    for (const SignMark& s : sign_marks) {
        auto* mark = qobject_cast<QLabel*>(widgets[s.mark]);
        const auto* marked = qobject_cast<const QLabel*>(widgets[s.marked]);
        if (mark == nullptr || marked == nullptr || mark->isHidden() || mark->text().isEmpty() ||
            marked->text().isEmpty())
            continue;
        // A left margin moves the text sideways only (an indent would also
        // move it down).
        const double unmoved = first_ink_middle(mark) - mark->contentsMargins().left();
        const int shift = static_cast<int>(std::lround(first_ink_middle(marked) - unmoved));
        if (mark->contentsMargins().left() != shift) mark->setContentsMargins(shift, 0, 0, 0);
    }
}

}  // namespace orlavex::ui
