#include "form/TrackState.h"

#include "form/FontDefaults.h"
#include "page/FontSpan.h"
#include "richtext/DocumentRichEdit.h"

TrackState::TrackState() : m_trackText(std::make_unique<DocumentRichEdit>()) {
    ApplyStartFont(*m_trackText, kTrackStartPoints);
}

int TrackState::GetWordsPerCut() const {
    for (int n = 6; n >= 2; --n) {
        if (m_wordsPerCutRadio[static_cast<size_t>(n - 1)]) return n;
    }
    return 1;
}

void TrackState::SetWordsPerCut(int n) {
    for (size_t i = 0; i < m_wordsPerCutRadio.size(); ++i) m_wordsPerCutRadio[i] = static_cast<int>(i) + 1 == n;
}

std::string TrackState::GetTextStylePrefix() const { return FontSpanOf(*m_trackText); }
