// SPDX-License-Identifier: GPL-3.0-or-later
// The program folder: where every file of the program lives.
#pragma once

#include <QString>
#include <QStringList>

// What the choice of the program folder looks at.
struct ProgramFolderSources {
    QString executableFolder;
    QString userFolder;      // ~/.local/share/Vantoril
    QString defaultsFolder;  // <prefix>/share/vantoril: the shipped defaults
    uint userId = 0;         // the effective user
    QStringList systemPrefixes;

    // Those of this process; needs the application object for the executable's folder.
    static ProgramFolderSources OfThisProcess();
};

class ProgramFolder {
public:
    explicit ProgramFolder(QString path);

    // The folder beside the executable when it is a portable install: a folder the user
    // owns and can write, outside the system prefixes (root running /usr/bin/vantoril
    // must not write into /usr/bin). Else the per-user folder, created when missing and
    // given copies of the program's files it lacks: those beside the executable first,
    // then the shipped defaults; a file already there is never replaced. `notice` gets
    // plain words for the user when the folder beside the executable holds the program's
    // files but cannot be used, or when the per-user folder cannot be made; else it is
    // emptied.
    static ProgramFolder Choose(QString* notice = nullptr);
    static ProgramFolder Choose(const ProgramFolderSources& sources, QString* notice = nullptr);

    // The folder Choose takes, without creating or copying anything.
    static QString ChosenPath(const ProgramFolderSources& sources);

    const QString& Path() const { return path_; }
    // The folder followed by "/" and the name; a folder that already ends with "/"
    // (the root) gets no second separator.
    QString AppFilePath(const QString& name) const;

private:
    QString path_;
};
