// SPDX-License-Identifier: GPL-3.0-or-later
#include "tracks/TrackCommands.h"

#include "form/FontDefaults.h"
#include "form/FontPreset.h"
#include "form/TrackState.h"
#include "richtext/RichTextOps.h"
#include "richtext/TextFileLoad.h"
#include "support/Random.h"
#include "support/UserInterface.h"

#include <filesystem>

void InitialiseTrack(TrackState& track) {
    track.m_fragmentType = settings::kFragmentType.initial;
    track.m_fragmentSize = settings::kFragmentSize.initial;
    track.SetWordsPerCut(settings::kWordsPerCut.initial);
    rng::SeedFromTime();

    ApplyStartFont(*track.m_trackText, kTrackStartPoints);

    track.m_collageStyle = settings::kTrackStyle.initial;
    track.m_useWhole = settings::kUseWhole.initial != 0;
    track.m_trackColour = settings::kTrackColour.initial;
}

std::string JoinFirstLines(std::istream& in, int maxLines) {
    std::string joined;
    std::string line;
    for (int n = 0; n < maxLines && std::getline(in, line); ++n) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        joined += line;
        joined += ' ';
    }
    return joined;
}

namespace {

std::string JoinTrackLines(std::istream& in) { return JoinFirstLines(in, kTrackOpenLines); }

}  // namespace

bool LoadTrackTextFile(TrackState& track, UserInterface& ui, const std::string& path) {
    if (!LoadTextFileInto(*track.m_trackText, ui, path, kTrackOpenLines, JoinTrackLines)) return false;
    track.m_trackFileName = std::filesystem::path(path).filename().string();
    return true;
}

void OpenTrackFile(TrackState& track, UserInterface& ui) {
    RichEditControl& text = *track.m_trackText;
    const auto choice = ui.ChooseOpenFile("Text file (*.txt)|*.txt||", "");
    if (choice && choice->path.size() > 1) {
        // The file replaces the whole text: keep the old one for Undo, but
        // only once the file has really been loaded.
        std::string before = text.StreamRtfOut();
        if (LoadTrackTextFile(track, ui, choice->path)) track.m_trackUndoText = std::move(before);
    }
    text.ScrollToFirstLine();
}

void UndoTrack(TrackState& track) {
    // Nothing saved yet: streaming an empty text would wipe what was typed.
    if (track.m_trackUndoText.empty()) return;
    track.m_trackText->StreamRtfIn(track.m_trackUndoText);
}

void ChangeTrackFont(TrackState& track, UserInterface& ui) {
    RichEditControl& text = *track.m_trackText;
    text.SelectAll();
    const CharFormat current = text.SelectionCharFormat();

    const FontChoice preset = FontPresetFrom(current);

    if (const auto chosen = ui.ChooseFont(preset)) {
        CharFormat format;
        format.mask = CharFormat::kBold | CharFormat::kItalic | CharFormat::kUnderline;
        format.bold = chosen->bold;
        format.italic = chosen->italic;
        format.underline = chosen->underline;
        // A mixed attribute is left mixed unless the user picked a value for it.
        if (current.Has(CharFormat::kFace) || chosen->face != preset.face) {
            format.mask |= CharFormat::kFace;
            format.face = chosen->face;
        }
        if (chosen->pointSizeTenths > 0 &&
            (current.Has(CharFormat::kSize) || chosen->pointSizeTenths != preset.pointSizeTenths)) {
            format.mask |= CharFormat::kSize;
            format.heightTwips = chosen->pointSizeTenths * 2;
        }
        if (current.Has(CharFormat::kColour) || chosen->colour != preset.colour) {
            format.mask |= CharFormat::kColour;
            format.textColour = chosen->colour;
        }
        text.SetSelectionCharFormat(format);
    }
    text.CollapseToStart();
}

void ChooseTrackColour(TrackState& track, UserInterface& ui) {
    if (const auto colour = ui.ChooseColour(track.m_trackColour)) {
        track.m_trackColour = *colour;
        track.m_trackText->SetBackgroundColour(*colour);
    }
    track.m_trackText->CollapseToStart();
}
