// INI files with the private-profile behaviour: names without case, single-key updates
// in place, every other line kept, atomic replacement on save.
#pragma once

#include <QString>
#include <QStringList>

class IniFile {
public:
    // A missing or unreadable file (or a folder in its place) loads as empty.
    static IniFile Load(const QString& path);
    // The file's bytes: UTF-8 (else Windows-1251), CR LF or LF line ends.
    static IniFile Parse(const QByteArray& bytes);

    // The value, trimmed, without one pair of enclosing quotes, cut to 254 characters;
    // the empty text for a missing section or key. The first of duplicates counts.
    QString Value(const QString& section, const QString& key) const;
    // The key names of a section in file order (empty when the section is missing).
    QStringList Keys(const QString& section) const;

    // Changes the key's line in place, or appends the key at the end of its section,
    // or appends the section at the end of the file.
    void SetValue(const QString& section, const QString& key, const QString& value);

    // Every line with CR LF, in UTF-8.
    QByteArray Serialized() const;
    // Writes Serialized(), replacing the file atomically.
    bool Save(const QString& path, QString* error = nullptr) const;

private:
    int FindSection(const QString& section) const;  // line index of the header, or -1
    int SectionEnd(int header) const;               // index of the next header or size
    int FindKey(int header, const QString& key) const;

    QStringList lines_;
};

// One-key helpers: each opens, works and closes the file.
QString ReadIni(const QString& section, const QString& key, const QString& file);
bool WriteIni(const QString& section, const QString& key, const QString& value,
              const QString& file);
