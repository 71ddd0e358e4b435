// The RLE8 and RLE4 decoders and encoders of the DIB container.
#include "codecs/bmp/DibConvert.h"
#include "codecs/bmp/LvDIBErrors.h"
#include "codecs/bmp/RleDecode.h"
#include "image/ImageErrors.h"

#include <cstring>
#include <string>
#include <vector>

namespace kalvo {

namespace {

TDibRecord decode(const TDibRecord& src, bool useFMO, int bits, std::uint32_t compression, const char* name)
{
    RequireFormat(src, bits, compression, name);
    const std::size_t stride = DibStride(src.Width(), bits);
    TDibRecord out = DeriveRecord(src, stride * std::size_t(src.AbsHeight()), useFMO, bits, BI_RGB);
    try {
        const std::span<const std::uint8_t> data(src.Bits(), src.Size);
        if (bits == 8)
            DecodeRle8(data, int(src.Width()), int(src.AbsHeight()), out.Bits(), std::ptrdiff_t(stride),
                       TRleMode::Exact);
        else
            DecodeRle4(data, int(src.Width()), int(src.AbsHeight()), out.Bits(), std::ptrdiff_t(stride),
                       TRleMode::Exact);
    } catch (const ERleDecodeError& e) {
        if (e.badType)
            throw ELvDIBBadDIBType(e.what());
        throw ELvDIBInvalidDIB(e.what());
    }
    return out;
}

// The RLE encoders' output buffer: never grows past the uncompressed size, and every write is
// preceded by the space check of its kind.
class RleWriter {
public:
    RleWriter(std::size_t capacity, const char* name) : name_(name)
    {
        buf_.reserve(capacity);
        cap_ = capacity;
    }
    void need(std::size_t n) const
    {
        if (cap_ - buf_.size() < n)
            throw ELvDIBCompressionFailed(std::string(name_) + ": Compression Failed");
    }
    void put(std::uint8_t b) { buf_.push_back(b); }
    void put(const std::uint8_t* p, std::size_t n) { buf_.insert(buf_.end(), p, p + n); }
    const std::vector<std::uint8_t>& bytes() const { return buf_; }

private:
    std::vector<std::uint8_t> buf_;
    std::size_t cap_;
    const char* name_;
};

// The state machine shared by both encoders, fed with the bytes of one row. The emit callbacks
// write a run or a literal in the encoder's own form.
class RleRowEncoder {
public:
    RleRowEncoder(unsigned limit, RleWriter& out) : limit_(limit), out_(out) { }
    template <class Run, class Literal>
    void feed(std::uint8_t v, Run&& run, Literal&& literal)
    {
        switch (state_) {
        case Empty:
            pending_.assign(1, v);
            state_ = One;
            break;
        case One:
            if (v == pending_[0]) {
                count_ = 2;
                state_ = Run_;
            } else {
                pending_.push_back(v);
                state_ = Literal_;
            }
            break;
        case Run_:
            if (v == pending_[0] && count_ < limit_) {
                ++count_;
            } else {
                run(count_, pending_[0]);
                pending_.assign(1, v);
                state_ = One;
            }
            break;
        case Literal_:
            if (v != pending_.back() && pending_.size() < limit_) {
                pending_.push_back(v);
            } else if (v == pending_.back()) {
                pending_.pop_back();
                literal(pending_);
                pending_.assign(1, v);
                count_ = 2;
                state_ = Run_;
            } else {
                literal(pending_);
                pending_.assign(1, v);
                state_ = One;
            }
            break;
        }
    }
    template <class Run, class Literal>
    void finish(Run&& run, Literal&& literal)
    {
        if (state_ == One)
            run(1u, pending_[0]);
        else if (state_ == Run_)
            run(count_, pending_[0]);
        else if (state_ == Literal_)
            literal(pending_);
        state_ = Empty;
        out_.need(4);
        out_.put(0);
        out_.put(0);
    }

private:
    enum State { Empty, One, Run_, Literal_ } state_ = Empty;
    std::vector<std::uint8_t> pending_;
    unsigned count_ = 0;
    unsigned limit_;
    RleWriter& out_;
};

std::size_t literalSpace(std::size_t n)
{
    return ((n + 1) & ~std::size_t(1)) + 6;
}

TDibRecord finishEncoded(const TDibRecord& src, RleWriter& out, bool useFMO, int bits, std::uint32_t compression)
{
    out.need(2);
    out.put(0);
    out.put(1);
    TDibRecord rec = DeriveRecord(src, out.bytes().size(), useFMO, bits, compression);
    std::memcpy(rec.Bits(), out.bytes().data(), out.bytes().size());
    rec.Header.biHeight = std::int32_t(src.AbsHeight());
    rec.Header.biSizeImage = std::uint32_t(out.bytes().size());
    return rec;
}

// Rows in bottom-up order whatever the source's orientation.
const std::uint8_t* bottomUpRow(const TDibRecord& src, long i)
{
    return src.Header.biHeight < 0 ? src.Row(src.AbsHeight() - 1 - i) : src.Row(i);
}

} // namespace

TDibRecord Convert8BitRLETo8BitRGB(const TDibRecord& src, bool useFMO)
{
    return decode(src, useFMO, 8, BI_RLE8, "Convert8BitRLETo8BitRGB");
}

TDibRecord Convert4BitRLETo4BitRGB(const TDibRecord& src, bool useFMO)
{
    return decode(src, useFMO, 4, BI_RLE4, "Convert4BitRLETo4BitRGB");
}

TDibRecord Convert8BitRGBTo8BitRLE(const TDibRecord& src, bool useFMO)
{
    static const char* name = "Convert8BitRGBTo8BitRLE";
    RequireFormat(src, 8, BI_RGB, name);
    RleWriter out(src.Stride() * std::size_t(src.AbsHeight()), name);
    auto run = [&](unsigned n, std::uint8_t v) {
        out.need(6);
        out.put(std::uint8_t(n));
        out.put(v);
    };
    auto literal = [&](const std::vector<std::uint8_t>& l) {
        out.need(literalSpace(l.size()));
        if (l.size() <= 2) {
            for (auto v : l) {
                out.put(1);
                out.put(v);
            }
            return;
        }
        out.put(0);
        out.put(std::uint8_t(l.size()));
        out.put(l.data(), l.size());
        if (l.size() & 1)
            out.put(0);
    };
    RleRowEncoder enc(255, out);
    for (long i = 0; i < src.AbsHeight(); ++i) {
        const std::uint8_t* row = bottomUpRow(src, i);
        for (long x = 0; x < src.Width(); ++x)
            enc.feed(row[x], run, literal);
        enc.finish(run, literal);
    }
    return finishEncoded(src, out, useFMO, 8, BI_RLE8);
}

TDibRecord Convert4BitRGBTo4BitRLE(const TDibRecord& src, bool useFMO)
{
    static const char* name = "Convert4BitRGBTo4BitRLE";
    RequireFormat(src, 4, BI_RGB, name);
    RleWriter out(src.Stride() * std::size_t(src.AbsHeight()), name);
    const long width = src.Width();
    long written = 0; // pixels of the current row already written
    auto pixels = [&](long wanted) { return std::min(wanted, width - written); };
    auto run = [&](unsigned bytes, std::uint8_t v) {
        out.need(6);
        const long n = pixels(2L * bytes);
        out.put(std::uint8_t(n));
        out.put(v);
        written += n;
    };
    auto literal = [&](const std::vector<std::uint8_t>& l) {
        out.need(literalSpace(l.size()));
        if (l.size() == 1) {
            const long n = pixels(2);
            out.put(std::uint8_t(n));
            out.put(l[0]);
            written += n;
            return;
        }
        const long n = pixels(2L * long(l.size()));
        out.put(0);
        out.put(std::uint8_t(n));
        out.put(l.data(), l.size());
        if (l.size() & 1)
            out.put(0);
        written += n;
    };
    RleRowEncoder enc(127, out);
    const long rowBytes = (width + 1) / 2;
    for (long i = 0; i < src.AbsHeight(); ++i) {
        const std::uint8_t* row = bottomUpRow(src, i);
        written = 0;
        for (long x = 0; x < rowBytes; ++x)
            enc.feed(row[x], run, literal);
        enc.finish(run, literal);
    }
    return finishEncoded(src, out, useFMO, 4, BI_RLE4);
}

} // namespace kalvo
