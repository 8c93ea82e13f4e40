#include "encoder/TrackMaps.h"

namespace {

enum class Container { kOther, kMatroska, kMp4, kWebm };

Container ContainerOf(const EncoderCommand& c) {
    if (c.muxer != Muxer::kLavf)
        return Container::kOther;
    if (c.lavf.format == "matroska")
        return Container::kMatroska;
    if (c.lavf.format == "mp4")
        return Container::kMp4;
    if (c.lavf.format == "webm")
        return Container::kWebm;
    return Container::kOther;
}

// Bitmap subtitles the Matroska muxer takes as they are.
bool MatroskaBitmap(const std::string& codec) {
    return codec == "dvd_subtitle" || codec == "hdmv_pgs_subtitle" || codec == "dvb_subtitle";
}

// The encoder of a subtitle in the output, or null when the output drops it.
const char* SubtitleCodec(const SourceStream& s, Container to) {
    switch (to) {
    case Container::kMatroska:
        if (s.bitmapSubtitle)
            return MatroskaBitmap(s.codec) ? "copy" : nullptr;
        if (!s.textSubtitle)
            return nullptr;
        return s.codec == "subrip" || s.codec == "ass" || s.codec == "ssa" ? "copy" : "srt";
    case Container::kMp4:
        if (!s.textSubtitle)
            return nullptr;
        return s.codec == "mov_text" ? "copy" : "mov_text";
    case Container::kWebm:
        if (!s.textSubtitle)
            return nullptr;
        return s.codec == "webvtt" ? "copy" : "webvtt";
    case Container::kOther:
        break;
    }
    return nullptr;
}

void Add(std::vector<std::string>& args, const std::string& name, const std::string& value) {
    args.push_back(name);
    args.push_back(value);
}

} // namespace

std::string DefaultAudioMap(const StreamList& streams) {
    const SourceStream* sound = streams.DefaultAudio();
    return "0:a:" + std::to_string(sound != nullptr ? sound->kindOrder : 0);
}

void AddTrackMaps(const StreamList& streams, const EncoderCommand& c,
                  std::vector<std::string>& args) {
    const SourceStream* video = nullptr;
    for (const SourceStream& s : streams.streams) {
        if (s.kind == SourceStream::kVideo && !s.coverPicture) {
            video = &s;
            break;
        }
    }
    // A cover picture ahead of the film is not the film.
    Add(args, "-map", video != nullptr ? "0:" + std::to_string(video->index) : "0:v:0");
    const Container to = ContainerOf(c);
    const SourceStream* sound = streams.DefaultAudio();
    if (to == Container::kOther || sound == nullptr) {
        // No sound is fine.
        Add(args, "-map", DefaultAudioMap(streams) + "?");
        args.insert(args.end(), {"-sn", "-dn"});
        return;
    }
    // Every sound track FFmpeg can decode, in the source's order; exactly one
    // of them plays first.
    int tracks = 0;
    for (const SourceStream& s : streams.streams) {
        if (s.kind != SourceStream::kAudio || (s.codec == "none" && &s != sound))
            continue;
        Add(args, "-map", "0:" + std::to_string(s.index));
        Add(args, "-disposition:a:" + std::to_string(tracks++), &s == sound ? "default" : "0");
    }
    int subtitles = 0;
    for (const SourceStream& s : streams.streams) {
        const char* codec = s.kind == SourceStream::kSubtitle ? SubtitleCodec(s, to) : nullptr;
        if (codec == nullptr)
            continue;
        Add(args, "-map", "0:" + std::to_string(s.index));
        Add(args, "-c:s:" + std::to_string(subtitles++), codec);
    }
    if (subtitles == 0)
        args.push_back("-sn");
    args.push_back("-dn");
    if (to != Container::kWebm)
        Add(args, "-map_chapters", "0");
}
