// SPDX-License-Identifier: GPL-3.0-or-later
#include "form/TrackState.h"

#include "form/FontDefaults.h"
#include "page/FontSpan.h"
#include "richtext/DocumentRichEdit.h"

TrackState::TrackState() : m_trackText(std::make_unique<DocumentRichEdit>()) {
    ApplyStartFont(*m_trackText, kTrackStartPoints);
}

void TrackState::SetWordsPerCut(int n) {
    const Setting& s = settings::kWordsPerCut;
    m_wordsPerCut = n >= s.minimum && n <= s.maximum ? n : s.minimum;
}

std::string TrackState::GetTextStylePrefix() const { return FontSpanOf(*m_trackText); }
