// LevelText: an output level as the level read-outs show it — "%2.1f dB" of 20·log10(level),
// never below the −60 dB floor — formatted on the audio thread without allocating, locking or
// consulting the locale.
#pragma once

// 0.001, the −60 dB floor of the read-outs, computed once at module start as exp(−6.907755278982).
extern const double kLevelFloor;

inline constexpr int kLevelTextSize = 16;

// Levels below the floor, negative or not a number read as the floor; out holds kLevelTextSize
// bytes. An infinite level (impossible from the followers) reads as the floor too; a level that
// rounds to 0.0 dB from below reads "0.0 dB", never "-0.0 dB".
void FormatLevelText(double level, char* out);

// The decibels FormatLevelText shows for a level, before rounding.
double LevelDecibels(double level);
// The tenth of a decibel the text of these decibels shows, or NaN when the decibels lie too close
// to the edge between two tenths to tell without formatting.
double ShownTenth(double decibels);
