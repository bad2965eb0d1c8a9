// SPDX-License-Identifier: GPL-3.0-or-later
#include "form/TrackState.h"
#include "richtext/RichTextOps.h"
#include "tracks/WordShredder.h"

void ShredTrack(TrackState& track) {
    RichEditControl& text = *track.m_trackText;
    track.m_trackUndoText = text.StreamRtfOut();
    std::string plain = PlainTextOf(text);
    // The closing paragraph mark is not part of the last word: "text" keeps
    // its last four letters instead of three and a line feed.
    while (!plain.empty() && (plain.back() == '\n' || plain.back() == '\r')) plain.pop_back();
    std::string shredded = ShredWords(plain, ShredSettingsOf(track));
    // Each word is followed by a space; the last one would grow the text by a
    // space at every shred.
    shredded.pop_back();
    LoadPlainText(text, shredded);
}
