// A typed set-up taken as the calculator takes it, computed by the classic
// core without a window: each number as its field holds it (rounded to the
// characters the field takes), the catalogue models' values, every value
// held to its range; notes where that changed a value, or why the set-up
// is refused. The same refusals and notes as bringing a window to the
// set-up through its user actions (apply()), and the very figures the
// window then shows.
#pragma once

#include "app/inputs/apply_options.h"
#include "app/inputs/setup.h"
#include "catalogue/catalogue.h"
#include "core/classic_session.h"

#include <array>
#include <optional>
#include <vector>

namespace orlavex::app {

struct Resolved {
    Applied applied;  // why the set-up is refused, or the values it changed
    // The figures of the set-up as used; meaningless when refused.
    core::ClassicResult result;
    // The calculator as the set-up leaves it, for user actions to follow.
    core::ClassicSession session;
};

Resolved resolve(const Setup& setup, const ApplyOptions& options = {});

// The set-ups of a band of measured levels, each resolved as resolve()
// resolves it, without bringing a calculator to the whole set-up again for
// each: one is brought to manual mode once, and each set-up's frequencies
// and levels are entered into a copy of it. A catalogue analyzer's values
// change with the frequency, so its band has a calculator for each set of
// values its readings meet. Where that cannot give what the user actions
// give (a frequency beyond the analyzer, levels that evaluate to an error),
// the set-up is resolved on its own.
class LevelsResolver {
  public:
    explicit LevelsResolver(const ApplyOptions& options);

    // resolve(SETUP, options): SETUP in manual mode, the same set-up as
    // every one before it but for its frequencies and levels.
    Resolved resolve(const Setup& setup);
    // How many set-ups were resolved on their own so far.
    std::size_t resolved_alone() const { return alone_; }

  private:
    // A catalogue analyzer's match and noise at a frequency, in every
    // preamplifier state: set-ups with the same key leave manual mode alike.
    using AnalyzerKey = std::array<double, 5>;
    struct Prepared {
        AnalyzerKey key{};
        core::ClassicSession session;  // in manual mode, no level entered
    };

    void prepare(const Setup& setup);
    const core::ClassicSession* prepared_for(const Setup& setup);
    std::optional<Resolved> taken_at_once(const core::ClassicSession& prepared,
                                          const Setup& setup) const;

    ApplyOptions options_;
    bool started_ = false;
    bool replay_ = false;  // each set-up resolved on its own
    const catalogue::AnalyzerModel* analyzer_ = nullptr;
    // One for a "User" analyzer; one per key for a catalogue analyzer.
    std::vector<Prepared> prepared_;
    std::size_t alone_ = 0;
};

// "range 0.01 to 8 GHz": the bounds RESULT held ROW's field to, and whether
// VALUE lies within them.
std::string range_text(const core::ClassicResult& result, const FieldInput& row);
bool in_range(const core::ClassicResult& result, const FieldInput& row, double value);

}  // namespace orlavex::app
