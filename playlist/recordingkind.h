#pragma once

// Kind codes of the recordings list. Both travel as plain ints: in PlayListEntry, in the rows
// of the tables and in the cells of the play list widget.

// What a file name says about a recording (see RecordingName).
namespace RecordingKind {
constexpr int NotRecording = -1; // the name does not follow the grammar: the file is not listed
constexpr int Unknown = 0; // listed, kind letter not one of D, E, M, P
constexpr int Driving = 1;
constexpr int Event = 2;
constexpr int Parking = 3;
} // namespace RecordingKind

// What the folder a file lies in says about it. Only the sub-folders of a memory-card root
// have a kind other than Other; on such a card the folder, not the name, picks the table.
namespace FolderKind {
constexpr int Other = 0;
constexpr int Driving = 1; // "DRIVING"
constexpr int Event = 2; // "EVENT"
constexpr int Parking = 3; // "PARKING"
} // namespace FolderKind
