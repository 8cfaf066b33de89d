// SPDX-License-Identifier: GPL-3.0-or-later
// INI reading and single-key writing.
#include "core/IniFile.h"

#include "core/AtomicFile.h"
#include "core/TextDecoding.h"

#include <QCoreApplication>

namespace {

constexpr int kMaxValueLength = 254;  // what a 255-character buffer holds

// The name of a "[name]" line, or a null text for any other line.
QString SectionName(const QString& line) {
    const QString t = line.trimmed();
    if (!t.startsWith(u'[')) return QString();
    const int close = t.indexOf(u']');
    return close < 0 ? QString() : t.mid(1, close - 1).trimmed();
}

bool KeyMatches(const QString& line, const QString& key) {
    const int eq = line.indexOf(u'=');
    return eq >= 0 && QStringView(line).left(eq).trimmed().compare(key, Qt::CaseInsensitive) == 0;
}

QString Unquoted(QString value) {
    if (value.size() >= 2 && (value.front() == u'"' || value.front() == u'\'') &&
        value.back() == value.front())
        value = value.mid(1, value.size() - 2);
    return value;
}

// A value is one line: a line break inside it would turn its tail into a new key.
QString OneLine(QString value) {
    value.replace(u'\r', u' ').replace(u'\n', u' ');
    return value;
}

}  // namespace

IniFile IniFile::Load(const QString& path, qint64 limit) {
    const RegularFile file = ReadRegularFile(path, limit);
    if (file.IsRead()) return Parse(file.bytes);
    IniFile ini;
    ini.readProblem_ = file.error;
    return ini;
}

IniFile IniFile::Parse(const QByteArray& bytes) {
    IniFile ini;
    if (bytes.startsWith(kUtf8Bom)) ini.byteOrderMark_ = kUtf8Bom;
    qsizetype start = ini.byteOrderMark_.size();
    while (start < bytes.size()) {
        qsizetype end = start;
        while (end < bytes.size() && bytes[end] != '\n' && bytes[end] != '\r') ++end;
        qsizetype next = end;  // past the line end: CR LF, LF or a lone CR
        if (next < bytes.size() && bytes[next++] == '\r' && next < bytes.size() &&
            bytes[next] == '\n')
            ++next;
        const QByteArray line = bytes.mid(start, end - start);
        ini.lines_.append({line, bytes.mid(end, next - end), DecodeLine(line)});
        start = next;
    }
    return ini;
}

int IniFile::FindSection(const QString& section) const {
    for (int i = 0; i < lines_.size(); ++i)
        if (SectionName(lines_[i].text).compare(section, Qt::CaseInsensitive) == 0 &&
            !SectionName(lines_[i].text).isNull())
            return i;
    return -1;
}

int IniFile::SectionEnd(int header) const {
    int i = header + 1;
    while (i < lines_.size() && SectionName(lines_[i].text).isNull()) ++i;
    return i;
}

int IniFile::FindKey(int header, const QString& key) const {
    const int end = SectionEnd(header);
    for (int i = header + 1; i < end; ++i)
        if (KeyMatches(lines_[i].text, key)) return i;
    return -1;
}

QString IniFile::Value(const QString& section, const QString& key) const {
    const int header = FindSection(section);
    const int line = header < 0 ? -1 : FindKey(header, key);
    if (line < 0) return QString();
    const QString& text = lines_[line].text;
    return Unquoted(text.mid(text.indexOf(u'=') + 1).trimmed()).left(kMaxValueLength);
}

QStringList IniFile::Keys(const QString& section) const {
    QStringList keys;
    const int header = FindSection(section);
    if (header < 0) return keys;
    const int end = SectionEnd(header);
    for (int i = header + 1; i < end; ++i) {
        const int eq = lines_[i].text.indexOf(u'=');
        if (eq < 0) continue;
        const QString key = lines_[i].text.left(eq).trimmed();
        if (!key.isEmpty() && !keys.contains(key, Qt::CaseInsensitive)) keys << key;
    }
    return keys;
}

void IniFile::SetValue(const QString& section, const QString& key, const QString& value) {
    const QString text = key + u'=' + OneLine(value);
    const Line line{text.toUtf8(), "\r\n", text};
    const int header = FindSection(section);
    if (header < 0) {
        const QString head = u'[' + section + u']';
        lines_ << Line{head.toUtf8(), "\r\n", head} << line;
        return;
    }
    const int existing = FindKey(header, key);
    if (existing >= 0) {
        const QByteArray end = lines_[existing].end;
        lines_[existing] = line;
        if (!end.isEmpty()) lines_[existing].end = end;
        return;
    }
    int last = SectionEnd(header) - 1;  // after the section's last non-blank line
    while (last > header && lines_[last].text.trimmed().isEmpty()) --last;
    lines_.insert(last + 1, line);
}

QByteArray IniFile::Serialized() const {
    QByteArray bytes = byteOrderMark_;
    for (int i = 0; i < lines_.size(); ++i) {
        bytes += lines_[i].bytes;
        // A last line without its line end gets one when a line now follows it.
        const bool last = i + 1 == lines_.size();
        bytes += lines_[i].end.isEmpty() && !last ? QByteArray("\r\n") : lines_[i].end;
    }
    return bytes;
}

bool IniFile::Save(const QString& path, QString* error) const {
    if (!readProblem_.isEmpty()) {
        if (error)
            *error = readProblem_ + QCoreApplication::translate("IniFile", " Файл не изменён.");
        return false;
    }
    return ReplaceFileAtomically(path, Serialized(), error);
}

QString ReadIni(const QString& section, const QString& key, const QString& file) {
    return IniFile::Load(file).Value(section, key);
}

bool WriteIni(const QString& section, const QString& key, const QString& value, const QString& file,
              QString* error) {
    IniFile ini = IniFile::Load(file);
    ini.SetValue(section, key, value);
    return ini.Save(file, error);
}
