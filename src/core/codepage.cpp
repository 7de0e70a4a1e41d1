#include "core/codepage.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace {
constexpr const char* kCodePageName = "windows-31j";
}

namespace CodePage {

bool isAvailable()
{
    return QStringDecoder(kCodePageName).isValid() && QStringEncoder(kCodePageName).isValid();
}

QString decode(const QByteArray& bytes)
{
    QStringDecoder decoder(kCodePageName);
    return decoder.decode(bytes);
}

QByteArray encode(const QString& text, bool* ok)
{
    QStringEncoder encoder(kCodePageName, QStringConverter::Flag::ConvertInvalidToNull);
    QByteArray bytes = encoder.encode(text);
    if (ok) {
        *ok = !encoder.hasError();
        // ICU replaces an unmappable character silently with a substitute; a round trip
        // shows it.
        if (*ok && decode(bytes) != text)
            *ok = false;
    }
    return bytes;
}

} // namespace CodePage
