// Word rules of the script language: blanks, letter case and number literals.
#include "script/ScriptWords.h"

#include "shell/Numbers.h"

QStringView TrimBlanks(QStringView text) {
    qsizetype first = 0;
    qsizetype end = text.size();
    while (first < end && text[first] == u' ') ++first;
    while (end > first && text[end - 1] == u' ') --end;
    return text.mid(first, end - first);
}

QString LowerCase(QStringView text) {
    QString lower(text.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < text.size(); ++i) lower[i] = text[i].toLower();
    return lower;
}

bool IsNumberLiteral(QStringView word) {
    if (word == u"0" || word == u"00" || word == u"000") return true;
    return ReadNumber(word) != 0;
}
