#pragma once

#include "platform/status.h"

#include <QByteArrayView>
#include <QIODevice>

#include <algorithm>
#include <charconv>
#include <cstring>
#include <vector>

// A text that goes into a great many rows. Its storage is at least kPadded bytes long, so that
// a short text can be copied with one fixed-size move, which the compiler makes inline; the
// bytes copied beyond its length are overwritten by what the row holds next.
class RowPiece
{
public:
    static constexpr qsizetype kPadded = 32;

    RowPiece() = default;
    explicit RowPiece(QByteArrayView text)
        : m_bytes(size_t(std::max(text.size(), kPadded))), m_size(text.size())
    {
        std::copy(text.begin(), text.end(), m_bytes.begin());
    }

    const char* data() const { return m_bytes.data(); }
    qsizetype size() const { return m_size; }
    bool isEmpty() const { return m_size == 0; }

private:
    std::vector<char> m_bytes = std::vector<char>(kPadded);
    qsizetype m_size = 0;
};

inline constexpr qsizetype kRowFlushBytes = 1 << 16;

// The rows on their way out. A plain character array: a million rows are made of some ten
// million small appends, and this is the one place where their cost shows. A row takes at
// most a few hundred bytes, so the slack above the flush mark holds any row unchecked.
class RowBuffer
{
public:
    RowBuffer() : m_bytes(kRowFlushBytes + kSlack), m_end(m_bytes.data()) {}

    RowBuffer& operator<<(char c)
    {
        *m_end++ = c;
        return *this;
    }
    // A literal's length is known here; through QByteArrayView it would be searched for.
    template <size_t N> RowBuffer& operator<<(const char (&literal)[N])
    {
        std::memcpy(m_end, literal, N - 1);
        m_end += N - 1;
        return *this;
    }
    RowBuffer& operator<<(QByteArrayView bytes)
    {
        std::memcpy(m_end, bytes.data(), size_t(bytes.size()));
        m_end += bytes.size();
        return *this;
    }
    RowBuffer& operator<<(const RowPiece& piece)
    {
        if (piece.size() <= RowPiece::kPadded)
            std::memcpy(m_end, piece.data(), RowPiece::kPadded);
        else
            std::memcpy(m_end, piece.data(), size_t(piece.size()));
        m_end += piece.size();
        return *this;
    }
    void number(qint64 value) { m_end = std::to_chars(m_end, m_end + 24, value).ptr; }
    // hh:mm:ss of a second of the day.
    void clock(int second)
    {
        twoDigits(second / 3600);
        *m_end++ = ':';
        twoDigits(second / 60 % 60);
        *m_end++ = ':';
        twoDigits(second % 60);
    }
    bool full() const { return m_end - m_bytes.data() >= kRowFlushBytes; }
    // Writes what is held and empties the buffer; false when the device refused it.
    bool writeTo(QIODevice& out)
    {
        const qint64 size = m_end - m_bytes.data();
        m_end = m_bytes.data();
        return out.write(m_bytes.data(), size) == size;
    }

private:
    void twoDigits(int value)
    {
        *m_end++ = char('0' + value / 10);
        *m_end++ = char('0' + value % 10);
    }

    static constexpr qsizetype kSlack = 4096 + RowPiece::kPadded;
    std::vector<char> m_bytes;
    char* m_end;
};

// Writes the rows left in the buffer unless a write failed already; a write failure is the
// outcome before the reader's own.
inline Status finishRows(RowBuffer& buffer, bool written, QIODevice& out, const Status& read)
{
    if (written && buffer.writeTo(out))
        return read;
    return Status::failure(QStringLiteral("書き出せませんでした（") + out.errorString() +
                           QStringLiteral("）。"));
}
