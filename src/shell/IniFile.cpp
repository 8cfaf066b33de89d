// INI reading and single-key writing.
#include "IniFile.h"

#include "AtomicFile.h"
#include "TextDecoding.h"

#include <QFile>

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

IniFile IniFile::Load(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? Parse(file.readAll()) : IniFile();
}

IniFile IniFile::Parse(const QByteArray& bytes) {
    IniFile ini;
    const QString text = DecodeText(bytes);
    if (text.isEmpty()) return ini;
    ini.lines_ = text.split(u'\n');
    if (ini.lines_.back().isEmpty()) ini.lines_.removeLast();  // the final line end
    for (QString& line : ini.lines_)
        if (line.endsWith(u'\r')) line.chop(1);
    return ini;
}

int IniFile::FindSection(const QString& section) const {
    for (int i = 0; i < lines_.size(); ++i)
        if (SectionName(lines_[i]).compare(section, Qt::CaseInsensitive) == 0 &&
            !SectionName(lines_[i]).isNull())
            return i;
    return -1;
}

int IniFile::SectionEnd(int header) const {
    int i = header + 1;
    while (i < lines_.size() && SectionName(lines_[i]).isNull()) ++i;
    return i;
}

int IniFile::FindKey(int header, const QString& key) const {
    const int end = SectionEnd(header);
    for (int i = header + 1; i < end; ++i)
        if (KeyMatches(lines_[i], key)) return i;
    return -1;
}

QString IniFile::Value(const QString& section, const QString& key) const {
    const int header = FindSection(section);
    const int line = header < 0 ? -1 : FindKey(header, key);
    if (line < 0) return QString();
    const QString& text = lines_[line];
    return Unquoted(text.mid(text.indexOf(u'=') + 1).trimmed()).left(kMaxValueLength);
}

QStringList IniFile::Keys(const QString& section) const {
    QStringList keys;
    const int header = FindSection(section);
    if (header < 0) return keys;
    const int end = SectionEnd(header);
    for (int i = header + 1; i < end; ++i) {
        const int eq = lines_[i].indexOf(u'=');
        if (eq < 0) continue;
        const QString key = lines_[i].left(eq).trimmed();
        if (!key.isEmpty() && !keys.contains(key, Qt::CaseInsensitive)) keys << key;
    }
    return keys;
}

void IniFile::SetValue(const QString& section, const QString& key, const QString& value) {
    const QString line = key + u'=' + OneLine(value);
    const int header = FindSection(section);
    if (header < 0) {
        lines_ << u'[' + section + u']' << line;
        return;
    }
    const int existing = FindKey(header, key);
    if (existing >= 0) {
        lines_[existing] = line;
        return;
    }
    int last = SectionEnd(header) - 1;  // after the section's last non-blank line
    while (last > header && lines_[last].trimmed().isEmpty()) --last;
    lines_.insert(last + 1, line);
}

QByteArray IniFile::Serialized() const {
    QByteArray bytes;
    for (const QString& line : lines_) bytes += line.toUtf8() + "\r\n";
    return bytes;
}

bool IniFile::Save(const QString& path, QString* error) const {
    return ReplaceFileAtomically(path, Serialized(), error);
}

QString ReadIni(const QString& section, const QString& key, const QString& file) {
    return IniFile::Load(file).Value(section, key);
}

bool WriteIni(const QString& section, const QString& key, const QString& value,
              const QString& file) {
    IniFile ini = IniFile::Load(file);
    ini.SetValue(section, key, value);
    return ini.Save(file);
}
