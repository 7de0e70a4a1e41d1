#include "core/codepage.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace {

constexpr const char* kCodePageName = "windows-31j";

// Qt's table of the code page trades three control bytes for one another in both directions:
// 0x1A, 0x1C and 0x7F. None of them is ever part of a double-byte character, so the text is
// converted in runs between them, and they pass as themselves, as the code page has them.
bool isTradedControl(char16_t code)
{
    return code == 0x1A || code == 0x1C || code == 0x7F;
}

char16_t codeOf(char c)
{
    return static_cast<uchar>(c);
}
char16_t codeOf(QChar c)
{
    return c.unicode();
}
QChar passed(char c)
{
    return QChar(static_cast<uchar>(c));
}
char passed(QChar c)
{
    return static_cast<char>(c.unicode());
}

template <typename Out, typename In, typename ConvertRun>
Out convertAroundTradedControls(In input, ConvertRun convertRun)
{
    Out out;
    qsizetype start = 0;
    for (qsizetype i = 0; i < input.size(); ++i) {
        if (!isTradedControl(codeOf(input[i])))
            continue;
        out += convertRun(input.sliced(start, i - start));
        out += passed(input[i]);
        start = i + 1;
    }
    if (start == 0)
        return convertRun(input);
    out += convertRun(input.sliced(start));
    return out;
}

} // namespace

namespace CodePage {

bool isAvailable()
{
    return QStringDecoder(kCodePageName).isValid() && QStringEncoder(kCodePageName).isValid();
}

QString decode(QByteArrayView bytes)
{
    // Stateless: a lead byte at the end of a run is not joined to the next run.
    QStringDecoder decoder(kCodePageName, QStringConverter::Flag::Stateless);
    return convertAroundTradedControls<QString>(
        bytes, [&](QByteArrayView run) { return QString(decoder.decode(run)); });
}

QByteArray encode(const QString& text, bool* ok)
{
    QStringEncoder encoder(kCodePageName, QStringConverter::Flag::ConvertInvalidToNull);
    QByteArray bytes = convertAroundTradedControls<QByteArray>(
        QStringView(text), [&](QStringView run) { return QByteArray(encoder.encode(run)); });
    if (ok) {
        *ok = !encoder.hasError();
        // ICU replaces an unmappable character silently with a substitute; a round trip
        // shows it.
        if (*ok && decode(bytes) != text)
            *ok = false;
    }
    return bytes;
}

QByteArrayView textFileBytes(QByteArrayView fileBytes)
{
    const qsizetype end = fileBytes.indexOf('\x1a');
    return end < 0 ? fileBytes : fileBytes.first(end);
}

} // namespace CodePage
