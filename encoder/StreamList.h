// Every stream of a source as "ffmpeg -i SRC" lists it under "Input #0":
// what kind it is, its codec, language and flags, and for sound its
// channels; and which sound track is the one a player starts with.
#pragma once

#include <string>
#include <vector>

struct SourceStream {
    enum Kind { kVideo, kAudio, kSubtitle, kAttachment, kData, kOther };
    int index = -1;     // the input's stream number: "-map 0:INDEX"
    int kindOrder = -1; // its place among the streams of its kind: "-map 0:a:ORDER"
    Kind kind = kOther;
    std::string codec;    // FFmpeg's decoder name: "aac", "subrip", "hdmv_pgs_subtitle"
    std::string language; // "eng"; empty when absent or "und"
    std::string title;    // the stream's own title tag, if any
    bool isDefault = false;
    bool forced = false;
    bool coverPicture = false;   // a still picture stored as a video stream
    bool textSubtitle = false;   // subtitles as text (SubRip, ASS, mov_text, WebVTT, ...)
    bool bitmapSubtitle = false; // subtitles as pictures (DVD, Blu-ray, DVB)
    int channels = 0;            // sound only; 0 when FFmpeg does not say
    int sampleRate = 0;
};

struct StreamList {
    std::vector<SourceStream> streams; // in input order
    int chapters = 0;

    int Count(SourceStream::Kind kind) const;
    // The sound track flagged default, else the first one; null without sound.
    const SourceStream* DefaultAudio() const;
};

// Reads the "Input #0" section of FFmpeg's text; an empty list when it has none.
StreamList ReadStreamList(const std::string& bannerText);
