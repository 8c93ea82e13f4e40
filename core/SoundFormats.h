// The MP3, M4A and FLAC formats: their lists and their option pieces; and
// the pieces of the formats that keep the source's streams. Pure.
#pragma once

#include <cstddef>
#include <cstdint>

#include "core/ConversionSettings.h"

// LAME's VBR levels, V0 (best) to V9, with their usual bitrates.
constexpr int kMp3QualityCount = 10;
extern const char* const kMp3Qualities[kMp3QualityCount];

// The AAC bitrates of M4A, in kbit/s.
constexpr int kM4aBitrateCount = 6;
extern const int32_t kM4aBitrates[kM4aBitrateCount];

// "Original", 44.1 kHz, 48 kHz; the rate 0 keeps the source's.
constexpr int kAudioSampleRateCount = 3;
extern const int32_t kAudioSampleRates[kAudioSampleRateCount];
extern const char* const kAudioSampleRateLabels[kAudioSampleRateCount];

// The LAME level; out-of-list positions take the default V2.
int32_t Mp3VbrLevel(const ConversionSettings& settings);
// The AAC bitrate; out-of-list positions take the default 192 kbit/s.
int32_t M4aKbps(const ConversionSettings& settings);
// The output rate in Hz; 0 ("Original") outside the list.
int32_t AudioSampleRateHz(const ConversionSettings& settings);

// Writes the format's pieces (no picture, the sound's encoder and muxer,
// volume and rate) into out; "" for a format outside MP3, M4A and FLAC.
void FormatSoundPieces(const ConversionSettings& settings, const char* volume, char* out,
                       size_t size);

// Writes the pieces of MP4 or MKV with the streams kept (copied, not
// encoded; no picture filter, no frame rate, no volume) into out; "" for
// another format.
void FormatStreamsKeptPieces(int32_t format, char* out, size_t size);
