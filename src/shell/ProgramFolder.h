// The program folder: where every file of the program lives.
#pragma once

#include <QString>

class ProgramFolder {
public:
    explicit ProgramFolder(QString path);

    // The folder beside the executable when it can be written (a portable install),
    // else the per-user data folder ~/.local/share/Vantoril, created when missing and
    // given the shipped defaults from <prefix>/share/vantoril that it lacks.
    static ProgramFolder Choose();
    static ProgramFolder Choose(const QString& executableFolder, const QString& userFolder,
                                const QString& defaultsFolder);

    const QString& Path() const { return path_; }
    // The folder followed by "/" and the name; a folder that already ends with "/"
    // (the root) gets no second separator.
    QString AppFilePath(const QString& name) const;

private:
    QString path_;
};
