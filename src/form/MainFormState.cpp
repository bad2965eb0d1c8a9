// SPDX-License-Identifier: GPL-3.0-or-later
#include "form/MainFormState.h"

#include "form/FontDefaults.h"
#include "richtext/DocumentRichEdit.h"
#include "db/DataFolder.h"

MainFormState::MainFormState() : m_mainText(std::make_unique<DocumentRichEdit>()), m_dataFolder(ResolveDataFolder()) {
    ApplyStartFont(*m_mainText, kMainTextStartPoints);
    for (TrackState& track : m_tracks) track.SetDatabasePath(DatabasePath());
}

void MainFormState::SetWordsPerSnip(int n) {
    const Setting& s = settings::kWordsPerSnip;
    m_wordsPerSnip = n >= s.minimum && n <= s.maximum ? n : s.minimum;
}
