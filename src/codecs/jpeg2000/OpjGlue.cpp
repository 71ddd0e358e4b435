#include "codecs/jpeg2000/OpjGlue.h"

#include <algorithm>
#include <cstring>
#include <exception>
#include <thread>

namespace kalvo::opj {

namespace {

constexpr OPJ_SIZE_T kChunkSize = OPJ_J2K_STREAM_CHUNK_SIZE;

void discardMessage(const char*, void*)
{
}

CodecPtr silenced(opj_codec_t* codec)
{
    if (codec) {
        opj_set_info_handler(codec, discardMessage, nullptr);
        opj_set_warning_handler(codec, discardMessage, nullptr);
        opj_set_error_handler(codec, discardMessage, nullptr);
    }
    return CodecPtr(codec);
}

OPJ_SIZE_T readMemory(void* buffer, OPJ_SIZE_T size, void* user)
{
    auto& r = *static_cast<MemoryReader*>(user);
    if (r.position >= r.data.size())
        return OPJ_SIZE_T(-1);
    const std::size_t n = std::min<std::size_t>(size, r.data.size() - r.position);
    std::memcpy(buffer, r.data.data() + r.position, n);
    r.position += n;
    return n;
}

OPJ_OFF_T skipMemory(OPJ_OFF_T count, void* user)
{
    auto& r = *static_cast<MemoryReader*>(user);
    const std::size_t left = r.data.size() - std::min(r.position, r.data.size());
    if (count < 0 || std::uint64_t(count) > left)
        return -1;
    r.position += std::size_t(count);
    return count;
}

OPJ_BOOL seekMemory(OPJ_OFF_T to, void* user)
{
    auto& r = *static_cast<MemoryReader*>(user);
    if (to < 0 || std::uint64_t(to) > r.data.size())
        return OPJ_FALSE;
    r.position = std::size_t(to);
    return OPJ_TRUE;
}

OPJ_SIZE_T writeMemory(void* buffer, OPJ_SIZE_T size, void* user)
{
    auto& w = *static_cast<MemoryWriter*>(user);
    // No exception may cross the library's C frames: a failed allocation is a failed write.
    try {
        if (w.bytes.size() < w.position + size)
            w.bytes.resize(w.position + size);
    } catch (const std::exception&) {
        return OPJ_SIZE_T(-1);
    }
    std::memcpy(w.bytes.data() + w.position, buffer, size);
    w.position += size;
    return size;
}

OPJ_OFF_T skipWriter(OPJ_OFF_T count, void* user)
{
    auto& w = *static_cast<MemoryWriter*>(user);
    if (count < 0)
        return -1;
    w.position += std::size_t(count);
    return count;
}

OPJ_BOOL seekWriter(OPJ_OFF_T to, void* user)
{
    auto& w = *static_cast<MemoryWriter*>(user);
    if (to < 0)
        return OPJ_FALSE;
    w.position = std::size_t(to);
    return OPJ_TRUE;
}

} // namespace

CodecPtr CreateDecoder(OPJ_CODEC_FORMAT format)
{
    return silenced(opj_create_decompress(format));
}

CodecPtr CreateEncoder(OPJ_CODEC_FORMAT format)
{
    return silenced(opj_create_compress(format));
}

void SetThreads(opj_codec_t* codec, int requested)
{
    int threads = requested;
    if (threads <= 0)
        threads = int(std::max(1u, std::thread::hardware_concurrency()));
    // Without thread support in the library the codec simply stays single-threaded.
    if (threads > 1 && opj_has_thread_support())
        opj_codec_set_threads(codec, threads);
}

StreamPtr ReadStream(MemoryReader& reader)
{
    StreamPtr stream(opj_stream_create(kChunkSize, OPJ_TRUE));
    if (!stream)
        return stream;
    opj_stream_set_user_data(stream.get(), &reader, nullptr);
    opj_stream_set_user_data_length(stream.get(), reader.data.size());
    opj_stream_set_read_function(stream.get(), readMemory);
    opj_stream_set_skip_function(stream.get(), skipMemory);
    opj_stream_set_seek_function(stream.get(), seekMemory);
    return stream;
}

StreamPtr WriteStream(MemoryWriter& writer)
{
    StreamPtr stream(opj_stream_create(kChunkSize, OPJ_FALSE));
    if (!stream)
        return stream;
    opj_stream_set_user_data(stream.get(), &writer, nullptr);
    opj_stream_set_write_function(stream.get(), writeMemory);
    opj_stream_set_skip_function(stream.get(), skipWriter);
    opj_stream_set_seek_function(stream.get(), seekWriter);
    return stream;
}

} // namespace kalvo::opj
