#pragma once
// Glue over OpenJPEG: owning handles, codecs whose messages are discarded, and streams over
// memory (reading a span, writing a growable buffer).
#include <openjpeg.h>

#include <cstdint>
#include <memory>
#include <span>
#include <vector>

namespace kalvo::opj {

struct CodecDeleter {
    void operator()(opj_codec_t* codec) const { opj_destroy_codec(codec); }
};
struct StreamDeleter {
    void operator()(opj_stream_t* stream) const { opj_stream_destroy(stream); }
};
struct ImageDeleter {
    void operator()(opj_image_t* image) const { opj_image_destroy(image); }
};
using CodecPtr = std::unique_ptr<opj_codec_t, CodecDeleter>;
using StreamPtr = std::unique_ptr<opj_stream_t, StreamDeleter>;
using ImagePtr = std::unique_ptr<opj_image_t, ImageDeleter>;

// A decompressor or compressor with its info, warning and error output discarded; null when
// OpenJPEG cannot create one.
CodecPtr CreateDecoder(OPJ_CODEC_FORMAT format);
CodecPtr CreateEncoder(OPJ_CODEC_FORMAT format);

// Hands the codec its worker threads: requested, or one per core when requested is 0. Call it
// after the setup and before reading the header or starting to compress.
void SetThreads(opj_codec_t* codec, int requested);

// Source of a read stream; the bytes must outlive the stream.
struct MemoryReader {
    std::span<const std::uint8_t> data;
    std::size_t position = 0;
};
// Sink of a write stream; seeking past the end and writing there zero-fills the gap.
struct MemoryWriter {
    std::vector<std::uint8_t> bytes;
    std::size_t position = 0;
};

StreamPtr ReadStream(MemoryReader& reader);
StreamPtr WriteStream(MemoryWriter& writer);

} // namespace kalvo::opj
