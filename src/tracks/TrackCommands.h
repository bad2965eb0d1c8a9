// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <istream>
#include <string>

struct TrackState;
class UserInterface;

// The commands of a track window's tool row, on the track's state. The window
// calls them; tests call them with a scripted user interface.

// Sets what a new track window starts with: "Prefix", size 3, one word per
// cut, the first collage style, no whole text, a white palette colour and the
// text in Courier 10 pt. Reseeds the random generator from the clock.
void InitialiseTrack(TrackState& track);

// Lines a track's Open takes from a file.
inline constexpr int kTrackOpenLines = 100;

// Open: asks for a text file and fills the track with its first 100 lines,
// each followed by one space, after saving the text for Undo. A cancelled
// dialog leaves the text and the undo text alone; a file that cannot be loaded
// is named in a message and leaves them alone too.
void OpenTrackFile(TrackState& track, UserInterface& ui);
// Open's loading of `path` into the track (also `tarvex4 go --track`): a
// folder, unreadable or binary file is refused with a message (false).
bool LoadTrackTextFile(TrackState& track, UserInterface& ui, const std::string& path);

// The first `maxLines` lines of `in` (LF or CRLF ends), each followed by a space.
std::string JoinFirstLines(std::istream& in, int maxLines);

// Undo: brings back the text saved by the last fill or shred. With nothing
// saved yet the text stays as it is.
void UndoTrack(TrackState& track);

// Font: the font dialog, preset from the attributes that are uniform over the
// whole text; the choice is applied to the whole text.
void ChangeTrackFont(TrackState& track, UserInterface& ui);

// Palette: the colour dialog; the choice becomes the track colour and the
// text area's background.
void ChooseTrackColour(TrackState& track, UserInterface& ui);
