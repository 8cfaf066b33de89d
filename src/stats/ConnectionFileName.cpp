// Reversible escaping of the characters a file name cannot hold.
#include "ConnectionFileName.h"

namespace {

QString Escape(QChar c) {
    return QStringLiteral("%%1").arg(c.unicode(), 2, 16, QLatin1Char('0')).toUpper();
}

bool IsEscaped(QChar c) {
    return c == u'%' || c == u'/' || c == QChar(0);
}

}  // namespace

QString EncodeConnectionName(const QString& name) {
    QString out;
    out.reserve(name.size());
    for (int i = 0; i < name.size(); ++i) {
        const QChar c = name.at(i);
        out += IsEscaped(c) || (i == 0 && c == u'.') ? Escape(c) : QString(c);
    }
    return out;
}

QString DecodeConnectionName(const QString& baseName) {
    QString out;
    out.reserve(baseName.size());
    for (int i = 0; i < baseName.size(); ++i) {
        const QStringView code = QStringView(baseName).mid(i + 1, 2);
        const QChar c = baseName.at(i);
        if (c == u'%' && code.size() == 2) {
            bool ok = false;
            const QChar decoded(code.toUShort(&ok, 16));
            const bool known = ok && code == Escape(decoded).mid(1) &&
                               (IsEscaped(decoded) || (i == 0 && decoded == u'.'));
            if (known) {
                out += decoded;
                i += 2;
                continue;
            }
        }
        out += c;
    }
    return out;
}
