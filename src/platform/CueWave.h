// SPDX-FileCopyrightText: 2026 The Dorvana developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <optional>

// Every cue is converted to the one format the stream was opened in, so the stream never has to be opened
// again: 44,100 frames a second, one channel, 16-bit little-endian samples.
inline constexpr int kCueRate = 44100;
// The cues are a second or so: what a file holds beyond this does not play.
inline constexpr int kLongestCueSeconds = 30;

// A wave file's frames in the stream's format: its channels mixed down, its rate converted by linear
// interpolation. Any encoding libsndfile decodes plays; a file cut off inside its data plays the whole frames
// it has. Nothing for a file that is not a RIFF wave or holds no whole frame.
std::optional<QByteArray> cueStreamFrames(const QByteArray& file);
