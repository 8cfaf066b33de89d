// SPDX-License-Identifier: GPL-3.0-or-later
// Reversible escaping of the characters a file name cannot hold, and shortening of names
// too long for one.
#include "ConnectionFileName.h"

#include <QCryptographicHash>
#include <QStringList>

namespace {

const QString kUnnamed = QStringLiteral("(без имени)");
const QString kUnnamedBaseName = u'%' + kUnnamed;
const QString kShortenedMark = QStringLiteral("%~");
constexpr int kHashDigits = 16;
const QString kEllipsis = QStringLiteral("…");

QString Escape(QChar c) {
    return QStringLiteral("%%1").arg(c.unicode(), 2, 16, QLatin1Char('0')).toUpper();
}

bool IsEscaped(QChar c) {
    return c == u'%' || c == u'/' || c == QChar(0);
}

// The escaped name as pieces that must not be cut: one escape, or one character with
// both halves of a surrogate pair.
QStringList EscapedPieces(const QString& name) {
    QStringList pieces;
    for (int i = 0; i < name.size(); ++i) {
        const QChar c = name.at(i);
        if (IsEscaped(c) || (i == 0 && c == u'.')) {
            pieces << Escape(c);
        } else if (c.isHighSurrogate() && i + 1 < name.size() && name.at(i + 1).isLowSurrogate()) {
            pieces << name.mid(i, 2);
            ++i;
        } else {
            pieces << QString(c);
        }
    }
    return pieces;
}

QString Shortened(const QString& name, const QStringList& pieces) {
    const int budget = kMaxStatisticFileNameBytes - int(sizeof kStatisticExtension - 1) -
                       int(kShortenedMark.size()) - kHashDigits;
    QString start;
    int bytes = 0;
    for (const QString& piece : pieces) {
        const int size = int(piece.toUtf8().size());
        if (bytes + size > budget) break;
        start += piece;
        bytes += size;
    }
    const QByteArray hash = QCryptographicHash::hash(name.toUtf8(), QCryptographicHash::Sha256);
    return start + kShortenedMark + QString::fromLatin1(hash.left(kHashDigits / 2).toHex());
}

bool IsShortened(const QString& baseName) {
    const qsizetype mark = baseName.size() - kHashDigits - kShortenedMark.size();
    if (mark < 0 || QStringView(baseName).mid(mark, kShortenedMark.size()) != kShortenedMark)
        return false;
    for (const QChar c : QStringView(baseName).mid(mark + kShortenedMark.size()))
        if (!(c.isDigit() || (c >= u'a' && c <= u'f'))) return false;
    return true;
}

QString Unescape(const QString& baseName) {
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

}  // namespace

QString ConnectionFileName(const QString& name) {
    return EncodeConnectionName(name) + QLatin1String(kStatisticExtension);
}

QString EncodeConnectionName(const QString& name) {
    if (name.isEmpty()) return kUnnamedBaseName;
    const QStringList pieces = EscapedPieces(name);
    const QString whole = pieces.join(QString());
    if (whole.toUtf8().size() + qsizetype(sizeof kStatisticExtension - 1) <=
        kMaxStatisticFileNameBytes)
        return whole;
    return Shortened(name, pieces);
}

QString DecodeConnectionName(const QString& baseName) {
    if (baseName == kUnnamedBaseName) return kUnnamed;
    if (IsShortened(baseName))
        return Unescape(baseName.left(baseName.size() - kHashDigits - kShortenedMark.size())) +
               kEllipsis;
    return Unescape(baseName);
}

QString StatisticMonthKey(const QDate& date) {
    return QStringLiteral("%1.%2")
        .arg(date.month(), 2, 10, QLatin1Char('0'))
        .arg(date.year(), 4, 10, QLatin1Char('0'));
}
