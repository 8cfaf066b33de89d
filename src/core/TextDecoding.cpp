// SPDX-License-Identifier: GPL-3.0-or-later
// Decoding of the program's text files.
#include "TextDecoding.h"

#include <QStringDecoder>

namespace {

// Windows-1251 from 0x80 to 0xBF; 0xC0..0xFF are А..я in order.
constexpr char16_t kCp1251High[64] = {
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021, 0x20AC, 0x2030, 0x0409,
    0x2039, 0x040A, 0x040C, 0x040B, 0x040F, 0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0xFFFD, 0x2122, 0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F, 0x00A0,
    0x040E, 0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6, 0x00A7, 0x0401, 0x00A9, 0x0404, 0x00AB,
    0x00AC, 0x00AD, 0x00AE, 0x0407, 0x00B0, 0x00B1, 0x0406, 0x0456, 0x0491, 0x00B5, 0x00B6,
    0x00B7, 0x0451, 0x2116, 0x0454, 0x00BB, 0x0458, 0x0405, 0x0455, 0x0457,
};

QString DecodeCp1251(const QByteArray& bytes) {
    QString text(bytes.size(), Qt::Uninitialized);
    QChar* out = text.data();
    for (char byte : bytes) {
        const unsigned char b = static_cast<unsigned char>(byte);
        if (b < 0x80)
            *out++ = QChar(b);
        else if (b < 0xC0)
            *out++ = QChar(kCp1251High[b - 0x80]);
        else
            *out++ = QChar(char16_t(0x0410 + (b - 0xC0)));
    }
    return text;
}

}  // namespace

bool IsUtf8(const QByteArray& bytes) {
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = utf8.decode(bytes);  // decoding happens on conversion
    return !utf8.hasError();
}

QString DecodeLine(const QByteArray& line) {
    return IsUtf8(line) ? QString::fromUtf8(line) : DecodeCp1251(line);
}

QString DecodeText(const QByteArray& bytes) {
    QByteArray body = bytes.startsWith(kUtf8Bom) ? bytes.mid(3) : bytes;
    if (IsUtf8(body)) return QString::fromUtf8(body);
    // Line by line: one byte from another editor does not turn the other lines to garbage.
    QString text;
    text.reserve(body.size());
    qsizetype start = 0;
    while (start < body.size()) {
        qsizetype end = start;
        while (end < body.size() && body[end] != '\n' && body[end] != '\r') ++end;
        text += DecodeLine(QByteArray::fromRawData(body.constData() + start, end - start));
        const qsizetype next = qMin(end + 1, body.size());
        text += QLatin1String(body.constData() + end, next - end);  // the line end itself
        start = next;
    }
    return text;
}
