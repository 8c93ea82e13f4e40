#include "encoder/StreamsKept.h"

#include <algorithm>
#include <initializer_list>

#include "protocol/EncoderEvents.h"

namespace {

bool IsOneOf(const std::string& codec, std::initializer_list<const char*> names) {
    for (const char* name : names) {
        if (codec == name)
            return true;
    }
    return false;
}

// What the shipped FFmpeg's MP4 muxer carries and players play.
bool Mp4CarriesVideo(const std::string& codec) {
    return IsOneOf(codec, {"h264", "hevc", "mpeg4", "av1"});
}
bool Mp4CarriesAudio(const std::string& codec) {
    return IsOneOf(codec, {"aac", "mp3", "ac3", "alac"});
}

// Subtitles Matroska takes as they are.
bool MatroskaCarriesSubtitle(const std::string& codec) {
    return IsOneOf(codec, {"subrip", "ass", "ssa", "webvtt", "dvd_subtitle", "hdmv_pgs_subtitle",
                           "dvb_subtitle"});
}

void Add(std::vector<std::string>& args, const std::string& name, const std::string& value) {
    args.push_back(name);
    args.push_back(value);
}

std::string Order(const char* kind, int order) {
    return std::string(kind) + ":" + std::to_string(order);
}

bool IsMp4(const EncoderCommand& c) {
    return c.lavf.format == "mp4";
}

void AddMp4(const StreamList& list, std::vector<std::string>& args) {
    int video = 0;
    int audio = 0;
    int subtitle = 0;
    std::vector<std::string> codecs;
    for (const SourceStream& s : list.streams) {
        const std::string map = "0:" + std::to_string(s.index);
        if (s.kind == SourceStream::kVideo && !s.coverPicture && Mp4CarriesVideo(s.codec)) {
            Add(args, "-map", map);
            // Apple's players open HEVC in MP4 only under the hvc1 tag.
            if (s.codec == "hevc")
                Add(codecs, "-tag:" + Order("v", video), "hvc1");
            ++video;
        } else if (s.kind == SourceStream::kAudio) {
            Add(args, "-map", map);
            if (!Mp4CarriesAudio(s.codec)) {
                Add(codecs, "-c:" + Order("a", audio), "aac");
                Add(codecs, "-b:" + Order("a", audio), s.channels > 2 ? "384k" : "192k");
            }
            ++audio;
        } else if (s.kind == SourceStream::kSubtitle && s.textSubtitle) {
            Add(args, "-map", map);
            Add(codecs, "-c:" + Order("s", subtitle), "mov_text");
            ++subtitle;
        }
        // Cover pictures, bitmap subtitles, attachments and data: MP4 has no
        // place for them.
    }
    args.insert(args.end(), {"-c", "copy"});
    args.insert(args.end(), codecs.begin(), codecs.end());
}

void AddMatroska(const StreamList& list, std::vector<std::string>& args) {
    int subtitle = 0;
    std::vector<std::string> codecs;
    for (const SourceStream& s : list.streams) {
        const std::string map = "0:" + std::to_string(s.index);
        if (s.kind == SourceStream::kSubtitle) {
            // A text subtitle Matroska does not take becomes SubRip; a
            // bitmap one it does not take is left out.
            if (!MatroskaCarriesSubtitle(s.codec) && !s.textSubtitle)
                continue;
            Add(args, "-map", map);
            if (!MatroskaCarriesSubtitle(s.codec))
                Add(codecs, "-c:" + Order("s", subtitle), "srt");
            ++subtitle;
        } else if (s.kind == SourceStream::kVideo || s.kind == SourceStream::kAudio ||
                   s.kind == SourceStream::kAttachment) {
            Add(args, "-map", map);
        }
    }
    args.insert(args.end(), {"-c", "copy"});
    args.insert(args.end(), codecs.begin(), codecs.end());
}

} // namespace

const SourceStream* VideoMp4CannotCarry(const EncoderCommand& c, const StreamList& streams) {
    if (c.videoEncoder != VideoEncoder::kCopy || !IsMp4(c))
        return nullptr;
    for (const SourceStream& s : streams.streams) {
        if (s.kind == SourceStream::kVideo && !s.coverPicture)
            return Mp4CarriesVideo(s.codec) ? nullptr : &s;
    }
    return nullptr;
}

int VideoCodecPosition(const std::string& codec) {
    for (int i = 0; i < kVideoCodecNameCount; ++i) {
        if (codec == kVideoCodecNames[i].ffmpeg)
            return i;
    }
    return -1;
}

std::string VideoNotCarriedReason(const std::string& codec) {
    const int position = VideoCodecPosition(codec);
    const std::string shown = position >= 0 ? kVideoCodecNames[position].shown : codec;
    return "MP4 cannot carry the source's " + shown +
           " video as it is: choose \"MKV, streams kept as they are (*.mkv)\".";
}

bool AddStreamsKept(const EncoderCommand& c, const StreamList& streams,
                    std::vector<std::string>& args, std::string& error) {
    if (c.videoEncoder != VideoEncoder::kCopy || c.audioEncoder != AudioEncoder::kCopy) {
        error = "streams are kept with -ovc copy and -oac copy together";
        return false;
    }
    if (c.muxer != Muxer::kLavf || (c.lavf.format != "mp4" && c.lavf.format != "matroska")) {
        error = "streams are kept only in MP4 or MKV (-of lavf -lavfopts format=mp4|matroska)";
        return false;
    }
    if (const SourceStream* video = VideoMp4CannotCarry(c, streams)) {
        error = VideoNotCarriedReason(video->codec);
        return false;
    }
    // An AVI gives B-frame video packets without timestamps, which neither
    // muxer writes: FFmpeg makes them up from the order (only where missing).
    const auto input = std::find(args.begin(), args.end(), std::string("-i"));
    args.insert(input, {"-fflags", "+genpts"});
    if (streams.streams.empty()) {
        // Without the list the subtitles' kinds are unknown: MKV takes them all.
        args.insert(args.end(), {"-map", "0:v?", "-map", "0:a?"});
        if (!IsMp4(c))
            Add(args, "-map", "0:s?");
        args.insert(args.end(), {"-c", "copy"});
    } else if (IsMp4(c)) {
        AddMp4(streams, args);
    } else {
        AddMatroska(streams, args);
    }
    args.insert(args.end(), {"-map_metadata", "0", "-map_chapters", "0"});
    if (IsMp4(c)) {
        // The index at the front: a player starts before the whole file is there.
        Add(args, "-movflags", "+faststart");
        Add(args, "-f", "mp4");
    } else {
        Add(args, "-f", "matroska");
    }
    return true;
}
