#include "core/scoring/ScoringContext.h"

namespace qv::scoring {

std::string ScoreWarnings::text() const {
    if (zeroLineClass == 0) return {};
    const bool one = zeroLineClass == 1;
    return std::to_string(zeroLineClass) + (one ? " catch or species row has" : " catches or species rows have") +
           " a line class of 0 and " + (one ? "scores" : "score") +
           " no points. Enter the line class to score " + (one ? "it." : "them.");
}

ScoringContext::ScoringContext(data::Store& store, data::System settings, session::Globals& globals)
    : store_(&store), settings_(std::move(settings)), globals_(&globals) {}

bool ScoringContext::scorer() const { return globals_->SecurityLevel == kScorerLevel; }

void ScoringContext::tell(std::string_view status, int done, int total) const {
    if (progress) progress(status, done, total);
}

Message notScorerMessage() {
    return programMessage("Scores are computed only for a user whose security level is Scorer.");
}

}  // namespace qv::scoring
