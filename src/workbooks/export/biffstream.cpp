#include "workbooks/export/biffstream.h"

#include <algorithm>

namespace mhbk::xlsout {

void BiffStream::record(unsigned id, const QByteArray &data)
{
    Q_ASSERT(data.size() <= kMaxRecordData);
    out_.u16(id);
    out_.u16(unsigned(data.size()));
    out_.bytes(data);
}

void BiffStream::record(unsigned id, const ByteWriter &data)
{
    Q_ASSERT(data.size() <= kMaxRecordData);
    out_.u16(id);
    out_.u16(unsigned(data.size()));
    out_.bytes(data);
}

void shortUnicodeString(ByteWriter &w, const QString &text)
{
    w.u8(unsigned(text.size()));
    w.u8(0x01);
    w.utf16(text);
}

void unicodeString(ByteWriter &w, const QString &text)
{
    w.u16(unsigned(text.size()));
    w.u8(0x01);
    w.utf16(text);
}

void stringRecord(BiffStream &stream, unsigned id, const QString &text)
{
    ByteWriter w;
    w.u16(unsigned(text.size()));
    w.u8(0x01);
    qsizetype done = std::min<qsizetype>(text.size(), (kMaxRecordData - 3) / 2);
    w.utf16(text.left(done));
    stream.record(id, w);
    while (done < text.size()) {
        // Each continuation restates the encoding before its characters.
        const qsizetype n = std::min<qsizetype>(text.size() - done, (kMaxRecordData - 1) / 2);
        ByteWriter more;
        more.u8(0x01);
        more.utf16(text.mid(done, n));
        stream.record(rec::Continue, more);
        done += n;
    }
}

namespace {

// Fills SST/CONTINUE records, remembering where every dsst-th string starts for EXTSST.
class SstBuilder {
public:
    SstBuilder(BiffStream &stream, int bucketSize) : stream_(stream), bucketSize_(bucketSize) {}

    void begin(std::uint32_t total, std::uint32_t unique)
    {
        body_.u32(total);
        body_.u32(unique);
    }

    void add(const QString &text, int index)
    {
        // A string's 3-byte header never splits, and should come with at least one character.
        if (room() < 3 + (text.isEmpty() ? 0 : 2))
            flush();
        if (index % bucketSize_ == 0)
            buckets_.push_back({std::uint32_t(stream_.position() + 4 + body_.size()),
                                unsigned(4 + body_.size())});
        body_.u16(unsigned(text.size()));
        body_.u8(0x01);
        qsizetype done = 0;
        while (done < text.size()) {
            if (room() < 2) {
                flush();
                body_.u8(0x01); // a string continued in a new record restates its encoding
            }
            const qsizetype n = std::min<qsizetype>(text.size() - done, room() / 2);
            body_.utf16(text.mid(done, n));
            done += n;
        }
    }

    void finish()
    {
        flush();
        ByteWriter ext;
        ext.u16(unsigned(bucketSize_));
        for (const auto &b : buckets_) {
            ext.u32(b.streamPos);
            ext.u16(b.recordOffset);
            ext.u16(0);
        }
        stream_.record(rec::ExtSst, ext);
    }

private:
    struct Bucket {
        std::uint32_t streamPos;
        unsigned recordOffset;
    };

    int room() const { return kMaxRecordData - int(body_.size()); }
    void flush()
    {
        stream_.record(first_ ? rec::Sst : rec::Continue, body_);
        first_ = false;
        body_ = ByteWriter();
    }

    BiffStream &stream_;
    int bucketSize_;
    ByteWriter body_;
    bool first_ = true;
    std::vector<Bucket> buckets_;
};

} // namespace

void writeSharedStrings(BiffStream &stream, const std::vector<QString> &strings, std::uint32_t totalUses)
{
    // EXTSST holds at most 128 buckets.
    const int bucketSize = std::max(8, int((strings.size() + 127) / 128));
    SstBuilder sst(stream, bucketSize);
    sst.begin(totalUses, std::uint32_t(strings.size()));
    for (std::size_t i = 0; i < strings.size(); ++i)
        sst.add(strings[i], int(i));
    sst.finish();
}

} // namespace mhbk::xlsout
