#include "form/MainFormState.h"

#include "richtext/DocumentRichEdit.h"
#include "db/DataFolder.h"

MainFormState::MainFormState()
    : m_mainText(std::make_unique<DocumentRichEdit>()), m_dataFolder(ResolveDataFolder()) {
    CharFormat size;
    size.mask = CharFormat::kSize;
    size.heightTwips = 12 * 20;
    m_mainText->SetDefaultCharFormat(size);
    CharFormat face;
    face.mask = CharFormat::kFace;
    face.face = "Courier";
    m_mainText->SetDefaultCharFormat(face);
    for (TrackState& track : m_tracks) track.SetDatabasePath(DatabasePath());
}

int MainFormState::WordsPerSnip() const {
    // Radio "1" is never looked at: whatever else is unchecked gives 1.
    for (size_t i = 1; i < m_wordsPerSnipRadio.size(); ++i) {
        if (m_wordsPerSnipRadio[i]) return static_cast<int>(i) + 1;
    }
    return 1;
}

void MainFormState::SetWordsPerSnip(int n) {
    for (size_t i = 0; i < m_wordsPerSnipRadio.size(); ++i) m_wordsPerSnipRadio[i] = static_cast<int>(i) + 1 == n;
}
